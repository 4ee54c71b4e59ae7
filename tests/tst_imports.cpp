// The import readers on files written from the service's description: every
// field and unit, the kinds told from the structure, the CSV headers in any
// form, the musique; then whole imports through the logic.

#include "cp1252.h"
#include "imported.h"
#include "importer.h"
#include "musique.h"
#include "racefile.h"
#include "runnerfigures.h"
#include "scripteddialogs.h"
#include "sheetedit.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

using history::Status;
using imports::Entrant;
using imports::FileRead;
using imports::Kind;
using imports::Race;

namespace {

const QString Absent = u"<absent>"_qs;

// `base` with the keys of `changes` set (or taken out when they hold Absent).
QJsonObject with(QJsonObject base, const QJsonObject& changes) {
    for (auto it = changes.begin(); it != changes.end(); ++it)
        it.value() == Absent ? void(base.remove(it.key())) : void(base.insert(it.key(), *it));
    return base;
}

QByteArray bytesOfFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bytesOf(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

qint64 msOf(const QDateTime& t) {
    return t.toMSecsSinceEpoch();
}

QJsonObject programmeWith(const QJsonObject& race, const QJsonObject& meeting = {}) {
    const QJsonObject m =
        with({{u"numOfficiel"_qs, 1},
              {u"dateReunion"_qs, msOf(QDateTime(QDate(2026, 12, 7), QTime(23, 0), Qt::UTC))},
              {u"timezoneOffset"_qs, 3600000},
              {u"hippodrome"_qs, QJsonObject{{u"libelleCourt"_qs, u"VINCENNES"_qs}}},
              {u"courses"_qs, QJsonArray{race}}},
             meeting);
    return {{u"programme"_qs, QJsonObject{{u"reunions"_qs, QJsonArray{m}}}}};
}

const QJsonObject BaseRace{{u"numOrdre"_qs, 4},
                           {u"libelle"_qs, u"PRIX DE LILLE"_qs},
                           {u"discipline"_qs, u"ATTELE"_qs},
                           {u"distance"_qs, 2700},
                           {u"categorieParticularite"_qs, u"AUTOSTART"_qs}};

const QJsonObject BaseEntrant{
    {u"numPmu"_qs, 4}, {u"nom"_qs, u"KALINKA"_qs}, {u"handicapDistance"_qs, 2700}};

const QJsonObject BaseItself{
    {u"nomCheval"_qs, u"KALINKA"_qs},
    {u"itsHim"_qs, true},
    {u"place"_qs, QJsonObject{{u"place"_qs, 2}, {u"statusArrivee"_qs, u"PLACE"_qs}}},
    {u"reductionKilometrique"_qs, 7450},
    {u"distanceParcourue"_qs, 2700},
    {u"poidsJockey"_qs, 62.5},
    {u"nomJockey"_qs, u"E. RAFFIN"_qs}};

QJsonObject pastRaceWith(const QJsonObject& changes, const QJsonObject& itself) {
    const QJsonObject race{
        {u"date"_qs, msOf(QDateTime(QDate(2026, 11, 20), QTime(14, 0), Qt::UTC))},
        {u"timezoneOffset"_qs, 3600000},
        {u"hippodrome"_qs, u"VINCENNES"_qs},
        {u"nomPrix"_qs, u"PRIX DE NEVERS"_qs},
        {u"discipline"_qs, u"ATTELE"_qs},
        {u"distance"_qs, 2700},
        {u"allocation"_qs, 40000},
        {u"nbParticipants"_qs, 14},
        {u"tempsDuPremier"_qs, 20040},
        {u"participants"_qs, QJsonArray{with(BaseItself, itself)}}};
    return with(race, changes);
}

QByteArray performancesOf(const QJsonObject& pastRace) {
    return bytesOf({{u"participants"_qs,
                     QJsonArray{QJsonObject{{u"numPmu"_qs, 4},
                                            {u"nomCheval"_qs, u"KALINKA"_qs},
                                            {u"coursesCourues"_qs, QJsonArray{pastRace}}}}}});
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString refusalField(const FileRead& f) {
    return f.refused.empty() ? QString() : f.refused.front().field;
}

const QString Examples = u":/exemples/"_qs;
const QStringList Meeting{
    Examples + u"programme-2026-12-08.json"_qs, Examples + u"partants-R1C4.json"_qs,
    Examples + u"performances-R1C4.json"_qs, Examples + u"partants-R1C1.json"_qs,
    Examples + u"courses-passees.csv"_qs};

// A sheet, its file and a history in a folder of their own.
struct Workplace {
    QTemporaryDir dir;
    AppState state;
    ScriptedDialogs dialogs;
    explicit Workplace(RaceSheet sheet = {})
        : state(dir.filePath(u"o.ini"_qs), RaceDay{sheet, dir.filePath(u"coursedujour.csv"_qs)}) {
        const QString why =
            state.openHistory(dir.filePath(u"historique.sqlite"_qs), QDateTime(), dialogs);
        if (!why.isEmpty())
            qFatal("%s", qPrintable(why));
    }
    ImportSummary import(const QStringList& files, const QString& race = {}) {
        return importFiles(files, state, {dir.filePath(u"courses"_qs), QDate(2026, 12, 8), race},
                           dialogs);
    }
    const RaceSheet& sheet() { return state.raceDay().sheet; }
    std::vector<history::Run> runsOf(const char* horse) {
        return state.history().runsOf(QString::fromUtf8(horse)).runs;
    }
};

// "N° name shoeing recul", in the order added.
QStringList runnersOf(const RaceSheet& sheet) {
    QStringList out;
    for (const Runner& r : sheet.runners)
        out << QStringList{r.number, r.name, calc::shoeingName(r.dayShoeing),
                           r.dayRecul ? QString::number(r.dayRecul) : QString()}
                   .join(u' ');
    return out;
}

} // namespace

class TestImports : public QObject {
    Q_OBJECT
  private slots:
    void musique_data();
    void musique();
    void warnings_data();
    void warnings();
    void kinds_data();
    void kinds();
    void programme_data();
    void programme();
    void participants_data();
    void participants();
    void odds_data();
    void odds();
    void performances_data();
    void performances();
    void pastRuns_data();
    void pastRuns();
    void raceCardThroughSpreadsheet();
    void meetingImported();
    void importedTwice();
    void reimportKeepsTyped_data();
    void reimportKeepsTyped();
    void anotherRace_data();
    void anotherRace();
    void raceChosen_data();
    void raceChosen();
    void raceFound_data();
    void raceFound();
    void nothingRead();
    void cardOpensAsSheet();
    void runnersAwaitingReference();
    void participantsAlone_data();
    void participantsAlone();
};

void TestImports::musique_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded"); // or the start of the reason
    QTest::addColumn<bool>("read");
    const auto row = [](const char* name, const char* text, const char* decoded, bool read) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(decoded) << read;
    };
    row("places and disciplines", "3a1aDa5m", "3e attelé, 1er attelé, disqualifié attelé, 5e monté",
        true);
    row("spaces between results", " 3a 1a  0p ", "3e attelé, 1er attelé, non placé plat", true);
    row("stopped, fallen, obstacle letters", "Ah Ts 2c", "arrêté haies, tombé steeple, 2e cross",
        true);
    row("Ret, demoted: three letters", "Reta1a", "rétrogradé attelé, 1er attelé", true);
    row("a year marker", "1a3a(25)Da5m",
        "1er attelé, 3e attelé, en 2025 : disqualifié attelé, 5e monté", true);
    row("two year markers, four digits", "1a(2025)2a(24)3a",
        "1er attelé, en 2025 : 2e attelé, en 2024 : 3e attelé", true);
    row("the history's own, with spaces", "3a 1a Da 0m",
        "3e attelé, 1er attelé, disqualifié attelé, non placé monté", true);
    row("empty: a horse yet to run", "", "", true);
    row("an unknown result", "3a X1a", "« X » n'est pas un résultat (position 4)", false);
    row("a place of two digits", "12a", "il manque la lettre de la discipline à la position 2",
        false);
    row("a discipline letter missing at the end", "3a1", "il manque la lettre", false);
    row("an unknown discipline letter", "3x", "il manque la lettre de la discipline", false);
    row("a year marker never closed", "1a(25", "marque d'année illisible à la position 3", false);
    row("a year marker of three digits", "1a(202)2a", "marque d'année illisible", false);
    row("a year marker with a sign", "1a(+25)2a", "marque d'année illisible", false);
    row("a year of four digits that is none", "1a(0102)2a", "marque d'année illisible", false);
}

void TestImports::musique() {
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QFETCH(bool, read);
    const musique::Read r = musique::read(text);
    QCOMPARE(r.refused.isEmpty(), read);
    if (read) {
        QCOMPARE(musique::decoded(r.results), decoded);
        QCOMPARE(musique::explained(text), decoded);
    } else {
        QVERIFY2(r.refused.startsWith(decoded), qPrintable(r.refused));
        QVERIFY(r.results.empty());
        // Shown as it is, with the reason.
        QCOMPARE(musique::explained(text), text + u" (illisible : "_qs + r.refused + u')');
    }
}

void TestImports::warnings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("firstBarefoot");
    QTest::addColumn<QStringList>("expected");
    const QString harness = u"trot attelé"_qs;
    QTest::newRow("twice disqualified in the last four")
        << u"Da5aDa1a"_qs << harness << false
        << QStringList{u"disqualifié 2 fois sur ses 4 dernières courses"_qs};
    QTest::newRow("twice, but the second is the fifth run back")
        << u"Da1a2a3aDa"_qs << harness << false << QStringList();
    QTest::newRow("three times") << u"DaDa(25)Da"_qs << harness << false
                                 << QStringList{
                                        u"disqualifié 3 fois sur ses 4 dernières courses"_qs};
    QTest::newRow("monté last time, attelé today")
        << u"3m2a"_qs << harness << false
        << QStringList{u"change de discipline : monté la dernière fois"_qs};
    QTest::newRow("haies last time, steeple today: one family")
        << u"2h"_qs << u"obstacle"_qs << false << QStringList();
    QTest::newRow("plat last time, obstacle today")
        << u"1p"_qs << u"obstacle"_qs << false
        << QStringList{u"change de discipline : plat la dernière fois"_qs};
    QTest::newRow("déferré des 4 for the first time, the rest quiet")
        << u"1a2a"_qs << harness << true << QStringList{u"déferré des 4 pour la première fois"_qs};
    QTest::newRow("no musique, nothing to say") << QString() << harness << false << QStringList();
}

void TestImports::warnings() {
    QFETCH(QString, text);
    QFETCH(QString, today);
    QFETCH(bool, firstBarefoot);
    QFETCH(QStringList, expected);
    QCOMPARE(musique::warnings(musique::read(text).results, today, firstBarefoot), expected);
}

void TestImports::kinds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind"); // or the start of the failure
    QTest::addColumn<bool>("read");
    const QByteArray programme = bytesOf(programmeWith(BaseRace));
    const QByteArray participants = bytesOf({{u"participants"_qs, QJsonArray{BaseEntrant}}});
    const QByteArray card = racefile::write(
        RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 8), .distance = u"2700"_qs});
    QTest::newRow("a programme") << programme << u"programme"_qs << true;
    QTest::newRow("a programme after a byte-order mark and blanks")
        << QByteArray("\xEF\xBB\xBF \n" + programme) << u"programme"_qs << true;
    QTest::newRow("participants") << participants << u"partants"_qs << true;
    QTest::newRow("detailed performances")
        << performancesOf(pastRaceWith({}, {})) << u"performances détaillées"_qs << true;
    QTest::newRow("a race card in the sheet's format") << card << u"feuille de course"_qs << true;
    QTest::newRow("past runs") << QByteArray("cheval;distance;chrono\nA;2700;3'19\"00\n")
                               << u"courses passées"_qs << true;
    QTest::newRow("JSON of another kind")
        << QByteArray("{\"reunions\": []}") << u"ce fichier JSON n'est ni un programme"_qs << false;
    QTest::newRow("a programme that is not an object")
        << QByteArray("{\"programme\": 3}") << u"ce fichier JSON n'est ni"_qs << false;
    QTest::newRow("JSON cut short")
        << programme.left(programme.size() / 2)
        << u"JSON illisible (coupé ou abîmé) près de l'octet"_qs << false;
    QTest::newRow("a CSV without the horse's column")
        << QByteArray("date;distance\n2026-11-30;2700\n")
        << u"ni feuille de course, ni courses passées"_qs << false;
    QTest::newRow("an empty file") << QByteArray() << u"ni feuille de course"_qs << false;
    QTest::newRow("a quote never closed")
        << QByteArray("cheval;distance\n\"A;2700\n") << u"ligne 2, colonne 1"_qs << false;
    QTest::newRow("a file too large, refused before reading")
        << QByteArray(imports::MaxFileBytes + 1, '{')
        << u"fichier trop gros pour être importé (8,0 Mo ; la limite est de 8 Mo)"_qs << false;
}

void TestImports::kinds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(bool, read);
    const FileRead f = imports::readFile(u"f"_qs, bytes);
    QCOMPARE(f.failure.isEmpty(), read);
    if (read)
        QCOMPARE(imports::kindName(f.kind), kind);
    else
        QVERIFY2(f.failure.startsWith(kind), qPrintable(f.failure));
}

struct ProgrammeRow {
    const char* name;
    QJsonObject race = {}, meeting = {};
    Race expected = {}; // the fields compared when read
    QString refused = {};
};
Q_DECLARE_METATYPE(ProgrammeRow)

void TestImports::programme_data() {
    QTest::addColumn<ProgrammeRow>("row");
    const Race base{.meeting = 1,
                    .number = 4,
                    .name = u"PRIX DE LILLE"_qs,
                    .hippodrome = u"VINCENNES"_qs,
                    .date = QDate(2026, 12, 8),
                    .discipline = history::Discipline::TrotHarness,
                    .start = calc::Start::Autostart,
                    .distance = 2700};
    const auto changed = [&](auto change) {
        Race r = base;
        change(r);
        return r;
    };
    const qint64 lateUtc = msOf(QDateTime(QDate(2026, 7, 7), QTime(22, 30), Qt::UTC));
    // clang-format off
    const ProgrammeRow rows[] = {
        {"a trot race behind the car", {}, {}, base},
        {"the start from the conditions alone",
         {{u"categorieParticularite"_qs, Absent}, {u"conditions"_qs, u"Départ à l'autostart."_qs}}, {},
         changed([](Race& r) { r.conditions = u"Départ à l'autostart."_qs; })},
        {"a volte start, a recul in the conditions",
         {{u"categorieParticularite"_qs, u"GROUPE_III"_qs},
          {u"conditions"_qs, u"Recul de 25 m. à 28.000. Départ volté."_qs}}, {},
         changed([](Race& r) { r.start = calc::Start::Volte; r.conditions = u"Recul de 25 m. à 28.000. Départ volté."_qs; })},
        {"another particularity says nothing of the start",
         {{u"categorieParticularite"_qs, u"GROUPE_I"_qs}}, {}, changed([](Race& r) { r.start = calc::Start::Unknown; })},
        {"no start on the flat", {{u"discipline"_qs, u"PLAT"_qs}}, {},
         changed([](Race& r) { r.discipline = history::disciplineOf(u"plat"_qs); r.start = calc::Start::Unknown; })},
        {"the winner's time in milliseconds", {{u"dureeCourse"_qs, 199345}}, {},
         changed([](Race& r) { r.winnerTime = 19935; })},
        {"5 ms: one hundredth", {{u"dureeCourse"_qs, 5}}, {}, changed([](Race& r) { r.winnerTime = 1; })},
        {"4 ms: no time of zero", {{u"dureeCourse"_qs, 4}}, {}, {}, u"dureeCourse"_qs},
        {"mounted from the speciality", {{u"discipline"_qs, Absent}, {u"specialite"_qs, u"TROT_MONTE"_qs}}, {},
         changed([](Race& r) { r.discipline = history::disciplineOf(u"trot monté"_qs); })},
        {"hurdles", {{u"discipline"_qs, u"HAIE"_qs}}, {},
         changed([](Race& r) { r.discipline = history::disciplineOf(u"haies"_qs); r.start = calc::Start::Unknown; })},
        {"steeplechase", {{u"discipline"_qs, u"STEEPLECHASE"_qs}}, {},
         changed([](Race& r) { r.discipline = history::disciplineOf(u"steeple-chase"_qs); r.start = calc::Start::Unknown; })},
        {"cross", {{u"discipline"_qs, u"CROSS"_qs}}, {},
         changed([](Race& r) { r.discipline = history::disciplineOf(u"cross"_qs); r.start = calc::Start::Unknown; })},
        {"a summer evening in Paris without an offset: the next day",
         {}, {{u"dateReunion"_qs, lateUtc}, {u"timezoneOffset"_qs, Absent}},
         changed([](Race& r) { r.date = QDate(2026, 7, 8); })},
        {"the same instant at offset zero", {}, {{u"dateReunion"_qs, lateUtc}, {u"timezoneOffset"_qs, 0}},
         changed([](Race& r) { r.date = QDate(2026, 7, 7); })},
        {"an unknown discipline", {{u"discipline"_qs, u"GALOP"_qs}}, {}, {}, u"discipline"_qs},
        {"no distance", {{u"distance"_qs, Absent}}, {}, {}, u"distance"_qs},
        {"a distance in kilometres", {{u"distance"_qs, 2.7}}, {}, {}, u"distance"_qs},
        {"a distance as a text", {{u"distance"_qs, u"2700"_qs}}, {}, {}, u"distance"_qs},
        {"a meeting without a date", {}, {{u"dateReunion"_qs, Absent}}, {}, u"dateReunion"_qs},
    };
    // clang-format on
    for (const ProgrammeRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestImports::programme() {
    QFETCH(ProgrammeRow, row);
    const FileRead f = imports::readFile(
        u"programme.json"_qs, bytesOf(programmeWith(with(BaseRace, row.race), row.meeting)));
    QCOMPARE(f.kind, Kind::Programme);
    QCOMPARE(refusalField(f), row.refused);
    if (!row.refused.isEmpty()) {
        QVERIFY(f.races.empty());
        QVERIFY2(f.refused.front().text().startsWith(u"programme.json, "_qs),
                 qPrintable(f.refused.front().text()));
        return;
    }
    QCOMPARE(f.races.size(), size_t(1));
    QCOMPARE(f.races.front(), row.expected);
    QCOMPARE(f.races.front().code(), u"R1C4"_qs);
}

struct EntrantRow {
    const char* name;
    QJsonObject changes;
    QString shoeing = u"ferré"_qs, note = {};
    double weight = -1;     // kg; -1: none
    int distanceRun = 2700; // -1: none
    qint64 time = -1, reduction = -1;
    int place = 0;
    QString status = u"—"_qs; // statusName, "—" when not run
    bool scratched = false;
    QString refused = {};
};
Q_DECLARE_METATYPE(EntrantRow)

void TestImports::participants_data() {
    QTest::addColumn<EntrantRow>("row");
    const auto deferre = [](const char* v) {
        return QJsonObject{{u"deferre"_qs, QString::fromUtf8(v)}};
    };
    // clang-format off
    const EntrantRow rows[] = {
        {"shod: no deferre", {}},
        {"D4", deferre("DEFERRE_ANTERIEURS_POSTERIEURS"), u"D4"_qs},
        {"DA", deferre("DEFERRE_ANTERIEURS"), u"DA"_qs},
        {"DP", deferre("DEFERRE_POSTERIEURS"), u"DP"_qs},
        {"protected in front: shod, kept in the note", deferre("PROTEGE_ANTERIEURS"), u"ferré"_qs, u"PROTEGE_ANTERIEURS"_qs},
        {"protected behind", deferre("PROTEGE_POSTERIEURS"), u"ferré"_qs, u"PROTEGE_POSTERIEURS"_qs},
        {"protected all round", deferre("PROTEGE_ANTERIEURS_POSTERIEURS"), u"ferré"_qs, u"PROTEGE_ANTERIEURS_POSTERIEURS"_qs},
        {"protected in front, bare behind: DP", deferre("PROTEGE_ANTERIEURS_DEFERRRE_POSTERIEURS"), u"DP"_qs, u"PROTEGE_ANTERIEURS_DEFERRRE_POSTERIEURS"_qs},
        {"bare in front, protected behind: DA", deferre("DEFERRRE_ANTERIEURS_PROTEGE_POSTERIEURS"), u"DA"_qs, u"DEFERRRE_ANTERIEURS_PROTEGE_POSTERIEURS"_qs},
        {"an unknown shoeing", deferre("DEFERRE_TOUT"), {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"deferre"_qs},
        {"a handicap weight in tenths of a kg", {{u"handicapPoids"_qs, 570}}, u"ferré"_qs, {}, 57.0},
        {"a mounted trot's weight in tenths", {{u"poidsConditionMonte"_qs, 625}}, u"ferré"_qs, {}, 62.5},
        {"a recul in the distance to run", {{u"handicapDistance"_qs, 2725}}, u"ferré"_qs, {}, -1, 2725},
        {"no distance to run", {{u"handicapDistance"_qs, QJsonValue()}}, u"ferré"_qs, {}, -1, -1},
        {"a race run: ms for the time and the reduction",
         {{u"tempsObtenu"_qs, 200045}, {u"reductionKilometrique"_qs, 74100}, {u"ordreArrivee"_qs, 2}},
         u"ferré"_qs, {}, -1, 2700, 20005, 7410, 2, {}},
        {"disqualified: no time of its own",
         {{u"tempsObtenu"_qs, 201000}, {u"incident"_qs, u"DISQUALIFIE_POUR_ALLURE_IRREGULIERE"_qs}},
         u"ferré"_qs, {}, -1, 2700, -1, -1, 0, u"disqualifié"_qs},
        {"stopped", {{u"incident"_qs, u"ARRETE"_qs}}, u"ferré"_qs, {}, -1, 2700, -1, -1, 0, u"arrêté"_qs},
        {"a non-runner", {{u"statut"_qs, u"NON_PARTANT"_qs}}, u"ferré"_qs, {}, -1, 2700, -1, -1, 0, u"—"_qs, true},
        {"a number as a text", {{u"numPmu"_qs, u"4"_qs}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"numPmu"_qs},
        {"a negative weight", {{u"handicapPoids"_qs, -5}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"handicapPoids"_qs},
        {"a time of 4 ms: no time of zero", {{u"tempsObtenu"_qs, 4}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"tempsObtenu"_qs},
        {"a reduction of 4 ms", {{u"reductionKilometrique"_qs, 4}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"reductionKilometrique"_qs},
        {"a reduction with a fraction of a ms", {{u"reductionKilometrique"_qs, 74100.5}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"reductionKilometrique"_qs},
        {"no name", {{u"nom"_qs, Absent}}, {}, {}, -1, 2700, -1, -1, 0, u"—"_qs, false, u"nom"_qs},
    };
    // clang-format on
    for (const EntrantRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestImports::participants() {
    QFETCH(EntrantRow, row);
    const FileRead f = imports::readFile(
        u"partants.json"_qs,
        bytesOf({{u"participants"_qs, QJsonArray{with(BaseEntrant, row.changes)}}}));
    QCOMPARE(f.kind, Kind::Participants);
    QCOMPARE(refusalField(f), row.refused);
    if (!row.refused.isEmpty()) {
        QVERIFY(f.entrants.empty());
        QVERIFY2(f.refused.front().text().startsWith(u"partants.json, n° "_qs),
                 qPrintable(f.refused.front().text()));
        return;
    }
    QCOMPARE(f.entrants.size(), size_t(1));
    const Entrant& e = f.entrants.front();
    QCOMPARE(calc::shoeingName(e.shoeing), row.shoeing);
    QCOMPARE(e.shoeingNote, row.note);
    QCOMPARE(e.weight.value_or(-1), row.weight);
    QCOMPARE(e.distanceRun.value_or(-1), row.distanceRun);
    QCOMPARE(e.time.value_or(-1), row.time);
    QCOMPARE(e.reduction.value_or(-1), row.reduction);
    QCOMPARE(e.place, row.place);
    QCOMPARE(e.status ? history::statusName(*e.status) : u"—"_qs, row.status);
    QCOMPARE(e.scratched, row.scratched);
}

void TestImports::odds_data() {
    QTest::addColumn<QJsonObject>("changes");
    QTest::addColumn<double>("reference"); // -1: none
    QTest::addColumn<double>("direct");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("blinkers"); // as the sheet names them
    const auto rapport = [](const QJsonValue& v) { return QJsonObject{{u"rapport"_qs, v}}; };
    QTest::newRow("the morning's and the latest, the trainer, australian blinkers")
        << QJsonObject{{u"dernierRapportReference"_qs, rapport(9.2)},
                       {u"dernierRapportDirect"_qs, rapport(12.5)},
                       {u"entraineur"_qs, u"J.-M. BAZIRE"_qs},
                       {u"oeilleres"_qs, u"OEILLERES_AUSTRALIENNES"_qs}}
        << 9.2 << 12.5 << QString() << u"œillères australiennes"_qs;
    QTest::newRow("the morning's alone, blinkers")
        << QJsonObject{{u"dernierRapportReference"_qs, rapport(3.1)},
                       {u"oeilleres"_qs, u"OEILLERES_CLASSIQUES"_qs}}
        << 3.1 << -1.0 << QString() << u"œillères"_qs;
    QTest::newRow("none, without blinkers") << QJsonObject{{u"oeilleres"_qs, u"SANS_OEILLERES"_qs}}
                                            << -1.0 << -1.0 << QString() << u"sans"_qs;
    QTest::newRow("blinkers of an unknown kind: none known, the runner kept")
        << QJsonObject{{u"oeilleres"_qs, u"OEILLERES_EN_OR"_qs}} << -1.0 << -1.0 << QString()
        << QString();
    QTest::newRow("below 1: refused, the field named")
        << QJsonObject{{u"dernierRapportDirect"_qs, rapport(0.5)}} << -1.0 << -1.0
        << u"dernierRapportDirect.rapport"_qs << QString();
    QTest::newRow("odds as a text: refused")
        << QJsonObject{{u"dernierRapportReference"_qs, rapport(u"9,2"_qs)}} << -1.0 << -1.0
        << u"dernierRapportReference.rapport"_qs << QString();
}

void TestImports::odds() {
    QFETCH(QJsonObject, changes);
    QFETCH(double, reference);
    QFETCH(double, direct);
    QFETCH(QString, refused);
    QFETCH(QString, blinkers);
    const FileRead f =
        imports::readFile(u"partants.json"_qs,
                          bytesOf({{u"participants"_qs, QJsonArray{with(BaseEntrant, changes)}}}));
    QCOMPARE(refusalField(f), refused);
    if (!refused.isEmpty())
        return;
    const Entrant& e = f.entrants.at(0);
    QCOMPARE(e.oddsReference.value_or(-1), reference);
    QCOMPARE(e.oddsDirect.value_or(-1), direct);
    QCOMPARE(e.trainer, changes[u"entraineur"_qs].toString());
    // Onto the sheet with its reference typed there: computed, its odds kept.
    Workplace w(RaceSheet{.distance = u"2700"_qs, .discipline = TrotHarness});
    writeFile(w.dir.filePath(u"partants.json"_qs),
              bytesOf({{u"participants"_qs, QJsonArray{with(BaseEntrant, changes)}}}));
    w.import({w.dir.filePath(u"partants.json"_qs)});
    QCOMPARE(w.sheet().runners.size(), size_t(1));
    Runner typed = w.sheet().runners[0];
    std::tie(typed.race.referenceDistance, typed.race.minutes, typed.race.seconds,
             typed.race.hundredths) = std::tuple{u"2700"_qs, u"3"_qs, u"20"_qs, u"00"_qs};
    const auto out = runnerfigures::compute(typed, w.sheet(), Rules{});
    QVERIFY(out.runner);
    const Runner& computed = *out.runner;
    QCOMPARE(computed.oddsDirect.value_or(-1), direct);
    QCOMPARE(computed.oddsReference.value_or(-1), reference);
    QCOMPARE(computed.trainer, e.trainer);
    QCOMPARE(calc::blinkersName(computed.blinkers), blinkers);
    // The sheet's file keeps them.
    const auto back = racefile::read(racefile::write(w.sheet()));
    QVERIFY(back);
    QCOMPARE(calc::blinkersName(back->runners.at(0).blinkers), blinkers);
}

struct PastRow {
    const char* name;
    QJsonObject race = {}, itself = {};
    QDate date = QDate(2026, 11, 20);
    QString discipline = u"trot attelé"_qs;
    qint64 time = -1, reduction = 7450;
    int place = 2, recul = 0;
    Status status = Status::Placed;
    QString refused = {};
};
Q_DECLARE_METATYPE(PastRow)

void TestImports::performances_data() {
    QTest::addColumn<PastRow>("row");
    const QJsonObject first{{u"place"_qs, 1}, {u"statusArrivee"_qs, u"PLACE"_qs}};
    const qint64 nearMidnight = msOf(QDateTime(QDate(2026, 11, 19), QTime(23, 30), Qt::UTC));
    const auto disc = [](const char* d) {
        return QJsonObject{{u"discipline"_qs, QString::fromUtf8(d)}};
    };
    // clang-format off
    const PastRow rows[] = {
        {"second, its reduction in hundredths per km"},
        {"the winner without a reduction takes the winner's time, in hundredths",
         {}, {{u"place"_qs, first}, {u"reductionKilometrique"_qs, QJsonValue()}}, QDate(2026, 11, 20),
         u"trot attelé"_qs, 20040, -1, 1},
        {"the winner with its reduction keeps both", {}, {{u"place"_qs, first}, {u"reductionKilometrique"_qs, 7420}},
         QDate(2026, 11, 20), u"trot attelé"_qs, 20040, 7420, 1},
        {"a null reduction, not first: neither", {}, {{u"reductionKilometrique"_qs, QJsonValue()}},
         QDate(2026, 11, 20), u"trot attelé"_qs, -1, -1},
        {"the distance run gives the recul", {}, {{u"distanceParcourue"_qs, 2725}}, QDate(2026, 11, 20),
         u"trot attelé"_qs, -1, 7450, 2, 25},
        {"half past midnight in Paris is the next day",
         {{u"date"_qs, nearMidnight}}, {}, QDate(2026, 11, 20)},
        {"the same instant at offset zero", {{u"date"_qs, nearMidnight}, {u"timezoneOffset"_qs, 0}}, {},
         QDate(2026, 11, 19)},
        {"disqualified", {}, {{u"place"_qs, QJsonObject{{u"place"_qs, 0}, {u"statusArrivee"_qs, u"DISQUALIFIE"_qs}}}},
         QDate(2026, 11, 20), u"trot attelé"_qs, -1, 7450, 0, 0, Status::Disqualified},
        {"unplaced", {}, {{u"place"_qs, QJsonObject{{u"statusArrivee"_qs, u"NON_PLACE"_qs}}}},
         QDate(2026, 11, 20), u"trot attelé"_qs, -1, 7450, 0, 0, Status::Unplaced},
        {"mounted", disc("MONTE"), {}, QDate(2026, 11, 20), u"trot monté"_qs},
        {"flat", disc("PLAT"), {}, QDate(2026, 11, 20), u"plat"_qs},
        {"hurdles", disc("HAIE"), {}, QDate(2026, 11, 20), u"haies"_qs},
        {"found by its name without itsHim", {}, {{u"itsHim"_qs, Absent}, {u"nomCheval"_qs, u"Kalinka"_qs}}},
        {"the horse not among the participants", {}, {{u"itsHim"_qs, false}, {u"nomCheval"_qs, u"AUTRE"_qs}},
         {}, {}, -1, -1, 0, 0, Status::Placed, u"participants"_qs},
        {"no date", {{u"date"_qs, Absent}}, {}, {}, {}, -1, -1, 0, 0, Status::Placed, u"date"_qs},
        {"the winner's time in seconds", {{u"tempsDuPremier"_qs, 200.4}}, {}, {}, {}, -1, -1, 0, 0, Status::Placed, u"tempsDuPremier"_qs},
        {"a reduction in ms per km is no reduction in hundredths", {}, {{u"reductionKilometrique"_qs, 74500}},
         {}, {}, -1, -1, 0, 0, Status::Placed, u"reductionKilometrique"_qs},
        {"a place as a text", {}, {{u"place"_qs, QJsonObject{{u"place"_qs, u"2e"_qs}}}},
         {}, {}, -1, -1, 0, 0, Status::Placed, u"place.place"_qs},
        {"an unknown discipline", disc("GALOP"), {}, {}, {}, -1, -1, 0, 0, Status::Placed, u"discipline"_qs},
    };
    // clang-format on
    for (const PastRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestImports::performances() {
    QFETCH(PastRow, row);
    const FileRead f =
        imports::readFile(u"perf.json"_qs, performancesOf(pastRaceWith(row.race, row.itself)));
    QCOMPARE(f.kind, Kind::Performances);
    QCOMPARE(refusalField(f), row.refused);
    if (!row.refused.isEmpty()) {
        QVERIFY(f.runs.empty());
        QVERIFY2(f.refused.front().text().startsWith(u"perf.json, KALINKA, course du "_qs),
                 qPrintable(f.refused.front().text()));
        return;
    }
    QCOMPARE(f.runs.size(), size_t(1));
    const history::Run& r = f.runs.front();
    QCOMPARE(r.horse, u"KALINKA"_qs);
    QCOMPARE(r.date, row.date);
    QCOMPARE(history::disciplineName(r.discipline), row.discipline);
    QCOMPARE(r.distance, 2700);
    QCOMPARE(r.recul, row.recul);
    QCOMPARE(r.time.value_or(-1), row.time);
    QCOMPARE(r.reduction.value_or(-1), row.reduction);
    QCOMPARE(r.place, row.place);
    QCOMPARE(r.status, row.status);
    QCOMPARE(r.weight.value_or(-1), 62.5);
    QCOMPARE(r.rider, u"E. RAFFIN"_qs);
    QCOMPARE(r.allocation.value_or(-1), 40000);
    QCOMPARE(r.runners.value_or(-1), 14);
    QCOMPARE(r.source, history::Source::Import);
}

void TestImports::pastRuns_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>(
        "expected"); // "horse date time reduction discipline rider lengths"
    QTest::addColumn<QStringList>("refused"); // "record, field : reason"
    const QByteArray header = "Cheval;Date;Distance;Chrono;Réduction;Discipline;Driver;Écart\n";
    QTest::newRow("every header form, every time form")
        << QByteArray("CHEVAL; date ;DISTANCE;chrono;REDUCTION;Discipline;JOCKEY; ecart \r\n"
                      "Kalinka;30/11/2026;2700;3'19\"00;1'13\"7;Attelé;E. Raffin;2,5\r\n"
                      "Lotus;2026-11-15;2700;3:19:30;1:13:81;trot monté;;\r\n"
                      "Nectar;;2700;199,5;73,52;PLAT;;\r\n")
        << QStringList{u"Kalinka 2026-11-30 19900 7370 trot attelé E. Raffin 2.5"_qs,
                       u"Lotus 2026-11-15 19930 7381 trot monté  -1"_qs,
                       u"Nectar  19950 7352 plat  -1"_qs}
        << QStringList();
    QTest::newRow("headers with spaces and accents of another form")
        << QByteArray("C h e v a l;DISTANCE;RÉDUCTION\nKalinka;2700;1'14\"5\n")
        << QStringList{u"Kalinka  -1 7450   -1"_qs} << QStringList();
    QTest::newRow("each refused row named by its line")
        << QByteArray(header + "Kalinka;30/11/2026;;3'19\"00;;;;\n"
                               "Lotus;30/11/2026;2700;;;;;\n"
                               "Nectar;31/11/2026;2700;3'19\"00;;;;\n"
                               "Oural;30/11/2026;2700;3'19\"00;;galop;;\n"
                               "Mirage;30/11/2026;2700;3'79\"00;;;;\n"
                               "Jaguar;30/11/2026;2700;3'19\"00;;;;beaucoup\n")
        << QStringList()
        << QStringList{u"ligne 2, distance : manque"_qs,
                       u"ligne 3 : ni chrono ni réduction"_qs,
                       u"ligne 4, date : « 31/11/2026 » ne se lit pas"_qs,
                       u"ligne 5, discipline : « galop » ne se lit pas"_qs,
                       u"ligne 6, chrono : « 3'79\"00 » ne se lit pas"_qs,
                       u"ligne 7, écart : « beaucoup » ne se lit pas"_qs};
}

void TestImports::pastRuns() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, refused);
    const FileRead f = imports::readFile(u"c.csv"_qs, bytes);
    QVERIFY2(f.failure.isEmpty(), qPrintable(f.failure));
    QCOMPARE(f.kind, Kind::PastRuns);
    QStringList runs;
    for (const history::Run& r : f.runs)
        runs << u"%1 %2 %3 %4 %5 %6 %7"_qs.arg(r.horse, r.date.toString(Qt::ISODate))
                    .arg(r.time.value_or(-1))
                    .arg(r.reduction.value_or(-1))
                    .arg(history::disciplineName(r.discipline), r.rider)
                    .arg(r.lengths.value_or(-1));
    QCOMPARE(runs, expected);
    QStringList reasons;
    for (const imports::Refusal& r : f.refused)
        reasons << r.text().mid(u"c.csv, "_qs.size());
    QCOMPARE(reasons, refused);
    for (const history::Run& r : f.runs)
        QCOMPARE(r.source, history::Source::Import);
}

void TestImports::raceCardThroughSpreadsheet() {
    // A sheet written, then saved again by a spreadsheet: Windows-1252, no mark,
    // line feeds, the race's date as JJ/MM/AAAA, no last line end.
    RaceSheet sheet{.name = u"Prix d'Été"_qs,
                    .date = QDate(2026, 12, 8),
                    .hippodrome = u"Vincennes"_qs,
                    .distance = u"2700"_qs,
                    .discipline = TrotHarness,
                    .start = u"volté"_qs};
    for (const char* name : {"Kalinka", "Œdipe"}) {
        Runner r;
        r.number = QString::number(sheet.runners.size() + 1);
        r.name = QString::fromUtf8(name);
        r.race.referenceDistance = u"2700"_qs;
        r.race.minutes = u"3"_qs;
        r.race.seconds = u"19"_qs;
        r.race.hundredths = u"30"_qs;
        r.race.dayDistance = u"2700"_qs;
        r.dayShoeing = calc::Shoeing::D4;
        r.dayRecul = 25;
        r.musique = u"1a Da"_qs;
        sheet.runners.push_back(r);
    }
    QString text = QString::fromUtf8(racefile::write(sheet)).remove(QChar(0xFEFF));
    text.replace(u"\r\n"_qs, u"\n"_qs).replace(u";2026-12-08;"_qs, u";08/12/2026;"_qs).chop(1);
    const FileRead f = imports::readFile(u"card.csv"_qs, cp1252::encode(text));
    QVERIFY2(f.failure.isEmpty(), qPrintable(f.failure));
    QCOMPARE(f.kind, Kind::RaceCard);
    QVERIFY(f.card);
    QCOMPARE(*f.card, sheet);
    // The sheet's own file stays strict: the same bytes are not a sheet file.
    QVERIFY(!racefile::read(cp1252::encode(text)));
}

void TestImports::meetingImported() {
    Workplace w;
    const ImportSummary s = w.import(Meeting);
    QCOMPARE(s.text(), u"6 partants, 25 courses passées (3 déjà connues), 0 refusée"_qs);
    QCOMPARE(s.filesRead, 5);
    // Today's race from the programme, the runners of its participants file (the
    // non-runner left out), with their shoeing and the recul of 2725 m to run.
    const RaceSheet& sheet = w.sheet();
    QCOMPARE(sheet.name, u"PRIX DE LILLE"_qs);
    QCOMPARE(sheet.date, QDate(2026, 12, 8));
    QCOMPARE(sheet.hippodrome, u"VINCENNES"_qs);
    QCOMPARE(sheet.distance, u"2700"_qs);
    QCOMPARE(sheet.discipline, TrotHarness);
    QCOMPARE(sheet.start, u"volté"_qs);
    QCOMPARE(runnersOf(sheet),
             (QStringList{u"1 KALINKA DU VAL ferré "_qs, u"2 LOTUS D'OR D4 "_qs,
                          u"3 NECTAR BLEU DP "_qs, u"4 JAGUAR ROYAL D4 25"_qs,
                          u"5 OURAL ferré 25"_qs, u"6 MIRAGE DES PRES DP 25"_qs}));
    // Each fed from its comparable runs, with its musique and warnings.
    QCOMPARE(sheet.runners[1].served, u"15/11/2026 VINCENNES"_qs);
    QCOMPARE(sheet.runners[0].musique, u"2a1a3a(25)4a"_qs);
    QCOMPARE(sheet.runners[1].alerts, u"déferré des 4 pour la première fois"_qs);
    QCOMPARE(sheet.runners[2].alerts, u"disqualifié 2 fois sur ses 4 dernières courses"_qs);
    QCOMPARE(sheet.runners[3].alerts, QString()); // D4 before, from the CSV
    QCOMPARE(sheet.runners[4].alerts, u"change de discipline : monté la dernière fois"_qs);
    // Written to the sheet's file.
    const auto file = racefile::read(bytesOfFile(w.state.raceDay().path));
    QVERIFY(file && *file == sheet);
    // The race already run: each runner's result, the disqualified one without a
    // time, the winner with its own; a past race's winner takes the winner's time.
    const auto duc = w.runsOf("DUC DE L'ISLE");
    QCOMPARE(duc.size(), size_t(1));
    QCOMPARE(duc[0].status, Status::Disqualified);
    QVERIFY(!duc[0].time && !duc[0].reduction);
    QCOMPARE(duc[0].note, u"DISQUALIFIE_POUR_ALLURE_IRREGULIERE"_qs);
    const history::Run corail = w.runsOf("CORAIL").at(0);
    QCOMPARE(corail.place, 1);
    QCOMPARE(corail.time.value_or(0), 15130);
    QCOMPARE(corail.reduction.value_or(0), 7200);
    QCOMPARE(corail.shoeing, calc::Shoeing::DA);
    QCOMPARE(corail.start, calc::Start::Autostart);
    QCOMPARE(corail.distance, 2100);
    QCOMPARE(corail.date, QDate(2026, 12, 8));
    QCOMPARE(corail.runners.value_or(0), 4);
    const auto kalinka = w.runsOf("Kalinka du Val");
    QCOMPARE(kalinka.size(), size_t(3));
    QCOMPARE(kalinka[1].date, QDate(2026, 10, 30));
    QCOMPARE(kalinka[1].time.value_or(0), 21290);
    QCOMPARE(kalinka[1].recul, 25);
    // A run both files hold, stored once, completed with the CSV's shoeing.
    const auto lotus = w.runsOf("LOTUS D'OR");
    QCOMPARE(lotus.size(), size_t(3));
    QCOMPARE(lotus[0].shoeing, calc::Shoeing::Shod);
    QCOMPARE(lotus[0].reduction.value_or(0), 7380);
}

void TestImports::importedTwice() {
    Workplace w;
    (void)w.import(Meeting);
    const RaceSheet first = w.sheet();
    const ImportSummary again = w.import(Meeting);
    QCOMPARE(again.text(), u"6 partants, 25 courses passées (25 déjà connues), 0 refusée"_qs);
    QCOMPARE(w.sheet(), first);
    QCOMPARE(w.runsOf("KALINKA DU VAL").size(), size_t(3));
    QVERIFY(w.dialogs.shown.isEmpty()); // the same race: nothing asked
}

void TestImports::reimportKeepsTyped_data() {
    QTest::addColumn<int>("runner"); // on the sheet, LOTUS D'OR: 2, D4
    QTest::addColumn<RunnerField>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after"); // "N° name shoeing recul" once imported again
    QTest::addColumn<QString>("said");  // the summary's line; empty: none
    using F = RunnerField;
    QTest::newRow("a shoeing typed kept, said")
        << 1 << F::DayShoeing << u"DA"_qs << u"2 LOTUS D'OR DA "_qs
        << u"« LOTUS D'OR » : ferrure DA gardée (le fichier dit D4)"_qs;
    QTest::newRow("ferré typed: the file's déferrage taken, said")
        << 1 << F::DayShoeing << u"ferré"_qs << u"2 LOTUS D'OR D4 "_qs
        << u"« LOTUS D'OR » : ferrure D4 prise du fichier (ferré sur la feuille)"_qs;
    QTest::newRow("a recul typed kept, said")
        << 3 << F::DayRecul << u"50"_qs << u"4 JAGUAR ROYAL D4 50"_qs
        << u"« JAGUAR ROYAL » : recul 50 m gardé (le fichier dit 25 m)"_qs;
    QTest::newRow("a N° typed kept, said") << 4 << F::Number << u"9"_qs << u"9 OURAL ferré 25"_qs
                                           << u"« OURAL » : n° 9 gardé (le fichier dit 5)"_qs;
}

void TestImports::reimportKeepsTyped() {
    QFETCH(int, runner);
    QFETCH(RunnerField, field);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(QString, said);
    Workplace w;
    (void)w.import(Meeting);
    w.dialogs.choices = {0}; // Oui to a slip's question
    QVERIFY(editRunner(w.state.raceDay(), size_t(runner), field, typed, {}, w.dialogs));
    w.state.sheetEdited();
    const ImportSummary again = w.import(Meeting);
    QCOMPARE(runnersOf(w.sheet()).at(runner), after);
    QVERIFY2(again.reasons.contains(said), qPrintable(again.text()));
}

void TestImports::anotherRace_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("a new race, the other archived") << 0 << true;
    QTest::newRow("cancelled: the sheet as it was") << int(ScriptedDialogs::Escape) << false;
}

void TestImports::anotherRace() {
    QFETCH(int, choice);
    QFETCH(bool, replaced);
    Runner eclair;
    eclair.name = u"ECLAIR"_qs;
    const RaceSheet before{.name = u"Prix de Diane"_qs,
                           .date = QDate(2026, 12, 7),
                           .hippodrome = u"Chantilly"_qs,
                           .distance = u"2100"_qs,
                           .runners = {eclair}};
    Workplace w(before);
    w.dialogs.choices = {choice};
    const ImportSummary s = w.import(Meeting);
    QCOMPARE(w.dialogs.shown.size(), 1);
    QVERIFY(w.dialogs.lastText().startsWith(
        u"La course importée (PRIX DE LILLE, VINCENNES, 08/12/2026) n'est pas celle de la "
        u"feuille (Prix de Diane, Chantilly, 07/12/2026)."_qs));
    QCOMPARE(w.dialogs.shown.last().choices, (QStringList{u"Nouvelle course"_qs, u"Annuler"_qs}));
    const QStringList archived = QDir(w.dir.filePath(u"courses"_qs)).entryList(QDir::Files);
    QCOMPARE(archived.size(), replaced ? 1 : 0);
    QCOMPARE(w.sheet().runners.size(), replaced ? size_t(6) : size_t(1));
    QCOMPARE(s.runners, replaced ? 6 : 0);
    QCOMPARE(
        s.reasons.contains(
            u"partants non placés : la feuille garde sa course (les courses passées et les résultats sont tout de même gardés)"_qs),
        !replaced);
    // The past runs are the horses' whatever the sheet: stored either way.
    QCOMPARE(w.runsOf("KALINKA DU VAL").size(), size_t(3));
}

void TestImports::raceChosen_data() {
    QTest::addColumn<QString>("answer"); // to the question, or on the command line
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("race"); // on the sheet after; empty: no runner placed
    QTest::addColumn<QString>("reason");
    QTest::newRow("asked, R1C4 typed") << u"R1C4"_qs << true << u"PRIX DE LILLE"_qs << QString();
    QTest::newRow("asked, its line chosen") << u"R1C4  PRIX DE LILLE (2700 m, trot attelé)"_qs
                                            << true << u"PRIX DE LILLE"_qs << QString();
    QTest::newRow("asked, typed in lower case")
        << u" r1c4"_qs << true << u"PRIX DE LILLE"_qs << QString();
    QTest::newRow("asked, cancelled")
        << ScriptedDialogs::Cancel << true << QString()
        << u"partants non placés : aucune course du programme choisie"_qs;
    QTest::newRow("asked, a race not in it")
        << u"R9C9"_qs << true << QString() << u"aucune course R9C9 dans le programme"_qs;
    QTest::newRow("named on the command line")
        << u"R1C4"_qs << false << u"PRIX DE LILLE"_qs << QString();
}

void TestImports::raceChosen() {
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(QString, race);
    QFETCH(QString, reason);
    Workplace w;
    // A participants file that says nothing of its race: neither its name, nor
    // casaques, nor the distance its runners run.
    const QString renamed = w.dir.filePath(u"partants.json"_qs);
    QJsonObject kalinka = BaseEntrant;
    kalinka.remove(u"handicapDistance"_qs);
    writeFile(renamed, bytesOf({{u"participants"_qs, QJsonArray{kalinka}}}));
    w.dialogs.promptTexts = {answer};
    const ImportSummary s = w.import({Meeting[0], renamed}, asked ? QString() : answer);
    QCOMPARE(w.dialogs.shown.size(), asked ? 1 : 0);
    if (asked)
        QVERIFY(w.dialogs.shown[0].text.startsWith(
            u"Le programme compte 3 courses. Quelle course mettre sur la feuille (R1C3) ?\n"
            u"R1C1  PRIX DE BRETAGNE (2100 m, trot attelé)\n"_qs));
    QCOMPARE(w.sheet().name, race);
    QCOMPARE(w.sheet().runners.size(), race.isEmpty() ? size_t(0) : size_t(1));
    QCOMPARE(s.reasons.contains(reason), !reason.isEmpty());
}

void TestImports::raceFound_data() {
    QTest::addColumn<QString>("file");    // the participants file's name
    QTest::addColumn<QString>("casaque"); // its runners' casaque address, if any
    QTest::addColumn<int>("distance");    // their handicapDistance; 0: none
    QTest::addColumn<QString>("race");    // on the sheet after; empty: none
    QTest::addColumn<QString>("said");    // the question or reason, its start
    const QString none;
    // The programme: R1C4 PRIX DE LILLE and R1C5 PRIX DE METZ, both 2700 m.
    QTest::newRow("its name as saved: participants_R1_C4")
        << u"participants_R1_C4.json"_qs << none << 2700 << u"PRIX DE LILLE"_qs << none;
    QTest::newRow("its name: r1-c5, lower case")
        << u"course r1-c5.json"_qs << none << 2700 << u"PRIX DE METZ"_qs << none;
    QTest::newRow("its casaques' address, whatever its name")
        << u"partants.json"_qs << u"https://www.pmu.fr/back/casaques/08122026/R1/C5/P4.png"_qs
        << 2700 << u"PRIX DE METZ"_qs << none;
    QTest::newRow("its runners: the only race of 2100 m")
        << u"partants.json"_qs << none << 2100 << u"PRIX DE BRETAGNE"_qs << none;
    QTest::newRow("its runners fit two races: asked among those two")
        << u"partants.json"_qs << none << 2700 << QString()
        << u"Les partants importés conviennent à 2 courses du programme."_qs;
}

void TestImports::raceFound() {
    QFETCH(QString, file);
    QFETCH(QString, casaque);
    QFETCH(int, distance);
    QFETCH(QString, race);
    QFETCH(QString, said);
    Workplace w;
    QJsonObject second = BaseRace;
    second[u"numOrdre"_qs] = 5;
    second[u"libelle"_qs] = u"PRIX DE METZ"_qs;
    QJsonObject third = BaseRace;
    third[u"numOrdre"_qs] = 1;
    third[u"libelle"_qs] = u"PRIX DE BRETAGNE"_qs;
    third[u"distance"_qs] = 2100;
    QJsonObject programme = programmeWith(BaseRace);
    QJsonObject meeting = programme[u"programme"_qs][u"reunions"_qs][0].toObject();
    meeting[u"courses"_qs] = QJsonArray{BaseRace, second, third};
    programme[u"programme"_qs] = QJsonObject{{u"reunions"_qs, QJsonArray{meeting}}};
    QJsonObject kalinka = BaseEntrant;
    kalinka[u"handicapDistance"_qs] = distance;
    if (!casaque.isEmpty())
        kalinka[u"urlCasaque"_qs] = casaque;
    writeFile(w.dir.filePath(u"programme_08122026.json"_qs), bytesOf(programme));
    writeFile(w.dir.filePath(file), bytesOf({{u"participants"_qs, QJsonArray{kalinka}}}));
    const ImportSummary s =
        w.import({w.dir.filePath(u"programme_08122026.json"_qs), w.dir.filePath(file)});
    QCOMPARE(w.dialogs.shown.isEmpty() ? QString() : w.dialogs.shown[0].text.left(said.size()),
             said);
    QCOMPARE(w.sheet().name, race);
    if (!said.isEmpty()) // on the command line: the candidates and the way to name one
        QVERIFY2(s.text().contains(u"--numero R1C4"_qs), qPrintable(s.text()));
}

void TestImports::nothingRead() {
    Workplace w;
    const QString junk = w.dir.filePath(u"junk.json"_qs);
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\"programme\": {\"reunions\": [");
    f.close();
    // A file too large is refused from its size, never read into memory.
    QFile large(w.dir.filePath(u"gros.json"_qs));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(9 * 1024 * 1024));
    large.close();
    const ImportSummary s = w.import({w.dir.filePath(u"absent.json"_qs), junk, large.fileName()});
    QCOMPARE(s.filesRead, 0);
    QCOMPARE(s.text(), u"0 partant, 0 course passée (0 déjà connue), 0 refusée\n"
                       u"absent.json : fichier introuvable\n"
                       u"junk.json : JSON illisible (coupé ou abîmé) près de l'octet 28\n"
                       u"gros.json : fichier trop gros pour être importé (9,0 Mo ; la limite est "
                       u"de 8 Mo)"_qs);
    QCOMPARE(w.sheet(), RaceSheet{});
}

void TestImports::cardOpensAsSheet() {
    // A race prepared in a spreadsheet, in the sheet's format: it becomes the sheet.
    RaceSheet card{.name = u"Prix du Tableur"_qs,
                   .date = QDate(2026, 12, 8),
                   .hippodrome = u"Enghien"_qs,
                   .distance = u"2150"_qs,
                   .discipline = TrotHarness,
                   .start = u"autostart"_qs};
    Runner r;
    r.name = u"Tableur"_qs;
    r.race.referenceDistance = u"2150"_qs;
    r.race.minutes = u"2"_qs;
    r.race.seconds = u"40"_qs;
    r.race.hundredths = u"00"_qs;
    r.race.referenceWeight = r.race.dayWeight = u"60"_qs;
    r.race.dayDistance = u"2150"_qs; // the race's distance, as each row carries it
    r.dayShoeing = calc::Shoeing::DA;
    card.runners.push_back(r);
    Workplace w;
    const QString path = w.dir.filePath(u"preparee.csv"_qs);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(racefile::write(card));
    f.close();
    const ImportSummary s = w.import({path});
    QCOMPARE(s.text(), u"1 partant, 0 course passée (0 déjà connue), 0 refusée"_qs);
    QCOMPARE(w.sheet().name, card.name);
    QCOMPARE(w.sheet().start, card.start);
    QCOMPARE(w.sheet().runners.size(), size_t(1));
    const Runner& placed = w.sheet().runners.front();
    QCOMPARE(placed.dayShoeing, calc::Shoeing::DA);
    QCOMPARE(placed.race.minutes, u"2"_qs);
    // Computed for the race: 160 s over 2150 m.
    QCOMPARE(placed.reduction, u"1:14:42"_qs);
}

void TestImports::runnersAwaitingReference() {
    // Runners imported with no run in the history have no reference race yet:
    // the sheet keeps them through a new start and a change of the race.
    Workplace w;
    (void)w.import({Meeting[0], Meeting[1]});
    QCOMPARE(w.sheet().runners.size(), size_t(6));
    QVERIFY(w.sheet().runners[0].estimate.isEmpty());
    QCOMPARE(w.sheet().runners[0].served, u"aucune course comparable"_qs);
    const Rules rules{w.state.scale(), w.state.corrections()};
    (void)recomputeSheet(w.state.raceDay(), rules, w.dialogs, QDateTime());
    QCOMPARE(w.sheet().runners.size(), size_t(6));
    RaceSheet longer = w.sheet();
    longer.distance = u"2850"_qs;
    QVERIFY(editRace(w.state.raceDay(), longer, rules, w.dialogs));
    QCOMPARE(w.sheet().runners.size(), size_t(6));
    QCOMPARE(w.sheet().runners[0].race.dayDistance, u"2850"_qs);
    QVERIFY(w.dialogs.shown.isEmpty());
}

void TestImports::participantsAlone_data() {
    QTest::addColumn<QString>("onSheet"); // the horse already on the sheet
    QTest::addColumn<bool>("asked");
    QTest::newRow("one of its horses on the sheet: the same race") << u"Kalinka du Val"_qs << false;
    QTest::newRow("none of them: asked first") << u"ECLAIR"_qs << true;
}

void TestImports::participantsAlone() {
    // A participants file without its programme: the runners of the race on the
    // sheet, whose distance gives their recul and discipline their shoeing.
    QFETCH(QString, onSheet);
    QFETCH(bool, asked);
    Runner r;
    r.name = onSheet;
    Workplace w(RaceSheet{.name = u"Prix de Lille"_qs,
                          .date = QDate(2026, 12, 8),
                          .hippodrome = u"Vincennes"_qs,
                          .distance = u"2700"_qs,
                          .discipline = TrotHarness,
                          .runners = {r}});
    w.dialogs.choices = {0};
    const ImportSummary s = w.import({Meeting[1]});
    QCOMPARE(w.dialogs.shown.size(), asked ? 1 : 0);
    QCOMPARE(s.runners, 6);
    const QStringList expected{u"1 KALINKA DU VAL ferré "_qs, u"2 LOTUS D'OR D4 "_qs,
                               u"3 NECTAR BLEU DP "_qs,       u"4 JAGUAR ROYAL D4 25"_qs,
                               u"5 OURAL ferré 25"_qs,        u"6 MIRAGE DES PRES DP 25"_qs};
    QStringList placed = runnersOf(w.sheet());
    if (!asked) // the horse on the sheet keeps its name as typed, takes the file's N°
        placed.replace(0, placed[0].replace(u"Kalinka du Val"_qs, u"KALINKA DU VAL"_qs));
    // A new race the files do not name: today's date, the rest to type, no recul
    // counted from the other race's distance.
    QCOMPARE(placed, asked ? QStringList(expected).replaceInStrings(u" 25"_qs, u" "_qs) : expected);
    QCOMPARE(w.sheet().date, QDate(2026, 12, 8));
}

QTEST_GUILESS_MAIN(TestImports)
#include "tst_imports.moc"
