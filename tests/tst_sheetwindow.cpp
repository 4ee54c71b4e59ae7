// The race sheet's window driven at the keyboard: cells edited in place (F2,
// typing, Enter, Escape, Tab), the race's distance typed, a race archived and
// opened again from "Courses précédentes…".
#include "appwindows.h"
#include "bareme.h"
#include "bilanwindow.h"
#include "chancesbox.h"
#include "coursedujour.h"
#include "courses.h"
#include "horsecard.h"
#include "places.h"
#include "racefile.h"
#include "racetable.h"
#include "scripteddialogs.h"
#include "sheetedit.h"
#include "sheettable.h"
#include "workedexample.h"

#include "arrivaldialog.h"
#include "qtdialogs.h"
#include <QApplication>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The next message box with a button captioned `button` gets it pressed; what it
// said. A box without that button is another answerer's: left to it, however
// the two timers fall on a slow machine.
std::shared_ptr<QString> answerNext(const QString& button) {
    auto said = std::make_shared<QString>();
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, said, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove(u'&') == button) {
                *said = box->text();
                timer->deleteLater();
                return b->click();
            }
    });
    timer->start(5);
    return said;
}

Runner runner(const QString& name, const char* minutes, const char* seconds) {
    Runner r = workedExample(name);
    r.race.minutes = QString::fromUtf8(minutes);
    r.race.seconds = QString::fromUtf8(seconds);
    ScriptedDialogs quiet;
    return *rerun(r, RaceSheet{.distance = u"2400"_qs}, {}, {}, quiet);
}

} // namespace

class TestSheetWindow : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { places::setListFilePath(folder.filePath(u"lstchrono.txt"_qs)); }
    void init();
    void cleanup();
    void cellsEditedAtTheKeyboard();
    void raceDistanceTyped();
    void raceDateTyped();
    void rowHeldWhileEdited();
    void runnerTypedInTheEntryRow();
    void arrivalByNumber();
    void deleteActsOnTheFramedCell();
    void raceChosenInALongProgramme();
    void archivedAndOpenedAgain();
    void correctionsChosenInTheScaleDialog();
    void meetingImported();
    void filesDropped();
    void filesOpened();
    void horseCardOpened();
    void unratedLast();
    void chancesAtTheTauInForce();
    void bilanFiltered();

  private:
    // The row showing runner `name`.
    int rowOf(const QString& name) const {
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->text(row, racetable::Name) == name)
                return row;
        return -1;
    }
    RaceSheet& sheet() { return state->raceDay().sheet; }
    // Whether a cell editor has the focus.
    bool editing() const {
        const QWidget* w = QApplication::focusWidget();
        return w && w->parentWidget() == table->viewport();
    }
    QString cell(const QString& name, int column) const { return table->text(rowOf(name), column); }

    QTemporaryDir folder;
    std::unique_ptr<AppState> state;
    CourseDuJour* window = nullptr;
    SheetTable* table = nullptr;
};

void TestSheetWindow::init() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    RaceDay day{
        RaceSheet{.name = u"Prix"_qs,
                  .date = QDate(2026, 12, 8),
                  .distance = u"2400"_qs,
                  .runners = {runner(u"Bolide"_qs, "2", "40"), runner(u"Eclair"_qs, "2", "38")}},
        places::sheetFilePath()};
    state = std::make_unique<AppState>(places::settingsFilePath(), day);
    window = showCourseDuJour(*state);
    QVERIFY(QTest::qWaitForWindowActive(window));
    table = window->findChild<SheetTable*>(u"TabCourse"_qs);
    table->setFocus();
}

void TestSheetWindow::cleanup() {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.reset();
    QFile::remove(places::sheetFilePath());
    QFile::remove(folder.filePath(u"historique.sqlite"_qs));
    QDir(places::archiveFolder()).removeRecursively();
}

void TestSheetWindow::cellsEditedAtTheKeyboard() {
    QCOMPARE(rowOf(u"Eclair"_qs), 0);
    // F2 on Bolide's time, a faster one typed, Enter: recomputed and ranked first.
    table->setCurrentCell(rowOf(u"Bolide"_qs), racetable::Time);
    QTest::keyClick(table, Qt::Key_F2);
    QVERIFY(editing());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->text(), u"2'40\"50"_qs);
    editor->selectAll();
    QTest::keyClicks(editor, u"2'37\"00"_qs);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(rowOf(u"Bolide"_qs), 0);
    QCOMPARE(cell(u"Bolide"_qs, racetable::Estimate),
             u"3'00\"09"_qs); // 157 × 2400 ÷ 2100 + 0,66 = 180,09
    QCOMPARE(cell(u"Eclair"_qs, racetable::GapSeconds), u"1,71"_qs); // 181,80 − 180,09
    QCOMPARE(table->currentRow(), 0);                                // the cell follows its runner
    QCOMPARE(table->currentColumn(), int(racetable::Time));
    QCOMPARE(racefile::read([] {
                 QFile f(places::sheetFilePath());
                 return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
             }())
                 ->runners[0]
                 .race.seconds,
             u"37"_qs);

    // Escape: nothing changes.
    QTest::keyClick(table, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), u"9"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cell(u"Bolide"_qs, racetable::Time), u"2'37\"00"_qs);

    // Typing starts an edit; Tab commits and goes on along the row.
    table->setCurrentCell(rowOf(u"Eclair"_qs), racetable::Weight);
    QTest::keyClick(table, Qt::Key_5);
    QVERIFY(editing()); // the key typed is in the editor; the next go there
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(sheet().runners[1].race.referenceWeight, u"56"_qs);
    QTRY_VERIFY(editing());
    QCOMPARE(table->currentColumn(), int(racetable::Margin));
    QCOMPARE(table->text(table->currentRow(), racetable::Name), u"Eclair"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // An unusual value is questioned: "Non" keeps the runner as it was.
    table->setCurrentCell(rowOf(u"Eclair"_qs), racetable::Time);
    const RaceSheet before = sheet();
    const auto said = answerNext(u"Non"_qs);
    QTest::keyClick(table, Qt::Key_F2);
    qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), u"2'75\"00"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!said->isEmpty());
    QVERIFY(said->contains(u"secondes"_qs));
    QVERIFY(sheet() == before);
    QCOMPARE(cell(u"Eclair"_qs, racetable::Time), u"2'38\"50"_qs);
}

void TestSheetWindow::raceDistanceTyped() {
    auto* distance = window->findChild<QLineEdit*>(u"TdistanceCourse"_qs);
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, u"2000"_qs);
    QTest::keyClick(distance, Qt::Key_Tab);
    QTRY_COMPARE(sheet().distance, u"2000"_qs);
    for (const Runner& r : sheet().runners)
        QCOMPARE(r.race.dayDistance, u"2000"_qs);
    // 158,5 × 2000 ÷ 2100 + 0,66 = 151,61
    QCOMPARE(cell(u"Eclair"_qs, racetable::Estimate), u"2'31\"61"_qs);
}

// The date typed as written, "/" between its parts: it stays in its box, and Tab
// goes on to the hippodrome.
void TestSheetWindow::raceDateTyped() {
    auto* date = window->findChild<QDateEdit*>(u"TdateCourse"_qs);
    for (const auto& [typed, day] :
         {std::pair{u"03/01/2027"_qs, QDate(2027, 1, 3)}, {u"4/2/2027"_qs, QDate(2027, 2, 4)}}) {
        date->setFocus(Qt::TabFocusReason); // as Tab comes there: the day chosen
        QTest::keyClicks(date, typed);
        QCOMPARE(QApplication::focusWidget(), date);
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Thippodrome"_qs);
        QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), QString());
        QTRY_COMPARE(sheet().date, day);
    }
}

// A programme of 63 races: the chooser fits an 800-pixel screen, and a race
// typed in its filter is chosen with Enter.
void TestSheetWindow::raceChosenInALongProgramme() {
    QStringList races;
    for (int meeting = 1; meeting <= 7; ++meeting)
        for (int race = 1; race <= 9; ++race)
            races << u"R%1C%2  PRIX %3 (2700 m, trot attelé)"_qs.arg(meeting).arg(race).arg(
                meeting * 10 + race);
    QtDialogs dialogs(window);
    int height = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, window, [&] {
        QWidget* choice = QApplication::activeModalWidget();
        if (!choice || !choice->isVisible())
            return;
        poll.stop();
        height = choice->height();
        // The filter, where the dialog puts the keyboard (the window may not be
        // active here).
        QWidget* filter = choice->findChild<QLineEdit*>();
        if (!filter) // a prompt: its own line
            filter = choice->focusWidget();
        QTest::keyClicks(filter, u"r5c7"_qs);
        QTest::keyClick(filter, Qt::Key_Return);
    });
    poll.start(10);
    const auto chosen = dialogs.choose(u"Quelle course ?"_qs, u"Importer"_qs, races, u"R1C1"_qs);
    QCOMPARE(chosen.value_or(QString()), u"R5C7  PRIX 57 (2700 m, trot attelé)"_qs);
    QVERIFY2(height > 0 && height <= 600, qPrintable(QString::number(height)));
}

// A runner typed in the entry row, Tab from box to box, Enter: on the sheet,
// computed for the race; then a horse the history knows by its first letters.
void TestSheetWindow::runnerTypedInTheEntryRow() {
    ScriptedDialogs quiet; // the state's until the next test
    QCOMPARE(state->openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), quiet),
             QString());
    auto* entry = window->findChild<QWidget*>(u"LigneNouveauPartant"_qs);
    QVERIFY(entry && entry->isVisible());
    window->findChild<QCheckBox*>(u"ChkAussiListe"_qs)->setChecked(false); // the sheet alone
    const auto typeHere = [](const QString& text) {
        if (!text.isEmpty())
            QTest::keyClicks(QApplication::focusWidget(), text);
    };
    QApplication::focusWidget()->clearFocus();
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->parentWidget() == entry);
    // N°, name, distance, time, weight, lengths, date, hippodrome, discipline
    // (left), today's weight. By hand: 2200 m in 2'12"00 under 56 kg for 2400 m
    // under 58: 132 × 2400 ÷ 2200 = 144,00, plus 2 kg at 1,5 kg a second, cut
    // to 1,33: 145,33.
    for (const QString& box : {u"3"_qs, u"Cyclone"_qs, u"2200"_qs, u"2'12\"00"_qs, u"56"_qs,
                               QString(), u"01/12/2026"_qs, u"Chantilly"_qs, QString()}) {
        typeHere(box);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    typeHere(u"58"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(sheet().runners.size(), size_t(3));
    QCOMPARE(cell(u"Cyclone"_qs, racetable::Estimate), u"2'25\"33"_qs);
    QCOMPARE(sheet().runners[2].number, u"3"_qs);
    QCOMPARE(sheet().runners[2].race.hippodrome, u"Chantilly"_qs);
    // Recorded: the next runner may be it, by its first letters.
    QVERIFY(QApplication::focusWidget()->parentWidget() == entry);
    QCOMPARE(state->history().runsOf(u"Cyclone"_qs).runs.size(), size_t(1));
    state->raceDay().sheet.runners.pop_back(); // off the sheet, in the history
    typeHere(u"4"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    typeHere(u"Cy"_qs);
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), u"Cyclone"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // to today's weight
    QCOMPARE(QApplication::focusWidget()->accessibleName(), u"Nouveau partant : Poids du jour"_qs);
    typeHere(u"58"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(sheet().runners.size(), size_t(3));
    QCOMPARE(sheet().runners[2].served, u"01/12/2026 Chantilly"_qs);
    QCOMPARE(cell(u"Cyclone"_qs, racetable::Estimate), u"2'25\"33"_qs);
}

// Going along a runner's cells with Tab, its row stays under the cursor; the
// edit ended, it is ranked again and the cell follows it.
void TestSheetWindow::rowHeldWhileEdited() {
    const int bolide = rowOf(u"Bolide"_qs);
    QCOMPARE(bolide, 1);
    // 64 kg then, 58 today: 6 kg lighter, 4 s faster than with 57 kg.
    table->setCurrentCell(bolide, racetable::Weight);
    QTest::keyClick(table, Qt::Key_F2);
    qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), u"64"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(sheet().runners[0].race.referenceWeight, u"64"_qs);
    QTRY_VERIFY(editing());
    QCOMPARE(rowOf(u"Bolide"_qs), bolide); // faster, but not moved yet
    QCOMPARE(table->currentRow(), bolide);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_COMPARE(rowOf(u"Bolide"_qs), 0);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(table->currentColumn(), int(racetable::Margin));
}

// The arrival lists the runners by N°, as the papers print it; each place goes
// to its own horse.
void TestSheetWindow::arrivalByNumber() {
    sheet().runners[0].number = u"2"_qs; // Bolide
    sheet().runners[1].number = u"1"_qs; // Eclair
    ScriptedDialogs quiet;               // the state's until the next test
    QCOMPARE(state->openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), quiet),
             QString());
    ArrivalDialog dialog(*state, window);
    auto* table = dialog.findChild<QTableWidget*>(u"TableArrivee"_qs);
    QCOMPARE(table->item(0, 1)->text(), u"Eclair"_qs);
    QCOMPARE(table->item(1, 1)->text(), u"Bolide"_qs);
    dialog.findChild<QLineEdit*>()->setText(u"2'40\"00"_qs);
    table->item(0, 2)->setText(u"2"_qs);
    table->item(0, 3)->setText(u"1"_qs);
    table->item(1, 2)->setText(u"1"_qs);
    const auto said = answerNext(u"OK"_qs);
    dialog.record();
    QTRY_VERIFY(!said->isEmpty());
    QCOMPARE(state->history().runsOf(u"Bolide"_qs).runs.at(0).place, 1);
    QCOMPARE(state->history().runsOf(u"Eclair"_qs).runs.at(0).place, 2);
}

// Suppr removes the framed cell's runner, not a row chosen before the frame moved.
void TestSheetWindow::deleteActsOnTheFramedCell() {
    table->setCurrentCell(rowOf(u"Bolide"_qs), racetable::Time);
    table->selectionModel()->setCurrentIndex(table->model()->index(rowOf(u"Eclair"_qs), 2),
                                             QItemSelectionModel::NoUpdate);
    const auto said = answerNext(u"Non"_qs);
    QTest::keyClick(table, Qt::Key_Delete);
    QTRY_COMPARE(*said, u"Retirer « Eclair » de la course du jour ?"_qs);
}

void TestSheetWindow::archivedAndOpenedAgain() {
    const RaceSheet first = sheet();
    QTest::keyClick(table, Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(table->rowCount(), 0);
    QCOMPARE(QDir(places::archiveFolder()).entryList(QDir::Files),
             QStringList{u"2026-12-08 Prix.csv"_qs});
    // Ctrl+O, then Enter opens the latest race.
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<Courses*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* list = dialog->findChild<QTableWidget*>(u"TabCourses"_qs);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 2)->text(), u"Prix"_qs);
        QTest::keyClick(list, Qt::Key_Return);
    });
    QTest::keyClick(table, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(table->rowCount(), 2);
    QVERIFY(sheet() == first);
    QVERIFY(QDir(places::archiveFolder()).entryList(QDir::Files).isEmpty());
}

void TestSheetWindow::correctionsChosenInTheScaleDialog() {
    // One second per 500 m further on the flat, typed in "Barème…": 2100 m to
    // 2400 m adds 0,6 s per km over 2,4 km, 1,44 s: Eclair 181,80 + 1,44.
    QTimer::singleShot(100, [] {
        auto* dialog = qobject_cast<Bareme*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* cell = dialog->findChild<QLineEdit*>(u"correction9"_qs);
        QCOMPARE(cell->accessibleName(),
                 u"Correction, Plat : par 500 m de plus, secondes par km"_qs);
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, u"1"_qs);
        QTest::keyClick(cell, Qt::Key_Return); // OK is the default button
    });
    chooseScale(*state, window);
    QCOMPARE(state->corrections().flatPer500, 1.0);
    QCOMPARE(sheet().runners[1].estimate, u"03:03:24"_qs);
    QCOMPARE(cell(u"Eclair"_qs, racetable::Corrections), u"distance +0,6"_qs);
    QVERIFY(
        !window->findChild<SheetTable*>(u"TabCourse"_qs)->isColumnHidden(racetable::Corrections));
    QCOMPARE(QSettings(places::settingsFilePath(), QSettings::IniFormat)
                 .value(u"corrections/plat-par-500m"_qs)
                 .toString(),
             u"1"_qs);
    QFile::remove(places::settingsFilePath());
}

void TestSheetWindow::meetingImported() {
    // Another race than the sheet's: "Nouvelle course", then the summary.
    const auto asked = answerNext(u"Nouvelle course"_qs);
    QTimer::singleShot(0, [] { (void)answerNext(u"OK"_qs); });
    QStringList files;
    for (const char* name : {"programme-2026-12-08.json", "partants-R1C4.json"})
        files << u":/exemples/"_qs + QString::fromUtf8(name);
    window->importPaths(files);
    QVERIFY(asked->startsWith(u"La course importée (PRIX DE LILLE"_qs));
    QCOMPARE(table->rowCount(), 6);
    // At the trot, beside the name: the musique (decoded in its tool tip), today's
    // recul and shoeing, the corrected reduction, the gap in metres; the seconds
    // twins are for exports.
    auto* header = table->horizontalHeader();
    const int name = header->visualIndex(racetable::Name);
    const int after[] = {racetable::Musique, racetable::DayRecul, racetable::DayShoeing,
                         racetable::CorrectedReduction, racetable::GapMetres};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(header->visualIndex(after[i]), name + 1 + i);
    QVERIFY(table->isColumnHidden(racetable::CorrectedReductionSeconds));
    QVERIFY(!table->isColumnHidden(racetable::Musique));
    const int kalinka = rowOf(u"KALINKA DU VAL"_qs);
    QCOMPARE(table->text(kalinka, racetable::Musique), u"2a1a3a(25)4a"_qs);
    // Scrolled sideways past the names, each row still says its horse.
    QVERIFY(!table->verticalHeader()->isVisible());
    table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
    QTRY_VERIFY(table->verticalHeader()->isVisible());
    QCOMPARE(table->model()->headerData(kalinka, Qt::Vertical).toString(), u"1 KALINKA DU VAL"_qs);
    table->horizontalScrollBar()->setValue(0);
    QTRY_VERIFY(!table->verticalHeader()->isVisible());
    QCOMPARE(table->toolTip(kalinka, racetable::Musique),
             u"2e attelé, 1er attelé, 3e attelé, en 2025 : 4e attelé"_qs);
    QCOMPARE(cell(u"JAGUAR ROYAL"_qs, racetable::DayRecul), u"25"_qs);
    QCOMPARE(QDir(places::archiveFolder()).entryList(QDir::Files).size(), 1);
}

void TestSheetWindow::filesDropped() {
    // Files dragged from a file manager onto the window are imported.
    QTemporaryDir dropped;
    QList<QUrl> urls;
    for (const char* name : {"programme-2026-12-08.json", "partants-R1C4.json"}) {
        const QString to = dropped.filePath(QString::fromUtf8(name));
        QVERIFY(QFile::copy(u":/exemples/"_qs + QString::fromUtf8(name), to));
        urls << QUrl::fromLocalFile(to);
    }
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    const auto asked = answerNext(u"Nouvelle course"_qs);
    QTimer::singleShot(0, [] { (void)answerNext(u"OK"_qs); });
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QVERIFY(asked->startsWith(u"La course importée (PRIX DE LILLE"_qs));
    QCOMPARE(table->rowCount(), 6);
    // Text dragged in is no file: not taken.
    QMimeData text;
    text.setText(u"Kalinka"_qs);
    QDragEnterEvent other(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &other);
    QVERIFY(!other.isAccepted());
}

// Files given to the program (dropped on its icon, opened with it): onto the
// sheet as "Importer…" does, and a file that is not there named in the summary.
void TestSheetWindow::filesOpened() {
    window->close();
    const QString missing = folder.filePath(u"partants_R1_C9.json"_qs);
    const auto asked = answerNext(u"Nouvelle course"_qs);
    const auto summary = answerNext(u"OK"_qs);
    openFiles(*state, {u":/exemples/programme-2026-12-08.json"_qs,
                       u":/exemples/partants-R1C4.json"_qs, missing});
    QVERIFY(window->isVisible());
    QVERIFY(asked->startsWith(u"La course importée (PRIX DE LILLE"_qs));
    QCOMPARE(table->rowCount(), 6);
    QVERIFY2(summary->contains(u"partants_R1_C9.json"_qs), qPrintable(*summary));
}

// The card of a horse on the sheet: its runs, newest first, its musique, and a
// comparable run picked to stand for it today.
void TestSheetWindow::horseCardOpened() {
    ScriptedDialogs quiet;
    QCOMPARE(state->openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), quiet),
             QString());
    history::Run near{.horse = u"Eclair"_qs, .date = QDate(2026, 11, 30)};
    near.hippodrome = u"Chantilly"_qs;
    near.discipline = history::Discipline::Flat;
    near.distance = 2400;
    near.time = 15000;
    near.place = 1;
    history::Run old = near;
    old.date = QDate(2024, 5, 31); // beyond the race's 12 months: not comparable
    old.place = 3;
    QVERIFY(state->history().add({near, old}).result.ok());
    HorseCard card(*state, u"ECLAIR"_qs, window);
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    QCOMPARE(card.windowTitle(), u"Fiche du cheval — Eclair"_qs);
    // With the reference typed on the sheet, kept without a date nor a place.
    QCOMPARE(card.findChild<QLabel*>(u"Lmusique"_qs)->text(), u"3 courses · musique : 1p 3p"_qs);
    auto* runs = card.findChild<QTableWidget*>(u"TableCourses"_qs);
    QCOMPARE(runs->rowCount(), 3);
    QCOMPARE(runs->item(0, 0)->text(), u"30/11/2026"_qs); // newest first
    // Sorted by date, written day first: 31/05/2024 before 30/11/2026 (the run
    // without a date first).
    runs->sortItems(0, Qt::AscendingOrder);
    QCOMPARE(runs->item(1, 0)->text(), u"31/05/2024"_qs);
    runs->sortItems(0, Qt::DescendingOrder);
    auto* pick = card.findChild<QPushButton*>(u"BtRetenir"_qs);
    QVERIFY(pick->isEnabled());
    runs->selectRow(0);
    pick->click();
    const Runner& eclair = sheet().runners[*sheet().lastOf(u"Eclair"_qs)];
    QVERIFY(eclair.picked > 0);
    QCOMPARE(eclair.served, u"30/11/2026 Chantilly (choisie)"_qs);
    card.close();
}

// A runner waiting for its reference: last, a dash for its rank and estimate,
// why in the column of the runs that served, and in its tooltip.
void TestSheetWindow::unratedLast() {
    Runner waiting;
    waiting.name = u"Face Time Bourbon"_qs;
    sheet().runners.insert(sheet().runners.begin(), waiting);
    window->refresh();
    QCOMPARE(rowOf(u"Face Time Bourbon"_qs), 2);
    QCOMPARE(cell(u"Face Time Bourbon"_qs, racetable::Rank), u"—"_qs);
    QCOMPARE(cell(u"Face Time Bourbon"_qs, racetable::Estimate), u"—"_qs);
    QCOMPARE(cell(u"Face Time Bourbon"_qs, racetable::Served), u"en attente d'une référence"_qs);
    QVERIFY(!table->isColumnHidden(racetable::Served));
    QCOMPARE(table->toolTip(2, racetable::Estimate), u"en attente d'une référence"_qs);
    QCOMPARE(cell(u"Eclair"_qs, racetable::Rank), u"1"_qs);
    // Sorted by the estimate, the other way: still after the runners with one.
    table->sortByColumn(racetable::Estimate, Qt::AscendingOrder);
    QCOMPARE(rowOf(u"Face Time Bourbon"_qs), 2);
}

// A τ fitted on 50 flat races or more takes over the default at once: Eclair,
// 2 s ahead over 2100 m so 2,29 s over 2400 m, has 1 / (1 + e^(−2,29/2,34)) =
// 72,7 % by default, 1 / (1 + e^−2,29) = 90,8 % at τ = 1 s; "Barème…" says so.
void TestSheetWindow::chancesAtTheTauInForce() {
    QCOMPARE(cell(u"Eclair"_qs, racetable::Chance), u"72,7"_qs);
    chances::Fits fits{};
    fits[size_t(chances::Family::Flat)] = {1.0, 49};
    QVERIFY(state->settings().setFits(fits, {}, QDate(2026, 12, 9)).isEmpty());
    QCOMPARE(cell(u"Eclair"_qs, racetable::Chance), u"72,7"_qs); // 49 races: not enough
    fits[size_t(chances::Family::Flat)] = {1.0, 50};
    QVERIFY(state->settings().setFits(fits, {}, QDate(2026, 12, 9)).isEmpty());
    QCOMPARE(cell(u"Eclair"_qs, racetable::Chance), u"90,8"_qs);
    Bareme dialog(state->settings(), window);
    QCOMPARE(dialog.findChild<QLabel*>(u"LblTauPlat"_qs)->text(),
             u"Plat : τ = 1,00 s, ajusté sur 50 courses"_qs);
    QVERIFY(!dialog.chances()->refitButton()->isVisibleTo(&dialog)); // nothing to fit with
    QFile::remove(places::settingsFilePath());
}

// The bilan's window: the dates and the discipline chosen measure again.
void TestSheetWindow::bilanFiltered() {
    Bilan b;
    for (int r = 0; r < 3; ++r) {
        MeasuredRace race{QDate(2026, 11, 1 + r), r < 2 ? TrotHarness : Flat, {}, {}, {}};
        for (int i = 0; i < 4; ++i) {
            race.entries.push_back({150.0 + i, 2.0 + 3 * i});
            race.ranks.push_back(i + 1);
            race.places.push_back(i == r ? 1 : 0); // the sheet's first wins the first race
        }
        b.races.push_back(race);
    }
    BilanWindow bilan(*state, b, QString(), window);
    auto* figures = bilan.findChild<QTableWidget*>(u"TblBilan"_qs);
    const auto value = [figures](const QString& what) {
        for (int row = 0; row < figures->rowCount(); ++row)
            if (figures->item(row, 0)->text() == what)
                return figures->item(row, 1)->text();
        return u"absent"_qs;
    };
    QCOMPARE(value(u"courses"_qs), u"3"_qs);
    QCOMPARE(value(u"premier de la feuille gagnant (%)"_qs), u"33,3"_qs);
    bilan.findChild<QComboBox*>(u"CboDisciplineBilan"_qs)->setCurrentText(TrotHarness);
    QCOMPARE(value(u"courses"_qs), u"2"_qs);
    QCOMPARE(value(u"premier de la feuille gagnant (%)"_qs), u"50,0"_qs);
    bilan.findChild<QDateEdit*>(u"DateDepuis"_qs)->setDate(QDate(2026, 11, 2));
    QCOMPARE(value(u"courses"_qs), u"1"_qs);
    QCOMPARE(value(u"premier de la feuille gagnant (%)"_qs), u"0,0"_qs);
    QCOMPARE(value(u"chance combinée"_qs), QString()); // not fitted: said so
}

QTEST_MAIN(TestSheetWindow)
#include "tst_sheetwindow.moc"
