#include "sheetedit.h"

#include "cells.h"
#include "fchronologic.h"
#include "numbers.h"
#include "places.h"
#include "racetable.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// The inputs a cell fills, for the question about an unusual value: a time or a
// distance typed wrong shows in the reduction too.
std::vector<runnerfigures::Field> questionedBy(RunnerField field) {
    using F = runnerfigures::Field;
    switch (field) {
    case RunnerField::ReferenceDistance:
        return {F::ReferenceDistance, F::Reduction};
    case RunnerField::Time:
        return {F::Time, F::Reduction};
    case RunnerField::ReferenceWeight:
        return {F::ReferenceWeight};
    case RunnerField::DayWeight:
        return {F::DayWeight};
    default:
        return {};
    }
}

std::optional<bool> sourceOf(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(racetable::timeSource(false), Qt::CaseInsensitive) == 0)
        return false;
    if (t.compare(racetable::timeSource(true), Qt::CaseInsensitive) == 0)
        return true;
    return std::nullopt;
}

// The text of a condition's cell of a runner, to read or to change.
template <typename R> auto* conditionText(R& r, RunnerField field) {
    switch (field) {
    case RunnerField::ReferenceDiscipline:
        return &r.race.discipline;
    case RunnerField::ReferenceStart:
        return &r.race.start;
    case RunnerField::ReferenceShoeing:
        return &r.race.shoeing;
    default:
        return &r.dayShoeing;
    }
}

// A condition's text is one of its names (empty: unknown); a recul is checked
// with the calculation.
bool conditionAccepted(RunnerField field, const QString& t, Dialogs& dialogs) {
    const bool known = field == RunnerField::ReferenceDiscipline
                           ? t.isEmpty() || calc::disciplineOf(t)
                       : field == RunnerField::ReferenceStart ? calc::startOf(t).has_value()
                       : field == RunnerField::ReferenceShoeing || field == RunnerField::DayShoeing
                           ? calc::shoeingOf(t).has_value()
                           : true;
    if (!known)
        dialogs.warn(u"« %1 » n'est pas une valeur de cette colonne."_qs.arg(t));
    return known;
}

bool oneLine(const QString& text) {
    return !text.contains(u'\n') && !text.contains(u'\r');
}

// The runner with `text` in `field`; none when the text cannot go there.
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
        if (!conditionAccepted(field, t, dialogs))
            return std::nullopt;
        *conditionText(r, field) = t;
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
        const auto date = cells::dateOf(t);
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

bool computed(RunnerField field) {
    return field != RunnerField::Number && field != RunnerField::Name &&
           field != RunnerField::Going && field != RunnerField::ReferenceDate &&
           field != RunnerField::ReferenceHippodrome;
}

} // namespace

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
        return *conditionText(r, field);
    }
}

std::optional<TimeTexts> splitTime(const QString& text) {
    static const QRegularExpression separators(u"[' \":.h,]+"_qs);
    QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.size() == 2 && !text.contains(u'\'') && !text.contains(u':'))
        parts.prepend(u"0"_qs); // 72"58: seconds and hundredths
    if (parts.size() != 3)
        return std::nullopt;
    return TimeTexts{parts[0], parts[1], parts[2]};
}

bool editRunner(RaceDay& day, size_t index, RunnerField field, const QString& text,
                const Rules& rules, Dialogs& dialogs, QString* renamedFrom) {
    if (index >= day.sheet.runners.size())
        return false;
    const Runner& old = day.sheet.runners[index];
    if (text.trimmed() == fieldText(old, field).trimmed())
        return false;
    auto changed = withField(old, field, text, dialogs);
    if (changed && computed(field)) {
        // A reference corrected by hand is the punter's, no longer the history's.
        changed->served.clear();
        changed->comparable = 0;
        changed = rerun(*changed, day.sheet, rules, questionedBy(field), dialogs);
    }
    if (!changed)
        return false;
    if (renamedFrom)
        *renamedFrom = changed->name != old.name ? old.name : QString();
    if (field == RunnerField::Going)
        day.typedGoing = changed->going;
    day.sheet.runners[index] = *changed;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool editRace(RaceDay& day, const RaceSheet& race, const Rules& rules, Dialogs& dialogs) {
    if (race.sameRace(day.sheet))
        return false;
    RaceSheet next = day.sheet;
    next.takeRace(race);
    next.distance = race.distance.trimmed();
    if (const auto metres = numbers::textToNumber(next.distance);
        !next.distance.isEmpty() && !(metres && *metres > 0)) {
        FchronoLogic::ReportError(CalcError::Distance, dialogs);
        return false;
    }
    if (next.distance != day.sheet.distance.trimmed() || next.discipline != day.sheet.discipline ||
        next.start != day.sheet.start || next.going != day.sheet.going) {
        for (size_t i = 0; i < next.runners.size(); ++i) {
            // The distance is questioned once, with the first runner.
            const auto question = i == 0 ? std::vector{runnerfigures::Field::DayDistance}
                                         : std::vector<runnerfigures::Field>{};
            Runner r = next.runners[i];
            followRace(r, day.sheet, next);
            const auto runner = rerun(r, next, rules, question, dialogs);
            if (!runner)
                return false;
            next.runners[i] = *runner;
        }
    }
    day.sheet = next;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool offerRenameOnSheet(RaceDay& day, const QString& from, const QString& to, Dialogs& dialogs) {
    auto& runners = day.sheet.runners;
    const auto named = [&](const Runner& r) { return r.name == from; };
    const auto count = std::count_if(runners.begin(), runners.end(), named);
    if (count == 0 || from == to)
        return false;
    if (!dialogs.askYesNo(u"« %1 » est aussi dans la course du jour. Le renommer "
                          "aussi « %2 » ?"_qs.arg(from, to),
                          Dialogs::Default::Yes))
        return false;
    for (Runner& r : runners)
        if (named(r))
            r.name = to;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool recomputeSheet(RaceDay& day, const Rules& rules, Dialogs& dialogs, const QDateTime& now) {
    std::vector<Runner> kept;
    QStringList refused;
    for (const Runner& r : day.sheet.runners) {
        RecordingDialogs quiet; // said once for every runner, below
        if (const auto again = rerun(r, day.sheet, rules, {}, quiet))
            kept.push_back(*again);
        else
            refused << u"« %1 » : %2"_qs.arg(r.name, quiet.said.join(u' '));
    }
    if (kept == day.sheet.runners)
        return false;
    if (!refused.isEmpty()) {
        const QString aside = copyAside(day.path, "refus", now);
        dialogs.warn(u"Ces chevaux de la course du jour ne peuvent pas être "
                     "calculés et ont été retirés de la feuille (le fichier tel "
                     "qu'il était est gardé dans %1) :\n%2"_qs.arg(
                         aside.isEmpty() ? places::shown(day.path) : places::shown(aside),
                         refused.join(u'\n')));
    }
    day.sheet.runners = std::move(kept);
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}
