// The programme service's JSON: today's races, and the runners of one race with
// their results once it is run. Units as the service gives them: times and
// reductions in milliseconds, weights in tenths of a kilogram.

#include "imported.h"
#include "jsonfields.h"

#include <QJsonArray>
#include <cmath>

namespace imports {

namespace {

calc::Start startOf(const QString& particularity, const QString& conditions,
                    history::Discipline disc) {
    if (disc != history::Discipline::TrotHarness && disc != history::Discipline::TrotMounted)
        return calc::Start::Unknown;
    const QString c = conditions.toLower();
    if (particularity == u"AUTOSTART" || c.contains(u"autostart"))
        return calc::Start::Autostart;
    return c.contains(u"volt") ? calc::Start::Volte : calc::Start::Unknown;
}

// One race of a meeting; none (with a refusal) when a field cannot be read.
std::optional<Race> raceOf(const QJsonObject& o, const Race& meeting, FileRead& out) {
    json::Fields f{o};
    Race r = meeting;
    r.number = int(f.whole("numOrdre", 1, 99).value_or(0));
    if (const auto m = f.whole("numReunion", 1, 99))
        r.meeting = int(*m);
    r.name = f.text("libelle");
    const QString discipline = f.text("discipline");
    r.discipline = history::disciplineOf(discipline.isEmpty() ? f.text("specialite") : discipline);
    r.distance = int(f.whole("distance", 1, 100000).value_or(0));
    r.declared = int(f.whole("nombreDeclaresPartants", 1, 99).value_or(0));
    r.conditions = f.text("conditions");
    r.start = startOf(f.text("categorieParticularite"), r.conditions, r.discipline);
    r.winnerTime = f.hundredths("dureeCourse", 3600000);
    if (f.ok() && r.discipline == history::Discipline::Unknown)
        f.refuse("discipline", u"« %1 » n'est pas une discipline connue"_qs.arg(
                                   json::shown(o.value(u"discipline"))));
    if (f.ok() && r.distance == 0)
        f.refuse("distance", u"manque"_qs);
    if (!f.ok()) {
        out.refused.push_back({out.file, r.code() + u' ' + r.name, f.field, f.reason});
        return std::nullopt;
    }
    return r;
}

// The meeting's fields its races share; a refusal of the whole meeting otherwise.
std::optional<Race> meetingOf(const QJsonObject& o, int index, FileRead& out) {
    json::Fields f{o};
    Race m;
    m.meeting = int(f.whole("numOfficiel", 1, 99).value_or(index + 1));
    const auto offset = f.whole("timezoneOffset", -86400000, 86400000);
    if (const auto ms = f.whole("dateReunion", 0, 8000000000000))
        m.date = json::dayOf(*ms, offset);
    else if (f.ok())
        f.refuse("dateReunion", u"manque"_qs);
    m.hippodrome = json::Fields{o[u"hippodrome"].toObject()}.text("libelleCourt");
    if (!f.ok()) {
        out.refused.push_back({out.file, u"réunion %1"_qs.arg(index + 1), f.field, f.reason});
        return std::nullopt;
    }
    return m;
}

} // namespace

QString Race::code() const {
    return u"R%1C%2"_qs.arg(meeting).arg(number);
}

void readProgramme(const QJsonObject& programme, FileRead& out) {
    const QJsonArray meetings = programme[u"reunions"].toArray();
    for (qsizetype i = 0; i < meetings.size(); ++i) {
        const QJsonObject meeting = meetings[i].toObject();
        const auto shared = meetingOf(meeting, int(i), out);
        if (!shared)
            continue;
        for (const QJsonValue race : meeting[u"courses"].toArray())
            if (auto r = raceOf(race.toObject(), *shared, out))
                out.races.push_back(std::move(*r));
    }
}

} // namespace imports
