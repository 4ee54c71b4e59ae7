#include "racefile.h"
#include "racecolumns.h"

#include "csv.h"

namespace racefile {

namespace {

QStringList cellsOf(const RaceSheet& sheet, const Runner* runner) {
    QStringList cells;
    for (const Column& c : columns())
        cells << c.write(sheet, runner);
    return cells;
}

// Where each column of the table stands in the file's header; -1 when absent.
// The file written now has them in the table's order: found at once.
std::vector<qsizetype> placesIn(const QStringList& header) {
    static const QStringList names = racefile::header();
    std::vector<qsizetype> places(names.size(), -1);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i < header.size() && header[i] == names[i])
            places[size_t(i)] = i;
        else
            for (qsizetype j = 0; j < header.size() && places[size_t(i)] < 0; ++j)
                if (header[j].trimmed() == names[i])
                    places[size_t(i)] = j; // the first of two same names wins
    }
    return places;
}

QString missingRequired(const std::vector<qsizetype>& places) {
    QStringList missing;
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i] < 0 && columns()[i].required)
            missing << u"« %1 »"_qs.arg(QString::fromUtf8(columns()[i].header));
    if (missing.isEmpty())
        return {};
    return (missing.size() == 1 ? u"la colonne %1 manque"_qs : u"les colonnes %1 manquent"_qs)
        .arg(missing.join(u", "));
}

// One row into its race and runner; why not, when a cell cannot be read.
QString readRow(const QStringList& cells, const std::vector<qsizetype>& places, RaceSheet& race,
                Runner& runner) {
    for (size_t i = 0; i < places.size(); ++i) {
        if (places[i] < 0)
            continue;
        const Column& c = columns()[i];
        const QString& cell = cells[places[i]];
        if (!c.read(cell, race, runner))
            return u"colonne « %1 » : « %2 » ne se lit pas"_qs.arg(QString::fromUtf8(c.header),
                                                                   cell);
    }
    return {};
}

std::optional<RaceSheet> readSheet(QByteArrayView bytes, bool card, QString* why) {
    QString reason;
    const auto refuse = [&](const QString& text) {
        if (why)
            *why = text;
        return std::nullopt;
    };
    // A file cut short does not end with a line end: it is not read.
    if (!card && !bytes.endsWith('\n'))
        return refuse(u"le fichier est coupé avant sa fin"_qs);
    const csv::ReadResult all = csv::read(bytes, u';');
    if (!all.table || (!card && !all.table->utf8))
        return refuse(u"ce n'est pas un tableau CSV en UTF-8"_qs);
    const std::vector<QStringList>& rows = all.table->rows;
    if (rows.empty())
        return refuse(u"le fichier est vide"_qs);
    const std::vector<qsizetype> places = placesIn(rows.front());
    if (const QString missing = missingRequired(places); !missing.isEmpty())
        return refuse(missing);
    RaceSheet sheet;
    for (size_t i = 1; i < rows.size(); ++i) {
        const QStringList& cells = rows[i];
        const QString line = u"ligne %1 : "_qs.arg(i + 1);
        if (cells.size() != rows.front().size())
            return refuse(line + u"elle n'a pas autant de cases que l'en-tête"_qs);
        RaceSheet race;
        Runner runner;
        if (const QString bad = readRow(cells, places, race, runner); !bad.isEmpty())
            return refuse(line + bad);
        if (i > 1 && !race.sameRace(sheet))
            return refuse(line + u"une autre course que la ligne 2 (une course par fichier)"_qs);
        sheet.takeRace(race);
        // A race without runners yet keeps its fields in a row of its own.
        if (runner.name.isEmpty() && rows.size() == 2)
            break;
        if (runner.name.isEmpty())
            return refuse(line + u"le cheval n'a pas de nom"_qs);
        sheet.runners.push_back(std::move(runner));
    }
    return sheet;
}

} // namespace

QByteArray write(const RaceSheet& sheet) {
    std::vector<QStringList> rows{header()};
    for (const Runner& r : sheet.runners)
        rows.push_back(cellsOf(sheet, &r));
    if (sheet.runners.empty() && !sheet.sameRace(RaceSheet{.date = sheet.date}))
        rows.push_back(cellsOf(sheet, nullptr));
    return csv::write(rows, csv::File);
}

std::optional<RaceSheet> read(QByteArrayView bytes, QString* why) {
    return readSheet(bytes, false, why);
}

std::optional<RaceSheet> readCard(QByteArrayView bytes, QString* why) {
    return readSheet(bytes, true, why);
}

} // namespace racefile
