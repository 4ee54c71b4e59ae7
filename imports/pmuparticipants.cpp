// The runners of one race, with their results once it is run (times and
// reductions in milliseconds, weights in tenths of a kilogram), and each horse's
// detailed performances (times and reductions in hundredths, weights in kg).

#include "cells.h"
#include "imported.h"
#include "jsonfields.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace imports {

namespace {

// The shoeing a `deferre` value means for the corrections, and what is kept of
// it in the note (a protection: the foot is still shod); none for another value.
std::optional<std::pair<calc::Shoeing, QString>> shoeingOf(const QString& deferre) {
    // The service spells the two mixed values with three R.
    const QString v = QString(deferre).replace(u"DEFERRRE"_qs, u"DEFERRE"_qs);
    const QString note = v.contains(u"PROTEGE") ? deferre : QString();
    if (v.isEmpty())
        return std::pair{calc::Shoeing::Shod, QString()};
    if (v == u"DEFERRE_ANTERIEURS_POSTERIEURS")
        return std::pair{calc::Shoeing::D4, note};
    if (v == u"DEFERRE_ANTERIEURS" || v == u"DEFERRE_ANTERIEURS_PROTEGE_POSTERIEURS")
        return std::pair{calc::Shoeing::DA, note};
    if (v == u"DEFERRE_POSTERIEURS" || v == u"PROTEGE_ANTERIEURS_DEFERRE_POSTERIEURS")
        return std::pair{calc::Shoeing::DP, note};
    if (v == u"PROTEGE_ANTERIEURS" || v == u"PROTEGE_POSTERIEURS" ||
        v == u"PROTEGE_ANTERIEURS_POSTERIEURS")
        return std::pair{calc::Shoeing::Shod, note};
    return std::nullopt;
}

// How the runner finished, when the race is run.
void readResult(json::Fields& f, Entrant& e) {
    e.time = f.hundredths("tempsObtenu", 3600000);
    e.reduction = f.hundredths("reductionKilometrique", 600000);
    e.place = int(f.whole("ordreArrivee", 1, 99).value_or(0));
    e.incident = f.text("incident");
    if (!e.incident.isEmpty() && !e.incident.contains(u"RETROGRADE")) {
        e.status = json::unfinishedOf(e.incident).value_or(history::Status::Unplaced);
        e.time.reset(); // a horse that did not finish has no time of its own
        e.reduction.reset();
        e.place = 0;
    } else if (e.place > 0 || e.time || e.reduction) {
        e.status = e.place > 0 ? history::Status::Placed : history::Status::Unplaced;
    }
}

// The day, meeting and race in a casaque's address; none in another text.
std::optional<RaceCode> casaqueOf(const QString& url) {
    static const QRegularExpression code(u"/(\\d{8})/R(\\d{1,2})/C(\\d{1,2})/"_qs);
    const auto m = code.match(url);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(m.captured(1), u"ddMMyyyy"_qs);
    return RaceCode{day, m.captured(2).toInt(), m.captured(3).toInt()};
}

// The odds in `key`'s "rapport" (9.2 for 1 €); a value that cannot be odds
// refuses the runner, named "dernierRapportDirect.rapport".
std::optional<double> oddsOf(json::Fields& f, const char* key) {
    json::Fields inner{f.object.value(QLatin1StringView(key)).toObject()};
    const auto odds = inner.decimal("rapport", 1, 100000);
    if (!inner.ok() && f.ok())
        f.refuse(QString::fromUtf8(key) + u'.' + inner.field, inner.reason);
    return odds;
}

// The blinkers an "oeilleres" value says; another value is none known (they
// change nothing computed: a runner is not refused for them).
calc::Blinkers blinkersOf(const QString& oeilleres) {
    if (oeilleres == u"SANS_OEILLERES")
        return calc::Blinkers::Without;
    if (oeilleres == u"OEILLERES_CLASSIQUES")
        return calc::Blinkers::Classic;
    if (oeilleres == u"OEILLERES_AUSTRALIENNES")
        return calc::Blinkers::Australian;
    return calc::Blinkers::Unknown;
}

std::optional<Entrant> entrantOf(const QJsonObject& o, FileRead& out) {
    json::Fields f{o};
    Entrant e;
    e.number = int(f.whole("numPmu", 1, 99).value_or(0));
    e.name = f.text("nom");
    e.rider = f.text("driver");
    e.trainer = f.text("entraineur");
    e.blinkers = blinkersOf(f.text("oeilleres"));
    e.musique = f.text("musique");
    e.oddsReference = oddsOf(f, "dernierRapportReference");
    e.oddsDirect = oddsOf(f, "dernierRapportDirect");
    if (const auto m = f.whole("handicapDistance", 1, 100000))
        e.distanceRun = int(*m);
    const auto tenths = o.contains(u"handicapPoids") && !o[u"handicapPoids"].isNull()
                            ? f.whole("handicapPoids", 1, 2000)
                            : f.whole("poidsConditionMonte", 1, 2000);
    if (tenths)
        e.weight = double(*tenths) / 10;
    const QString deferre = f.text("deferre");
    if (const auto shoeing = shoeingOf(deferre))
        std::tie(e.shoeing, e.shoeingNote) = *shoeing;
    else
        f.refuse("deferre", u"« %1 » n'est pas une ferrure connue"_qs.arg(deferre));
    e.scratched = f.text("statut") == u"NON_PARTANT" || f.text("incident") == u"NON_PARTANT";
    if (!e.scratched)
        readResult(f, e);
    if (f.ok() && (e.number == 0 || e.name.isEmpty()))
        f.refuse(e.number == 0 ? "numPmu" : "nom", u"manque"_qs);
    if (!f.ok()) {
        out.refused.push_back(
            {out.file, u"n° %1 %2"_qs.arg(e.number).arg(e.name), f.field, f.reason});
        return std::nullopt;
    }
    return e;
}

} // namespace

void readParticipants(const QJsonArray& participants, FileRead& out) {
    for (const QJsonValue p : participants) {
        if (!out.casaque)
            out.casaque = casaqueOf(p.toObject().value(u"urlCasaque").toString());
        if (auto e = entrantOf(p.toObject(), out))
            out.entrants.push_back(std::move(*e));
    }
}

} // namespace imports
