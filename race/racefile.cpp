#include "racefile.h"

#include "racetable.h"

#include <QStringDecoder>
#include <cmath>
#include <iterator>
#include <utility>

namespace racefile {

namespace {

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

const QStringList& header() {
    static const QStringList h =
        headerWithoutScale() + QStringList{u"barème"_qs, u"longueurs par seconde"_qs};
    return h;
}

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QStringList cellsOf(const RaceSheet& sheet, const Runner& r) {
    return {sheet.name, sheet.date.toString(DateFormat), r.name, r.going, r.referenceDistance,
            r.referenceWeight, r.minutes, r.seconds, r.hundredths, r.margin, r.dayDistance,
            r.dayWeight, r.estimate,
            // Every digit, so that the number reads back exactly.
            QString::number(r.estimateHundredths, 'g', 17),
            racetable::timeSource(r.estimateWithLengths), r.reduction,
            racetable::timeSource(r.reductionWithLengths), r.scale,
            QString::number(r.lengthsPerSecond, 'g', 17)};
}

void addRecord(QString& text, const QStringList& cells) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += u';';
        text += racetable::quoted(cells[i], u';');
    }
    text += u"\r\n";
}

// A quoted cell from just after its opening quote: its text, quotes undoubled,
// and where its closing quote is; none when it is never closed.
std::optional<qsizetype> readQuoted(QStringView text, qsizetype from, QString& cell) {
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] != u'"') {
            cell += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'"') {
            cell += u'"';
            ++i;
        } else {
            return i;
        }
    }
    return std::nullopt;
}

// The records of CSV text: ';' between cells, quotes around a cell that holds
// one of ';', '"' or a line break. Empty lines are skipped. Nothing when a quote
// is left open, stray or followed by text, or the text does not end with a line
// end (a file cut short).
std::optional<std::vector<QStringList>> records(QStringView text) {
    std::vector<QStringList> out;
    QStringList record;
    QString cell;
    bool quoted = false; // the cell was quoted: only a separator or line end may follow
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u';' || c == u'\r' || c == u'\n') {
            const bool lineEnd = c != u';';
            if (!lineEnd || !record.isEmpty() || !cell.isEmpty() || quoted)
                record << std::exchange(cell, QString());
            quoted = false;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (lineEnd && !record.isEmpty())
                out.push_back(std::exchange(record, QStringList()));
        } else if (quoted || (c == u'"' && !cell.isEmpty())) {
            return std::nullopt; // text after a closing quote, or a stray quote
        } else if (c == u'"') {
            const auto end = readQuoted(text, i + 1, cell);
            if (!end)
                return std::nullopt;
            i = *end;
            quoted = true;
        } else {
            cell += c;
        }
    }
    if (!record.isEmpty() || !cell.isEmpty() || quoted)
        return std::nullopt;
    return out;
}

std::optional<bool> timeSourceOf(const QString& text) {
    if (text == racetable::timeSource(false))
        return false;
    if (text == racetable::timeSource(true))
        return true;
    return std::nullopt;
}

std::optional<Runner> runnerOf(const QStringList& c) {
    // The cells in the order cellsOf() writes them.
    Runner r;
    QString* const texts[] = {
        &r.name,       &r.going,  &r.referenceDistance, &r.referenceWeight, &r.minutes, &r.seconds,
        &r.hundredths, &r.margin, &r.dayDistance,       &r.dayWeight,       &r.estimate};
    for (size_t i = 0; i < std::size(texts); ++i)
        *texts[i] = c[static_cast<qsizetype>(i) + 2];
    bool ok = false;
    r.estimateHundredths = c[13].toDouble(&ok);
    const auto estimateTime = timeSourceOf(c[14]);
    const auto reductionTime = timeSourceOf(c[16]);
    if (!ok || !std::isfinite(r.estimateHundredths) || r.estimateHundredths < 0 || !estimateTime ||
        !reductionTime || r.name.isEmpty())
        return std::nullopt;
    r.estimateWithLengths = *estimateTime;
    r.reduction = c[15];
    r.reductionWithLengths = *reductionTime;
    if (c.size() == header().size()) {
        r.scale = c[17];
        r.lengthsPerSecond = c[18].toDouble(&ok);
        if (!ok || !std::isfinite(r.lengthsPerSecond) || r.lengthsPerSecond <= 0 ||
            r.scale.isEmpty())
            return std::nullopt;
    }
    return r;
}

} // namespace

QByteArray write(const RaceSheet& sheet) {
    QString text;
    addRecord(text, header());
    for (const Runner& r : sheet.runners)
        addRecord(text, cellsOf(sheet, r));
    return "\xEF\xBB\xBF" + text.toUtf8();
}

std::optional<RaceSheet> read(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    const auto all = records(text);
    if (!all || all->empty() || (all->front() != header() && all->front() != headerWithoutScale()))
        return std::nullopt;
    const qsizetype columns = all->front().size();
    RaceSheet sheet;
    for (size_t i = 1; i < all->size(); ++i) {
        const QStringList& c = (*all)[i];
        if (c.size() != columns)
            return std::nullopt;
        const QDate date = QDate::fromString(c[1], DateFormat);
        // One race per file: every row names the same one.
        if (!date.isValid() || (i > 1 && (c[0] != sheet.name || date != sheet.date)))
            return std::nullopt;
        sheet.name = c[0];
        sheet.date = date;
        const auto runner = runnerOf(c);
        if (!runner)
            return std::nullopt;
        sheet.runners.push_back(*runner);
    }
    return sheet;
}

} // namespace racefile
