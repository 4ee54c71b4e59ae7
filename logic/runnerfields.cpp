#include "runnerfields.h"

#include "cells.h"
#include "corrections.h"
#include "fchronologic.h"
#include "racetable.h"

#include <QRegularExpression>

namespace {

std::optional<bool> sourceOf(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(racetable::timeSource(false), Qt::CaseInsensitive) == 0)
        return false;
    if (t.compare(racetable::timeSource(true), Qt::CaseInsensitive) == 0)
        return true;
    return std::nullopt;
}

// The text of a condition's cell of a runner.
QString conditionText(const Runner& r, RunnerField field) {
    switch (field) {
    case RunnerField::ReferenceDiscipline:
        return r.referenceDisciplineName();
    case RunnerField::ReferenceStart:
        return calc::startName(r.referenceStart);
    case RunnerField::ReferenceShoeing:
        return calc::shoeingName(r.referenceShoeing);
    default:
        return calc::shoeingName(r.dayShoeing);
    }
}

// A condition (discipline, start, shoeing) typed among its names, an empty text
// the unknown one; false for another text.
bool setCondition(Runner& r, RunnerField field, const QString& t) {
    switch (field) {
    case RunnerField::ReferenceDiscipline:
        r.referenceDiscipline = calc::disciplineOf(t);
        return t.isEmpty() || r.referenceDiscipline;
    case RunnerField::ReferenceStart: {
        const auto start = calc::startOf(t);
        r.referenceStart = start.value_or(calc::Start::Unknown);
        return start.has_value();
    }
    default: {
        const auto shoeing = calc::shoeingOf(t);
        (field == RunnerField::DayShoeing ? r.dayShoeing : r.referenceShoeing) =
            shoeing.value_or(calc::Shoeing::Unknown);
        return shoeing.has_value();
    }
    }
}

// A reference's date as typed: in full, or day and month alone ("15/11"), the
// last such day up to `today`.
std::optional<QDate> dateTyped(const QString& t, const QDate& today) {
    if (const auto full = cells::dateOf(t))
        return full;
    static const QRegularExpression dayMonth(u"^(\\d{1,2})[/.-](\\d{1,2})$"_qs);
    const auto m = dayMonth.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    QDate d(today.year(), m.captured(2).toInt(), m.captured(1).toInt());
    if (d.isValid() && d > today)
        d = QDate(today.year() - 1, d.month(), d.day());
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

bool oneLine(const QString& text) {
    return !text.contains(u'\n') && !text.contains(u'\r');
}

} // namespace

std::optional<Runner> withField(Runner r, RunnerField field, const QString& text,
                                Dialogs& dialogs) {
    if (!oneLine(text)) {
        dialogs.warn(u"Une case de la feuille tient sur une seule ligne."_qs);
        return std::nullopt;
    }
    const QString t = text.trimmed();
    switch (field) {
    case RunnerField::Number:
        r.number = t;
        break;
    case RunnerField::Name:
        if (t.isEmpty()) {
            dialogs.warn(u"Le nom du cheval ne peut pas être vide."_qs);
            return std::nullopt;
        }
        r.name = t;
        break;
    case RunnerField::Going:
        r.going = t;
        break;
    case RunnerField::ReferenceDistance:
        r.race.referenceDistance = t;
        break;
    case RunnerField::ReferenceWeight:
        r.race.referenceWeight = t;
        break;
    case RunnerField::Margin:
        r.race.margin = t;
        break;
    case RunnerField::DayWeight:
        r.race.dayWeight = t;
        break;
    case RunnerField::Time: {
        const auto time = splitTime(t);
        if (!time) {
            FchronoLogic::ReportError(CalcError::Time, dialogs);
            return std::nullopt;
        }
        r.race.minutes = time->minutes;
        r.race.seconds = time->seconds;
        r.race.hundredths = time->hundredths;
        break;
    }
    case RunnerField::ReferenceDiscipline:
    case RunnerField::ReferenceStart:
    case RunnerField::ReferenceShoeing:
    case RunnerField::DayShoeing:
        if (!setCondition(r, field, t)) {
            dialogs.warn(u"« %1 » n'est pas une valeur de cette colonne."_qs.arg(t));
            return std::nullopt;
        }
        break;
    case RunnerField::ReferenceRecul:
    case RunnerField::DayRecul: {
        const auto metres = reculOfText(t);
        if (!metres) {
            dialogs.warn(
                u"Le recul de « %1 » doit être un nombre de mètres, de 0 à 1000."_qs.arg(r.name));
            return std::nullopt;
        }
        (field == RunnerField::ReferenceRecul ? r.referenceRecul : r.dayRecul) = *metres;
        break;
    }
    case RunnerField::ReferenceDate: {
        const auto date = dateTyped(t, QDate::currentDate());
        if (!t.isEmpty() && !date) {
            dialogs.warn(u"« %1 » n'est pas une date : tapez-la JJ/MM/AAAA."_qs.arg(t));
            return std::nullopt;
        }
        r.referenceDate = date.value_or(QDate());
        break;
    }
    case RunnerField::ReferenceHippodrome:
        r.race.hippodrome = t;
        break;
    case RunnerField::EstimateSource:
    case RunnerField::ReductionSource: {
        const auto withLengths = sourceOf(t);
        if (!withLengths) {
            dialogs.warn(u"Choisissez « Chrono » ou « Chrono + Longueur »."_qs);
            return std::nullopt;
        }
        (field == RunnerField::EstimateSource ? r.race.estimateWithLengths
                                              : r.race.reductionWithLengths) = *withLengths;
        break;
    }
    }
    return r;
}

QString fieldText(const Runner& r, RunnerField field) {
    switch (field) {
    case RunnerField::Number:
        return r.number;
    case RunnerField::Name:
        return r.name;
    case RunnerField::ReferenceDistance:
        return r.race.referenceDistance;
    case RunnerField::Time:
        return racetable::referenceTime(r);
    case RunnerField::ReferenceWeight:
        return r.race.referenceWeight;
    case RunnerField::Margin:
        return r.race.margin;
    case RunnerField::Going:
        return r.going;
    case RunnerField::DayWeight:
        return r.race.dayWeight;
    case RunnerField::EstimateSource:
        return racetable::timeSource(r.race.estimateWithLengths);
    case RunnerField::ReductionSource:
        return racetable::timeSource(r.race.reductionWithLengths);
    case RunnerField::ReferenceDate:
        return racetable::referenceDate(r);
    case RunnerField::ReferenceHippodrome:
        return r.race.hippodrome;
    case RunnerField::ReferenceRecul:
    case RunnerField::DayRecul: {
        const int metres = field == RunnerField::ReferenceRecul ? r.referenceRecul : r.dayRecul;
        return metres ? QString::number(metres) : QString();
    }
    default:
        return conditionText(r, field);
    }
}

std::optional<TimeTexts> splitTime(const QString& text) {
    static const QRegularExpression separators(u"[' \":.h,]+"_qs);
    static const QRegularExpression digits(u"^\\d{5}$"_qs);
    // Five figures typed without a separator, "23850": 2'38"50.
    if (const QString t = text.trimmed(); digits.match(t).hasMatch())
        return TimeTexts{t.left(1), t.mid(1, 2), t.mid(3, 2)};
    QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.size() == 2 && !text.contains(u'\'') && !text.contains(u':'))
        parts.prepend(u"0"_qs); // 72"58: seconds and hundredths
    if (parts.size() != 3)
        return std::nullopt;
    return TimeTexts{parts[0], parts[1], parts[2]};
}
