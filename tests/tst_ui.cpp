#include "appwindows.h"
#include "bareme.h"
#include "cells.h"
#include "coursedujour.h"
#include "fchrono.h"
#include "form1.h"
#include "form2.h"
#include "listfile.h"
#include "places.h"
#include "raceday.h"
#include "racefile.h"
#include "racetable.h"
#include "scripteddialogs.h"
#include "sheettable.h"
#include "store.h"
#include "workedexample.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// The program itself, beside this test program's folder in the build tree.
QString program() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/" ORVANTO_PROGRAM ""_qs);
}

// Answers the modal dialogs a click opens, in order, and records what they showed.
class Answerer : public QObject {
  public:
    struct Answer {
        QString typed;       // for a prompt
        bool cancel = false; // Cancel instead of OK
        QString button{};    // a button of its own to press, or "Escape"
    };
    static Answer press(const QString& button) { return {QString(), false, button}; }
    QList<Answer> answers;
    QStringList seen; // "title|text" of each dialog

    explicit Answerer(QList<Answer> a) : answers(std::move(a)) {
        connect(&timer, &QTimer::timeout, this, &Answerer::poll);
        timer.start(5);
    }
    bool done() const { return answers.isEmpty(); }

  private:
    void poll() {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menu && menu->isVisible() && menu != lastMenu && !answers.isEmpty()) {
            lastMenu = menu; // answered once: it closes from the event loop
            return chooseFromMenu(menu, answers.takeFirst().button);
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && answers.isEmpty())
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && !warned) {
                warned = true;
                qWarning("unanswered: %s", qPrintable(box->text()));
            }
        if (!modal || !modal->isVisible() || answers.isEmpty())
            return;
        const Answer a = answers.takeFirst();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->windowTitle() + u'|' + box->text();
            if (a.button == u"Escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (a.button == u"Enter")
                QTest::keyClick(box, Qt::Key_Return);
            else if (!a.button.isEmpty())
                pressButton(box, a.button);
            else
                box->button(a.cancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
        } else if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
            seen << prompt->windowTitle() + u'|' + prompt->labelText();
            prompt->setTextValue(a.typed);
            a.cancel ? prompt->reject() : prompt->accept();
        } else if (auto* bareme = qobject_cast<Bareme*>(modal)) {
            // Keys pressed in turn, from the event loop (OK may open a message),
            // while the dialog is open.
            seen << bareme->windowTitle() + u'|';
            const QStringList keys = a.button.split(u' ');
            QTimer::singleShot(0, bareme, [dialog = QPointer<Bareme>(bareme), keys] {
                for (const QString& k : keys) {
                    if (!dialog)
                        return;
                    Bareme* bareme = dialog;
                    const QKeyCombination c = QKeySequence(k)[0];
                    QWidget* target = bareme->focusWidget() ? bareme->focusWidget() : bareme;
                    QTest::keyClick(target, c.key(), c.keyboardModifiers());
                    // A mnemonic holds its button down and clicks it a moment later:
                    // the next key waits for that click, however slow the machine.
                    const bool clicked = QTest::qWaitFor(
                        [&dialog] {
                            if (!dialog)
                                return true;
                            const auto buttons = dialog->findChildren<QAbstractButton*>();
                            return std::none_of(buttons.begin(), buttons.end(),
                                                [](QAbstractButton* b) { return b->isDown(); });
                        },
                        5000);
                    if (!clicked)
                        qWarning("a button of the scale dialog stayed down");
                }
            });
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            seen << files->windowTitle() + u'|' + files->selectedFiles().value(0);
            files->selectFile(a.typed);
            a.cancel ? files->reject() : static_cast<QDialog*>(files)->accept();
        }
    }
    // Records "menu|" and each item with 1 or 0 for enabled, then picks an item by
    // the keyboard, as a person would, or closes the menu with Escape.
    void chooseFromMenu(QMenu* menu, const QString& item) {
        QString state = u"menu|"_qs;
        for (QAction* action : menu->actions())
            state += action->text() + (action->isEnabled() ? u":1 "_qs : u":0 "_qs);
        seen << state.trimmed();
        for (QAction* action : menu->actions())
            if (action->text() == item)
                menu->setActiveAction(action);
        // From the event loop, not this timer's slot: the item may open a dialog,
        // which this timer must then be free to answer.
        const Qt::Key key = item == u"Escape" ? Qt::Key_Escape : Qt::Key_Return;
        QTimer::singleShot(0, menu, [menu, key] { QTest::keyClick(menu, key); });
    }
    static void pressButton(QMessageBox* box, const QString& caption) {
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption)
                return b->click();
        qFatal("no button %s", qPrintable(caption));
    }
    QTimer timer;
    QPointer<QMenu> lastMenu;
    bool warned = false;
};

Form1* listWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Form1*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

QByteArray listFileBytes() {
    QFile file(places::listFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Types text as key events carrying it, which also works for accented letters.
void type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

} // namespace

class TestUi : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void initialContents_data();
    void initialContents();
    void workedExampleTypedAndClicked();
    void focusLossRunsBeforeClick_data();
    void focusLossRunsBeforeClick();
    void tabCycle();
    void lengthsOptionRefusedThenAccepted();
    void enterCalculates();
    void staleResultsAreMarked();
    void newHorseEmptiesTheBoxes();
    void displayOnlyBoxesTakeNoFocus();
    void voirShowsOneMemoAid();
    void scaleChosenAndKept();
    void memoAidOpensScale();
    void addHorseSaveAndLoad();
    void addHorseWithCharactersTheFileCannotStore();
    void emptyingTheFileAsksFirst_data();
    void emptyingTheFileAsksFirst();
    void closingWithUnsavedHorses_data();
    void closingWithUnsavedHorses();
    void quittingWithUnsavedHorses();
    void timeWithLengthsShowsItsStart();
    void listMenuAndShortcuts_data();
    void listMenuAndShortcuts();
    void exportFromTheMenu();
    void programIconHasTwelveImages();
    void raceDayTypedAtTheKeyboard();
    void listOpensWithCtrlL();
    void unusualDistanceAnsweredNon();
    void commandLine_data();
    void commandLine();
    void horseOnCommandLine_data();
    void horseOnCommandLine();

  private:
    template <typename T = QWidget> T* find(const char* name) {
        auto* w = window->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString text(const char* name) {
        if (auto* e = window->findChild<QLineEdit*>(QLatin1String(name)))
            return e->text();
        return find<QLabel>(name)->text();
    }
    void click(const char* name) {
        // A closed dialog does not hand the activation back on the offscreen platform.
        if (!window->isActiveWindow()) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        QTest::mouseClick(find(name), Qt::LeftButton);
    }
    // The worked example, 3 lengths behind, typed box by box.
    void typeWorkedExample() {
        for (const auto& [box, typed] : {std::pair{"Tdistance", "2100"},
                                         {"Tpoids", "57"},
                                         {"Tminute", "2"},
                                         {"Tseconde", "38"},
                                         {"tcentieme", "50"},
                                         {"Tdistance2", "2400"},
                                         {"tpoids2", "58"},
                                         {"TNbrLongueur", "3"}})
            typeInto(box, QString::fromUtf8(typed));
    }
    void typeInto(const char* name, const QString& t) {
        click(name);
        auto* e = find<QLineEdit>(name);
        e->selectAll();
        if (t.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            type(e, t);
    }
    // Calculates the worked example, then presses "Ajouter à la liste" with these
    // answers to its dialogs; what the dialogs showed.
    QStringList calculateAndAdd(const QList<Answerer::Answer>& answers) {
        typeInto("Tdistance", "2100");
        typeInto("Tpoids", "57");
        typeInto("Tminute", "2");
        typeInto("Tseconde", "38");
        typeInto("tcentieme", "50");
        click("Btcalcul");
        Answerer answerer(answers);
        click("Bt_Ajoute");
        return answerer.seen;
    }
    // As the program starts: the scale and the day's sheet read from their files.
    void startState() {
        ScriptedDialogs quiet;
        state = std::make_unique<AppState>(
            places::settingsFilePath(),
            loadRaceDay(places::sheetFilePath(), quiet, QDateTime::currentDateTime()));
    }
    std::unique_ptr<AppState> state;
    Fchrono* window = nullptr;
    QTemporaryDir listFolder; // the list file lives here, not beside the test program
};

void TestUi::initTestCase() {
    QVERIFY(listFolder.isValid());
    // The user's settings (the scale) live here too.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, listFolder.path());
    places::setListFilePath(listFolder.filePath(u"lstchrono.txt"_qs));
}

void TestUi::init() {
    QFile::remove(places::listFilePath());
    QFile::remove(places::settingsFilePath());
    startState();
    window = new Fchrono(*state);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestUi::cleanup() {
    delete window;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"Form1") // without asking about unsaved horses
            delete w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"Form2" || w->objectName() == u"CourseDuJour")
            w->close();
    QFile::remove(places::listFilePath());
    QFile::remove(places::sheetFilePath());
    // Closed windows go now, before the state they were shown with.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.reset();
}

void TestUi::initialContents_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("takesFocus");
    QTest::newRow("Tdistance") << "Tdistance" << "1200" << "Saisir la distance du cheval  à analyser lors de sa course de référence" << true;
    QTest::newRow("Tpoids") << "Tpoids" << "" << "Saisir le poid que portait le cheval lors de sa course réf au Format 00,00" << true;
    QTest::newRow("Tminute") << "Tminute" << "" << "Nombre de minute du chrono lors de sa course réf" << true;
    QTest::newRow("Tseconde") << "Tseconde" << "" << "Nombre de seconde du chrono lors de sa course réf" << true;
    QTest::newRow("tcentieme") << "tcentieme" << "" << "Nombre de minute du centieme lors de sa course réf" << true;
    QTest::newRow("Tdistance2") << "Tdistance2" << "" << "Distance de la course du jour en mètre" << true;
    QTest::newRow("tpoids2") << "tpoids2" << "" << "Poids que portera le cheval dans la course du jour format 00,0" << true;
    QTest::newRow("TNbrLongueur") << "TNbrLongueur" << "0.0" << "Format : 0,0" << true;
    QTest::newRow("TminuteL") << "TminuteL" << "" << "" << false;
    QTest::newRow("TsecondeL") << "TsecondeL" << "" << "" << false;
    QTest::newRow("TcentiemeL") << "TcentiemeL" << " " << "" << false;
    QTest::newRow("LresultDistance") << "LresultDistance" << "" << "" << false;
    QTest::newRow("Lreduction") << "Lreduction" << "" << "" << false;
    QTest::newRow("Btcalcul") << "Btcalcul" << "Lancer le calcul !" << "" << true;
    QTest::newRow("Bt_Ajoute") << "Bt_Ajoute" << "Ajouter à la liste" << "Ajouter a la liste" << true;
    QTest::newRow("Command1") << "Command1" << "Voir" << "" << true;
    QTest::newRow("Opt_chronok") << "Opt_chronok" << "Le Chrono" << "" << true;
    QTest::newRow("Opt_ChronokL") << "Opt_ChronokL" << "Le Chrono + Longueur" << "" << true;
    QTest::newRow("Label32") << "Label32" << "2- Distance et poids de la course du  jour" << "Information sur la course du jour" << false;
    QTest::newRow("Label6") << "Label6" << "Sa réduction pour la course Ref est  : " << "" << false;
    QTest::newRow("Bt_AjouteCourse") << "Bt_AjouteCourse" << "Ajouter à la course du jour" << "Ajouter ce cheval et son chrono estimé à la course du jour, classée du plus rapide au plus lent (Ctrl+J)" << true;
    QTest::newRow("Label11") << "Label11" << "Ne pas remplir  si le calcul porte  uniquement de la réduction km" << "" << false;
    // clang-format on
}

void TestUi::initialContents() {
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QString, toolTip);
    QFETCH(bool, takesFocus);
    QWidget* w = window->findChild<QWidget*>(name);
    QVERIFY(w);
    QString shown;
    if (auto* e = qobject_cast<QLineEdit*>(w))
        shown = e->text();
    else if (auto* l = qobject_cast<QLabel*>(w))
        shown = l->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        shown = b->text();
    QCOMPARE(shown, content);
    QCOMPARE(w->toolTip(), toolTip);
    QCOMPARE(w->isEnabled() && w->focusPolicy() != Qt::NoFocus, takesFocus);
    QVERIFY(!w->accessibleName().isEmpty() || qobject_cast<QLabel*>(w));
    QCOMPARE(window->windowTitle(), u" Calcul Chrono et réduction kilometrique V1.3"_qs);
    QCOMPARE(QApplication::focusWidget(), find("Tdistance"));
    QVERIFY(find<QRadioButton>("Opt_chronocj")->isChecked());
    QVERIFY(!find<QRadioButton>("Opt_ChronocjL")->isChecked());
}

void TestUi::workedExampleTypedAndClicked() {
    typeInto("Tdistance", "2100");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    type(QApplication::focusWidget(), "57");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    type(QApplication::focusWidget(), "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    type(QApplication::focusWidget(), "38");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    type(QApplication::focusWidget(), "50");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    type(QApplication::focusWidget(), "2400");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(text("tpoids2"), u"57"_qs); // copied when the focus left Tpoids
    find<QLineEdit>("tpoids2")->selectAll();
    type(QApplication::focusWidget(), "58");
    click("Btcalcul");
    QCOMPARE(text("LresultDistance"), u"03:01:80"_qs);
    QCOMPARE(text("Lreduction"), u"1:15:48"_qs);
}

void TestUi::focusLossRunsBeforeClick_data() {
    // clang-format off
    QTest::addColumn<QString>("box");
    QTest::newRow("TNbrLongueur") << "TNbrLongueur";
    QTest::newRow("Tpoids") << "Tpoids";
    QTest::newRow("tpoids2") << "tpoids2";
    // clang-format on
}

void TestUi::focusLossRunsBeforeClick() {
    QFETCH(QString, box);
    typeInto("Tdistance", "2100");
    typeInto("Tminute", "2");
    typeInto("Tseconde", "38");
    typeInto("tcentieme", "50");
    typeInto("Tdistance2", "2400");
    typeInto("Tpoids", "57");
    typeInto("tpoids2", "60");
    if (box == u"TNbrLongueur") {
        // Margin 0 first: the time with lengths is the plain time, and the estimate
        // is taken from it.
        typeInto("TNbrLongueur", "0");
        click("Opt_ChronocjL");
        QVERIFY(find<QRadioButton>("Opt_ChronocjL")->isChecked());
        typeInto("TNbrLongueur", "1.5");
        click("Btcalcul"); // 1 s more over 2100 m: 2400 × 159.5 ÷ 2100 = 182.29
        QCOMPARE(text("TNbrLongueur"), u"1,5"_qs);
        QCOMPARE(text("TsecondeL"), u"39"_qs);
        QCOMPARE(text("LresultDistance"), u"03:04:29"_qs); // + 200 for 3 kg
    } else if (box == u"Tpoids") {
        typeInto("Tpoids", "57.5"); // the day's 60 was typed: it stays
        click("Btcalcul");
        QCOMPARE(text("Tpoids"), u"57,5"_qs);
        QCOMPARE(text("tpoids2"), u"60"_qs);
        QCOMPARE(text("LresultDistance"), u"03:02:80"_qs); // + 166 for 2.5 kg
    } else {
        typeInto("tpoids2", "58.5");
        click("Btcalcul");
        QCOMPARE(text("tpoids2"), u"58,5"_qs);
        QCOMPARE(text("LresultDistance"), u"03:02:14"_qs); // + 100 for 1.5 kg
    }
}

void TestUi::tabCycle() {
    const QStringList expected{"Tpoids",          "Tminute",   "Tseconde",    "tcentieme",
                               "Tdistance2",      "tpoids2",   "Btcalcul",    "TNbrLongueur",
                               "Opt_chronocj",    "Bt_Ajoute", "Opt_chronok", "Command1",
                               "Bt_AjouteCourse", "Bt_Bareme", "Tdistance"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestUi::lengthsOptionRefusedThenAccepted() {
    for (const char* option : {"Opt_ChronokL", "Opt_ChronocjL"}) {
        Answerer answerer(QList<Answerer::Answer>{Answerer::Answer{}});
        click(option);
        QVERIFY(answerer.done());
        QCOMPARE(answerer.seen,
                 QStringList{u"Orvanto|vous devez avoir rentré une longeur pour effectuer ce "
                             "calcul"_qs});
        QVERIFY(!find<QRadioButton>(option)->isChecked());
    }
    QVERIFY(find<QRadioButton>("Opt_chronok")->isChecked());
    QVERIFY(find<QRadioButton>("Opt_chronocj")->isChecked());

    typeInto("Tminute", "1");
    typeInto("Tseconde", "12");
    typeInto("tcentieme", "40");
    typeInto("TNbrLongueur", "3");
    click("Opt_ChronokL"); // the margin box loses the focus first and fills the time
    QVERIFY(find<QRadioButton>("Opt_ChronokL")->isChecked());
    QVERIFY(find<QRadioButton>("Opt_chronocj")->isChecked());
    QCOMPARE((QStringList{text("TminuteL"), text("TsecondeL"), text("TcentiemeL")}),
             (QStringList{"01", "14", "40"}));
}

void TestUi::enterCalculates() {
    // Enter in any box runs "Lancer le calcul !": 1'12 over 1200 m is 1:00:00 a km.
    typeInto("Tminute", "1");
    typeInto("Tseconde", "12");
    for (const char* box : {"Tdistance", "Tminute", "TNbrLongueur", "tpoids2"}) {
        find<QLabel>("Lreduction")->clear();
        click(box);
        QTest::keyClick(find(box), Qt::Key_Return);
        QCOMPARE(text("Lreduction"), u"1:00:00"_qs);
    }
}

void TestUi::newHorseEmptiesTheBoxes() {
    // Ctrl+N: the previous horse's margin and "Le Chrono + Longueur" are not
    // carried over to the next one.
    typeWorkedExample();
    typeInto("tpoids2", "57");
    click("Opt_ChronocjL");
    click("Opt_ChronokL");
    click("Btcalcul");
    QCOMPARE(text("LresultDistance"), u"03:03:43"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    for (const char* box : {"Tdistance", "Tpoids", "Tminute", "Tseconde", "tcentieme", "tpoids2",
                            "TminuteL", "TsecondeL", "LresultDistance", "Lreduction"})
        QCOMPARE(text(box), QString());
    QCOMPARE(text("TNbrLongueur"), u"0.0"_qs);
    QCOMPARE(text("Tdistance2"), u"2400"_qs);
    QVERIFY(find<QRadioButton>("Opt_chronok")->isChecked());
    QVERIFY(find<QRadioButton>("Opt_chronocj")->isChecked());
    QCOMPARE(QApplication::focusWidget(), find("Tdistance"));
}

void TestUi::staleResultsAreMarked() {
    typeInto("Tdistance", "2100");
    typeInto("Tminute", "2");
    typeInto("Tseconde", "38");
    typeInto("tcentieme", "50");
    typeInto("Tdistance2", "2400");
    click("Btcalcul");
    auto* estimate = find<QLabel>("LresultDistance");
    auto* reduction = find<QLabel>("Lreduction");
    const QString stale = u"Ne correspond plus aux valeurs saisies : relancez le calcul."_qs;
    QCOMPARE(estimate->toolTip(), QString());
    // The margin does not count for results from the plain time: nothing marked.
    typeInto("TNbrLongueur", "3");
    QCOMPARE(reduction->toolTip(), QString());
    // A reference box changed, not even left: both marked, their texts kept.
    typeInto("Tseconde", "39");
    for (QLabel* result : {estimate, reduction}) {
        QCOMPARE(result->toolTip(), stale);
        QCOMPARE(result->accessibleDescription(), stale);
        QVERIFY(result->palette().color(QPalette::WindowText) != QColor(Qt::red));
    }
    QCOMPARE(estimate->text(), u"03:01:14"_qs);
    QCOMPARE(text("Tseconde"), u"39"_qs);
    // Only the day's distance changed: the estimate alone.
    click("Btcalcul");
    QCOMPARE(estimate->toolTip(), QString());
    QCOMPARE(estimate->palette().color(QPalette::WindowText), QColor(Qt::red));
    typeInto("Tdistance2", "2000");
    QCOMPARE(estimate->toolTip(), stale);
    QCOMPARE(reduction->toolTip(), QString());
    // The next calculation clears the marks.
    QTest::keyClick(find("Tdistance2"), Qt::Key_Return);
    QCOMPARE(estimate->toolTip(), QString());
    QCOMPARE(estimate->accessibleDescription(), u"Son chrono pour la course du jour"_qs);
}

void TestUi::displayOnlyBoxesTakeNoFocus() {
    click("TNbrLongueur");
    type(find("TNbrLongueur"), "2");
    for (const char* name :
         {"TminuteL", "TsecondeL", "TcentiemeL", "LresultDistance", "Lreduction"})
        click(name);
    QCOMPARE(QApplication::focusWidget(), find("TNbrLongueur"));
    QCOMPARE(text("TminuteL"), QString()); // no focus loss, nothing computed
}

void TestUi::voirShowsOneMemoAid() {
    const auto memoAids = [] {
        QList<Form2*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<Form2*>(w); f && f->isVisible())
                found << f;
        return found;
    };
    click("Command1");
    click("Command1");
    QCOMPARE(memoAids().size(), 1);
    Form2* memo = memoAids().first();
    QCOMPARE(memo->windowTitle(), u"Aide Mémoire"_qs);
    QVERIFY(QTest::qWaitForWindowActive(memo));
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Text2"_qs);
    auto* text1 = memo->findChild<QPlainTextEdit*>("Text1");
    QCOMPARE(text1->toPlainText(),
             u"1   = 1 L\n3/4 = 0.75 L\n1/2 = 0.5 L\nEnc = 0.25 L\ncrt. Enc = 0.15 L\n"
             "Tête = 0.1 L\nCrt. tête = 0.08 L\nNez = 0.05 L\n"_qs);
    QCOMPARE(memo->findChild<QPlainTextEdit*>("Text2")->toPlainText(),
             u"\nD4 --> -2s \nsur Red k.\n             \nDA ou DP \n-1s sur Red k.\n"_qs);

    // Edits are gone once the window is closed and opened again.
    text1->setPlainText(u"modifié"_qs);
    memo->close();
    QTRY_COMPARE(memoAids().size(), 0);
    click("Command1");
    QCOMPARE(memoAids().size(), 1);
    QVERIFY(memoAids().first()->findChild<QPlainTextEdit*>("Text1")->toPlainText().startsWith(
        u"1   = 1 L"));
}

void TestUi::scaleChosenAndKept() {
    QCOMPARE(text("LBareme"), u"Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)"_qs);
    // Flat, good going (the dialog's first choices) and weight by distance.
    Answerer answerer({Answerer::press(u"Alt+D Alt+A Return"_qs)});
    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    QTRY_VERIFY(answerer.done());
    QTRY_COMPARE(text("LBareme"), u"Barème : 6 L/s (plat, bon) · kg/L selon la distance"_qs);
    QCOMPARE(answerer.seen, QStringList{u"Barème|"_qs});

    // The worked example, 3 lengths behind, the estimate from the time with lengths:
    // 3 lengths at 6 per second are 0.5 s; 1 kg at 0.58 kg per length is 0.287 s.
    typeWorkedExample();
    click("Opt_ChronocjL");
    click("Btcalcul");
    QCOMPARE(text("TsecondeL") + u':' + text("TcentiemeL"), u"39:00"_qs);
    QCOMPARE(text("LresultDistance"), u"03:01:99"_qs);
    QCOMPARE(text("Lreduction"), u"1:15:48"_qs);
    QCOMPARE(text("LBareme"), u"Barème : 6 L/s (plat, bon) · 0,58 kg/L (2400 m)"_qs);

    // The next start keeps the choice.
    delete window;
    startState();
    window = new Fchrono(*state);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(text("LBareme"), u"Barème : 6 L/s (plat, bon) · kg/L selon la distance"_qs);
}

void TestUi::memoAidOpensScale() {
    click("Command1");
    Form2* memo = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Form2*>(w); f && f->isVisible())
            memo = f;
    QVERIFY(memo);
    QVERIFY(QTest::qWaitForWindowActive(memo));
    // Annuler by Escape: nothing changes.
    Answerer answerer({Answerer::press(u"Escape"_qs)});
    QTest::keyClick(memo, Qt::Key_B, Qt::ControlModifier);
    QTRY_VERIFY(answerer.done());
    QCOMPARE(answerer.seen, QStringList{u"Barème|"_qs});
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(text("LBareme"), u"Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)"_qs);
    QVERIFY(!QFile::exists(places::settingsFilePath()));
    memo->close();
}

void TestUi::addHorseSaveAndLoad() {
    QCOMPARE(calculateAndAdd({{u"Éclair"_qs}, {u"très léger"_qs}}),
             (QStringList{u"Orvanto|Entrer le nom du cheval"_qs,
                          u"Orvanto|Entrer l'état du terrain"_qs}));
    Form1* list = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Form1*>(w); f && f->isVisible())
            list = f;
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), u"Chevaux avec leur Réduction kilometrique"_qs);
    const QString line = u"1:15:48 ---- 2100m ---- 57Kg ---- Éclair ---- terrain : très léger"_qs;
    auto* view = list->findChild<QListView*>("LstCheval");
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(view->model()->index(0, 0).data().toString(), line);

    const auto press = [&](const char* name) {
        QTest::mouseClick(list->findChild<QPushButton*>(name), Qt::LeftButton);
    };
    {
        Answerer answerer(QList<Answerer::Answer>{Answerer::Answer{}});
        press("btsave");
        QVERIFY(answerer.done());
        QCOMPARE(answerer.seen, QStringList{u"Sauvegarde|Sauvegarde effectuée"_qs});
    }
    QFile file(places::listFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1:15:48 ---- 2100m ---- 57Kg ---- \xc9"
                                        "clair ---- terrain : tr\xe8s l\xe9ger\r\n\r\n"));
    file.close();

    press("Bt_videliste");
    QCOMPARE(view->model()->rowCount(), 0);
    // Loaded twice: each horse once, and the block's empty line is no entry.
    press("bt_chargeliste");
    press("bt_chargeliste");
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(view->model()->index(0, 0).data().toString(), line);

    {
        Answerer answerer(QList<Answerer::Answer>{Answerer::press(u"Oui"_qs)});
        press("Bt_videListefichier");
        QVERIFY(answerer.done());
    }
    QCOMPARE(view->model()->rowCount(), 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\r\n"));
}

void TestUi::addHorseWithCharactersTheFileCannotStore() {
    const QStringList seen = calculateAndAdd({{u"Ző"_qs}, {u"bon"_qs}, {}});
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.last(),
             u"Orvanto|Le cheval n'a pas été ajouté : la liste ne peut pas enregistrer ces "
             "caractères : ő"_qs);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<Form1*>(w) || !w->isVisible());
}

void TestUi::emptyingTheFileAsksFirst_data() {
    // clang-format off
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("Non") << "Non" << false;
    QTest::newRow("Escape") << "Escape" << false;
    QTest::newRow("Oui") << "Oui" << true;
    // clang-format on
}

void TestUi::emptyingTheFileAsksFirst() {
    QFETCH(QString, answer);
    QFETCH(bool, emptied);
    QCOMPARE(calculateAndAdd({{u"Eclair"_qs}, {u"bon"_qs}}).size(), 2);
    Form1* list = listWindow();
    QVERIFY(list);
    Answerer saved(QList<Answerer::Answer>{{}});
    QVERIFY(list->logic().btsave_Click());
    const QByteArray file = listFileBytes();
    // The focus starts on this button: one press of Space must not erase the file.
    QWidget* focused = list->focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), u"Bt_videListefichier"_qs);

    Answerer answerer(QList<Answerer::Answer>{Answerer::press(answer)});
    QTest::keyClick(focused, Qt::Key_Space);
    QVERIFY(answerer.done());
    QCOMPARE(answerer.seen,
             QStringList{u"Orvanto|Vider la liste et effacer le fichier %1 ? Les chevaux "
                         "enregistrés seront perdus."_qs.arg(
                             QDir::toNativeSeparators(places::listFilePath()))});
    QCOMPARE(list->model().rowCount(), emptied ? 0 : 1);
    QCOMPARE(listFileBytes(), emptied ? QByteArray("\r\n") : file);
}

void TestUi::closingWithUnsavedHorses_data() {
    // clang-format off
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("file");
    const QByteArray eclair = "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon\r\n\r\n";
    QTest::newRow("Sauvegarder") << true << "Sauvegarder" << true << eclair;
    QTest::newRow("Ne pas sauvegarder") << true << "Ne pas sauvegarder" << true << QByteArray("<missing>");
    QTest::newRow("Annuler") << true << "Annuler" << false << QByteArray("<missing>");
    QTest::newRow("Escape") << true << "Escape" << false << QByteArray("<missing>");
    QTest::newRow("all saved: no question") << false << "" << true << eclair;
    // clang-format on
}

void TestUi::closingWithUnsavedHorses() {
    QFETCH(bool, unsaved);
    QFETCH(QString, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, file);
    QCOMPARE(calculateAndAdd({{u"Eclair"_qs}, {u"bon"_qs}}).size(), 2);
    QPointer<Form1> list = listWindow();
    QVERIFY(list);
    if (!unsaved) {
        Answerer saved(QList<Answerer::Answer>{{}});
        QVERIFY(list->logic().btsave_Click());
    }
    // "Sauvegarder" brings the save's own message, answered with OK.
    Answerer answerer(answer.isEmpty() ? QList<Answerer::Answer>{}
                                       : QList<Answerer::Answer>{Answerer::press(answer), {}});
    list->close();
    QTRY_COMPARE(list.isNull(), closed); // deleted once closed
    if (unsaved)
        QCOMPARE(answerer.seen.value(0),
                 u"Orvanto|La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Les "
                 "sauvegarder avant de fermer ?"_qs.arg(
                     QDir::toNativeSeparators(places::listFilePath())));
    else
        QVERIFY(answerer.seen.isEmpty());
    QCOMPARE(listFileBytes(), file);
    if (!closed)
        QCOMPARE(list->model().rowCount(), 1);
}

// Horses put in the list while it stays hidden (as "Ajouter aussi à la liste
// des chevaux" does): the last window closing asks about them, from the sheet or
// from the main window, as closing the list window does.
void TestUi::quittingWithUnsavedHorses() {
    const QString eclair = u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs;
    QPointer<Form1> list = showForm1(*state, false);
    list->addLine(eclair);
    QVERIFY(!list->isVisible());
    QPointer<CourseDuJour> sheet = showCourseDuJour(*state);
    {
        Answerer none(QList<Answerer::Answer>{});
        window->close(); // the sheet stays: nothing asked
        QVERIFY(!window->isVisible());
        QVERIFY(none.seen.isEmpty());
    }
    {
        Answerer cancel({Answerer::press(u"Annuler"_qs)});
        sheet->close();
        QTRY_VERIFY(cancel.done());
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(cancel.seen.value(0).contains(u"ne sont pas sauvegardés"_qs));
    }
    {
        Answerer save({Answerer::press(u"Sauvegarder"_qs), {}});
        sheet->close();
        QTRY_VERIFY(save.done());
        QTRY_VERIFY(!sheet || !sheet->isVisible());
    }
    QCOMPARE(listFileBytes(), eclair.toLatin1() + "\r\n\r\n");
    // The main window alone, another horse unsaved: asked there too.
    window->show();
    list->addLine(u"1:16:00 ---- 2400m ---- 58Kg ---- Bolide ---- terrain : souple"_qs);
    Answerer cancel({Answerer::press(u"Annuler"_qs)});
    window->close();
    QTRY_VERIFY(cancel.done());
    QVERIFY(window->isVisible());
}

void TestUi::listMenuAndShortcuts_data() {
    // clang-format off
    QTest::addColumn<QStringList>("horses"); // added in this order; sorted by name
    QTest::addColumn<bool>("saved");         // saved before the command
    QTest::addColumn<int>("select");         // row selected, -1 for none
    QTest::addColumn<QString>("command");    // a menu item, "Escape", or a shortcut key
    QTest::addColumn<QString>("menu");       // the menu's items as shown, if opened
    QTest::addColumn<int>("rows");           // entries afterwards
    QTest::addColumn<QStringList>("copied"); // horses on the clipboard, in order
    QTest::addColumn<QString>("message");    // the box shown afterwards, if any
    const QStringList two{"Eclair", "Bolide"};
    const QString all = u"menu|Copier:1 Exporter en CSV…:1 Modifier le nom ou le terrain…:1 Retirer la ligne:1 :1 Fiche du cheval…:1"_qs;
    const QString noRemove = u"menu|Copier:1 Exporter en CSV…:1 Modifier le nom ou le terrain…:0 Retirer la ligne:0 :1 Fiche du cheval…:0"_qs;
    const QString ask = u"Orvanto|Retirer « %1 » de la liste et du fichier %2 ?"_qs;
    const QString file = QDir::toNativeSeparators(places::listFilePath());
    QTest::newRow("Copier: the selected entry") << two << false << 1 << "Copier" << all << 2 << QStringList{"Eclair"} << "";
    QTest::newRow("Copier: no selection, every entry") << two << false << -1 << "Copier" << noRemove << 2 << QStringList{"Bolide", "Eclair"} << "";
    QTest::newRow("Ctrl+C: the selected entry") << two << false << 0 << "Ctrl+C" << "" << 2 << QStringList{"Bolide"} << "";
    QTest::newRow("Ctrl+C: no selection, every entry") << two << false << -1 << "Ctrl+C" << "" << 2 << QStringList{"Bolide", "Eclair"} << "";
    QTest::newRow("Retirer la ligne: unsaved, gone") << two << false << 0 << "Retirer la ligne" << all << 1 << QStringList{} << "";
    QTest::newRow("Suppr: unsaved, gone") << two << false << 1 << "Suppr" << "" << 1 << QStringList{} << "";
    QTest::newRow("Retirer la ligne: saved, asked, Escape keeps it") << two << true << 0 << "Retirer la ligne" << all << 2 << QStringList{} << ask.arg("Bolide", file);
    QTest::newRow("Suppr: saved, asked, Escape keeps it") << two << true << 1 << "Suppr" << "" << 2 << QStringList{} << ask.arg("Eclair", file);
    QTest::newRow("empty list: nothing to do") << QStringList{""} << false << -1 << "Escape" << "menu|Copier:0 Exporter en CSV…:0 Modifier le nom ou le terrain…:0 Retirer la ligne:0 :1 Fiche du cheval…:0" << 0 << QStringList{} << "";
    // clang-format on
}

void TestUi::listMenuAndShortcuts() {
    QFETCH(QStringList, horses);
    QFETCH(bool, saved);
    QFETCH(int, select);
    QFETCH(QString, command);
    QFETCH(QString, menu);
    QFETCH(int, rows);
    QFETCH(QStringList, copied);
    QFETCH(QString, message);
    for (const QString& horse : horses)
        calculateAndAdd({{horse}, {u"bon"_qs}});
    Form1* list = listWindow();
    QVERIFY(list);
    if (saved) {
        Answerer ok(QList<Answerer::Answer>{{}});
        QVERIFY(list->logic().btsave_Click());
    }
    auto* view = list->findChild<QListView*>("LstCheval");
    if (select >= 0)
        view->setCurrentIndex(view->model()->index(select, 0));
    QGuiApplication::clipboard()->clear();
    list->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(list));
    view->setFocus();

    QList<Answerer::Answer> answers;
    if (!menu.isEmpty())
        answers << Answerer::press(command);
    if (!message.isEmpty())
        answers << Answerer::press(u"Escape"_qs);
    Answerer answerer(answers);
    if (command == u"Ctrl+C")
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    else if (command == u"Suppr")
        QTest::keyClick(view, Qt::Key_Delete);
    else { // the menu key opens the context menu
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(10, 10),
                              view->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(view->viewport(), &key);
    }
    QTRY_VERIFY(answerer.done());
    QCOMPARE(answerer.seen, (QStringList{menu, message}.filter(QRegularExpression(u"."_qs))));
    QCOMPARE(view->model()->rowCount(), rows);
    QStringList onClipboard;
    for (const QString& row : QGuiApplication::clipboard()->text().split(u'\n').mid(1))
        if (!row.isEmpty())
            onClipboard << row.section(u'\t', 4, 4);
    QCOMPARE(onClipboard, copied);
}

void TestUi::exportFromTheMenu() {
    calculateAndAdd({{u"Éclair"_qs}, {u"bon"_qs}});
    Form1* list = listWindow();
    QVERIFY(list);
    const QString csv = listFolder.filePath(u"chevaux.csv"_qs);
    Answerer answerer({Answerer::press(u"Exporter en CSV…"_qs), {csv}, {}});
    auto* view = list->findChild<QListView*>("LstCheval");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                            view->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view->viewport(), &click);
    QTRY_VERIFY(answerer.done());
    QCOMPARE(answerer.seen.value(1).section(u'|', 0, 0), u"Exporter en CSV"_qs);
    QVERIFY(answerer.seen.value(1).endsWith(u"chevaux.csv"));
    QCOMPARE(answerer.seen.value(2),
             u"Orvanto|Liste exportée dans "_qs + QDir::toNativeSeparators(csv));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBFR\xC3\xA9"
                                        "duction;R\xC3\xA9"
                                        "duction (s);Distance (m);Poids (kg);Cheval;Terrain\r\n"
                                        "1:15:48;75,48;2100;57;\xC3\x89"
                                        "clair;bon\r\n"));
    QCOMPARE(listFileBytes(), QByteArray("<missing>")); // the list file is not touched
}

void TestUi::timeWithLengthsShowsItsStart() {
    typeInto("Tminute", "1");
    typeInto("Tseconde", "12");
    typeInto("tcentieme", "40");
    typeInto("TNbrLongueur", "1");
    click("Tdistance");
    auto* hundredths = find<QLineEdit>("TcentiemeL");
    QCOMPARE(hundredths->text(), u"6,66667175292969"_qs);
    // A line edit scrolls to show its cursor: at 0, the start of the text shows.
    for (const char* name : {"TminuteL", "TsecondeL", "TcentiemeL"})
        QCOMPARE(find<QLineEdit>(name)->cursorPosition(), 0);
}

void TestUi::programIconHasTwelveImages() {
    QImageReader reader(u":/orvanto.ico"_qs);
    QCOMPARE(reader.imageCount(), 12);
    QList<int> sizes;
    do {
        const QImage image = reader.read();
        QVERIFY(!image.isNull());
        sizes << image.width();
    } while (reader.jumpToNextImage());
    QCOMPARE(sizes, (QList<int>{32, 16, 48, 32, 16, 64, 48, 40, 32, 24, 20, 16}));
    QVERIFY(!window->windowIcon().isNull());
    // A screen reader says what a box is for, not its control name.
    QCOMPARE(find("Tdistance")->accessibleName(), u"Distance de la course de référence"_qs);
}

void TestUi::raceDayTypedAtTheKeyboard() {
    // Three runners of a 2400 m race, each typed, calculated and added with Ctrl+J.
    struct Horse {
        const char *name, *minutes, *seconds, *hundredths;
    };
    const Horse horses[] = {
        {"Bolide", "2", "40", "00"}, {"Éclair", "2", "38", "50"}, {"Zéphyr", "2", "39", "10"}};
    typeInto("Tdistance2", "2400");
    for (const Horse& h : horses) {
        typeInto("Tdistance", "2100");
        typeInto("Tpoids", "57");
        typeInto("Tminute", QString::fromUtf8(h.minutes));
        typeInto("Tseconde", QString::fromUtf8(h.seconds));
        typeInto("tcentieme", QString::fromUtf8(h.hundredths));
        click("Btcalcul");
        Answerer answerer({{QString::fromUtf8(h.name)}, {u"bon"_qs}});
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::ControlModifier);
        // A button's shortcut clicks it as a person sees it: pressed, then released.
        QTRY_VERIFY2(answerer.done(), qPrintable(answerer.seen.join(u'\n')));
        QCOMPARE(answerer.seen, (QStringList{u"Orvanto|Entrer le nom du cheval"_qs,
                                             u"Orvanto|Entrer l'état du terrain"_qs}));
        // Nothing of this horse carried over to the next: its boxes emptied, the
        // margin back to its first text, the day's distance kept.
        window->activateWindow();
        QTRY_COMPARE(text("Tminute"), QString());
        for (const char* box : {"Tdistance", "Tpoids", "Tseconde", "tcentieme", "tpoids2",
                                "TminuteL", "LresultDistance", "Lreduction"})
            QCOMPARE(text(box), QString());
        QCOMPARE(text("TNbrLongueur"), u"0.0"_qs);
        QCOMPARE(text("Tdistance2"), u"2400"_qs);
        QTRY_COMPARE(QApplication::focusWidget(), find("Tdistance"));
    }
    auto* sheet = qobject_cast<CourseDuJour*>(showCourseDuJour(*state));
    QVERIFY(sheet && sheet->isVisible());
    auto* table = sheet->findChild<SheetTable*>(u"TabCourse"_qs);
    QStringList shown;
    for (int row = 0; row < table->rowCount(); ++row)
        shown << QStringList{table->text(row, racetable::Rank), table->text(row, racetable::Name),
                             table->text(row, racetable::Estimate),
                             table->text(row, racetable::GapSeconds)}
                     .join(u' ');
    // 2400 × 158,5 ÷ 2100 = 181,14; 159,1 s gives 181,83; 160 s gives 182,86.
    QCOMPARE(shown, (QStringList{u"1 Éclair 3'01\"14 0,00"_qs, u"2 Zéphyr 3'01\"83 0,69"_qs,
                                 u"3 Bolide 3'02\"86 1,72"_qs}));
    // One entry each: the list holds them too, unsaved.
    QCOMPARE(showForm1(*state, false)->model().rowCount(), 3);
    // The file holds them, in the order they were added. (Closed at once: Windows
    // cannot put a new file in place of one that is open.)
    QFile file(state->raceDay().path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto read = racefile::read(file.readAll());
    file.close();
    QVERIFY(read && read->runners.size() == 3 && read->runners[0].name == u"Bolide");

    // Ctrl+C copies the table; Suppr takes out the runner chosen.
    sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    table->setFocus();
    table->selectRow(1);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.startsWith(u"Rang\tN°\tCheval\t"_qs) &&
                 copied.contains(u"\n2\t\tZéphyr\t\"3'01\"\"83\"\t181,83\t0,69\t1,04\t"_qs),
             qPrintable(copied));
    // Suppr asks first; "Non" (Enter) keeps the runner, "Oui" takes it out.
    {
        Answerer keep({Answerer::press(u"Enter"_qs)});
        QTest::keyClick(table, Qt::Key_Delete);
        QTRY_VERIFY(keep.done());
        QCOMPARE(table->rowCount(), 3);
    }
    sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    Answerer remove({Answerer::press(u"Oui"_qs)});
    QTest::keyClick(table, Qt::Key_Delete);
    QTRY_VERIFY(remove.done());
    QCOMPARE(remove.seen, QStringList{u"Orvanto|Retirer « Zéphyr » de la course du jour ?"_qs});
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->text(1, racetable::Name), u"Bolide"_qs);
    QCOMPARE(state->raceDay().sheet.runners.size(), size_t(2));
}

void TestUi::listOpensWithCtrlL() {
    // Without a calculation and without the two prompts of "Ajouter à la liste".
    QVERIFY(!listWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    QTRY_VERIFY(listWindow());
    // The same horse twice is asked about first; "Non" (the default) adds nothing.
    QCOMPARE(calculateAndAdd({{u"Eclair"_qs}, {u"bon"_qs}}).size(), 2);
    QCOMPARE(listWindow()->model().rowCount(), 1);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    Answerer twice({{u"Eclair"_qs}, {u"bon"_qs}, Answerer::press(u"Escape"_qs)});
    click("Bt_Ajoute");
    QVERIFY(twice.done());
    QCOMPARE(twice.seen.value(2), u"Orvanto|Ce cheval est déjà dans la liste avec ce résultat. "
                                  "L'ajouter encore ?"_qs);
    QCOMPARE(listWindow()->model().rowCount(), 1);
    // "Oui" adds it, after one question only.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // A spare answer catches a second question, should one come.
    Answerer again(
        {{u"Eclair"_qs}, {u"bon"_qs}, Answerer::press(u"Oui"_qs), Answerer::press(u"Non"_qs)});
    click("Bt_Ajoute");
    QCOMPARE(again.seen.size(), 3);
    QCOMPARE(again.answers.size(), 1);
    QCOMPARE(listWindow()->model().rowCount(), 2);
    // Unsaved entries show in italics, and the tool tip says why.
    const QModelIndex first = listWindow()->model().index(0, 0);
    QVERIFY(first.data(HorseListModel::UnsavedRole).toBool());
    QVERIFY(first.data(Qt::ToolTipRole)
                .toString()
                .endsWith(u"(en italique : pas encore sauvegardé dans le fichier)"_qs));
}

void TestUi::unusualDistanceAnsweredNon() {
    // Typed into the prefilled 1200 without selecting it first.
    click("Tdistance");
    find<QLineEdit>("Tdistance")->setCursorPosition(0);
    type(find("Tdistance"), u"2100"_qs);
    QCOMPARE(text("Tdistance"), u"21001200"_qs);
    typeInto("Tpoids", "57");
    typeInto("Tminute", "2");
    Answerer answerer({Answerer::press(u"Non"_qs)});
    click("Btcalcul");
    QVERIFY(answerer.done());
    QCOMPARE(
        answerer.seen,
        QStringList{u"Orvanto|La distance de la course de référence (21001200 m) est "
                    "inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs});
    // The focus waits in the box for the window to be active again.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), find("Tdistance"));
    QCOMPARE(text("Lreduction"), QString());
}

void TestUi::commandLine_data() {
    // clang-format off
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what standard output holds
    QTest::addColumn<QString>("err"); // what standard error holds
    const QString path = QDir::toNativeSeparators(QFileInfo(program()).absolutePath() + u"/lstchrono.txt"_qs);
    const QString tryHelp = u"Essayez « orvanto --help » pour la liste des options."_qs;
    const QString version = u"Orvanto " ORVANTO_VERSION "\n"_qs;
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << "";
    QTest::newRow("--help names the list file") << QStringList{"--help"} << 0 << u"Fichier de la liste : "_qs + path << "";
    QTest::newRow("-h describes the program") << QStringList{"-h"} << 0 << u"Calcule la réduction kilométrique d'un cheval"_qs << "";
    QTest::newRow("unknown option") << QStringList{"--liste"} << 2 << "" << u"orvanto : option inconnue « --liste ».\n"_qs + tryHelp;
    QTest::newRow("a file beside an option") << QStringList{"--version", "lstchrono.txt"} << 2 << "" << u"orvanto : argument inattendu « lstchrono.txt »."_qs;
    QTest::newRow("help with a value") << QStringList{"--help=oui"} << 2 << "" << u"orvanto : arguments incorrects."_qs;
    QTest::newRow("--importer without a file") << QStringList{"--importer"} << 2 << "" << u"orvanto : --importer attend au moins un FICHIER.\n"_qs + tryHelp;
    QTest::newRow("--numero alone") << QStringList{"--numero", "R1C4"} << 2 << "" << u"orvanto : --numero et --nouvelle-course vont avec --importer."_qs;
    QTest::newRow("--nouvelle-course alone") << QStringList{"--nouvelle-course"} << 2 << "" << u"orvanto : --numero et --nouvelle-course vont avec --importer."_qs;
    QTest::newRow("--help names --importer") << QStringList{"--help"} << 0 << u"  --importer FICHIER…    Importe des fichiers"_qs << "";
    QTest::newRow("--help names --course") << QStringList{"--help"} << 0 << u"  --course [FICHIER] "_qs << "";
    // A sheet of two runners, the slower added first: printed ranked, no mark, ';'.
    static QTemporaryDir folder;
    const QString sheet = folder.filePath(u"course é.csv"_qs), garbled = folder.filePath(u"abîmée.csv"_qs);
    const QString typed = folder.filePath(u"tableur.csv"_qs);
    RaceSheet race{.name = u"Prix"_qs, .date = QDate(2026, 12, 8), .hippodrome = u"Vichy"_qs, .distance = u"2400"_qs};
    // 2100 m in 2'40"00 and 2'38"50 under 57 kg, 58 today: 183,52 and 181,80.
    for (const auto& [name, seconds] : {std::pair{u"Bolide"_qs, u"40"_qs}, {u"Éclair"_qs, u"38"_qs}}) {
        Runner r = workedExample(name);
        r.race.seconds = seconds;
        r.race.hundredths = seconds == u"40" ? u"00"_qs : u"50"_qs;
        r.estimate = u"99:99:99"_qs; // wrong: computed again on reading
        race.runners.push_back(r);
    }
    // As a spreadsheet leaves it: a runner typed in without its results, one that
    // cannot be computed.
    RaceSheet edited = race;
    edited.runners.push_back(workedExample(u"Zéphyr"_qs));
    edited.runners.back().estimate.clear();
    edited.runners.push_back(workedExample(u"Mal tapé"_qs));
    edited.runners.back().race.referenceDistance = u"deux mille"_qs;
    for (const auto& [path, bytes] : {std::pair{sheet, racefile::write(race)}, {garbled, QByteArray("x;y\r\n")},
                                      {typed, racefile::write(edited)}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QTest::newRow("--course FICHIER: ranked, no mark") << QStringList{"--course", sheet} << 0
        << u"Rang;N°;Cheval;Chrono estimé;"_qs << "";
    QTest::newRow("--course FICHIER: fastest first") << QStringList{"--course", sheet} << 0
        << u"\n1;;Éclair;\"3'01\"\"80\";181,80;0,00;0,00;"_qs << "";
    QTest::newRow("--course FICHIER: then the next, the race in each row") << QStringList{"--course", sheet} << 0
        << u"\n2;;Bolide;\"3'03\"\"52\";183,52;1,72;2,58;"_qs << "";
    QTest::newRow("--course: a runner typed in a spreadsheet, computed") << QStringList{"--course", typed} << 0
        << u"\n1;;Éclair;\"3'01\"\"80\";181,80;0,00;0,00;"_qs << u"orvanto : « Mal tapé » ne peut pas être calculé : veuillez rentrer une distance"_qs;
    QTest::newRow("--course: every runner of the spreadsheet that can be") << QStringList{"--course", typed} << 0
        << u"\n1;;Zéphyr;\"3'01\"\"80\";181,80;0,00;0,00;"_qs << u"« Mal tapé »"_qs;
    QTest::newRow("--course: race columns") << QStringList{"--course", sheet} << 0 << u";Prix;08/12/2026;Vichy;2400;plat;;\n"_qs << "";
    QTest::newRow("--course: a missing file") << QStringList{"--course", folder.filePath(u"non.csv"_qs)} << 1 << ""
        << u"orvanto : le fichier "_qs + QDir::toNativeSeparators(folder.filePath(u"non.csv"_qs)) + u" n'existe pas."_qs;
    QTest::newRow("--course: not a sheet") << QStringList{"--course", garbled} << 1 << ""
        << u"n'est pas une feuille de course d'Orvanto"_qs;
    QTest::newRow("--course: two files") << QStringList{"--course", sheet, garbled} << 2 << ""
        << u"orvanto : argument inattendu"_qs;
    // clang-format on
}

void TestUi::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // No display at all: the command line must not need one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    // The rules the sheet is computed with: the defaults, whatever this machine's user chose.
    static QTemporaryDir settings;
    environment.insert(u"XDG_CONFIG_HOME"_qs, settings.path());
    environment.insert(u"APPDATA"_qs, settings.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(::program(), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString shown = QString::fromUtf8(program.readAllStandardOutput());
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? shown.isEmpty() : shown.contains(out), qPrintable(shown));
    QVERIFY(!shown.startsWith(QChar(0xFEFF))); // a pipe gets no byte-order mark
    QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.contains(err), qPrintable(errors));
}

void TestUi::horseOnCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    // clang-format off
    QTest::newRow("the header") << QStringList{"--cheval", "king du plessis"} << 0
        << u"cheval;date;hippodrome;course;discipline;distance;recul;départ;ferrure;terrain;chrono;réduction;"_qs << "";
    QTest::newRow("newest first, in the punter's notation") << QStringList{"--cheval", "KING  DU PLESSIS"} << 0
        << u"\nKing du Plessis;30/11/2026;Vincennes;Prix de Bretagne;trot attelé;2700;25;volté;D4;;\"3'20\"\"50\";\"1'13\"\"58\";3;;1,5;;;;;saisie;;3a\n"
           "King du Plessis;02/10/2026;"_qs << "";
    QTest::newRow("no such horse") << QStringList{"--cheval", "Inconnu"} << 1 << ""
        << u"orvanto : aucun cheval ne s'appelle « Inconnu » dans l'historique"_qs;
    QTest::newRow("no name") << QStringList{"--cheval"} << 2 << "" << u"orvanto :"_qs;
    // clang-format on
}

void TestUi::horseOnCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // A copy of the program in a folder of its own, with its history beside it.
    static QTemporaryDir folder;
    const QString copy = folder.filePath(QFileInfo(program()).fileName());
    if (!QFileInfo::exists(copy)) {
        QVERIFY(QFile::copy(program(), copy));
        history::Store store;
        QVERIFY(store.open(folder.filePath(u"historique.sqlite"_qs)).result.ok());
        history::Run run;
        run.horse = u"King du Plessis"_qs;
        run.date = QDate(2026, 11, 30);
        run.hippodrome = u"Vincennes"_qs;
        run.race = u"Prix de Bretagne"_qs;
        run.discipline = history::Discipline::TrotHarness;
        run.distance = 2700;
        run.recul = 25;
        run.start = calc::Start::Volte;
        run.shoeing = calc::Shoeing::D4;
        run.time = 20050;
        run.reduction = 7358;
        run.place = 3;
        run.lengths = 1.5;
        history::Run older = run;
        older.date = QDate(2026, 10, 2);
        QVERIFY(store.add({older, run}).result.ok());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(copy, arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), status);
    const QString shown = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(out.isEmpty() ? shown.isEmpty() : shown.contains(out), qPrintable(shown));
    QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.contains(err), qPrintable(errors));
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
