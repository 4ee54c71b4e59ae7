#include "finishes.h"

#include "run.h"

namespace {

// The race of the sheet's day holding most of its horses, at least half.
const history::races::Race* raceOf(const RaceSheet& sheet,
                                   const std::vector<history::races::Race>& races) {
    const history::races::Race* best = nullptr;
    size_t most = 0;
    for (const auto& race : races) {
        size_t here = 0;
        for (const Runner& r : sheet.runners)
            here += size_t(std::any_of(
                race.starters.begin(), race.starters.end(), [&](const history::races::Starter& s) {
                    return history::horseKey(s.horse) == history::horseKey(r.name);
                }));
        if (here > most)
            most = here, best = &race;
    }
    return most * 2 >= sheet.runners.size() ? best : nullptr;
}

QString finishOf(const history::races::Starter& s) {
    return s.place > 0 ? QString::number(s.place) : history::statusName(s.status);
}

} // namespace

bool fillFinishes(RaceSheet& sheet, history::Store& store) {
    if (!store.isOpen() || !sheet.date.isValid() || sheet.runners.empty())
        return false;
    const history::RaceList list = store.races(sheet.date, sheet.date);
    const history::races::Race* race = list.result.ok() ? raceOf(sheet, list.races) : nullptr;
    bool changed = false;
    for (Runner& r : sheet.runners) {
        QString finish;
        if (race)
            for (const history::races::Starter& s : race->starters)
                if (history::horseKey(s.horse) == history::horseKey(r.name))
                    finish = finishOf(s);
        changed = changed || finish != r.finish;
        r.finish = finish;
    }
    return changed;
}
