#include "corrections.h"

#include "cells.h"

#include <QStringList>

#include <cmath>

namespace calc {

namespace {

using scale::Discipline;
using scale::isTrot;

double effect(const CorrectionTable& t, Start s) {
    return s == Start::Autostart ? t.autostart : s == Start::Volte ? t.volte : 0;
}

double effect(const CorrectionTable& t, Shoeing s) {
    switch (s) {
    case Shoeing::Shod:
        return t.shod;
    case Shoeing::D4:
        return t.d4;
    case Shoeing::DA:
        return t.da;
    case Shoeing::DP:
        return t.dp;
    case Shoeing::Unknown:
        break;
    }
    return 0;
}

double effect(const CorrectionTable& t, Discipline d) {
    return d == Discipline::TrotMounted ? t.mounted : d == Discipline::TrotHarness ? t.harness : 0;
}

double per500(const CorrectionTable& t, Discipline d) {
    return isTrot(d) ? t.trotPer500 : d == Discipline::Jumps ? t.jumpsPer500 : t.flatPer500;
}

// Adds a correction from a condition on both sides: named after the side that
// counts (both, when both do), nothing when it comes to zero.
void add(Corrections& out, const QString& reference, double fromReference, const QString& today,
         double fromToday) {
    const double seconds = fromToday - fromReference;
    if (seconds == 0)
        return;
    const QString what = fromReference == 0 ? today
                         : fromToday == 0   ? reference
                                            : reference + u'→' + today;
    out.applied.push_back({what, seconds});
    out.total += seconds;
}

} // namespace

QString Corrections::text() const {
    QStringList parts;
    for (const Correction& c : applied)
        parts << c.what + u' ' + signedSeconds(c.secondsPerKm);
    return parts.join(u" · "_qs);
}

Corrections corrections(const CorrectionTable& table, const Conditions& reference,
                        const Conditions& today, double referenceRun, double dayRun) {
    Corrections out;
    const auto& rd = reference.discipline;
    const auto& td = today.discipline;
    if (rd && td && isTrot(*rd) != isTrot(*td)) {
        out.refused = isTrot(*rd) ? u"Une course de référence au trot ne peut pas servir pour une "
                                    u"course de plat ou d'obstacle."_qs
                                  : u"Une course de référence de plat ou d'obstacle ne peut pas "
                                    u"servir pour une course de trot."_qs;
        return out;
    }
    const std::optional<Discipline> race = td ? td : rd;
    const bool trot = race && isTrot(*race);
    if (trot && reference.start != Start::Unknown && today.start != Start::Unknown)
        add(out, startName(reference.start), effect(table, reference.start), startName(today.start),
            effect(table, today.start));
    if (trot && reference.shoeing != Shoeing::Unknown && today.shoeing != Shoeing::Unknown)
        add(out, shoeingName(reference.shoeing), effect(table, reference.shoeing),
            shoeingName(today.shoeing), effect(table, today.shoeing));
    if (trot && rd && td)
        add(out, scale::disciplineName(*rd), effect(table, *rd), scale::disciplineName(*td),
            effect(table, *td));
    if (race && referenceRun > 0 && dayRun > 0) {
        const double seconds = (dayRun - referenceRun) / 500 * per500(table, *race);
        if (seconds != 0) {
            out.applied.push_back({u"distance"_qs, seconds});
            out.total += seconds;
        }
    }
    if (!trot && reference.going && today.going)
        add(out, scale::goingName(*reference.going),
            table.going[static_cast<size_t>(*reference.going)], scale::goingName(*today.going),
            table.going[static_cast<size_t>(*today.going)]);
    return out;
}

QString startName(Start s) {
    return s == Start::Autostart ? u"autostart"_qs : s == Start::Volte ? u"volté"_qs : QString();
}

QString shoeingName(Shoeing s) {
    static const QString names[] = {QString(), u"ferré"_qs, u"D4"_qs, u"DA"_qs, u"DP"_qs};
    return names[static_cast<size_t>(s)];
}

std::optional<Start> startOf(const QString& text) {
    for (Start s : {Start::Unknown, Start::Autostart, Start::Volte})
        if (text == startName(s)) // as this program writes it: the history's every run
            return s;
    // "volte", "Volté", "VOLTE": as spreadsheets and keyboards write it.
    const QString plain = cells::folded(text);
    for (Start s : {Start::Unknown, Start::Autostart, Start::Volte})
        if (plain == cells::folded(startName(s)))
            return s;
    return std::nullopt;
}

QString blinkersName(Blinkers b) {
    static const QString names[] = {QString(), u"sans"_qs, u"œillères"_qs,
                                    u"œillères australiennes"_qs};
    return names[static_cast<size_t>(b)];
}

std::optional<Blinkers> blinkersOf(const QString& text) {
    for (Blinkers b :
         {Blinkers::Unknown, Blinkers::Without, Blinkers::Classic, Blinkers::Australian})
        if (text.trimmed().compare(blinkersName(b), Qt::CaseInsensitive) == 0)
            return b;
    return std::nullopt;
}

std::optional<Shoeing> shoeingOf(const QString& text) {
    for (Shoeing s : {Shoeing::Unknown, Shoeing::Shod, Shoeing::D4, Shoeing::DA, Shoeing::DP})
        if (text.trimmed().compare(shoeingName(s), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

std::optional<scale::Discipline> disciplineOf(const QString& text) {
    for (int d = 0; d < scale::DisciplineCount; ++d)
        if (text.trimmed() == scale::disciplineName(static_cast<Discipline>(d)))
            return static_cast<Discipline>(d);
    return std::nullopt;
}

std::optional<scale::Going> goingOf(const QString& text) {
    const QString plain = cells::folded(text);
    using scale::Going;
    static const std::pair<const char*, Going> words[] = {
        {"bon ou plus rapide", Going::GoodOrFaster},
        {"tres sec", Going::GoodOrFaster},
        {"sec", Going::GoodOrFaster},
        {"tres leger", Going::GoodOrFaster},
        {"leger", Going::GoodOrFaster},
        {"bon leger", Going::GoodOrFaster},
        {"bon", Going::GoodOrFaster},
        {"bon souple", Going::GoodToSoft},
        {"bon a souple", Going::GoodToSoft},
        {"souple ou plus lourd", Going::SoftOrSlower},
        {"souple", Going::SoftOrSlower},
        {"tres souple", Going::SoftOrSlower},
        {"collant", Going::SoftOrSlower},
        {"lourd", Going::SoftOrSlower},
        {"tres lourd", Going::SoftOrSlower}};
    for (const auto& [word, going] : words)
        if (plain == QLatin1String(word))
            return going;
    return std::nullopt;
}

QString punterTenths(double seconds) {
    const qint64 tenths = std::llround(seconds * 10);
    return u"%1'%2\"%3"_qs.arg(tenths / 600)
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

QString punterHundredths(double seconds) {
    return cells::punterTime(std::llround(seconds * 100));
}

QString signedSeconds(double seconds) {
    return (seconds < 0 ? u"−"_qs : u"+"_qs) + cells::fixed(std::fabs(seconds), 1);
}

} // namespace calc
