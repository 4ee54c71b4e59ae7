#pragma once
// A runner judged on its comparable runs in the horses' history: the same
// discipline family, a distance run close to today's, recent, with a time or a
// reduction; each brought to today's conditions with the corrections, and one
// chosen (or three averaged) by the sheet's rule.

#include "runnercalc.h"
#include "store.h"

#include <vector>

enum class Choice { Last, BestOf3, MeanOf3 };
// "la dernière", "la meilleure des 3 dernières" (the default), "la moyenne des 3
// dernières".
QString choiceName(Choice c);
std::optional<Choice> choiceOf(const QString& text); // empty text: the default

// Whether `run` may stand for the runner in `race`: its family (trot, flat,
// obstacle; harness and mounted compare through the corrections), a distance run
// within the race's band of today's, a date within the race's months before
// the race date (a run without a date never is), a time or a reduction.
bool isComparable(const history::Run& run, const Runner& runner, const RaceSheet& race);

// The run as the runner's reference race, the runner's own today's inputs kept.
Runner withReference(const Runner& runner, const history::Run& run);

// The runner fed from its runs (newest first): its reference race chosen by the
// race's rule (or the run picked on the card), computed for today. Without a
// comparable run, the runner as it was, marked so. `NoMore`: only the runs the
// rule may choose are computed, and `comparable` counts no further (the bilan's
// sheets, which nobody reads the count of).
enum class Counted { All, NoMore };
Runner feedRunner(const Runner& runner, const std::vector<history::Run>& runs,
                  const RaceSheet& race, const Rules& rules, Counted counted = Counted::All);

// What the run's reduction becomes under today's conditions in `race` for the
// runner (seconds per km); none when it cannot be computed there.
std::optional<double> todayReduction(const history::Run& run, const Runner& runner,
                                     const RaceSheet& race, const Rules& rules);

// What the punter is warned of for the runner (its musique, today's shoeing
// against its runs): "disqualifié 2 fois sur ses 4 dernières courses · …".
QString alertsOf(const Runner& runner, const std::vector<history::Run>& runs,
                 const RaceSheet& race);

// Every runner of the sheet fed from the history; whether one changed.
bool feedSheet(RaceSheet& sheet, history::Store& store, const Rules& rules);
