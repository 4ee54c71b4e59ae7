#include "csv.h"
#include "racecolumns.h"
#include "racefile.h"
#include "racesheet.h"
#include "racetable.h"
#include "sheetmerge.h"
#include "workedexample.h"

#include <QTest>

namespace {

// A runner with an estimate (hundredths) and the inputs of the worked example.
Runner runner(const QString& name, double estimate, const QString& shown = {}) {
    Runner r = workedExample(name);
    r.estimate = shown.isEmpty() ? u"00:00:00"_qs : shown;
    r.estimateHundredths = estimate;
    r.reduction = u"1:15:48"_qs;
    return r;
}

RaceSheet sheetOf(const QList<QPair<QString, double>>& runners) {
    RaceSheet sheet{
        .name = u"Prix d'Amérique"_qs, .date = QDate(2026, 12, 7), .distance = u"2400"_qs};
    for (const auto& [name, estimate] : runners)
        sheet.runners.push_back(runner(name, estimate));
    return sheet;
}

// A sheet from "Name:estimate" cells ("Name@3000:estimate" for another distance).
RaceSheet sheetFrom(const QStringList& cells, const QString& name = u"Prix"_qs) {
    RaceSheet sheet{.name = name, .date = QDate(2026, 12, 7), .distance = u"2400"_qs};
    for (const QString& c : cells) {
        sheet.runners.push_back(
            runner(c.section(u':', 0, 0).section(u'@', 0, 0), c.section(u':', 1).toDouble()));
        if (c.contains(u'@'))
            sheet.distance = sheet.runners.back().race.dayDistance =
                c.section(u'@', 1).section(u':', 0, 0);
    }
    return sheet;
}

struct MergeRow {
    const char* name;
    QStringList base = {};
    QStringList ours = {};
    QStringList theirs = {};
    QStringList merged = {};    // "Name:estimate", in order
    QStringList conflicts = {}; // "ours estimate>theirs estimate"
    bool otherRace = false;
    const char* raceName = "Prix"; // the merged sheet's
    const char* theirName = "Prix";
};

} // namespace

Q_DECLARE_METATYPE(MergeRow)

struct RankingRow {
    const char* name;
    QStringList names = {};              // in the order added
    QList<double> estimates = {};        // hundredths
    QStringList ranked = {};             // rank name gap-s gap-lengths, fastest first
    QList<double> lengthsPerSecond = {}; // by runner; none: the original 1.5
};
Q_DECLARE_METATYPE(RankingRow)

struct FileRoundTripRow {
    const char* name;
    RaceSheet sheet = {};
    int cutCells = 0; // the last cells of every line cut off: a file of an older form
};
Q_DECLARE_METATYPE(FileRoundTripRow)

struct FileRefusedRow {
    const char* name;
    QByteArray bytes = {};
};
Q_DECLARE_METATYPE(FileRefusedRow)

class TestRace : public QObject {
    Q_OBJECT

  private slots:
    void ranking_data();
    void ranking();
    void referenceTimeShown_data();
    void market_data();
    void market();
    void referenceTimeShown();
    void fileRoundTrip_data();
    void fileRoundTrip();
    void fileRefused_data();
    void fileRefused();
    void resultsLeftToCompute_data();
    void resultsLeftToCompute();
    void readByHeaderName_data();
    void readByHeaderName();
    void table();
    void merge_data();
    void merge();
};

void TestRace::ranking_data() {
    QTest::addColumn<RankingRow>("row");
    // A 2400 m handicap of eight: 2:28 to 2:33.
    // clang-format off
    const RankingRow rows[] = {
        {.name = "eight runners",
         .names = QStringList{"Bolide", "Eclair", "Zéphyr", "Quick Star", "Ôde", "Étoile", "Tonnerre", "Alizé"},
         .estimates = QList<double>{15034, 14877, 15210, 14900, 15298, 14877.5, 15100, 14991},
         .ranked = QStringList{"1 Eclair 0,00 0,00", "2 Étoile 0,01 0,01", "3 Quick Star 0,23 0,35",
           "4 Alizé 1,14 1,71", "5 Bolide 1,57 2,36", "6 Tonnerre 2,23 3,35", "7 Zéphyr 3,33 5,00",
           "8 Ôde 4,21 6,32"}},
        // Each gap in the lengths per second of the runner's own scale.
        {.name = "gaps at each runner's scale", .names = QStringList{"A", "B", "C"},
         .estimates = QList<double>{15000, 15045, 15100},
         .ranked = QStringList{"1 A 0,00 0,00", "2 B 0,45 3,00", "3 C 1,00 4,00"},
         .lengthsPerSecond = QList<double>{6, 6.666666666666667, 4}},
        {.name = "equal estimates share a rank, in the order added", .names = QStringList{"A", "B", "C", "D"},
         .estimates = QList<double>{18180, 18000, 18000, 18300},
         .ranked = QStringList{"1 B 0,00 0,00", "1 C 0,00 0,00", "3 A 1,80 2,70", "4 D 3,00 4,50"}},
        // Twenty runners with ties: past the sort's small-array path, order added kept.
        {.name = "twenty runners with ties",
         .names = QStringList{"R01", "R02", "R03", "R04", "R05", "R06", "R07", "R08", "R09", "R10", "R11",
           "R12", "R13", "R14", "R15", "R16", "R17", "R18", "R19", "R20"},
         .estimates = QList<double>{18000, 18010, 18020, 18000, 18010, 18020, 18000, 18010, 18020, 18000, 18010,
           18020, 18000, 18010, 18020, 18000, 18010, 18020, 18000, 18010},
         .ranked = QStringList{"1 R01 0,00 0,00", "1 R04 0,00 0,00", "1 R07 0,00 0,00", "1 R10 0,00 0,00",
           "1 R13 0,00 0,00", "1 R16 0,00 0,00", "1 R19 0,00 0,00", "8 R02 0,10 0,15", "8 R05 0,10 0,15",
           "8 R08 0,10 0,15", "8 R11 0,10 0,15", "8 R14 0,10 0,15", "8 R17 0,10 0,15", "8 R20 0,10 0,15",
           "15 R03 0,20 0,30", "15 R06 0,20 0,30", "15 R09 0,20 0,30", "15 R12 0,20 0,30", "15 R15 0,20 0,30",
           "15 R18 0,20 0,30"}},
        {.name = "one runner", .names = QStringList{"Seul"}, .estimates = QList<double>{18180},
         .ranked = QStringList{"1 Seul 0,00 0,00"}},
        // An estimate of 0 is none: listed after every runner with one, without a
        // rank or a gap, and the gaps count from the first runner with one.
        {.name = "runners without an estimate last", .names = QStringList{"A", "B", "C", "D"},
         .estimates = QList<double>{0, 15000, 0, 15150},
         .ranked = QStringList{"1 B 0,00 0,00", "2 D 1,50 2,25", " A  ", " C  "}},
        {.name = "no runner with an estimate", .names = QStringList{"A", "B"},
         .estimates = QList<double>{0, 0}, .ranked = QStringList{" A  ", " B  "}},
        {.name = "no runner"},
    };
    // clang-format on
    for (const RankingRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRace::ranking() {
    QFETCH(RankingRow, row);
    QList<QPair<QString, double>> runners;
    for (qsizetype i = 0; i < row.names.size(); ++i)
        runners.append({row.names[i], row.estimates[i]});
    RaceSheet sheet = sheetOf(runners);
    for (qsizetype i = 0; i < row.lengthsPerSecond.size(); ++i)
        sheet.runners[static_cast<size_t>(i)].lengthsPerSecond = row.lengthsPerSecond[i];
    QStringList shown;
    for (const QStringList& row : racetable::rows(sheet))
        shown << QStringList{row[racetable::Rank], row[racetable::Name], row[racetable::GapSeconds],
                             row[racetable::GapLengths]}
                     .join(u' ');
    QCOMPARE(shown, row.ranked);
}

void TestRace::referenceTimeShown_data() {
    QTest::addColumn<QStringList>("typed"); // minutes, seconds, hundredths
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("seconds");
    QTest::newRow("typed") << QStringList{u"2"_qs, u"24"_qs, u"43"_qs} << u"2'24\"43"_qs
                           << u"144,43"_qs;
    QTest::newRow("none (a runner imported, not yet fed): empty, never 0'00\"00")
        << QStringList{QString(), QString(), QString()} << QString() << QString();
}

void TestRace::referenceTimeShown() {
    QFETCH(QStringList, typed);
    QFETCH(QString, time);
    QFETCH(QString, seconds);
    RaceSheet sheet = sheetOf({{u"A"_qs, 0}});
    calc::RaceTexts& race = sheet.runners[0].race;
    std::tie(race.minutes, race.seconds, race.hundredths) =
        std::tuple{typed[0], typed[1], typed[2]};
    const QStringList row = racetable::rows(sheet).front();
    QCOMPARE(row[racetable::Time], time);
    QCOMPARE(row[racetable::TimeSeconds], seconds);
}

void TestRace::market_data() {
    QTest::addColumn<QList<double>>("odds"); // A, B, C; 0: none
    QTest::addColumn<QStringList>("shown");  // rank chance fair odds value tocard
    QTest::addColumn<double>("alpha");       // the combination with the market,
    QTest::addColumn<double>("beta");        // fitted on 200 races (0: none)
    QTest::addColumn<QStringList>("combined");
    // A and B one second apart, C without an estimate; τ = 1 s (1 / (1 + e^-1)
    // = 0,731059). Without odds C takes an even third, A and B share two thirds.
    QTest::newRow("no odds") << QList<double>{0, 0, 0}
                             << QStringList{u"1 48,7 2,1 |||"_qs, u"2 17,9 5,6 |||"_qs,
                                            u"0 33,3 3,0 |||"_qs}
                             << 0.0 << 0.0 << QStringList{QString(), QString(), QString()};
    // Σ 1/odds = 0,5 + 0,106383 + 0,04 = 0,646383: C's market share 6,1883 %;
    // A and B share 93,8117 %: 68,5818 and 25,2299. Tocards above 2 × 3 runners.
    QTest::newRow("odds: C takes its market share, value = chance × odds ÷ 100")
        << QList<double>{2.0, 9.4, 25.0}
        << QStringList{u"1 68,6 1,5 |2|1,37|"_qs, u"2 25,2 4,0 |9,4|2,37|tocard"_qs,
                       u"0 6,2 16,2 |25|1,55|tocard"_qs}
        << 0.0 << 0.0 << QStringList{QString(), QString(), QString()};
    // The market's: 77,3535, 16,4582, 6,1883; √(68,5818 × 77,3535) … normalised:
    // 73,2744, 20,5001, 6,2255.
    QTest::newRow("combined with the market, α = β = 0,5")
        << QList<double>{2.0, 9.4, 25.0}
        << QStringList{u"1 68,6 1,5 |2|1,37|"_qs, u"2 25,2 4,0 |9,4|2,37|tocard"_qs,
                       u"0 6,2 16,2 |25|1,55|tocard"_qs}
        << 0.5 << 0.5 << QStringList{u"73,3"_qs, u"20,5"_qs, u"6,2"_qs};
    QTest::newRow("a runner without odds: no combined chance")
        << QList<double>{2.0, 9.4, 0}
        << QStringList{u"1 48,7 2,1 |2|0,97|"_qs, u"2 17,9 5,6 |9,4|1,69|tocard"_qs,
                       u"0 33,3 3,0 |||"_qs}
        << 0.5 << 0.5 << QStringList{QString(), QString(), QString()};
}

void TestRace::market() {
    QFETCH(QList<double>, odds);
    QFETCH(QStringList, shown);
    QFETCH(double, alpha);
    QFETCH(double, beta);
    QFETCH(QStringList, combined);
    RaceSheet sheet = sheetOf({{u"A"_qs, 15000}, {u"B"_qs, 15100}, {u"C"_qs, 0}});
    sheet.fits[size_t(chances::Family::Flat)] = {1, chances::FitFrom};
    if (alpha > 0)
        sheet.blend = {alpha, beta, blend::From};
    for (size_t i = 0; i < 3; ++i)
        if (odds[qsizetype(i)] > 0)
            sheet.runners[i].oddsDirect = odds[qsizetype(i)];
    QStringList out, mixed;
    double sum = 0;
    for (const QStringList& row : racetable::rows(sheet)) {
        mixed << row[racetable::Combined];
        out << u"%1 %2 %3 |%4|%5|%6"_qs.arg(
            row[racetable::Rank].isEmpty() ? u"0"_qs : row[racetable::Rank], row[racetable::Chance],
            row[racetable::FairOdds], row[racetable::Odds], row[racetable::Value],
            row[racetable::Outsider]);
        sum += QString(row[racetable::Chance]).replace(u',', u'.').toDouble();
    }
    QCOMPARE(out, shown);
    QCOMPARE(mixed, combined);
    QVERIFY(std::abs(sum - 100) <= 0.1 + 1e-9); // one decimal each
}

void TestRace::fileRoundTrip_data() {
    QTest::addColumn<FileRoundTripRow>("row");
    RaceSheet full = sheetOf({{u"Eclair"_qs, 18180}, {u"Étoile ; \"la Belle\""_qs, 18048.5}});
    Runner& second = full.runners[1];
    second.going = u"très lourd; collant"_qs;
    second.race.margin = u"0,75"_qs;
    second.race.minutes = u""_qs;
    // as typed, even empty
    second.race.estimateWithLengths = true;
    second.race.reductionWithLengths = true;
    second.reduction = QString();
    second.estimate = u"03:00:48,5"_qs;
    RaceSheet scaled = sheetOf({{u"Eclair"_qs, 18180}});
    scaled.runners[0].scale = u"6,67 L/s (vitesse, 2,4 m/L) · sans poids"_qs;
    scaled.runners[0].lengthsPerSecond = 2400.0 / 150 / 2.4;
    RaceSheet numbered = full;
    numbered.hippodrome = u"Longchamp; \"ParisLongchamp\""_qs;
    numbered.discipline = Jumps;
    numbered.runners[0].number = u"12"_qs;
    numbered.going = u"bon souple"_qs;
    numbered.runners[1].referenceDate = QDate(2026, 11, 30);
    numbered.runners[1].race.hippodrome = u"Saint-Cloud"_qs;
    // The market's odds to every digit, the morning's alone, and who runs it.
    numbered.runners[0].oddsReference = 9.2;
    numbered.runners[0].oddsDirect = 12.35;
    numbered.runners[1].oddsReference = 1.1;
    numbered.runners[1].trainer = u"J.-M. Bazire"_qs;
    numbered.runners[1].rider = u"É. Raffin; \"le Roi\""_qs;
    RaceSheet trot = full;
    trot.discipline = TrotHarness;
    trot.start = u"volté"_qs;
    trot.runners[0].referenceDiscipline = scale::Discipline::TrotMounted;
    trot.runners[0].referenceStart = calc::Start::Autostart;
    trot.runners[0].referenceShoeing = calc::Shoeing::Shod;
    trot.runners[0].referenceRecul = 25;
    trot.runners[0].dayShoeing = calc::Shoeing::D4;
    trot.runners[0].dayRecul = 25;
    trot.runners[0].correctedReduction = 74.123456789;
    trot.runners[0].reductionSeconds = 73.745454545454547;
    trot.runners[0].corrections = u"autostart +1,0 · D4 −2,0 · trot monté −1,0"_qs;
    trot.runners[0].musique = u"1a 3a (25) Da; 0m"_qs;
    trot.runners[0].alerts = u"déferré des 4 pour la première fois"_qs;
    const RaceSheet raceOnly{.name = u"Prix"_qs,
                             .date = QDate(2026, 12, 8),
                             .hippodrome = u"Chantilly"_qs,
                             .distance = u"1600"_qs};
    RaceSheet odd = sheetOf({{u"Œdipe €"_qs, 1e-7}, {u"  blancs  "_qs, 123456789.123456789}});
    odd.name = u"Quinté+ \"du jour\""_qs;
    // clang-format off
    const FileRoundTripRow rows[] = {
        {.name = "every field, accents, ';' and quotes", .sheet = full},
        {.name = "a file without scales: the original one", .sheet = full, .cutCells = 27},
        {.name = "a file without the race's fields: its distance the runners'", .sheet = full, .cutCells = 25},
        {.name = "a file without the trot's conditions", .sheet = full, .cutCells = 22},
        {.name = "a file without today's going, the reference's date and the history's columns",
         .sheet = full, .cutCells = 12},
        {.name = "a file without the musique and the alerts", .sheet = full, .cutCells = 3},
        {.name = "a file without the reduction's exact value", .sheet = full, .cutCells = 1},
        {.name = "a trot race, its conditions and corrections", .sheet = trot},
        {.name = "the race's fields, a saddle-cloth number", .sheet = numbered},
        {.name = "a race without runners yet keeps its fields", .sheet = raceOnly},
        {.name = "a scale and its lengths per second", .sheet = scaled},
        {.name = "numbers kept to the last digit, blanks kept", .sheet = odd},
        {.name = "no runner", .sheet = RaceSheet{}},
    };
    // clang-format on
    for (const FileRoundTripRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRace::fileRoundTrip() {
    QFETCH(FileRoundTripRow, row);
    QByteArray bytes = racefile::write(row.sheet);
    if (row.cutCells > 0) {
        QList<QByteArray> lines = bytes.split('\n');
        for (QByteArray& line : lines)
            for (int cell = 0; cell < row.cutCells && line.contains(';'); ++cell)
                line.truncate(line.lastIndexOf(';'));
        bytes = lines.join("\r\n");
    }
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "course;date;cheval;terrain;"));
    QVERIFY(bytes.endsWith("\r\n"));
    const bool raceRow = row.sheet.runners.empty() && !row.sheet.name.isEmpty();
    QCOMPARE(bytes.count("\r\n"), qsizetype(row.sheet.runners.size() + 1 + raceRow));
    const auto read = racefile::read(bytes);
    QVERIFY(read);
    RaceSheet expected = row.sheet;
    if (row.cutCells > 22) { // what an older file could not hold
        expected.hippodrome.clear();
        expected.discipline = Flat;
        for (Runner& r : expected.runners)
            r.number.clear();
    }
    if (!row.sheet.runners.empty() || raceRow)
        QVERIFY(*read == expected);
    else
        QVERIFY(read->runners.empty());
}

void TestRace::fileRefused_data() {
    QTest::addColumn<FileRefusedRow>("row");
    const QByteArray good =
        racefile::write(sheetOf({{u"Eclair"_qs, 18180}, {u"Bolide"_qs, 18200}}));
    const QByteArray header = good.left(good.indexOf("\r\n") + 2);
    const QByteArray row =
        good.mid(header.size(), good.indexOf("\r\n", header.size()) + 2 - header.size());
    // clang-format off
    const FileRefusedRow rows[] = {
        {.name = "empty file"},
        {.name = "cut short in a row", .bytes = good.chopped(20)},
        {.name = "cut short before the last line end", .bytes = good.chopped(2)},
        {.name = "not CSV", .bytes = QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)},
        {.name = "another header", .bytes = QByteArray(good).replace("cheval", "horse")},
        {.name = "a cell too many", .bytes = header + QByteArray(row).insert(0, "x;")},
        {.name = "a cell too few", .bytes = header + row.mid(row.indexOf(';') + 1)},
        {.name = "a date that is none", .bytes = QByteArray(good).replace("2026-12-07", "2026-13-45")},
        {.name = "an unknown time source", .bytes = QByteArray(good).replace(";Chrono;", ";Montre;")},
        {.name = "two races in one file",
         .bytes = QByteArray(good).replace(good.lastIndexOf("2026-12-07"), 10, "2026-12-08")},
        {.name = "a quote left open",
         .bytes = header + QByteArray(row).insert(row.indexOf(';') + 1, '"')},
        {.name = "text after a closing quote",
         .bytes = header + QByteArray(row).replace("Eclair", "\"Ecl\"air")},
        {.name = "not UTF-8", .bytes = QByteArray(good).replace("Eclair", "\xc9" "clair")},
        {.name = "a runner without a name", .bytes = QByteArray(good).replace("Eclair", "")},
        {.name = "an unknown discipline", .bytes = QByteArray(good).replace(";plat;", ";trot;")},
        {.name = "an unknown start", .bytes = QByteArray(good).replace(";plat;", ";plat;lancé")},
        {.name = "an unknown shoeing", .bytes = QByteArray(good).replace(";plat;;;;;;;;;;;;;;;10;12;;0;;;;;;;;;\r\n", ";plat;;;;;;D5;;;;;;;;;10;12;;0;;;;;;;;;\r\n")},
        {.name = "a reference date that is none",
         .bytes = QByteArray(good).replace(";plat;;;;;;;;;;;;;;;10;12;;0;;;;;;;;;\r\n", ";plat;;;;;;;;;;;;31/02/2026;;;10;12;;0;;;;;;;;;\r\n")},
        {.name = "an unknown going today", .bytes = QByteArray(good).replace(";plat;;;;;;;;;;;;;;;10;12;;0;;;;;;;;;\r\n", ";plat;;;;;;;;;;;boueux;;;;10;12;;0;;;;;;;;;\r\n")},
        {.name = "two hippodromes in one file", .bytes = header + row + QByteArray(row).replace(";;plat", ";Vincennes;plat")},
        {.name = "two distances in one file", .bytes = header + row + QByteArray(row).replace(";2400;", ";2000;")},
        {.name = "a row without a horse beside a runner",
         .bytes = header + row + racefile::write(RaceSheet{.date = QDate(2026, 12, 7), .distance = u"2400"_qs,
           .runners = {}}).mid(header.size())},
    };
    // clang-format on
    for (const FileRefusedRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRace::fileRefused() {
    QFETCH(FileRefusedRow, row);
    QVERIFY(!racefile::read(row.bytes));
}

void TestRace::resultsLeftToCompute_data() {
    // A row whose results are empty or wrong (typed in a spreadsheet) is read: the
    // program computes them again; the runner is left without an estimate.
    QTest::addColumn<FileRefusedRow>("row");
    QTest::addColumn<bool>("uncomputed");
    const QByteArray good =
        racefile::write(sheetOf({{u"Eclair"_qs, 18180}, {u"Bolide"_qs, 18200}}));
    // clang-format off
    const FileRefusedRow rows[] = {
        {.name = "an estimate that is not a number", .bytes = QByteArray(good).replace(";18180;", ";vite;")},
        {.name = "a negative estimate", .bytes = QByteArray(good).replace(";18180;", ";-1;")},
        {.name = "no lengths per second", .bytes = QByteArray(good).replace(";1.5;", ";;")},
        {.name = "lengths per second of zero", .bytes = QByteArray(good).replace(";1.5;", ";0;")},
        {.name = "a corrected reduction not a number",
         .bytes = QByteArray(good).replace(";plat;;;;;;;;;;;;;;;10;12;;0;;;;;;;;;\r\n", ";plat;;;;;;;;x;;;;;;;10;12;;0;;;;;;;;;\r\n")},
        {.name = "a scale without a name",
         .bytes = QByteArray(good).replace(OriginalScale.toUtf8() + ";1.5", ";1.5")},
        {.name = "every result empty", .bytes = QByteArray(good).replace(";00:00:00;18180;Chrono;1:15:48;", ";;;Chrono;;")},
    };
    // clang-format on
    for (const FileRefusedRow& r : rows)
        QTest::newRow(r.name) << r << QByteArray(r.name).contains("estimate");
}

void TestRace::resultsLeftToCompute() {
    QFETCH(FileRefusedRow, row);
    QFETCH(bool, uncomputed);
    QVERIFY(row.bytes != racefile::write(sheetOf({{u"Eclair"_qs, 18180}, {u"Bolide"_qs, 18200}})));
    const auto read = racefile::read(row.bytes);
    QVERIFY(read);
    QCOMPARE(read->runners.size(), size_t(2));
    const Runner& r = read->runners[0];
    QCOMPARE(r.name, u"Eclair"_qs);
    QCOMPARE(r.race.referenceDistance, u"2100"_qs); // the inputs as typed
    QVERIFY(!r.scale.isEmpty() && r.lengthsPerSecond > 0);
    QCOMPARE(r.correctedReduction, 0.0);
    if (uncomputed)
        QVERIFY(r.estimate.isEmpty());
}

void TestRace::table() {
    // Every column of the window's table has a title of its own.
    const QStringList titles = racetable::header();
    QCOMPARE(titles.size(), qsizetype(racetable::ColumnCount));
    QCOMPARE(QSet<QString>(titles.begin(), titles.end()).size(), titles.size());
    QVERIFY(!titles.contains(QString()));
    RaceSheet sheet = sheetOf({{u"Bolide"_qs, 18200}, {u"Le \"Roi\";\tx"_qs, 18180}});
    sheet.runners[1].reduction = u"1:02:5"_qs; // a last field that lost a digit: no seconds
    sheet.runners[1].estimate = u"03:01:80"_qs;
    sheet.hippodrome = u"Chantilly"_qs;
    sheet.runners[1].number = u"7"_qs;
    const std::vector<QStringList> rows = racetable::rows(sheet);
    // Times in the punter's notation beside their seconds; a reduction of another
    // form as it is; the race in every row.
    QCOMPARE(rows[0].join(u'|'),
             u"1|7|Le "
             u"\"Roi\";\tx|3'01\"80|181,80|0,00|0,00|0,0|52,1||1,9||||||1:02:5|||"
             u"||2100|2'38\"50|158,50|57|0,0|"
             u"bon|58||||||||||||||||Chrono|Chrono|"_qs +
                 OriginalScale + u"|Prix d'Amérique|07/12/2026|Chantilly|2400|plat||"_qs);
    QCOMPARE(rows[1][racetable::ReductionSeconds], u"75,48"_qs);
    const QString clipboard = QString::fromUtf8(racetable::clipboardText(rows));
    QVERIFY(clipboard.startsWith(u"Rang\tN°\tCheval\tChrono estimé\tChrono estimé (s)\t"_qs));
    QVERIFY(clipboard.contains(u"\n1\t7\t\"Le \"\"Roi\"\";\tx\"\t\"3'01\"\"80\"\t181,80\t"_qs));
    QCOMPARE(clipboard.count(u'\n'), 3);
    const QByteArray csv = racetable::csv(rows);
    QVERIFY(csv.startsWith("\xEF\xBB\xBFRang;N°;Cheval;"));
    QVERIFY(csv.contains("\r\n1;7;\"Le \"\"Roi\"\";\tx\";\"3'01\"\"80\";181,80;"));
    QVERIFY(csv.endsWith(";Chantilly;2400;plat;;\r\n"));
}

void TestRace::merge_data() {
    QTest::addColumn<MergeRow>("row");
    // clang-format off
    const MergeRow rows[] = {
        {.name = "both added one: both kept", .base = {}, .ours = {"A:100"}, .theirs = {"B:200"},
         .merged = {"A:100", "B:200"}},
        {.name = "the same runner added in both: once", .base = {"A:100"}, .ours = {"A:100", "B:200"},
         .theirs = {"A:100", "B:200"}, .merged = {"A:100", "B:200"}},
        {.name = "taken out there: out here", .base = {"A:100", "B:200"}, .ours = {"A:100", "B:200", "C:300"},
         .theirs = {"A:100"}, .merged = {"A:100", "C:300"}},
        {.name = "taken out here: stays out", .base = {"A:100", "B:200"}, .ours = {"A:100"},
         .theirs = {"A:100", "B:200", "C:300"}, .merged = {"A:100", "C:300"}},
        {.name = "changed there: their row", .base = {"A:100", "B:200"}, .ours = {"A:100", "B:200"},
         .theirs = {"A:150", "B:200"}, .merged = {"B:200", "A:150"}},
        {.name = "changed in both: asked", .base = {"A:100"}, .ours = {"A:110"}, .theirs = {"A:120"},
         .merged = {"A:110"}, .conflicts = {"110>120"}},
        {.name = "changed in both alike: once", .base = {"A:100"}, .ours = {"A:110"}, .theirs = {"A:110"},
         .merged = {"A:110"}},
        {.name = "the race renamed there", .base = {"A:100"}, .ours = {"A:100", "B:200"}, .theirs = {"A:100"},
         .merged = {"A:100", "B:200"}, .raceName = "Grand Prix", .theirName = "Grand Prix"},
        {.name = "another race there: not merged", .base = {"A:100"}, .ours = {"A:100", "B:200"},
         .theirs = {"X@3000:300"}, .merged = {"A:100", "B:200"}, .otherRace = true},
        {.name = "a distance not yet given there: merged", .base = {}, .ours = {"A:100"}, .theirs = {"X@:300"},
         .merged = {"A:100", "X:300"}},
    };
    // clang-format on
    for (const MergeRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRace::merge() {
    QFETCH(MergeRow, row);
    const auto merged = sheetmerge::merge(sheetFrom(row.base), sheetFrom(row.ours),
                                          sheetFrom(row.theirs, QString::fromUtf8(row.theirName)));
    QStringList names, conflicts;
    for (const Runner& r : merged.sheet.runners)
        names << r.name + u':' + QString::number(r.estimateHundredths);
    for (const sheetmerge::Conflict& c : merged.conflicts)
        conflicts << QString::number(merged.sheet.runners[c.ours].estimateHundredths) + u'>' +
                         QString::number(c.theirs.estimateHundredths);
    QCOMPARE(names, row.merged);
    QCOMPARE(conflicts, row.conflicts);
    QCOMPARE(merged.otherRace, row.otherRace);
    QCOMPARE(merged.sheet.name, QString::fromUtf8(row.raceName));
}

void TestRace::readByHeaderName_data() {
    QTest::addColumn<QString>("change");  // of the file's columns, as a spreadsheet user makes it
    QTest::addColumn<QString>("refused"); // why, when refused
    QTest::newRow("columns in reverse order") << u"reverse"_qs << QString();
    QTest::newRow("an unknown column added first") << u"add"_qs << QString();
    QTest::newRow("the musique dropped: empty") << u"drop musique"_qs << QString();
    QTest::newRow("the scale and its lengths dropped: the original")
        << u"drop barème|longueurs par seconde"_qs << QString();
    QTest::newRow("the race's date dropped: none") << u"drop date"_qs << QString();
    QTest::newRow("the horse dropped") << u"drop cheval"_qs << u"la colonne « cheval » manque"_qs;
    QTest::newRow("the minutes dropped")
        << u"drop minutes"_qs << u"la colonne « minutes » manque"_qs;
    QTest::newRow("two required dropped")
        << u"drop distance réf. (m)|centièmes"_qs
        << u"les colonnes « distance réf. (m) », « centièmes » manquent"_qs;
    QTest::newRow("a recul typed with its unit")
        << u"recul (m)=25 m"_qs << u"ligne 2 : colonne « recul (m) » : « 25 m » ne se lit pas"_qs;
    QTest::newRow("a shoeing typed wrong, columns moved")
        << u"reverse, ferrure=D5"_qs << u"ligne 2 : colonne « ferrure » : « D5 » ne se lit pas"_qs;
}

void TestRace::readByHeaderName() {
    QFETCH(QString, change);
    QFETCH(QString, refused);
    RaceSheet sheet = sheetOf({{u"Eclair"_qs, 18180}, {u"Bolide"_qs, 18200}});
    sheet.runners[0].musique = u"1p 3p"_qs;
    sheet.runners[1].scale = u"6 L/s (plat, bon) · 1 s/1,5 kg (origine)"_qs;
    sheet.runners[1].lengthsPerSecond = 6;
    std::vector<QStringList> rows = csv::read(racefile::write(sheet), u';').table->rows;
    const auto column = [&](const QString& name) { return rows[0].indexOf(name); };
    if (change.startsWith(u"drop "))
        for (const QString& name : change.mid(5).split(u'|'))
            for (qsizetype at = column(name); QStringList & r : rows)
                r.removeAt(at);
    if (change.startsWith(u"reverse"))
        for (QStringList& r : rows)
            std::reverse(r.begin(), r.end());
    if (change.contains(u"ferrure=D5"))
        rows[1][column(u"ferrure"_qs)] = u"D5"_qs;
    if (change == u"recul (m)=25 m")
        rows[1][column(u"recul (m)"_qs)] = u"25 m"_qs;
    if (change == u"add")
        for (QStringList& r : rows)
            r.prepend(r == rows[0] ? u"mes notes"_qs : u"à suivre"_qs);
    QString why;
    const auto read = racefile::read(csv::write(rows, csv::File), &why);
    QCOMPARE(why, refused);
    QCOMPARE(read.has_value(), refused.isEmpty());
    if (!read)
        return;
    RaceSheet expected = sheet;
    if (change.contains(u"musique"))
        expected.runners[0].musique.clear();
    if (change == u"drop date")
        expected.date = QDate();
    if (change.contains(u"barème")) {
        expected.runners[1].scale = OriginalScale;
        expected.runners[1].lengthsPerSecond = OriginalLengthsPerSecond;
    }
    QVERIFY(*read == expected);
    // Written back as it was read, it reads the same: nothing refused the second time.
    const auto again = racefile::read(racefile::write(*read));
    QVERIFY(again && *again == *read);
    // Every earlier version's header is the first columns of the one written now.
    for (int version = 1; version < racefile::CurrentVersion; ++version)
        QCOMPARE(racefile::headerOf(version),
                 racefile::header().first(racefile::headerOf(version).size()));
}

QTEST_GUILESS_MAIN(TestRace)
#include "tst_race.moc"
