// A saved file's kind from its structure: JSON with a programme, with runners,
// or with runners' past races; CSV in the sheet's own format, or with a header
// naming a horse and a distance.

#include "cells.h"
#include "csv.h"
#include "imported.h"
#include "racefile.h"
#include "runtable.h"

#include <QJsonDocument>
#include <array>

namespace imports {

namespace {

constexpr std::array<const char*, 5> KindNames{"programme", "partants", "performances détaillées",
                                               "feuille de course", "courses passées"};

void readJson(const QJsonDocument& doc, FileRead& out) {
    const QJsonObject root = doc.object();
    const QJsonValue programme = root[u"programme"];
    const QJsonValue participants = root[u"participants"];
    if (programme.isObject() && programme[u"reunions"].isArray()) {
        out.kind = Kind::Programme;
        readProgramme(programme.toObject(), out);
    } else if (participants.isArray()) {
        const QJsonArray all = participants.toArray();
        const bool past = std::any_of(all.begin(), all.end(), [](const QJsonValue& p) {
            return p[u"coursesCourues"].isArray();
        });
        out.kind = past ? Kind::Performances : Kind::Participants;
        past ? readPerformances(all, out) : readParticipants(all, out);
    } else {
        out.failure = u"ce fichier JSON n'est ni un programme, ni une liste de partants, ni "
                      u"des performances détaillées"_qs;
    }
}

// `header`: the table's first row folded, without spaces.
void readPastRuns(const csv::Table& table, const QStringList& header, FileRead& out) {
    out.kind = Kind::PastRuns;
    for (size_t i = 1; i < table.rows.size(); ++i) {
        history::RunRead read = history::runOfCells(table.rows.front(), table.rows[i]);
        if (!read.run) {
            const qsizetype colon = read.refused.indexOf(u" : ");
            out.refused.push_back({out.file, u"ligne %1"_qs.arg(table.lines[i]),
                                   colon > 0 ? read.refused.left(colon) : QString(),
                                   colon > 0 ? read.refused.mid(colon + 3) : read.refused});
            continue;
        }
        if (!header.contains(u"origine"_qs))
            read.run->source = history::Source::Import;
        out.runs.push_back(std::move(*read.run));
    }
}

void readCsv(QByteArrayView bytes, FileRead& out) {
    if (auto card = racefile::readCard(bytes)) {
        out.kind = Kind::RaceCard;
        out.card = std::move(card);
        return;
    }
    const csv::ReadResult read = csv::read(bytes, std::nullopt, csv::Quotes::Literal);
    if (!read.table) {
        out.failure = read.refusal.message();
        return;
    }
    QStringList header;
    for (const QString& h : read.table->rows.empty() ? QStringList() : read.table->rows.front())
        header << cells::folded(h).remove(u' ');
    if (!header.contains(u"cheval"_qs) || !header.contains(u"distance"_qs)) {
        out.failure = u"ni feuille de course, ni courses passées : il faut au moins les colonnes "
                      u"« cheval », « distance » et « chrono » ou « réduction »"_qs;
        return;
    }
    readPastRuns(*read.table, header, out);
}

} // namespace

QString Refusal::text() const {
    QString where = file;
    for (const QString& part : {record, field})
        if (!part.isEmpty())
            where += u", "_qs + part;
    return u"%1 : %2"_qs.arg(where, reason);
}

QString kindName(Kind kind) {
    return QString::fromUtf8(KindNames[static_cast<size_t>(kind)]);
}

FileRead tooLarge(const QString& file, qint64 size) {
    FileRead out;
    out.file = file;
    out.failure =
        u"fichier trop gros pour être importé (%1 Mo ; la limite est de "
        "%2 Mo)"_qs.arg(QString::number(double(size) / (1024 * 1024), 'f', 1).replace(u'.', u','))
            .arg(MaxFileBytes / (1024 * 1024));
    return out;
}

FileRead readFile(const QString& file, QByteArrayView bytes) {
    if (bytes.size() > MaxFileBytes)
        return tooLarge(file, bytes.size());
    FileRead out;
    out.file = file;
    QByteArrayView body = bytes.trimmed();
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3).trimmed();
    if (body.startsWith('{') || body.startsWith('[')) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(body.toByteArray(), &error);
        if (doc.isNull())
            out.failure =
                u"JSON illisible (coupé ou abîmé) près de l'octet %1"_qs.arg(error.offset);
        else
            readJson(doc, out);
        return out;
    }
    readCsv(bytes, out);
    return out;
}

} // namespace imports
