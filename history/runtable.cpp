#include "runtable.h"
#include "runcolumns.h"

#include "cells.h"
#include "csv.h"

#include <QRegularExpression>
#include <cmath>

namespace history {

// The horse first, the run's own columns, its musique mark last.
const QStringList& runHeader() {
    static const QStringList h = [] {
        QStringList out{u"cheval"_qs};
        for (const RunColumn& c : runColumns())
            out << QString::fromUtf8(c.header);
        return out << u"musique"_qs;
    }();
    return h;
}

QStringList runRow(const Run& r) {
    QStringList row{r.horse};
    for (const RunColumn& c : runColumns())
        row << c.cell(r);
    return row << musiqueOf(r);
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

// A header as the reader matches it: case, accents and spaces aside.
QString keyOf(const QString& header) {
    return cells::folded(header).remove(u' ');
}

// The cell under `key` (a folded header), empty when the column is absent.
QString cellOf(const QStringList& header, const QStringList& cells, const QString& key) {
    const qsizetype at = header.indexOf(key);
    return at >= 0 && at < cells.size() ? cells[at].trimmed() : QString();
}

} // namespace

RunRead runOfCells(const QStringList& rawHeader, const QStringList& cells) {
    static const QString horseKey = keyOf(u"cheval"_qs), jockeyKey = keyOf(u"jockey"_qs);
    static const QStringList keys = [] {
        QStringList out;
        for (const RunColumn& c : runColumns())
            out << keyOf(QString::fromUtf8(c.header));
        return out;
    }();
    QStringList header;
    for (const QString& h : rawHeader)
        header << keyOf(h);
    Run r;
    r.horse = cellOf(header, cells, horseKey).simplified();
    if (r.horse.isEmpty())
        return {{}, u"cheval : le nom manque"_qs};
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QString text = cellOf(header, cells, keys[i]);
        // A jockey's column stands for the driver's on the flat.
        if (text.isEmpty() && keys[i] == u"driver")
            text = cellOf(header, cells, jockeyKey);
        if (const QString why = runColumns()[size_t(i)].fromCell(text, r); !why.isEmpty())
            return {{}, why};
    }
    return {r, {}};
}

} // namespace history
