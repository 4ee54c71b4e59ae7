#include "racefileheaders.h"

namespace racefile {

// The header of a sheet written before a scale could be chosen: every runner in
// it was computed with the original scale.
const QStringList& headerWithoutScale() {
    static const QStringList h{u"course"_qs,
                               u"date"_qs,
                               u"cheval"_qs,
                               u"terrain"_qs,
                               u"distance réf. (m)"_qs,
                               u"poids réf. (kg)"_qs,
                               u"minutes"_qs,
                               u"secondes"_qs,
                               u"centièmes"_qs,
                               u"longueurs"_qs,
                               u"distance du jour (m)"_qs,
                               u"poids du jour (kg)"_qs,
                               u"chrono estimé"_qs,
                               u"chrono estimé (centièmes)"_qs,
                               u"temps de l'estimation"_qs,
                               u"réduction"_qs,
                               u"temps de la réduction"_qs};
    return h;
}

// The header of a sheet written before the race had its own fields.
const QStringList& headerWithoutRace() {
    static const QStringList h =
        headerWithoutScale() + QStringList{u"barème"_qs, u"longueurs par seconde"_qs};
    return h;
}

// The header of a sheet written before the trot's conditions.
const QStringList& headerWithoutTrot() {
    static const QStringList h =
        headerWithoutRace() + QStringList{u"n°"_qs, u"hippodrome"_qs, u"discipline"_qs};
    return h;
}

// The header of a sheet written before today's going and the reference race's
// date and hippodrome.
const QStringList& headerWithoutGoing() {
    static const QStringList h = headerWithoutTrot() + QStringList{u"départ"_qs,
                                                                   u"discipline réf."_qs,
                                                                   u"départ réf."_qs,
                                                                   u"ferrure réf."_qs,
                                                                   u"recul réf. (m)"_qs,
                                                                   u"ferrure"_qs,
                                                                   u"recul (m)"_qs,
                                                                   u"réduction corrigée (s)"_qs,
                                                                   u"réduction corrigée"_qs,
                                                                   u"corrections (s/km)"_qs};
    return h;
}

// The header of a sheet written before the musique.
const QStringList& headerWithoutMusique() {
    static const QStringList h =
        headerWithoutGoing() + QStringList{u"terrain du jour"_qs,       u"date réf."_qs,
                                           u"hippodrome réf."_qs,       u"règle"_qs,
                                           u"écart de distance (%)"_qs, u"mois"_qs,
                                           u"courses retenues"_qs,      u"courses comparables"_qs,
                                           u"course choisie"_qs};
    return h;
}

// The header of a sheet written before the reduction's exact value.
const QStringList& headerWithoutExactReduction() {
    static const QStringList h = headerWithoutMusique() + QStringList{u"musique"_qs, u"alertes"_qs};
    return h;
}

const QStringList& header() {
    static const QStringList h = headerWithoutExactReduction() + QStringList{u"réduction (s)"_qs};
    return h;
}

bool isKnownHeader(const QStringList& row) {
    for (const auto* h :
         {&header(), &headerWithoutExactReduction(), &headerWithoutMusique(), &headerWithoutGoing(),
          &headerWithoutTrot(), &headerWithoutRace(), &headerWithoutScale()})
        if (row == *h)
            return true;
    return false;
}

} // namespace racefile
