// The day's race sheet's commands and its file, with two copies of the program
// at work on it.
#include "logichelpers.h"
#include "racedayfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

Runner runner(const QString& name, double estimate, const QString& distance = u"2400"_qs) {
    Runner r;
    r.name = name;
    r.race.dayDistance = distance;
    r.estimateHundredths = estimate;
    r.estimate = QString::number(estimate);
    return r;
}

QStringList namesOf(const RaceSheet& sheet) {
    QStringList names;
    for (const Runner& r : sheet.runners)
        names << r.name + u':' + QString::number(r.estimateHundredths);
    return names;
}

RaceSheet sheetOn(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return racefile::read(f.readAll()).value_or(RaceSheet{.name = u"<illisible>"_qs});
}

// What each copy does between reading the file and writing it again.
enum class Change { Add, Replace, NewRace, Garble };
void apply(RaceDay& day, Change change, const Runner& r) {
    switch (change) {
    case Change::Add:
        day.sheet.runners.push_back(r);
        break;
    case Change::Replace:
        day.sheet.runners.front() = r;
        break;
    case Change::NewRace:
        day.sheet =
            RaceSheet{.date = QDate(2026, 12, 8), .distance = r.race.dayDistance, .runners = {r}};
        break;
    case Change::Garble:
        break;
    }
}

} // namespace

struct TwoCopiesRow {
    const char* name;
    Change other = {}; // the other copy's change, saved first
    Runner theirs = {};
    Change ours = {}; // then this copy's, saved over it
    Runner mine = {};
    QList<int> answers = {}; // to this copy's questions
    QStringList file = {};   // afterwards, "Name:estimate" in order
    int questions = 0;
    bool aside = false; // a file set aside, holding what was not kept
};
Q_DECLARE_METATYPE(TwoCopiesRow)

struct AddRunnerRow {
    const char* name;
    QStringList onSheet = {}; // runners already there, "name:day's distance"
    QStringList changes = {}; // typed after the calculation; "-": none run; "calcul:x=y": before it
    QStringList answers = {}; // name, going
    int choice = {};          // answer to a question, if one comes
    QStringList shown = {};   // texts of the dialogs, in order
    QStringList after = {};   // the sheet: "name estimate", in the order added
    bool alsoList = false;    // "Ajouter aussi à la liste des chevaux"
    QString listLine = {};    // the line for the list, if any
    QList<Dialogs::Answer> messages = {}; // answers to OK/Cancel messages
    QStringList offered = {};             // the prompts' starting texts, when checked
};
Q_DECLARE_METATYPE(AddRunnerRow)

struct RaceDayFileRow {
    const char* name;
    QByteArray content = {}; // of coursedujour.csv at start; "-": none
    int runners = {};        // read from it
    bool renamed = {};       // set aside, with a message
};
Q_DECLARE_METATYPE(RaceDayFileRow)

class TestRaceDay : public QObject {
    Q_OBJECT

  private slots:
    void goingOffered_data();
    void goingOffered();
    void addRunner_data();
    void addRunner();
    void raceDayFile_data();
    void raceDayFile();
    void twoCopies_data();
    void twoCopies();
    void twoProcesses();
};

void TestRaceDay::addRunner_data() {
    QTest::addColumn<AddRunnerRow>("row");
    const QString name = u"Entrer le nom du cheval"_qs, going = u"Entrer l'état du terrain"_qs;
    const QString nodistance =
        u"Aucun chrono estimé pour la course du jour : saisissez sa distance avant "
        u"d'ajouter ce cheval à la course du jour."_qs;
    const QString seconds =
        u"Le nombre de secondes du chrono de référence (75) est inhabituel : les secondes "
        u"vont de 0 à 59. Calculer quand même ?"_qs;
    const QString known =
        u"« Eclair » est déjà dans la course du jour. Remplacer sa ligne, ajouter une deuxième "
        u"ligne (une autre course de référence du même cheval) ou annuler ?"_qs;
    const QString other =
        u"« Eclair » était calculé pour 2400 m ; la course du jour est de 2000 m : il y "
        u"est compté pour 2000 m (chrono estimé 2'31\"61)."_qs;
    const QString advice =
        u"vous allez ajouter une réduction calculé sur un chrono avec longueur ceci est "
        u"non recommandé, voulez vous continuer?"_qs;
    const QString line = u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs;
    const int Escape = ScriptedDialogs::Escape, Enter = ScriptedDialogs::Enter;
    // clang-format off
    const AddRunnerRow rows[] = {
        {.name = "added", .answers = QStringList{"Eclair", "bon"}, .choice = Escape,
         .shown = QStringList{name, going}, .after = QStringList{"Eclair 03:01:80"}},
        {.name = "Cancel on the going: nothing added", .answers = QStringList{"Eclair", ScriptedDialogs::Cancel},
         .choice = Escape, .shown = QStringList{name, going}},
        {.name = "Cancel on the name: nothing added, no second prompt",
         .answers = QStringList{ScriptedDialogs::Cancel}, .choice = Escape, .shown = QStringList{name}},
        {.name = "added after the others", .onSheet = QStringList{"Bolide:2400"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Bolide 00:00:00", "Eclair 03:01:80"}},
        // Without an estimate of the boxes as they stand, calculated first.
        {.name = "no calculation yet: calculated first", .changes = QStringList{"-"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:01:80"}},
        // 2400 × 160,5 ÷ 2100 + 0,66 = 184,09
        {.name = "stale: the reference time corrected, calculated again", .changes = QStringList{"Tseconde=40"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:04:09"}},
        // 181,14 + 2 kg ÷ 1,5 cut to 1,33
        {.name = "stale: the day's weight changed, calculated again", .changes = QStringList{"tpoids2=59"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:02:47"}},
        {.name = "no day's distance: told, nothing added", .changes = QStringList{"Tdistance2="},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{nodistance}},
        {.name = "an unusual value questioned first, Non: nothing added", .changes = QStringList{"Tseconde=75"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{seconds}},
        {.name = "the going offered as the last runner's", .onSheet = QStringList{"Bolide:2400"},
         .answers = QStringList{"Eclair", "souple"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Bolide 00:00:00", "Eclair 03:01:80"}, .offered = QStringList{"", "souple"}},
        {.name = "the margin does not count for the plain time", .changes = QStringList{"TNbrLongueur=3"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:01:80"}},
        {.name = "stale: another scale chosen, calculated under it",
         .changes = QStringList{"bareme=terrain poids-distance"}, .answers = QStringList{"Eclair", "bon"},
         .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:01:42 [6 L/s (plat, bon) · 0,58 kg/L (2400 m)] 6"}},
        {.name = "the runner keeps its scale", .changes = QStringList{"calcul:bareme=terrain poids-distance"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going},
         .after = QStringList{"Eclair 03:01:42 [6 L/s (plat, bon) · 0,58 kg/L (2400 m)] 6"}},
        {.name = "empty name: nothing added", .answers = QStringList{"", "bon"}, .choice = Escape,
         .shown = QStringList{name, going}},
        {.name = "line break in the name refused", .answers = QStringList{"Ecl\nair", "bon"}, .choice = Escape,
         .shown = QStringList{name, going,
           u"Le cheval n'a pas été ajouté : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs}},
        {.name = "same horse: replace its row", .onSheet = QStringList{"Eclair:2400", "Bolide:2400"},
         .answers = QStringList{"Eclair", "bon"}, .shown = QStringList{name, going, known},
         .after = QStringList{"Eclair 03:01:80", "Bolide 00:00:00"}},
        {.name = "same horse: a second row", .onSheet = QStringList{"Eclair:2400"},
         .answers = QStringList{"Eclair", "bon"}, .choice = 1, .shown = QStringList{name, going, known},
         .after = QStringList{"Eclair 00:00:00", "Eclair 03:01:80"}},
        {.name = "same horse: cancel", .onSheet = QStringList{"Eclair:2400"}, .answers = QStringList{"Eclair", "bon"},
         .choice = 2, .shown = QStringList{name, going, known}, .after = QStringList{"Eclair 00:00:00"}},
        {.name = "same horse: Escape cancels", .onSheet = QStringList{"Eclair:2400"},
         .answers = QStringList{"Eclair", "bon"}, .choice = Escape, .shown = QStringList{name, going, known},
         .after = QStringList{"Eclair 00:00:00"}},
        {.name = "same horse: Enter cancels", .onSheet = QStringList{"Eclair:2400"},
         .answers = QStringList{"ECLAIR", "bon"}, .choice = Enter, .shown = QStringList{name, going, known},
         .after = QStringList{"Eclair 00:00:00"}},
        {.name = "another distance: computed for the race's", .onSheet = QStringList{"Bolide:2000"},
         .answers = QStringList{"Eclair", "bon"}, .shown = QStringList{name, going, other},
         .after = QStringList{"Bolide 00:00:00", "Eclair 02:31:61"}},
        {.name = "one entry: the list's line too", .answers = QStringList{"Eclair", "bon"}, .choice = Escape,
         .shown = QStringList{name, going}, .after = QStringList{"Eclair 03:01:80"}, .alsoList = true,
         .listLine = line},
        {.name = "one entry: cancelled, nothing for the list", .answers = QStringList{ScriptedDialogs::Cancel},
         .choice = Escape, .shown = QStringList{name}, .alsoList = true},
        {.name = "one entry: a reduction with lengths advised against, Cancel",
         .changes = QStringList{"calcul:TNbrLongueur=3", "calcul:Opt_chronok=0"}, .answers = QStringList{"Eclair", "bon"},
         .choice = Escape, .shown = QStringList{name, going, advice}, .after = QStringList{"Eclair 03:01:80"},
         .alsoList = true, .messages = {Dialogs::Answer::Cancel}},
        {.name = "one entry: a reduction with lengths advised against, OK",
         .changes = QStringList{"calcul:TNbrLongueur=3", "calcul:Opt_chronok=0"}, .answers = QStringList{"Eclair", "bon"},
         .choice = Escape, .shown = QStringList{name, going, advice}, .after = QStringList{"Eclair 03:01:80"},
         .alsoList = true, .listLine = u"1:16:43 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs},
    };
    // clang-format on
    for (const AddRunnerRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRaceDay::addRunner() {
    QFETCH(AddRunnerRow, row);

    QTemporaryDir folder;
    RaceDay day{RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7)},
                folder.filePath("coursedujour.csv")};
    for (const QString& r : row.onSheet) {
        day.sheet.distance = r.section(u':', 1);
        Runner runner;
        runner.name = r.section(u':', 0, 0);
        runner.race.dayDistance = r.section(u':', 1);
        runner.estimate = u"00:00:00"_qs;
        runner.going = u"souple"_qs;
        day.sheet.runners.push_back(runner);
    }
    FchronoLogic logic = logicWith({"Tdistance=2100", "Tpoids=57", "Tminute=2", "Tseconde=38",
                                    "tcentieme=50", "Tdistance2=2400", "tpoids2=58"});
    for (const QString& change : row.changes)
        if (change.startsWith(u"calcul:"))
            logic = logicWith({change.mid(7)}, std::move(logic));
    if (row.changes != QStringList{"-"}) {
        ScriptedDialogs quiet;
        logic.Btcalcul_Click(quiet);
        for (const QString& change : row.changes)
            if (!change.startsWith(u"calcul:"))
                logic = logicWith({change}, std::move(logic));
    }
    ScriptedDialogs dialogs;
    dialogs.promptTexts = row.answers;
    dialogs.choices = {row.choice};
    dialogs.answers = row.messages;
    const RaceSheet before = day.sheet;
    const AddedRunner added = Bt_AjouteCourse_Click(logic, day, row.alsoList, dialogs);
    QCOMPARE(added.correct, row.shown.value(0).contains(u"(75)"_qs) ? u"Tseconde"_qs : QString());
    QCOMPARE(added.listLine.value_or(QString()), row.listLine);
    if (!row.offered.isEmpty())
        QCOMPARE(dialogs.initialTexts, row.offered);

    QStringList texts;
    for (const ShownDialog& d : dialogs.shown)
        texts << d.text;
    QCOMPARE(texts, row.shown);
    QStringList sheet;
    for (const Runner& r : day.sheet.runners)
        sheet << r.name + u' ' + r.estimate +
                     (r.scale == OriginalScale
                          ? QString()
                          : u" ["_qs + r.scale + u"] "_qs + QString::number(r.lengthsPerSecond));
    QCOMPARE(sheet, row.after);
    QCOMPARE(added.changed, !(day.sheet == before));
    // Every change is in the file at once; without one, no file is written.
    const auto onDisk = racefile::read(readFile(day.path));
    QCOMPARE(QFileInfo::exists(day.path), added.changed);
    if (added.changed) {
        QVERIFY(onDisk && onDisk->runners == day.sheet.runners);
        const Runner& last = day.sheet.runners.back();
        if (last.estimate == u"03:01:80" && !last.race.reductionWithLengths) {
            QCOMPARE(last.estimateHundredths, 18180.0);
            QCOMPARE(last.reduction, u"1:15:48"_qs);
            QCOMPARE(last.going, row.answers.value(1));
            QCOMPARE(last.race.dayWeight, u"58"_qs);
        }
    }
}

void TestRaceDay::raceDayFile_data() {
    QTest::addColumn<RaceDayFileRow>("row");
    // clang-format off
    const RaceDayFileRow rows[] = {
        {.name = "no file: an empty sheet", .content = QByteArray("-")},
        {.name = "a sheet written before",
         .content = racefile::write(RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7), .runners = {named(u"Eclair"_qs)}}), .runners = 1},
        {.name = "edited by hand", .content = QByteArray("cheval;chrono\r\nEclair;3:01\r\n"), .renamed = true},
        {.name = "cut short",
         .content = racefile::write(RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7), .runners = {named(u"Eclair"_qs)}}) .chopped(9),
         .renamed = true},
        {.name = "empty file", .renamed = true},
    };
    // clang-format on
    for (const RaceDayFileRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRaceDay::raceDayFile() {
    QFETCH(RaceDayFileRow, row);
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    if (row.content != "-") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(row.content);
    }
    ScriptedDialogs dialogs;
    const QDateTime now(QDate(2026, 12, 7), QTime(19, 30, 5));
    const RaceDay day = loadRaceDay(path, dialogs, now);
    QCOMPARE(day.sheet.runners.size(), size_t(row.runners));
    QCOMPARE(day.sheet.date, QDate(2026, 12, 7));
    const QString aside = folder.filePath("coursedujour-illisible-20261207-193005.csv");
    QCOMPARE(QFileInfo::exists(aside), row.renamed);
    QCOMPARE(dialogs.shown.size(), row.renamed ? 1 : 0);
    if (row.renamed) {
        // Nothing dropped silently: the bytes are kept aside and both paths named.
        QCOMPARE(readFile(aside), row.content);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY2(dialogs.shown[0].text.contains(QDir::toNativeSeparators(path)) &&
                     dialogs.shown[0].text.contains(QDir::toNativeSeparators(aside)),
                 qPrintable(dialogs.shown[0].text));
    }
}

void TestRaceDay::twoCopies_data() {
    QTest::addColumn<TwoCopiesRow>("row");
    const int Escape = ScriptedDialogs::Escape, Enter = ScriptedDialogs::Enter;
    const Runner bolide = runner(u"Bolide"_qs, 18200), eclair = runner(u"Eclair"_qs, 18100);
    const Runner eclairHere = runner(u"Eclair"_qs, 18110),
                 eclairThere = runner(u"Eclair"_qs, 18120);
    // clang-format off
    const TwoCopiesRow rows[] = {
        {.name = "each adds a horse: both kept", .other = Change::Add, .theirs = bolide, .ours = Change::Add,
         .mine = eclair, .file = {"Alizé:18000", "Eclair:18100", "Bolide:18200"}},
        {.name = "the same horse changed in both: here kept", .other = Change::Replace, .theirs = eclairThere,
         .ours = Change::Replace, .mine = eclairHere, .answers = {0}, .file = {"Eclair:18110"}, .questions = 1},
        {.name = "the same horse changed in both: there kept", .other = Change::Replace, .theirs = eclairThere,
         .ours = Change::Replace, .mine = eclairHere, .answers = {1}, .file = {"Eclair:18120"}, .questions = 1},
        {.name = "the same horse changed in both: Enter keeps both", .other = Change::Replace, .theirs = eclairThere,
         .ours = Change::Replace, .mine = eclairHere, .answers = {Enter}, .file = {"Eclair:18110", "Eclair:18120"},
         .questions = 1},
        {.name = "the same horse changed in both: Escape keeps both", .other = Change::Replace, .theirs = eclairThere,
         .ours = Change::Replace, .mine = eclairHere, .answers = {Escape}, .file = {"Eclair:18110", "Eclair:18120"},
         .questions = 1},
        {.name = "another race there: this one kept, the other aside", .other = Change::NewRace,
         .theirs = runner(u"Trotteur"_qs, 20000, u"2700"_qs), .ours = Change::Add, .mine = eclair, .answers = {0},
         .file = {"Alizé:18000", "Eclair:18100"}, .questions = 1, .aside = true},
        {.name = "another race there: that one kept, this one aside", .other = Change::NewRace,
         .theirs = runner(u"Trotteur"_qs, 20000, u"2700"_qs), .ours = Change::Add, .mine = eclair, .answers = {1},
         .file = {"Trotteur:20000"}, .questions = 1, .aside = true},
        {.name = "garbled there: kept aside, this sheet written", .other = Change::Garble, .theirs = {},
         .ours = Change::Add, .mine = eclair, .file = {"Alizé:18000", "Eclair:18100"}, .aside = true},
    };
    // clang-format on
    for (const TwoCopiesRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRaceDay::twoCopies() {
    QFETCH(TwoCopiesRow, row);
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    ScriptedDialogs start;
    RaceDay first = loadRaceDay(path, start, QDateTime::currentDateTime());
    first.sheet.runners.push_back(row.ours == Change::Replace ? runner(u"Eclair"_qs, 18100)
                                                              : runner(u"Alizé"_qs, 18000));
    QVERIFY(saveRaceDay(first, start));
    // Both copies read the file; the other writes first.
    ScriptedDialogs theirs, ours;
    RaceDay other = loadRaceDay(path, theirs, QDateTime::currentDateTime());
    RaceDay mine = loadRaceDay(path, ours, QDateTime::currentDateTime());
    apply(other, row.other, row.theirs);
    if (row.other == Change::Garble) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("n'importe quoi\r\n");
    } else {
        QVERIFY(saveRaceDay(other, theirs));
    }
    apply(mine, row.ours, row.mine);
    ours.choices = row.answers;
    QVERIFY(saveRaceDay(mine, ours));
    QCOMPARE(namesOf(sheetOn(path)), row.file);
    QCOMPARE(namesOf(mine.sheet), row.file); // the window shows what the file holds
    int questions = 0;
    for (const ShownDialog& d : ours.shown)
        questions += d.icon == Dialogs::Icon::Question;
    QCOMPARE(questions, row.questions);
    const QStringList aside = QDir(folder.path()).entryList({u"coursedujour-*.csv"_qs});
    QCOMPARE(aside.size(), row.aside ? 1 : 0);
    // Saved again with nothing changed elsewhere: no question, nothing added.
    QVERIFY(saveRaceDay(mine, ours));
    QCOMPARE(namesOf(sheetOn(path)), row.file);
}

void TestRaceDay::twoProcesses() {
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    const QString program = QCoreApplication::applicationDirPath() + u"/sheetcopy"_qs;
    const int each = 12;
    QProcess a, b;
    a.start(program, {path, u"Alpha"_qs, QString::number(each)});
    b.start(program, {path, u"Bravo"_qs, QString::number(each)});
    QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    QStringList names;
    for (const Runner& r : sheetOn(path).runners)
        names << r.name;
    names.sort();
    QStringList expected;
    for (int i = 0; i < each; ++i)
        expected << u"Alpha %1"_qs.arg(i) << u"Bravo %1"_qs.arg(i);
    expected.sort();
    QCOMPARE(names, expected);
}

void TestRaceDay::goingOffered_data() {
    QTest::addColumn<QStringList>("runners"); // going|served|comparable runs, in the order added
    QTest::addColumn<QString>("typedGoing");  // typed earlier on this sheet
    QTest::addColumn<QString>("offered");
    QTest::newRow("no runner") << QStringList{} << QString() << QString();
    QTest::newRow("the last typed runner's, not a fed one's")
        << QStringList{"bon souple||0", "bon|30/11/2026 Chantilly|2"} << QString()
        << u"bon souple"_qs;
    QTest::newRow("a runner without comparable runs was typed")
        << QStringList{"bon||0", "collant|aucune course comparable|0"} << QString()
        << u"collant"_qs;
    QTest::newRow("the going typed last on this sheet")
        << QStringList{"bon|30/11/2026 Chantilly|1"} << u"souple"_qs << u"souple"_qs;
}

void TestRaceDay::goingOffered() {
    QFETCH(QStringList, runners);
    QFETCH(QString, typedGoing);
    QFETCH(QString, offered);
    QTemporaryDir folder;
    RaceDay day{RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7), .distance = u"2400"_qs},
                folder.filePath("coursedujour.csv")};
    day.typedGoing = typedGoing;
    for (const QString& r : runners) {
        Runner runner;
        runner.name = u"R%1"_qs.arg(day.sheet.runners.size());
        runner.estimate = u"00:00:00"_qs;
        runner.going = r.section(u'|', 0, 0);
        runner.served = r.section(u'|', 1, 1);
        runner.comparable = r.section(u'|', 2, 2).toInt();
        day.sheet.runners.push_back(runner);
    }
    FchronoLogic logic = logicWith({"Tdistance=2100", "Tpoids=57", "Tminute=2", "Tseconde=38",
                                    "tcentieme=50", "Tdistance2=2400", "tpoids2=58"});
    ScriptedDialogs dialogs;
    dialogs.promptTexts = QStringList{u"Eclair"_qs, u"bon léger"_qs};
    const AddedRunner added = Bt_AjouteCourse_Click(logic, day, false, dialogs);
    QVERIFY(added.changed);
    QCOMPARE(dialogs.initialTexts, (QStringList{QString(), offered}));
    QCOMPARE(day.typedGoing, u"bon léger"_qs); // offered for the next runner
}

QTEST_GUILESS_MAIN(TestRaceDay)
#include "tst_raceday.moc"
