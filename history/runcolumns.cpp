#include "runcolumns.h"

#include "cells.h"
#include "runtable.h"

#include <cmath>

namespace history {

namespace {

const QString DateFormat = u"yyyy-MM-dd"_qs;

std::optional<double> decimalOf(const QString& text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').toDouble(&ok);
    return ok && std::isfinite(value) && value >= 0 ? std::optional<double>(value) : std::nullopt;
}

// A whole number from `low` up; none for another text.
std::optional<qint64> wholeOf(const QString& text, qint64 low) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= low ? std::optional<qint64>(value) : std::nullopt;
}

// Texts, written and read as they are.
template <QString Run::*F> void bindText(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, r.*F);
}
template <QString Run::*F> void readText(const sqlite::Statement& s, int at, Run& r) {
    r.*F = s.text(at);
}
template <QString Run::*F> QString textCell(const Run& r) {
    return r.*F;
}
template <QString Run::*F> QString fromText(const QString& c, Run& r) {
    r.*F = c;
    return {};
}

// A condition, kept and written by its name, read among its names (empty:
// unknown); a name the database does not know reads as unknown.
template <auto F, auto name, auto of> void bindName(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, name(r.*F));
}
template <auto F, auto name, auto of> void readName(const sqlite::Statement& s, int at, Run& r) {
    r.*F = of(s.text(at)).value_or(typename decltype(of(QString()))::value_type{});
}
template <auto F, auto name, auto of> QString nameCell(const Run& r) {
    return name(r.*F);
}
template <auto F, auto name, auto of, auto column> QString fromName(const QString& c, Run& r) {
    const auto value = of(c);
    if (!value)
        return refusal(column, c);
    r.*F = *value;
    return {};
}

template <int Run::*F> void bindInt(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, qint64(r.*F));
}
template <int Run::*F> void readInt(const sqlite::Statement& s, int at, Run& r) {
    r.*F = static_cast<int>(s.integer(at));
}
template <std::optional<qint64> Run::*F>
void bindWhole(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, r.*F);
}
template <std::optional<qint64> Run::*F>
void readWhole(const sqlite::Statement& s, int at, Run& r) {
    r.*F = s.optionalInteger(at);
}
template <std::optional<double> Run::*F> void bindReal(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, r.*F);
}
template <std::optional<double> Run::*F> void readReal(const sqlite::Statement& s, int at, Run& r) {
    r.*F = s.optionalReal(at);
}

// A count or an amount, none when empty.
template <std::optional<qint64> Run::*F> QString wholeCell(const Run& r) {
    return r.*F ? QString::number(*(r.*F)) : QString();
}
template <std::optional<qint64> Run::*F, auto name> QString fromWhole(const QString& c, Run& r) {
    if (!c.isEmpty() && !(r.*F = wholeOf(c, 0)))
        return refusal(name, c);
    return {};
}
// Lengths and kilograms: at most two decimals, a comma.
template <std::optional<double> Run::*F> QString decimalCell(const Run& r) {
    return r.*F ? cells::upTo(*(r.*F), 2) : QString();
}
template <std::optional<double> Run::*F, auto name> QString fromDecimal(const QString& c, Run& r) {
    if (!c.isEmpty() && !(r.*F = decimalOf(c)))
        return refusal(name, c);
    return {};
}
// A time or a reduction in the punter's notation.
template <std::optional<qint64> Run::*F> QString timeCell(const Run& r) {
    return r.*F ? cells::punterTime(*(r.*F)) : QString();
}
template <std::optional<qint64> Run::*F, auto name> QString fromTime(const QString& c, Run& r) {
    if (!c.isEmpty() && !(r.*F = hundredthsOfText(c)))
        return refusal(name, c);
    return {};
}

constexpr char Allocation[] = "allocation", Runners[] = "partants", Lengths[] = "écart",
               Weight[] = "poids", Chrono[] = "chrono", Start[] = "départ", Shoeing[] = "ferrure";

QString fromDate(const QString& c, Run& r) {
    if (c.isEmpty())
        return {};
    const auto date = cells::dateOf(c);
    if (!date)
        return refusal("date", c);
    r.date = *date;
    return {};
}

QString fromDiscipline(const QString& c, Run& r) {
    if (!c.isEmpty() && (r.discipline = disciplineOf(c)) == Discipline::Unknown)
        return refusal("discipline", c);
    return {};
}

QString fromDistance(const QString& c, Run& r) {
    const auto distance = wholeOf(c, 1);
    if (!distance || *distance > 100000)
        return refusal("distance", c);
    r.distance = static_cast<int>(*distance);
    return {};
}

QString fromRecul(const QString& c, Run& r) {
    if (c.isEmpty())
        return {};
    const auto metres = wholeOf(c, 0);
    if (!metres || *metres > 1000)
        return refusal("recul", c);
    r.recul = static_cast<int>(*metres);
    return {};
}

// The reduction comes after the time: one of the two is needed.
QString fromReduction(const QString& c, Run& r) {
    if (!c.isEmpty() && !(r.reduction = hundredthsOfText(c)))
        return refusal("réduction", c);
    if (!r.time && !r.reduction)
        return u"ni chrono ni réduction"_qs;
    return {};
}

// A place, or a status typed where the place goes (D, A, T, NP).
QString fromPlace(const QString& c, Run& r) {
    if (c.isEmpty())
        return {};
    const auto place = wholeOf(c, 1);
    if (!place && !statusOf(c))
        return refusal("place", c);
    r.place = place ? static_cast<int>(*place) : 0;
    r.status = statusOf(c).value_or(Status::Placed);
    return {};
}

QString fromStatus(const QString& c, Run& r) {
    if (c.isEmpty())
        return {};
    if (!statusOf(c))
        return refusal("statut", c);
    r.status = *statusOf(c);
    return {};
}

} // namespace

QString refusal(const char* column, const QString& text) {
    if (text.isEmpty())
        return u"%1 : manque"_qs.arg(QString::fromUtf8(column));
    return u"%1 : « %2 » ne se lit pas"_qs.arg(QString::fromUtf8(column), text);
}

const std::vector<RunColumn>& runColumns() {
    static const std::vector<RunColumn> all{
        {"date", "date",
         [](sqlite::Statement& s, int at, const Run& r) {
             s.bind(at, r.date.isValid() ? r.date.toString(DateFormat) : QString());
         },
         [](const sqlite::Statement& s, int at, Run& r) {
             // Stored as written above; the ISO reading is several times faster
             // than a format's, which a year's bilan reads 200,000 times.
             r.date = QDate::fromString(s.text(at), Qt::ISODate);
         },
         // As a French reader writes it, and as the sheet does; both forms are read.
         [](const Run& r) {
             return r.date.isValid() ? r.date.toString(u"dd/MM/yyyy"_qs) : QString();
         },
         fromDate},
        {"hippodrome", "hippodrome", bindText<&Run::hippodrome>, readText<&Run::hippodrome>,
         textCell<&Run::hippodrome>, fromText<&Run::hippodrome>},
        {"race", "course", bindText<&Run::race>, readText<&Run::race>, textCell<&Run::race>,
         fromText<&Run::race>},
        {"discipline", "discipline",
         [](sqlite::Statement& s, int at, const Run& r) {
             s.bind(at, disciplineName(r.discipline));
         },
         [](const sqlite::Statement& s, int at, Run& r) {
             r.discipline = disciplineOf(s.text(at));
         },
         [](const Run& r) { return disciplineName(r.discipline); }, fromDiscipline},
        {"distance", "distance", bindInt<&Run::distance>, readInt<&Run::distance>,
         [](const Run& r) { return QString::number(r.distance); }, fromDistance},
        {"recul", "recul", bindInt<&Run::recul>, readInt<&Run::recul>,
         [](const Run& r) { return r.recul ? QString::number(r.recul) : QString(); }, fromRecul},
        {"start", Start, bindName<&Run::start, calc::startName, calc::startOf>,
         readName<&Run::start, calc::startName, calc::startOf>,
         nameCell<&Run::start, calc::startName, calc::startOf>,
         fromName<&Run::start, calc::startName, calc::startOf, Start>},
        {"shoeing", Shoeing, bindName<&Run::shoeing, calc::shoeingName, calc::shoeingOf>,
         readName<&Run::shoeing, calc::shoeingName, calc::shoeingOf>,
         nameCell<&Run::shoeing, calc::shoeingName, calc::shoeingOf>,
         fromName<&Run::shoeing, calc::shoeingName, calc::shoeingOf, Shoeing>},
        {"going", "terrain", bindText<&Run::going>, readText<&Run::going>, textCell<&Run::going>,
         fromText<&Run::going>},
        {"time", Chrono, bindWhole<&Run::time>, readWhole<&Run::time>, timeCell<&Run::time>,
         fromTime<&Run::time, Chrono>},
        {"reduction", "réduction", bindWhole<&Run::reduction>, readWhole<&Run::reduction>,
         timeCell<&Run::reduction>, fromReduction},
        {"place", "place", bindInt<&Run::place>, readInt<&Run::place>,
         [](const Run& r) { return r.place > 0 ? QString::number(r.place) : QString(); },
         fromPlace},
        {"status", "statut",
         [](sqlite::Statement& s, int at, const Run& r) { s.bind(at, statusName(r.status)); },
         [](const sqlite::Statement& s, int at, Run& r) {
             r.status = statusOf(s.text(at)).value_or(Status::Placed);
         },
         [](const Run& r) { return statusName(r.status); }, fromStatus},
        {"lengths", Lengths, bindReal<&Run::lengths>, readReal<&Run::lengths>,
         decimalCell<&Run::lengths>, fromDecimal<&Run::lengths, Lengths>},
        {"weight", Weight, bindReal<&Run::weight>, readReal<&Run::weight>,
         decimalCell<&Run::weight>, fromDecimal<&Run::weight, Weight>},
        {"rider", "driver", bindText<&Run::rider>, readText<&Run::rider>, textCell<&Run::rider>,
         fromText<&Run::rider>},
        {"allocation", Allocation, bindWhole<&Run::allocation>, readWhole<&Run::allocation>,
         wholeCell<&Run::allocation>, fromWhole<&Run::allocation, Allocation>},
        {"runners", Runners, bindWhole<&Run::runners>, readWhole<&Run::runners>,
         wholeCell<&Run::runners>, fromWhole<&Run::runners, Runners>},
        {"source", "origine",
         [](sqlite::Statement& s, int at, const Run& r) { s.bind(at, sourceName(r.source)); },
         [](const sqlite::Statement& s, int at, Run& r) {
             r.source = sourceOf(s.text(at)).value_or(Source::Typed);
         },
         [](const Run& r) { return sourceName(r.source); },
         [](const QString& c, Run& r) {
             r.source = sourceOf(c).value_or(Source::Typed);
             return QString();
         }},
        {"note", "note", bindText<&Run::note>, readText<&Run::note>, textCell<&Run::note>,
         fromText<&Run::note>},
    };
    return all;
}

} // namespace history
