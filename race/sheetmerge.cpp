#include "sheetmerge.h"

#include <algorithm>

namespace sheetmerge {

namespace {

bool holds(const std::vector<Runner>& runners, const Runner& r) {
    return std::find(runners.begin(), runners.end(), r) != runners.end();
}

bool sameHorse(const Runner& a, const Runner& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) == 0;
}

// A row of this copy that replaced one of `base` for the horse of `r`: changed
// here as `r` was changed there.
std::optional<size_t> changedHere(const RaceSheet& base, const RaceSheet& merged, const Runner& r) {
    const bool wasThere = std::any_of(base.runners.begin(), base.runners.end(),
                                      [&](const Runner& b) { return sameHorse(b, r); });
    if (!wasThere)
        return std::nullopt;
    for (size_t i = 0; i < merged.runners.size(); ++i)
        if (sameHorse(merged.runners[i], r) && !holds(base.runners, merged.runners[i]))
            return i;
    return std::nullopt;
}

} // namespace

Merged merge(const RaceSheet& base, const RaceSheet& ours, const RaceSheet& theirs) {
    Merged out{ours, {}, false};
    // A distance not yet given is no other race.
    if (!ours.runners.empty() && !theirs.runners.empty() && !ours.distance.trimmed().isEmpty() &&
        !theirs.distance.trimmed().isEmpty() &&
        ours.distance.trimmed() != theirs.distance.trimmed())
        return {ours, {}, true};
    if (ours.sameRace(base))
        out.sheet.takeRace(theirs);
    auto& runners = out.sheet.runners;
    // Taken out there and left as it was here: taken out.
    for (const Runner& r : base.runners)
        if (!holds(theirs.runners, r))
            if (const auto at = std::find(runners.begin(), runners.end(), r); at != runners.end())
                runners.erase(at);
    // Added or changed there: added, unless this copy changed the same horse.
    for (const Runner& r : theirs.runners) {
        if (holds(base.runners, r) || holds(runners, r))
            continue;
        if (const auto here = changedHere(base, out.sheet, r))
            out.conflicts.push_back({*here, r});
        else
            runners.push_back(r);
    }
    return out;
}

} // namespace sheetmerge
