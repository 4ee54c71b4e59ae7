#pragma once
// What the windows share: the scale in force and the day's race sheet. Made once
// at start and passed to the windows that need it; each follows `changed` to show
// what another window did.

#include "corrections.h"
#include "dialogs.h"
#include "racedayfile.h"
#include "scale.h"
#include "settings.h"
#include "store.h"

#include <QObject>
#include <QString>

class AppState : public QObject {
    Q_OBJECT
  public:
    // The user's settings kept at `settingsPath`, and the day's sheet.
    AppState(QString settingsPath, RaceDay day);

    // The scale, the corrections and "also list", changed through `settings()`:
    // every window follows `changed`.
    Settings& settings() { return settings_; }
    const scale::Scale& scale() const { return settings_.scale(); }
    const calc::CorrectionTable& corrections() const { return settings_.corrections(); }
    bool alsoList() const { return settings_.alsoList(); }

    RaceDay& raceDay() { return day_; }
    // A window changed the sheet (and its file): the others show it, and each
    // runner's reference race is recorded in the horses' history.
    void sheetEdited();
    // A runner corrected on the sheet (before `sheetEdited`): its reference race
    // as it was leaves the history when it is no longer the runner's.
    void runnerCorrected(const Runner& before, const Runner& after);

    // The horses' history, opened at start (closed in tests: nothing recorded).
    history::Store& history() { return history_; }
    // Opens the history at `path`, and feeds the sheet's runners from it (the
    // sheet written through `dialogs`, which outlive the state); what the user
    // must be told (a file set aside, a failure), or nothing.
    QString openHistory(const QString& path, const QDateTime& now, Dialogs& dialogs);
    // Each runner's reference chosen anew among its comparable runs.
    void feedFromHistory();

  signals:
    void changed();
    // The history could not be written: the message for the user.
    void historyFailed(const QString& message);

  private:
    // The day's copy of the history at its first opening; why not, or nothing.
    QString dailyCopy(const QDateTime& now);
    Settings settings_;
    RaceDay day_;
    history::Store history_;
    Dialogs* dialogs_ = nullptr; // set with the history: none, nothing fed
};
