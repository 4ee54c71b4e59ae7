// The list window's logic: its commands on the list and its file, every
// question with Enter and Escape.
#include "listfile.h"
#include "listimport.h"
#include "logichelpers.h"
#include "places.h"

#include <QTemporaryDir>

struct EmptyListAsksWhenUnsavedRow {
    const char* name;
    int unsaved = {};
    int answer = {};
    bool asked = {};
    bool emptied = {};
};
Q_DECLARE_METATYPE(EmptyListAsksWhenUnsavedRow)

struct ListWindowRow {
    const char* name;
    QStringList steps = {};  // add:LINE, load, save, clear, empty, close, remove:ROW,
                             // correct:ROW:NAME:GOING, copy:ROW, blocked (the file's place taken by
                             // a folder), append:BYTES (another copy saving)
    QList<int> answers = {}; // to the questions, in order: a button, Enter or Escape
    QStringList shown = {};  // dialogs' texts, %1 for the list file's full path
    QString closes = {};     // the last "close": "yes", "no" or "" (none)
    int rows = {};
    QByteArray file = {};   // afterwards; "<missing>" for none
    QString clipboard = {}; // the last copy's rows after the header
};
Q_DECLARE_METATYPE(ListWindowRow)

struct DuplicateAsksRow {
    const char* name;
    QStringList listed = {};
    QString line = {};
    int answer = {};
    bool asked = {};
    bool added = {};
};
Q_DECLARE_METATYPE(DuplicateAsksRow)

class TestListWindow : public QObject {
    Q_OBJECT

  private slots:
    void importedIntoHistory();
    void emptyListAsksWhenUnsaved_data();
    void emptyListAsksWhenUnsaved();
    void listWindow_data();
    void listWindow();
    void duplicateAsks_data();
    void duplicateAsks();
};

void TestListWindow::emptyListAsksWhenUnsaved_data() {
    QTest::addColumn<EmptyListAsksWhenUnsavedRow>("row");
    // clang-format off
    const EmptyListAsksWhenUnsavedRow rows[] = {
        {.name = "everything saved: no question", .answer = 1, .emptied = true},
        {.name = "unsaved, Oui", .unsaved = 2, .asked = true, .emptied = true},
        {.name = "unsaved, Non", .unsaved = 2, .answer = 1, .asked = true},
        {.name = "unsaved, Enter answers Non", .unsaved = 1, .answer = int(ScriptedDialogs::Enter), .asked = true},
        {.name = "unsaved, Escape answers Non", .unsaved = 1, .answer = int(ScriptedDialogs::Escape), .asked = true},
    };
    // clang-format on
    for (const EmptyListAsksWhenUnsavedRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestListWindow::emptyListAsksWhenUnsaved() {
    QFETCH(EmptyListAsksWhenUnsavedRow, row);
    ScriptedDialogs dialogs;
    dialogs.choices = {row.answer};
    QCOMPARE(confirmEmptyList(row.unsaved, u"/home/p/lstchrono.txt"_qs, dialogs), row.emptied);
    QCOMPARE(dialogs.shown.size(), row.asked ? 1 : 0);
    if (row.asked) {
        QCOMPARE(dialogs.shown[0].text, u"La liste contient des chevaux qui ne sont pas "
                                        u"sauvegardés dans /home/p/lstchrono.txt. "
                                        "Vider la liste quand même ?"_qs);
        QCOMPARE(dialogs.shown[0].title, ApplicationTitle);
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Question);
        QCOMPARE(dialogs.shown[0].choices, (QStringList{"Oui", "Non"}));
    }
}

void TestListWindow::listWindow_data() {
    QTest::addColumn<ListWindowRow>("row");
    const int Enter = ScriptedDialogs::Enter, Escape = ScriptedDialogs::Escape;
    const QString saved = u"Sauvegarde effectuée"_qs;
    const QString emptyList =
        u"La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Vider la liste quand même ?"_qs;
    const QString emptyFile =
        u"Vider la liste et effacer le fichier %1 ? Les chevaux enregistrés seront perdus."_qs;
    const QString closing =
        u"La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Les sauvegarder avant de fermer ?"_qs;
    const QString folder =
        u"Impossible d'enregistrer dans le fichier %1 : c'est un dossier, pas un fichier."_qs;
    const QByteArray a("a\r\n\r\n");
    const QString ask = u"Retirer « %2 » de la liste et du fichier %1 ?"_qs;
    const QString changed =
        u"Le fichier %1 a changé depuis qu'il a été chargé ou sauvegardé (une autre copie "
        u"d'Orvanto, un éditeur) : rien n'y a été modifié. Le charger de nouveau ?"_qs;
    const QString l1 = u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs,
                  l2 = u"1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd"_qs;
    const QByteArray two =
        "1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd\r\n1:15:48 ---- 2100m ---- "
        "57Kg ---- Eclair ---- terrain : bon\r\n\r\n";
    // clang-format off
    const ListWindowRow rows[] = {
        {.name = "save", .steps = QStringList{"add:a", "save"}, .shown = QStringList{saved}, .rows = 1, .file = a},
        {.name = "Vider liste + fichier: Oui", .steps = QStringList{"add:a", "save", "empty"},
         .answers = QList<int>{0}, .shown = QStringList{saved, emptyFile}, .file = QByteArray("\r\n")},
        {.name = "Vider liste + fichier: Non", .steps = QStringList{"add:a", "save", "empty"},
         .answers = QList<int>{1}, .shown = QStringList{saved, emptyFile}, .rows = 1, .file = a},
        {.name = "Vider liste + fichier: Enter answers Non", .steps = QStringList{"add:a", "save", "empty"},
         .answers = QList<int>{Enter}, .shown = QStringList{saved, emptyFile}, .rows = 1, .file = a},
        {.name = "Vider liste + fichier: Escape answers Non", .steps = QStringList{"add:a", "save", "empty"},
         .answers = QList<int>{Escape}, .shown = QStringList{saved, emptyFile}, .rows = 1, .file = a},
        {.name = "Vider la liste: Enter keeps unsaved horses", .steps = QStringList{"add:a", "clear"},
         .answers = QList<int>{Enter}, .shown = QStringList{emptyList}, .rows = 1, .file = QByteArray("<missing>")},
        {.name = "Vider la liste: Escape keeps unsaved horses", .steps = QStringList{"add:a", "clear"},
         .answers = QList<int>{Escape}, .shown = QStringList{emptyList}, .rows = 1, .file = QByteArray("<missing>")},
        {.name = "Vider la liste: Oui", .steps = QStringList{"add:a", "clear"}, .answers = QList<int>{0},
         .shown = QStringList{emptyList}, .file = QByteArray("<missing>")},
        {.name = "Vider la liste, everything saved: no question", .steps = QStringList{"add:a", "save", "clear"},
         .shown = QStringList{saved}, .file = a},
        {.name = "close, nothing unsaved: no question", .steps = QStringList{"add:a", "save", "close"},
         .shown = QStringList{saved}, .closes = "yes", .rows = 1, .file = a},
        {.name = "close: Sauvegarder", .steps = QStringList{"add:a", "close"}, .answers = QList<int>{0},
         .shown = QStringList{closing, saved}, .closes = "yes", .rows = 1, .file = a},
        {.name = "close: Enter saves", .steps = QStringList{"add:a", "close"}, .answers = QList<int>{Enter},
         .shown = QStringList{closing, saved}, .closes = "yes", .rows = 1, .file = a},
        {.name = "close: Ne pas sauvegarder", .steps = QStringList{"add:a", "close"}, .answers = QList<int>{1},
         .shown = QStringList{closing}, .closes = "yes", .rows = 1, .file = QByteArray("<missing>")},
        {.name = "close: Escape cancels", .steps = QStringList{"add:a", "close"}, .answers = QList<int>{Escape},
         .shown = QStringList{closing}, .closes = "no", .rows = 1, .file = QByteArray("<missing>")},
        {.name = "a save that fails, then close: stays open, nothing lost",
         .steps = QStringList{"add:a", "blocked", "save", "close"}, .answers = QList<int>{0},
         .shown = QStringList{folder, closing, folder}, .closes = "no", .rows = 1, .file = QByteArray("<folder>")},
        {.name = "remove a saved horse: Non keeps it", .steps = QStringList{"add:" + l1, "save", "remove:0"},
         .answers = QList<int>{1}, .shown = QStringList{saved, ask.arg("%1", "Eclair")}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\n")},
        {.name = "remove a saved horse: Enter keeps it", .steps = QStringList{"add:" + l1, "save", "remove:0"},
         .answers = QList<int>{Enter}, .shown = QStringList{saved, ask.arg("%1", "Eclair")}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\n")},
        {.name = "remove a saved horse: Escape keeps it", .steps = QStringList{"add:" + l1, "save", "remove:0"},
         .answers = QList<int>{Escape}, .shown = QStringList{saved, ask.arg("%1", "Eclair")}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\n")},
        {.name = "file changed: Escape on the reload offer loads nothing",
         .steps = QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"}, .answers = QList<int>{0, Escape},
         .shown = QStringList{saved, ask.arg("%1", "Eclair"), changed}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n")},
        {.name = "file changed: Enter on the reload offer loads it",
         .steps = QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"}, .answers = QList<int>{0, Enter},
         .shown = QStringList{saved, ask.arg("%1", "Eclair"), changed}, .rows = 2,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n")},
        {.name = "remove a saved horse: Oui, only its line leaves the file",
         .steps = QStringList{"add:" + l1, "add:" + l2, "save", "remove:0"}, .answers = QList<int>{0},
         .shown = QStringList{saved, ask.arg("%1", "Bolide")}, .rows = 1,
         .file = QByteArray(two).remove(0, l2.size() + 2)},
        {.name = "remove a loaded horse, blocks kept",
         .steps = QStringList{"add:" + l1, "save", "add:" + l2, "save", "clear", "load", "remove:1"},
         .answers = QList<int>{0}, .shown = QStringList{saved, saved, ask.arg("%1", "Eclair")}, .rows = 1,
         .file = QByteArray("\r\n" + l2.toLatin1() + "\r\n\r\n")},
        {.name = "correct a saved horse: exactly its line changes",
         .steps = QStringList{"add:" + l1, "add:" + l2, "save", "correct:1:Éclair:très bon"},
         .shown = QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs}, .rows = 2,
         .file = QByteArray(two).replace("Eclair ---- terrain : bon", "\xc9" "clair ---- terrain : tr\xe8s bon")},
        {.name = "correct the same saved horse twice",
         .steps = QStringList{"add:" + l1, "add:" + l2, "save", "correct:1:Éclair:très bon",
           "correct:1:Eclair:souple"},
         .shown = QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs,
           u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs}, .rows = 2,
         .file = QByteArray(two).replace("Eclair ---- terrain : bon", "Eclair ---- terrain : souple")},
        {.name = "correct a saved horse, Cancel on the going: nothing changes",
         .steps = QStringList{"add:" + l1, "save", "correct:0:Eclair II:" + ScriptedDialogs::Cancel},
         .shown = QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\n")},
        {.name = "correct an unsaved horse: nothing written",
         .steps = QStringList{"add:" + l1, "correct:0:Eclair II:bon"},
         .shown = QStringList{u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs}, .rows = 1,
         .file = QByteArray("<missing>")},
        {.name = "correct to a line break: refused",
         .steps = QStringList{"add:" + l1, "save", "correct:0:Ecl\nair:bon"},
         .shown = QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs,
           u"Le cheval n'a pas été modifié : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs},
         .rows = 1, .file = QByteArray(l1.toLatin1() + "\r\n\r\n")},
        {.name = "file changed by another copy: nothing rewritten, reload offered",
         .steps = QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"}, .answers = QList<int>{0, 1},
         .shown = QStringList{saved, ask.arg("%1", "Eclair"), changed}, .rows = 1,
         .file = QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n")},
        {.name = "file changed: reloaded on Oui, then removed",
         .steps = QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0", "remove:0"},
         .answers = QList<int>{0, 0, 0},
         .shown = QStringList{saved, ask.arg("%1", "Eclair"), changed, ask.arg("%1", "Eclair")}, .rows = 1,
         .file = QByteArray("\r\nx\r\n\r\n")},
        {.name = "copy: ';' in a name is quoted",
         .steps = QStringList{"add:1:15:48 ---- 2100m ---- 57Kg ---- Eclair; le vrai ---- terrain : bon", "copy:0"},
         .rows = 1, .file = QByteArray("<missing>"),
         .clipboard = "1:15:48\t75,48\t2100\t57\t\"Eclair; le vrai\"\tbon\n"},
        {.name = "copy: no selection, every entry", .steps = QStringList{"add:b", "add:a", "copy:-1"}, .rows = 2,
         .file = QByteArray("<missing>"), .clipboard = "\t\t\t\ta\t\n\t\t\t\tb\t\n"},
    };
    // clang-format on
    for (const ListWindowRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestListWindow::listWindow() {
    QFETCH(ListWindowRow, row);
    QTemporaryDir folder;
    const QString path = folder.filePath("lstchrono.txt");
    places::setListFilePath(path);
    ScriptedDialogs dialogs;
    dialogs.choices = row.answers;
    Form1Logic logic(dialogs);
    std::optional<bool> closed;
    QByteArray copied;
    for (const QString& step : row.steps) {
        if (step.startsWith(u"add:"))
            logic.AddLine(step.mid(4));
        else if (step == u"load")
            logic.bt_chargeliste_Click();
        else if (step == u"save")
            (void)logic.btsave_Click();
        else if (step == u"clear")
            logic.Bt_videliste_Click();
        else if (step == u"empty")
            logic.Bt_videListefichier_Click();
        else if (step == u"close")
            closed = logic.QueryClose();
        else if (step.startsWith(u"remove:"))
            logic.RemoveEntry(step.mid(7).toInt());
        else if (step.startsWith(u"copy:"))
            copied = logic.CopyEntries(step.mid(5).toInt());
        else if (step == u"blocked")
            QVERIFY(QDir(folder.path()).mkdir("lstchrono.txt"));
        else if (step.startsWith(u"correct:")) {
            dialogs.promptTexts = {step.section(u':', 2, 2), step.section(u':', 3)};
            logic.CorrectEntry(step.section(u':', 1, 1).toInt());
        } else if (step.startsWith(u"append:")) {
            QFile other(path);
            QVERIFY(other.open(QIODevice::Append));
            other.write(step.mid(7).toLatin1());
        }
    }
    QStringList texts;
    for (const ShownDialog& d : dialogs.shown)
        texts << d.text;
    const QString full = QDir::toNativeSeparators(path);
    for (QString& t : row.shown)
        if (t.contains(u"%1"))
            t = t.arg(full);
    QCOMPARE(texts, row.shown);
    QCOMPARE(closed.has_value(), !row.closes.isEmpty());
    if (closed)
        QCOMPARE(*closed, row.closes == u"yes");
    QCOMPARE(logic.model().rowCount(), row.rows);
    const QByteArray onDisk = QFileInfo(path).isDir() ? QByteArray("<folder>") : readFile(path);
    QCOMPARE(onDisk.isEmpty() && !QFileInfo::exists(path) ? QByteArray("<missing>") : onDisk,
             row.file);
    if (!row.clipboard.isEmpty())
        QCOMPARE(QString::fromUtf8(copied).section(u'\n', 1), row.clipboard);
}

void TestListWindow::duplicateAsks_data() {
    QTest::addColumn<DuplicateAsksRow>("row");
    const QString eclair = u"1:15:48 ---- 2100m ---- 57Kg ---- Éclair ---- terrain : bon"_qs;
    // clang-format off
    const DuplicateAsksRow rows[] = {
        {.name = "not listed: no question", .listed = QStringList{"a"}, .line = eclair, .answer = 1, .added = true},
        {.name = "listed, Oui", .listed = QStringList{"a", eclair}, .line = eclair, .asked = true, .added = true},
        {.name = "listed, Non", .listed = QStringList{eclair}, .line = eclair, .answer = 1, .asked = true},
        {.name = "listed, Enter answers Non", .listed = QStringList{eclair}, .line = eclair,
         .answer = int(ScriptedDialogs::Enter), .asked = true},
        {.name = "listed, Escape answers Non", .listed = QStringList{eclair}, .line = eclair,
         .answer = int(ScriptedDialogs::Escape), .asked = true},
        {.name = "same horse, case differs: another line", .listed = QStringList{eclair},
         .line = QString(eclair).replace(u"Éclair"_qs, u"ÉCLAIR"_qs), .answer = 1, .added = true},
        {.name = "same horse, another result", .listed = QStringList{eclair},
         .line = QString(eclair).replace(u"1:15:48"_qs, u"1:15:49"_qs), .answer = 1, .added = true},
    };
    // clang-format on
    for (const DuplicateAsksRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestListWindow::duplicateAsks() {
    QFETCH(DuplicateAsksRow, row);
    HorseList list;
    for (const QString& l : row.listed)
        list.add(l);
    ScriptedDialogs dialogs;
    dialogs.choices = {row.answer};
    QCOMPARE(confirmDuplicate(list, row.line, dialogs), row.added);
    QCOMPARE(dialogs.shown.size(), row.asked ? 1 : 0);
    if (row.asked) {
        QCOMPARE(dialogs.shown[0].text,
                 u"Ce cheval est déjà dans la liste avec ce résultat. L'ajouter encore ?"_qs);
        QCOMPARE(dialogs.shown[0].defaultChoice, 1);
    }
}

void TestListWindow::importedIntoHistory() {
    HorseList list;
    for (const char* line : {
             "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon",
             "1:14:90 ---- 2100m ---- 57Kg ---- ECLAIR ---- terrain : souple", // another result
             "1:02:50 ---- 1200m ---- 56,5Kg ---- Bolide ---- terrain : lourd",
             "vite ---- 1200m ---- 56Kg ---- Mal tapé ---- terrain : bon", // no reduction
             "une ligne d'un autre programme",
         })
        list.add(QString::fromUtf8(line));
    QTemporaryDir folder;
    history::Store store;
    QVERIFY(store.open(folder.filePath(u"historique.sqlite"_qs)).result.ok());
    const ListImported first = importList(store, list);
    QCOMPARE(first.summary(),
             u"3 courses ajoutées à l'historique, 0 déjà connue, 2 lignes illisibles."_qs);
    const ListImported again = importList(store, list); // a second import adds nothing
    QCOMPARE(again.added, 0);
    QCOMPARE(again.known, 3);
    const auto eclair = store.runsOf(u"eclair"_qs).runs;
    QCOMPARE(eclair.size(), size_t(2));
    const auto bolide = store.runsOf(u"Bolide"_qs).runs.front();
    QVERIFY(!bolide.date.isValid());
    QCOMPARE(bolide.distance, 1200);
    QCOMPARE(bolide.reduction, std::optional<qint64>(6250));
    QCOMPARE(bolide.weight, std::optional<double>(56.5));
    QCOMPARE(bolide.going, u"lourd"_qs);
    QCOMPARE(bolide.source, history::Source::List);
    // The command as the sheet window gives it: the list file read, what was stored said;
    // a history that could not be opened said instead.
    const QString file = folder.filePath(u"lstchrono.txt"_qs);
    QVERIFY(saveListFile(file, list).ok());
    ScriptedDialogs dialogs;
    importListFile(store, file, dialogs);
    QCOMPARE(dialogs.lastText(),
             u"Liste des chevaux enregistrée (%1) : 0 course ajoutée à "
             u"l'historique, 3 déjà connues, 2 lignes illisibles."_qs.arg(places::shown(file)));
    history::Store closed;
    importListFile(closed, file, dialogs);
    QVERIFY(dialogs.lastText().startsWith(u"L'historique des chevaux n'a pas pu être ouvert"_qs));
    QVERIFY(!bolide.time);
}

QTEST_GUILESS_MAIN(TestListWindow)
#include "tst_listwindow.moc"
