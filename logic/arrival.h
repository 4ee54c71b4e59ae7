#pragma once
// "Arrivée…": once the race is run, the winner's time and each runner's place
// and margin make a run of each horse. A margin is the gap to the horse placed
// just before, as the papers print an arrival (lengths, or the memo aid's words:
// nez, courte tête, tête, courte encolure, encolure, 1/2, 3/4, 1 1/2…); a
// runner's time is the winner's and its lengths behind the winner, at the race's
// lengths per second (the time-with-lengths rule).

#include "dialogs.h"
#include "racesheet.h"
#include "run.h"
#include "scale.h"
#include "store.h"

#include <optional>
#include <vector>

// Lengths of a margin typed in figures ("2", "1,5", "1 1/2") or words ("nez",
// "courte tête", "crt. enc"…); none for another text.
std::optional<double> marginLengths(const QString& text);

// A place typed: 1…n, or D (disqualifié), A (arrêté), T (tombé), 0 or NP (non
// placé); none for another text.
struct Place {
    history::Status status = history::Status::Placed;
    int place = 0;
};
std::optional<Place> placeOf(const QString& text);

// What the punter typed for one runner of the sheet.
struct ArrivalEntry {
    QString place, margin;
};

struct Arrival {
    std::vector<history::Run> runs; // one per runner, in the sheet's order
    QString refused;                // why none can be recorded; empty otherwise
};

// The runs of the arrival of `sheet` (entries in the order of its runners).
Arrival arrivalRuns(const RaceSheet& sheet, const QString& winnerTime,
                    const std::vector<ArrivalEntry>& entries, const scale::Scale& scale);

// "Enregistrer l'arrivée": the arrival's runs into `store` (a refusal, a history
// not open, a failure told), and what was recorded said. Whether it was.
bool recordArrival(history::Store& store, const RaceSheet& sheet, const QString& winnerTime,
                   const std::vector<ArrivalEntry>& entries, const scale::Scale& scale,
                   Dialogs& dialogs);
