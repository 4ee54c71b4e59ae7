#include "runtable.h"

#include "cells.h"
#include "csv.h"

#include <QRegularExpression>
#include <cmath>
#include <tuple>

namespace history {

namespace {

QString number(std::optional<qint64> value) {
    return value ? QString::number(*value) : QString();
}

QString decimal(std::optional<double> value) {
    return value ? cells::upTo(*value, 2) : QString();
}

} // namespace

const QStringList& runHeader() {
    static const QStringList h{
        u"cheval"_qs,   u"date"_qs,      u"hippodrome"_qs, u"course"_qs,   u"discipline"_qs,
        u"distance"_qs, u"recul"_qs,     u"départ"_qs,     u"ferrure"_qs,  u"terrain"_qs,
        u"chrono"_qs,   u"réduction"_qs, u"place"_qs,      u"statut"_qs,   u"écart"_qs,
        u"poids"_qs,    u"driver"_qs,    u"allocation"_qs, u"partants"_qs, u"origine"_qs,
        u"note"_qs,     u"musique"_qs};
    return h;
}

QStringList runRow(const Run& r) {
    return {r.horse,
            r.date.isValid() ? r.date.toString(Qt::ISODate) : QString(),
            r.hippodrome,
            r.race,
            r.discipline,
            QString::number(r.distance),
            r.recul ? QString::number(r.recul) : QString(),
            r.start,
            r.shoeing,
            r.going,
            r.time ? cells::punterTime(*r.time) : QString(),
            r.reduction ? cells::punterTime(*r.reduction) : QString(),
            r.place > 0 ? QString::number(r.place) : QString(),
            statusName(r.status),
            decimal(r.lengths),
            decimal(r.weight),
            r.rider,
            number(r.allocation),
            number(r.runners),
            sourceName(r.source),
            r.note,
            musiqueOf(r)};
}

QByteArray runsOutput(const std::vector<Run>& runs) {
    std::vector<QStringList> rows{runHeader()};
    for (const Run& r : runs)
        rows.push_back(runRow(r));
    return csv::write(rows, csv::Output);
}

} // namespace history

namespace history {

std::optional<qint64> hundredthsOfText(const QString& text) {
    static const QRegularExpression punter(u"^(\\d{1,3})['’](\\d{1,2})(?:\"|”|'')(\\d{1,2})$"_qs);
    static const QRegularExpression colons(u"^(\\d{1,3}):(\\d{1,2}):(\\d{1,2})$"_qs);
    const QString t = text.trimmed();
    for (const auto* form : {&punter, &colons})
        if (const auto m = form->match(t); m.hasMatch()) {
            const int seconds = m.captured(2).toInt();
            // One digit after the seconds is a tenth (1'14"5); two, hundredths.
            const int fraction =
                m.captured(3).size() == 1 ? m.captured(3).toInt() * 10 : m.captured(3).toInt();
            if (seconds > 59)
                return std::nullopt;
            return m.captured(1).toLongLong() * 6000 + seconds * 100 + fraction;
        }
    bool ok = false;
    const double seconds = QString(t).replace(u',', u'.').toDouble(&ok);
    // Under 1000 minutes, as the notation the history writes it back in can say.
    if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds >= 59999.995)
        return std::nullopt;
    const qint64 hundredths = std::llround(seconds * 100);
    return hundredths > 0 ? std::optional(hundredths) : std::nullopt;
}

namespace {

// The cell of `name` (a folded header), empty when the column is absent.
struct Cells {
    const QStringList& header;
    const QStringList& cells;
    QString operator()(const char* name) const {
        const qsizetype at = header.indexOf(QString::fromUtf8(name));
        return at >= 0 && at < cells.size() ? cells[at].trimmed() : QString();
    }
};

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

QString refusal(const char* column, const QString& text) {
    if (text.isEmpty())
        return u"%1 : manque"_qs.arg(QString::fromUtf8(column));
    return u"%1 : « %2 » ne se lit pas"_qs.arg(QString::fromUtf8(column), text);
}

} // namespace

namespace {

// Where and how the run was run; why a cell cannot be read.
QString readConditions(const Cells& cell, Run& r) {
    if (const QString d = cell("date"); !d.isEmpty()) {
        const auto date = cells::dateOf(d);
        if (!date)
            return refusal("date", d);
        r.date = *date;
    }
    r.hippodrome = cell("hippodrome");
    r.race = cell("course");
    if (const QString d = cell("discipline");
        !d.isEmpty() && (r.discipline = disciplineOf(d)).isEmpty())
        return refusal("discipline", d);
    const auto distance = wholeOf(cell("distance"), 1);
    if (!distance || *distance > 100000)
        return refusal("distance", cell("distance"));
    r.distance = static_cast<int>(*distance);
    if (const QString recul = cell("recul"); !recul.isEmpty()) {
        const auto metres = wholeOf(recul, 0);
        if (!metres || *metres > 1000)
            return refusal("recul", recul);
        r.recul = static_cast<int>(*metres);
    }
    r.start = cell("depart");
    r.shoeing = cell("ferrure");
    r.going = cell("terrain");
    return QString();
}

// Its time, reduction and place; why a cell cannot be read.
QString readResult(const Cells& cell, Run& r) {
    for (const auto& [name, shown, field] :
         {std::tuple{"chrono", "chrono", &r.time}, {"reduction", "réduction", &r.reduction}})
        if (const QString t = cell(name); !t.isEmpty() && !(*field = hundredthsOfText(t)))
            return refusal(shown, t);
    if (!r.time && !r.reduction)
        return u"ni chrono ni réduction"_qs;
    if (const QString p = cell("place"); !p.isEmpty()) {
        const auto place = wholeOf(p, 1);
        if (!place && !statusOf(p))
            return refusal("place", p);
        r.place = place ? static_cast<int>(*place) : 0;
        r.status = statusOf(p).value_or(Status::Placed);
    }
    if (const QString s = cell("statut"); !s.isEmpty()) {
        if (!statusOf(s))
            return refusal("statut", s);
        r.status = *statusOf(s);
    }
    return QString();
}

// The figures beside: lengths, weight, allocation, runners.
QString readFigures(const Cells& cell, Run& r) {
    for (const auto& [name, shown, field] :
         {std::tuple{"ecart", "écart", &r.lengths}, {"poids", "poids", &r.weight}})
        if (const QString t = cell(name); !t.isEmpty() && !(*field = decimalOf(t)))
            return refusal(shown, t);
    for (const auto& [name, field] :
         {std::pair{"allocation", &r.allocation}, {"partants", &r.runners}})
        if (const QString t = cell(name); !t.isEmpty() && !(*field = wholeOf(t, 0)))
            return refusal(name, t);
    return QString();
}

} // namespace

RunRead runOfCells(const QStringList& rawHeader, const QStringList& cells) {
    QStringList header;
    for (const QString& h : rawHeader)
        header << cells::folded(h).remove(u' ');
    const Cells cell{header, cells};
    Run r;
    r.horse = cell("cheval").simplified();
    if (r.horse.isEmpty())
        return {{}, u"cheval : le nom manque"_qs};
    for (auto read : {readConditions, readResult, readFigures})
        if (const QString why = read(cell, r); !why.isEmpty())
            return {{}, why};
    r.rider = cell("driver").isEmpty() ? cell("jockey") : cell("driver");
    r.source = sourceOf(cell("origine")).value_or(Source::Typed);
    r.note = cell("note");
    return {r, {}};
}

} // namespace history
