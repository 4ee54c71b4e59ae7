#pragma once
// The decisions of "Fiche du cheval" (a horse's runs in the history), without
// its window: what a row shows, a run typed in the form, and the four commands
// (add, correct, delete, pick for today), each asked and told through Dialogs.

#include "appstate.h"
#include "dialogs.h"
#include "run.h"
#include "runnerfigures.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace horsecard {

// The card's columns: the run's own (the horse and the musique apart), and what
// its reduction becomes today, after the reduction.
QStringList header();
// A run's row under header(), its reduction brought to today's conditions for
// `base` (the horse as it stands on the sheet).
QStringList row(const history::Run& run, const Runner& base, const RaceSheet& sheet,
                const Rules& rules);
// "3 course(s) · musique : 1a 3a Da", or that none is kept.
QString summary(const std::vector<history::Run>& runs);
// The horse as the card judges its runs: its runner on the sheet, else a new one.
Runner base(const RaceSheet& sheet, const QString& horse);

// What the card shows of the horse named `name`: its name as kept, its runs
// (newest first) with each one's row, the line above them, and whether one may
// stand for it today (it is on the sheet). A history that cannot be read is told.
struct Card {
    QString horse;
    std::vector<history::Run> runs;
    std::vector<QStringList> rows;
    QString summary;
    bool onSheet = false;
};
Card cardOf(AppState& state, const QString& name, Dialogs& dialogs);
// The horses the history knows, for the name's completion.
QStringList knownHorses(AppState& state);

// The run typed in the form (cells under history::runHeader()), `original`'s id
// and origin kept; none, the reason told, when it cannot be kept.
std::optional<history::Run> typedRun(const QStringList& cells, const history::Run& original,
                                     Dialogs& dialogs);

// Each command changes the history (and the sheet, which follows its runs); true
// when something changed. A failure is told.
bool addRun(AppState& state, const history::Run& typed, Dialogs& dialogs);
bool correctRun(AppState& state, const history::Run& typed, Dialogs& dialogs);
// After a question naming the run ("Non" unless told otherwise).
bool deleteRun(AppState& state, const history::Run& run, Dialogs& dialogs);
// The run stands for the horse on today's sheet; picked again, the sheet's rule
// chooses once more. Refused, and said, when it is not comparable or the horse
// is not on the sheet.
bool pickForToday(AppState& state, const history::Run& run, Dialogs& dialogs);

} // namespace horsecard
