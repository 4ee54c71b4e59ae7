#include "racefinder.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using imports::Race;

namespace {

std::vector<Race> coded(const std::vector<Race>& races, int meeting, int number,
                        const QDate& day = {}) {
    std::vector<Race> out;
    for (const Race& r : races)
        if (r.meeting == meeting && r.number == number &&
            (!day.isValid() || !r.date.isValid() || r.date == day))
            out.push_back(r);
    return out;
}

// "R1C4", "R1_C4", "r1-c4", with anything around it.
std::vector<Race> byName(const std::vector<Race>& races, const QString& file) {
    static const QRegularExpression code(u"R(\\d{1,2})[ _-]?C(\\d{1,2})(?!\\d)"_qs,
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = code.match(QFileInfo(file).fileName());
    return m.hasMatch() ? coded(races, m.captured(1).toInt(), m.captured(2).toInt())
                        : std::vector<Race>{};
}

// The races whose distance is the one the front runners run (the others run it
// and their recul), and whose runners declared are the file's, when said.
std::vector<Race> byRunners(const std::vector<Race>& races, const imports::FileRead& f) {
    std::optional<int> front;
    for (const imports::Entrant& e : f.entrants)
        if (e.distanceRun)
            front = std::min(front.value_or(*e.distanceRun), *e.distanceRun);
    if (!front)
        return {};
    std::vector<Race> out;
    for (const Race& r : races)
        if (r.distance == *front &&
            (r.declared == 0 || r.declared == static_cast<int>(f.entrants.size())))
            out.push_back(r);
    return out;
}

} // namespace

std::vector<Race> racesOfFile(const std::vector<Race>& races, const imports::FileRead& f) {
    if (f.casaque)
        if (auto found = coded(races, f.casaque->meeting, f.casaque->number, f.casaque->date);
            found.size() == 1)
            return found;
    if (auto found = byName(races, f.file); found.size() == 1)
        return found;
    if (races.size() == 1)
        return races;
    return byRunners(races, f);
}
