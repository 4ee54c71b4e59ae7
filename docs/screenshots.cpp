// Takes the screenshots of the windows shown in the README and the guide (the
// three windows, the list window's context menu and the scale dialog; with
// "sheet", the day's race sheet and the kept races), from the X display the
// program runs on (make screenshots runs it under Xvfb, then again scaled twice).
// Usage: screenshots output-folder [sheet]

#include "appwindows.h"
#include "bareme.h"
#include "coursedujour.h"
#include "courses.h"
#include "fchrono.h"
#include "form1.h"
#include "form2.h"
#include "listfile.h"
#include "look.h"
#include "places.h"
#include "qtdialogs.h"
#include "racearchive.h"
#include "raceday.h"
#include "racetable.h"
#include "runnercalc.h"
#include "sheettable.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <tuple>

namespace {

// The list's context menu, opened on the second entry, with the window under it;
// the program ends once it is taken.
void shootListMenu(Form1* list, const QString& folder) {
    auto* view = list->findChild<QListView*>(u"LstCheval"_qs);
    view->setCurrentIndex(view->model()->index(1, 0));
    const QPoint at = view->visualRect(view->currentIndex()).center();
    QTimer::singleShot(700, [list, folder] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QRect area =
            menu ? list->frameGeometry().united(menu->geometry()) : list->frameGeometry();
        list->screen()
            ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
            .save(folder + u"/form1-menu.png"_qs);
        if (menu)
            menu->close();
        QApplication::exit(0);
    });
    QContextMenuEvent open(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &open); // returns when the menu closes
}

// Says nothing: the screenshots' sheet is written without a word.
using Silent = RecordingDialogs;

// The guide's race day: eight runners of a 2400 m handicap, each calculated as
// the main window does it.
void fillRaceDay(RaceDay& day) {
    struct Horse {
        const char *name, *going, *distance, *weight, *minutes, *seconds, *hundredths, *margin,
            *dayWeight;
        bool withLengths;
    };
    const Horse horses[] = {
        {"Eclair", "bon", "2100", "57", "2", "38", "50", "0", "58", false},
        {"Bolide", "souple", "2400", "56", "2", "31", "20", "0", "57", false},
        {"Zéphyr", "bon", "2000", "58", "2", "06", "40", "0", "56", false},
        {"Quick Star", "lourd", "2600", "55", "2", "45", "10", "0", "55", false},
        {"Ôde", "bon", "1900", "57,5", "1", "59", "80", "0", "59", false},
        {"Étoile du Soir", "souple", "2400", "54", "2", "32", "00", "3", "54", true},
        {"Tonnerre", "bon", "2200", "60", "2", "19", "90", "0", "58", false},
        {"Alizé", "collant", "2500", "56", "2", "38", "00", "0", "57,5", false},
    };
    day.sheet = RaceSheet{.name = u"Handicap de l'après-midi"_qs,
                          .date = QDate(2026, 12, 7),
                          .hippodrome = u"Longchamp"_qs,
                          .distance = u"2400"_qs};
    // Each horse calculated as the main window calculates it, without the window.
    for (const Horse& h : horses) {
        calc::RaceTexts t;
        t.referenceDistance = QString::fromUtf8(h.distance);
        t.referenceWeight = QString::fromUtf8(h.weight);
        t.minutes = QString::fromUtf8(h.minutes);
        t.seconds = QString::fromUtf8(h.seconds);
        t.hundredths = QString::fromUtf8(h.hundredths);
        t.margin = QString::fromUtf8(h.margin);
        t.dayDistance = u"2400"_qs;
        t.dayWeight = QString::fromUtf8(h.dayWeight);
        t.estimateWithLengths = h.withLengths;
        const calc::Calculation c = calc::calculate(calc::Race::typedIn(t, scale::Scale()));
        day.sheet.runners.push_back(runnerOf(QString::fromUtf8(h.name), QString::fromUtf8(h.going),
                                             *c.estimate, c.reduction ? &*c.reduction : nullptr));
        day.sheet.runners.back().number = QString::number(day.sheet.runners.size());
    }
    Silent silent;
    (void)saveRaceDay(day, silent);
}

// The guide's trot race: Vincennes, 2700 m attelé, volté; six runners whose
// reference races differ (an autostart, a recul of 25 m, D4, a mounted race).
RaceSheet trotRace() {
    RaceSheet race{.name = u"Prix de Bretagne"_qs,
                   .date = QDate(2026, 12, 8),
                   .hippodrome = u"Vincennes"_qs,
                   .distance = u"2700"_qs,
                   .discipline = TrotHarness,
                   .start = u"volté"_qs};
    struct Horse {
        const char *name, *distance, *minutes, *seconds, *hundredths, *discipline, *start, *shoeing,
            *dayShoeing, *dayRecul;
    };
    const Horse horses[] = {
        {"Jaguar", "2700", "3", "21", "00", "trot attelé", "volté", "ferré", "ferré", ""},
        {"Kalinka", "2850", "3", "32", "40", "trot attelé", "autostart", "ferré", "ferré", "25"},
        {"Lotus", "2700", "3", "20", "50", "trot attelé", "volté", "ferré", "D4", ""},
        {"Mirage", "2175", "2", "43", "20", "trot attelé", "autostart", "ferré", "ferré", "25"},
        {"Nectar", "2700", "3", "23", "00", "trot monté", "volté", "ferré", "ferré", ""},
        {"Oural", "2100", "2", "34", "80", "trot attelé", "volté", "D4", "D4", ""},
    };
    Silent silent;
    for (const Horse& h : horses) {
        Runner r;
        r.name = QString::fromUtf8(h.name);
        r.going = u"bon"_qs;
        r.number = QString::number(race.runners.size() + 1);
        r.race.referenceDistance = QString::fromUtf8(h.distance);
        r.race.minutes = QString::fromUtf8(h.minutes);
        r.race.seconds = QString::fromUtf8(h.seconds);
        r.race.hundredths = QString::fromUtf8(h.hundredths);
        r.race.margin = u"0"_qs;
        r.referenceDiscipline = calc::disciplineOf(QString::fromUtf8(h.discipline));
        r.referenceStart = calc::startOf(QString::fromUtf8(h.start)).value_or(calc::Start::Unknown);
        r.referenceShoeing =
            calc::shoeingOf(QString::fromUtf8(h.shoeing)).value_or(calc::Shoeing::Unknown);
        r.dayShoeing =
            calc::shoeingOf(QString::fromUtf8(h.dayShoeing)).value_or(calc::Shoeing::Unknown);
        r.dayRecul = QString::fromUtf8(h.dayRecul).toInt(); // empty: none
        race.runners.push_back(*rerun(r, race, {}, {}, silent));
    }
    return race;
}

// The day's sheet with a cell being corrected, and "Courses précédentes…" over
// three kept races; "@2x" in the names when the screen is scaled twice.
void shootSheetAndArchive(AppState& state, const QString& folder, const char* suffix) {
    Silent silent;
    const RaceSheet day = state.raceDay().sheet;
    for (const auto& [name, hippodrome, date] : {std::tuple{"Prix de Vichy", "Vichy", 3},
                                                 {"Quinté+ du dimanche", "Auteuil", 5},
                                                 {"Prix des Haras", "Deauville", 6}}) {
        RaceSheet kept = day;
        kept.name = QString::fromUtf8(name);
        kept.hippodrome = QString::fromUtf8(hippodrome);
        kept.date = QDate(2026, 12, date);
        kept.runners.resize(static_cast<size_t>(date)); // the first ones of the day's race
        (void)archiveRace(kept, places::archiveFolder(), silent);
    }
    CourseDuJour* sheet = showCourseDuJour(state);
    sheet->move(20, 20);
    sheet->resize(1240, 420);
    auto* table = sheet->findChild<SheetTable*>(u"TabCourse"_qs);
    table->setCurrentCell(2, racetable::Time);
    table->edit(table->currentIndex());
    auto* courses = new Courses(state, nullptr);
    courses->move(60, 120);
    QTimer::singleShot(500, [=, &state] {
        const auto shoot = [folder, suffix](QWidget* w, const char* file) {
            w->screen()
                ->grabWindow(w->winId())
                .save(folder + u'/' + QLatin1String(file) + QLatin1String(suffix) + u".png"_qs);
        };
        shoot(sheet, "coursedujour");
        sheet->hide();
        courses->show();
        QTimer::singleShot(300, [=, &state] {
            shoot(courses, "courses");
            courses->hide();
            state.raceDay().sheet = trotRace();
            CourseDuJour* trot = showCourseDuJour(state);
            trot->setCurrentCellOf(0, racetable::Rank);
            // A runner being typed in the entry row.
            const auto boxes = trot->findChild<QWidget*>(u"LigneNouveauPartant"_qs)
                                   ->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
            const char* typed[] = {"7", "Pégase", "2700", "3'21\"90"};
            for (int i = 0; i < 4 && i < boxes.size(); ++i)
                boxes[i]->setText(QString::fromUtf8(typed[i]));
            QTimer::singleShot(300, [=] {
                shoot(trot, "coursedujour-trot");
                // The programme's race chooser, for a day of 7 meetings.
                QTimer::singleShot(300, [=] {
                    if (auto* choice = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                        shoot(choice, "choix-course");
                        choice->reject();
                    }
                    QApplication::exit(0);
                });
                QStringList races;
                for (int meeting = 1; meeting <= 7; ++meeting)
                    for (int race = 1; race <= 9; ++race)
                        races << u"R%1C%2  PRIX DE LA RÉUNION %1 N° %2 (2700 m, trot attelé)"_qs
                                     .arg(meeting)
                                     .arg(race);
                QtDialogs(trot).choose(u"Le programme compte 63 courses. Quelle course mettre "
                                       "sur la feuille (R1C3) ?"_qs,
                                       u"Importer"_qs, races, u"R1C1"_qs);
            });
        });
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    look::useFrenchToolkitTexts();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"."_qs;
    // The race sheet's file in a folder of its own, not beside this program.
    QTemporaryDir files;
    places::setListFilePath(files.filePath(u"lstchrono.txt"_qs));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, files.path());
    AppState state(places::settingsFilePath(), RaceDay{{}, places::sheetFilePath()});
    fillRaceDay(state.raceDay());
    // "sheet": only the sheet and the archive (run again on a screen scaled twice).
    if (argc > 2 && qstrcmp(argv[2], "sheet") == 0) {
        shootSheetAndArchive(state, folder, app.devicePixelRatio() > 1.5 ? "@2x" : "");
        return app.exec();
    }

    Fchrono main(state);
    main.move(20, 20);
    main.show();
    // The worked example of the calculation, with a margin of 3 lengths.
    const QList<std::pair<const char*, const char*>> typed{
        {"Tdistance", "2100"}, {"Tpoids", "57"},       {"Tminute", "2"},  {"Tseconde", "38"},
        {"tcentieme", "50"},   {"Tdistance2", "2400"}, {"tpoids2", "58"}, {"TNbrLongueur", "3"}};
    for (const auto& [name, text] : typed)
        main.findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(text));
    QTimer::singleShot(500, [&] {
        // Without a window manager the window is never activated and the focus does
        // not move: tell the margin box that it lost the focus, as a click would.
        QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(main.findChild<QLineEdit*>(u"TNbrLongueur"_qs), &leave);
        main.findChild<QPushButton*>(u"Btcalcul"_qs)->click();
    });

    Form1* list = showForm1(state);
    list->move(800, 20);
    for (const char* line : {"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon",
                             "1:12:30 ---- 1600m ---- 56,5Kg ---- Étoile du Soir ---- terrain : "
                             "très léger",
                             "1:16:07 ---- 2700m ---- 58Kg ---- Bolide ---- terrain : lourd"})
        list->addLine(QString::fromUtf8(line));
    QWidget* memo = showForm2(state);
    memo->move(800, 460);

    QTimer::singleShot(1500, [&] {
        const auto shoot = [&](QWidget* w, const char* file) {
            w->screen()->grabWindow(w->winId()).save(folder + u'/' + QLatin1String(file));
        };
        shoot(&main, "fchrono.png");
        shoot(list, "form1.png");
        shoot(memo, "form2.png");
        // The scale dialog as a punter fills it for a flat race on good going.
        scale::Scale flatGood;
        flatGood.lengths = scale::LengthsRule::DisciplineGoing;
        flatGood.weight = scale::WeightRule::ByDistance;
        auto* bareme = new Bareme(state.settings(), nullptr, flatGood);
        QTimer::singleShot(300, [shoot, list, bareme, &folder] {
            bareme->move(20, 20);
            bareme->show();
            QTimer::singleShot(300, [shoot, list, bareme, &folder] {
                shoot(bareme, "bareme.png");
                bareme->hide(); // off the list window before its menu is taken
                shootListMenu(list, folder);
            });
        });
    });
    return app.exec();
}
