// Each horse's detailed performances: its past races, with the first five and
// the horse itself. Times and reductions in hundredths (tempsDuPremier 21567 is
// 3'35"67, reductionKilometrique 7750 is 1'17"5), dates in epoch milliseconds
// with the offset of the place.

#include "cells.h"
#include "imported.h"
#include "jsonfields.h"

#include <QJsonArray>

namespace imports {

namespace {

// The horse's own line among a past race's participants.
std::optional<QJsonObject> itself(const QJsonArray& participants, const QString& name) {
    for (const QJsonValue p : participants)
        if (p[u"itsHim"].toBool())
            return p.toObject();
    for (const QJsonValue p : participants)
        if (cells::folded(p[u"nomCheval"].toString()) == cells::folded(name))
            return p.toObject();
    return std::nullopt;
}

// How the horse finished: place, reduction, distance run, weight, rider.
void readItself(const QJsonObject& o, history::Run& r, json::Fields& race) {
    json::Fields f{o};
    json::Fields place{o[u"place"].toObject()};
    r.place = int(place.whole("place", 0, 99).value_or(0));
    r.status = json::unfinishedOf(place.text("statusArrivee"))
                   .value_or(r.place > 0 ? history::Status::Placed : history::Status::Unplaced);
    if (r.status != history::Status::Placed)
        r.place = 0;
    if (const auto rk = f.whole("reductionKilometrique", 1, 60000))
        r.reduction = *rk;
    if (const auto run = f.whole("distanceParcourue", 1, 100000); run && *run > r.distance)
        r.recul = int(*run - r.distance);
    r.weight = f.decimal("poidsJockey", 1, 150);
    r.rider = f.text("nomJockey");
    if (!place.ok())
        race.refuse(u"place."_qs + place.field, place.reason);
    if (!f.ok())
        race.refuse(f.field, f.reason);
}

std::optional<history::Run> runOf(const QJsonObject& o, const QString& horse, FileRead& out) {
    json::Fields f{o};
    history::Run r;
    r.horse = horse;
    r.source = history::Source::Import;
    const auto offset = f.whole("timezoneOffset", -86400000, 86400000);
    if (const auto ms = f.whole("date", 0, 8000000000000))
        r.date = json::dayOf(*ms, offset);
    r.hippodrome = f.text("hippodrome");
    r.race = f.text("nomPrix");
    r.discipline = history::disciplineOf(f.text("discipline"));
    r.distance = int(f.whole("distance", 1, 100000).value_or(0));
    r.allocation = f.whole("allocation", 0, 100000000);
    r.runners = f.whole("nbParticipants", 1, 99);
    const auto winner = f.whole("tempsDuPremier", 1, 360000);
    if (const auto me = itself(o[u"participants"].toArray(), horse))
        readItself(*me, r, f);
    else
        f.refuse("participants", u"le cheval n'y figure pas"_qs);
    if (f.ok() && r.discipline == history::Discipline::Unknown && !f.text("discipline").isEmpty())
        f.refuse(u"discipline"_qs,
                 u"« %1 » n'est pas une discipline connue"_qs.arg(f.text("discipline")));
    if (f.ok() && !r.date.isValid())
        f.refuse("date", u"manque"_qs);
    if (f.ok() && r.distance == 0)
        f.refuse("distance", u"manque"_qs);
    if (!f.ok()) {
        const QString when = r.date.isValid() ? r.date.toString(u"dd/MM/yyyy"_qs) : u"?"_qs;
        out.refused.push_back(
            {out.file, u"%1, course du %2"_qs.arg(horse, when), f.field, f.reason});
        return std::nullopt;
    }
    if (r.status == history::Status::Placed && r.place == 1 && winner)
        r.time = winner; // the winner's time is its own
    return r;
}

} // namespace

void readPerformances(const QJsonArray& participants, FileRead& out) {
    for (qsizetype i = 0; i < participants.size(); ++i) {
        const QJsonObject p = participants[i].toObject();
        const QString horse = p[u"nomCheval"].toString().simplified();
        if (horse.isEmpty()) {
            out.refused.push_back(
                {out.file, u"cheval %1"_qs.arg(i + 1), u"nomCheval"_qs, u"manque"_qs});
            continue;
        }
        out.horses << horse;
        for (const QJsonValue c : p[u"coursesCourues"].toArray())
            if (auto run = runOf(c.toObject(), horse, out))
                out.runs.push_back(std::move(*run));
    }
}

} // namespace imports
