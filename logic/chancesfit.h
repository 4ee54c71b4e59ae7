#pragma once
// The chances' τ fitted anew on the punter's races, each sheet recomputed as it
// stood that morning, and kept in the settings: after an import or an arrival
// that stored results, when the bilan is shown, and on demand in "Barème…".

#include "appstate.h"
#include "bilan.h"

// The sheet's chances at the τ and combination the settings hold.
void takeChancesInForce(RaceSheet& sheet, const Settings& settings);

struct Refitted {
    Bilan bilan;     // the races it was fitted on
    QString message; // why the fit could not be made or kept; empty: it was
};
Refitted refitChances(AppState& state, const QDate& today);

// What "Barème…" says of a family's τ: "Trot : τ = 2,85 s, ajusté sur 312
// courses" or "Trot : τ = 3,12 s par défaut (12 courses sur les 50 qu'il faut)".
QString fitLine(const chances::Fits& fits, chances::Family family);
// And of the chance combined with the market's: "Combinée à la cote : α = 0,62,
// β = 0,71 (240 courses)" or "… pas encore (120 courses avec toutes les cotes
// sur les 200 qu'il faut)".
QString blendLine(const blend::Weights& w);
