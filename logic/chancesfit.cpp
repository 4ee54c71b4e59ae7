#include "chancesfit.h"

#include "cells.h"

void takeChancesInForce(RaceSheet& sheet, const Settings& settings) {
    sheet.fits = settings.fits();
    sheet.blend = settings.blend();
}

Refitted refitChances(AppState& state, const QDate& today) {
    Refitted out;
    if (!state.history().isOpen()) {
        out.message = u"L'historique n'est pas ouvert : les τ ne sont pas ajustés."_qs;
        return out;
    }
    out.bilan = bilanOf(state.history(), {state.scale(), state.corrections()});
    if (!out.bilan.result.ok()) {
        out.message = out.bilan.result.message;
        return out;
    }
    const InForce fitted = fittedOn(out.bilan);
    out.message = state.settings().setFits(fitted.fits, fitted.blend, today);
    return out;
}

QString fitLine(const chances::Fits& fits, chances::Family family) {
    static const QString names[] = {u"Trot"_qs, u"Plat"_qs, u"Obstacle"_qs};
    const chances::Fit& fit = fits[static_cast<size_t>(family)];
    const QString tau = cells::fixed(chances::tauOf(fits, family), 2);
    const QString name = names[static_cast<size_t>(family)];
    if (fit.races >= chances::FitFrom)
        return u"%1 : τ = %2 s, ajusté sur %3 courses"_qs.arg(name, tau).arg(fit.races);
    return u"%1 : τ = %2 s par défaut (%3 course%4 sur les %5 qu'il faut)"_qs.arg(name, tau)
        .arg(fit.races)
        .arg(fit.races > 1 ? u"s"_qs : QString())
        .arg(chances::FitFrom);
}

QString blendLine(const blend::Weights& w) {
    if (w.races >= blend::From)
        return u"Combinée à la cote : α = %1, β = %2 (%3 courses)"_qs.arg(
            cells::fixed(w.alpha, 2), cells::fixed(w.beta, 2), QString::number(w.races));
    return u"Combinée à la cote : pas encore (%1 course%2 avec toutes les cotes sur les %3 "
           "qu'il faut)"_qs.arg(w.races)
               .arg(w.races > 1 ? u"s"_qs : QString())
               .arg(blend::From);
}
