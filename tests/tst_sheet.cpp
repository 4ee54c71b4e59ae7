// The race sheet edited in place, its race's distance, names corrected across
// the sheet and the list, and races archived, opened again and deleted.
#include "appstate.h"
#include "arrival.h"
#include "comparable.h"
#include "corrections.h"
#include "horsecardlogic.h"
#include "logichelpers.h"
#include "racearchive.h"
#include "racetable.h"
#include "runhistory.h"
#include "runtable.h"
#include "sheetedit.h"
#include "workedexample.h"

#include <QTest>

namespace {

const int Oui = 0, Non = 1;
const QString Seconds = u"Le nombre de secondes du chrono de référence (75) est inhabituel : les "
                        u"secondes vont de 0 à 59. "
                        u"Calculer quand même ?"_qs;
const QString FarDistance =
    u"La distance de la course de référence (21000 m) est inhabituelle : les courses vont de 800 à "
    u"8000 m. Calculer quand même ?"_qs;
const QString LightWeight =
    u"Le poids de la course de référence (5 kg) est inhabituel : les poids vont de "
    u"40 à 80 kg. Calculer quand même ?"_qs;
const QString DayWeight =
    u"Le poids de la course du jour (5 kg) est inhabituel : les poids vont de 40 à "
    u"80 kg. Calculer quand même ?"_qs;
const QString NoLength = u"vous devez avoir rentré une longeur pour effectuer ce calcul"_qs;

// The worked example, computed as the sheet computes it.
Runner worked(const QString& name = u"Eclair"_qs) {
    ScriptedDialogs quiet;
    return *rerun(workedExample(name), RaceSheet{.distance = u"2400"_qs}, {}, {}, quiet);
}

RaceDay dayIn(const QTemporaryDir& folder, std::vector<Runner> runners) {
    return RaceDay{RaceSheet{.name = u"Prix"_qs,
                             .date = QDate(2026, 12, 8),
                             .distance = u"2400"_qs,
                             .runners = std::move(runners)},
                   folder.filePath(u"coursedujour.csv"_qs)};
}

QStringList textsOf(const ScriptedDialogs& d) {
    QStringList texts;
    for (const ShownDialog& s : d.shown)
        texts << s.text;
    return texts;
}

// "name estimate reduction" of each runner, in the order added.
QStringList summary(const RaceSheet& sheet) {
    QStringList out;
    for (const Runner& r : sheet.runners)
        out << QStringList{r.number, r.name, r.estimate, r.reduction}.join(u' ').trimmed();
    return out;
}

} // namespace

struct EditRow {
    const char* name;
    RunnerField field = {};
    QString text = {};
    QList<int> choices = {};  // answers to questions
    QStringList shown = {};   // the dialogs' texts
    QString after = {};       // summary of the runner; empty: unchanged
    bool withLengths = false; // the runner's estimate from the time with lengths
};
Q_DECLARE_METATYPE(EditRow)

struct TrotRow {
    const char* name;
    QString race = TrotHarness;  // today's discipline
    QString start = u"volté"_qs; // today's start
    QString discipline = {}, referenceStart = u"volté"_qs, shoeing = u"ferré"_qs;
    int recul = 0;
    QString dayShoeing = u"ferré"_qs;
    int dayRecul = 0;
    QString going = {}, dayGoing = {}; // of the reference race (as typed), of today's
    double softPerKm = 0;              // the table's correction on soft going
    QString estimate = {};             // none: refused
    QString corrected = {};            // the corrected reduction, to the tenth
    QString corrections = {};
};
Q_DECLARE_METATYPE(TrotRow)

struct RaceRow {
    const char* name;
    QString distance = {};
    QString discipline = Flat;
    QList<int> choices = {};
    QStringList shown = {};
    QStringList after = {}; // the runners' summaries; empty: unchanged
};
Q_DECLARE_METATYPE(RaceRow)

class TestSheet : public QObject {
    Q_OBJECT

  private slots:
    void editCell_data();
    void editCell();
    void raceDistance_data();
    void raceDistance();
    void trot_data();
    void trot();
    void trotGapsInMetres();
    void splitTime_data();
    void splitTime();
    void recomputedOnReading();
    void renameAcross();
    void archive();
    void archiveRefused();
    void openAndDelete();
    void recordedInHistory_data();
    void comparable_data();
    void comparable();
    void fedFromRuns_data();
    void fedFromRuns();
    void margins_data();
    void margins();
    void arrival_data();
    void arrival();
    void recordedInHistory();
    void fedWithItsLengths();
    void unwrittenNotRecorded();
    void referenceDatedThenPlaced();
    void cardDecisions_data();
    void cardDecisions();
    void arrivalRecorded();
};

void TestSheet::editCell_data() {
    QTest::addColumn<EditRow>("row");
    using F = RunnerField;
    // By hand: 2400 × 158,5 ÷ 2100 = 181,14, plus 1 kg at 1,5 kg a second, cut to 0,66:
    // 181,80; 2'40"00 gives 182,86 + 0,66 = 183,52; 56 kg, 2 kg: 181,14 + 1,33; 5 kg
    // against 58: 181,14 + 35,33; 58 against 5: 181,14 − 34,66. 3 lengths at 1,5 a
    // second: 2 s more, 160,5 s, 183,43 + 0,66.
    // clang-format off
    const EditRow rows[] = {
        {.name = "saddle-cloth number", .field = F::Number, .text = "7", .after = "7 Eclair 03:01:80 1:15:48"},
        {.name = "name", .field = F::Name, .text = "Éclair", .after = "Éclair 03:01:80 1:15:48"},
        {.name = "empty name refused", .field = F::Name, .text = " ", .shown = {"Le nom du cheval ne peut pas être vide."}},
        {.name = "line break refused", .field = F::Going, .text = "bon\nsouple",
         .shown = {"Une case de la feuille tient sur une seule ligne."}},
        {.name = "going: no recalculation", .field = F::Going, .text = "souple", .after = "Eclair 03:01:80 1:15:48"},
        {.name = "reference distance", .field = F::ReferenceDistance, .text = "2000", .after = "Eclair 03:10:86 1:19:25"},
        {.name = "reference distance unusual, Non", .field = F::ReferenceDistance, .text = "21000", .choices = {Non},
         .shown = {FarDistance}},
        {.name = "reference distance unusual, Oui", .field = F::ReferenceDistance, .text = "21000", .choices = {Oui},
         .shown = {FarDistance}, .after = "Eclair 00:18:77 0:07:55"},
        {.name = "reference distance unreadable", .field = F::ReferenceDistance, .text = "deux mille",
         .shown = {DistanceError}},
        {.name = "time in the punter's notation", .field = F::Time, .text = "2'40\"00", .after = "Eclair 03:03:52 1:16:19"},
        {.name = "time with colons", .field = F::Time, .text = "2:40:00", .after = "Eclair 03:03:52 1:16:19"},
        {.name = "time: unusual seconds, Non", .field = F::Time, .text = "2'75\"00", .choices = {Non}, .shown = {Seconds}},
        {.name = "time: unusual seconds, Oui", .field = F::Time, .text = "2'75\"00", .choices = {Oui}, .shown = {Seconds},
         .after = "Eclair 03:43:52 1:32:86"},
        {.name = "time unreadable", .field = F::Time, .text = "vite", .shown = {TimeError}},
        {.name = "time with a letter", .field = F::Time, .text = "2'3x\"00", .shown = {TimeError}},
        {.name = "reference weight", .field = F::ReferenceWeight, .text = "56", .after = "Eclair 03:02:47 1:15:48"},
        {.name = "reference weight unusual, Non", .field = F::ReferenceWeight, .text = "5", .choices = {Non},
         .shown = {LightWeight}},
        {.name = "reference weight unusual, Oui", .field = F::ReferenceWeight, .text = "5", .choices = {Oui},
         .shown = {LightWeight}, .after = "Eclair 03:36:47 1:15:48"},
        {.name = "reference weight unreadable", .field = F::ReferenceWeight, .text = "lourd", .shown = {WeightError}},
        {.name = "day's weight", .field = F::DayWeight, .text = "60", .after = "Eclair 03:03:14 1:15:48"},
        {.name = "day's weight unusual, Non", .field = F::DayWeight, .text = "5", .choices = {Non}, .shown = {DayWeight}},
        {.name = "day's weight unusual, Oui", .field = F::DayWeight, .text = "5", .choices = {Oui}, .shown = {DayWeight},
         .after = "Eclair 02:26:48 1:15:48"},
        {.name = "day's weight unreadable", .field = F::DayWeight, .text = "5O", .shown = {WeightError}},
        // A recul is read in whole metres where it is typed: its unit, a fraction
        // or past 1000 m refused there, nothing changed.
        {.name = "a recul typed with its unit", .field = F::DayRecul, .text = "25 m",
         .shown = {"Le recul de « Eclair » doit être un nombre de mètres, de 0 à 1000."}},
        {.name = "a recul past 1000 m", .field = F::ReferenceRecul, .text = "2500",
         .shown = {"Le recul de « Eclair » doit être un nombre de mètres, de 0 à 1000."}},
        // 2425 × 158,5 ÷ 2100 = 183,03, + 0,66 for 1 kg.
        {.name = "a recul of 25 m today", .field = F::DayRecul, .text = "25",
         .after = "Eclair 03:03:69 1:15:48"},
        // Slips asked about, "Non" keeping the runner as it was: 250 for 25, 30
        // off the 25 m steps, a N° Bolide has.
        {.name = "a recul of 250 m, Non", .field = F::DayRecul, .text = "250", .choices = {Non},
         .shown = {"Un recul de 250 m est inhabituel : les reculs vont de 25 en 25 m, jusqu'à 100 m. Le garder pour « Eclair » ?"}},
        {.name = "a recul of 30 m, Oui", .field = F::ReferenceRecul, .text = "30", .choices = {Oui},
         .shown = {"Un recul de 30 m est inhabituel : les reculs vont de 25 en 25 m, jusqu'à 100 m. Le garder pour « Eclair » ?"},
         .after = "Eclair 02:59:25 1:14:41"}, // 158,5 over 2130 m: 74,41 s/km; 2400 × 158,5 ÷ 2130 + 0,66
        // 158,5 over 2200 m: 72,05 s/km; 2400 × 158,5 ÷ 2200 + 0,66 = 173,57
        {.name = "a recul of 100 m: usual", .field = F::ReferenceRecul, .text = "100",
         .after = "Eclair 02:53:57 1:12:05"},
        {.name = "a N° already taken, Non", .field = F::Number, .text = "3", .choices = {Non},
         .shown = {"Le n° 3 est déjà celui de « Bolide ». Le donner aussi à « Eclair » ?"}},
        {.name = "a N° already taken, Oui", .field = F::Number, .text = " 3", .choices = {Oui},
         .shown = {"Le n° 3 est déjà celui de « Bolide ». Le donner aussi à « Eclair » ?"},
         .after = "3 Eclair 03:01:80 1:15:48"},
        {.name = "margin unreadable while the estimate needs it", .field = F::Margin, .text = "une tête",
         .shown = {NoLength}, .withLengths = true},
        {.name = "margin, estimate from the time with lengths", .field = F::Margin, .text = "3",
         .after = "Eclair 03:04:09 1:15:48", .withLengths = true},
        {.name = "margin, estimate from the plain time", .field = F::Margin, .text = "3", .after = "Eclair 03:01:80 1:15:48"},
        {.name = "estimate from the time with lengths", .field = F::EstimateSource, .text = "Chrono + Longueur",
         .after = "Eclair 03:01:80 1:15:48"},
        {.name = "an unknown time source refused", .field = F::EstimateSource, .text = "Montre",
         .shown = {"Choisissez « Chrono » ou « Chrono + Longueur »."}},
        {.name = "the same text: nothing", .field = F::Name, .text = "Eclair"},
        {.name = "reference date, a two-digit year", .field = F::ReferenceDate, .text = "30/11/26",
         .after = "Eclair 03:01:80 1:15:48"},
        {.name = "reference date that is none", .field = F::ReferenceDate, .text = "31/02/2026",
         .shown = {"« 31/02/2026 » n'est pas une date : tapez-la JJ/MM/AAAA."}},
        {.name = "reference hippodrome", .field = F::ReferenceHippodrome, .text = "Caen",
         .after = "Eclair 03:01:80 1:15:48"},
    };
    // clang-format on
    for (const EditRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestSheet::editCell() {
    QFETCH(EditRow, row);
    QTemporaryDir folder;
    Runner first = workedExample(u"Eclair"_qs);
    first.race.estimateWithLengths = row.withLengths;
    ScriptedDialogs quiet;
    Runner second = worked(u"Bolide"_qs);
    second.number = u"3"_qs;
    RaceDay day =
        dayIn(folder, {*rerun(first, RaceSheet{.distance = u"2400"_qs}, {}, {}, quiet), second});
    const RaceSheet before = day.sheet;
    ScriptedDialogs dialogs;
    dialogs.choices = row.choices;
    QString renamedFrom;
    const bool changed = editRunner(day, 0, row.field, row.text, {}, dialogs, &renamedFrom);
    QCOMPARE(textsOf(dialogs), row.shown);
    QCOMPARE(changed, !row.after.isEmpty());
    QCOMPARE(day.sheet.runners[1], before.runners[1]); // the other runner untouched
    if (!changed) {
        QVERIFY(day.sheet == before); // nothing half-applied
        QVERIFY(!QFileInfo::exists(day.path));
        return;
    }
    QCOMPARE(summary(day.sheet).first(), row.after);
    if (row.field == RunnerField::ReferenceDate) // kept as a date, shown as the punter writes it
        QCOMPARE(fieldText(day.sheet.runners[0], row.field), u"30/11/2026"_qs);
    QCOMPARE(renamedFrom, row.field == RunnerField::Name ? u"Eclair"_qs : QString());
    // In the file at once.
    QVERIFY(racefile::read(readFile(day.path)) == day.sheet);
}

void TestSheet::raceDistance_data() {
    QTest::addColumn<RaceRow>("row");
    const QString unusual =
        u"La distance de la course du jour (300 m) est inhabituelle : les courses vont de "
        u"800 à 8000 m. Calculer quand même ?"_qs;
    // clang-format off
    const RaceRow rows[] = {
        {.name = "every runner recomputed", .distance = "2000",
         .after = {"Eclair 02:31:61 1:15:48", "Bolide 02:31:61 1:15:48"}},
        {.name = "unreadable: refused", .distance = "2 km", .shown = {DistanceError}},
        {.name = "empty: refused while runners need it", .distance = "", .shown = {DistanceError}},
        {.name = "unusual, Non: as it was", .distance = "300", .choices = {Non}, .shown = {unusual}},
        {.name = "unusual, Oui: asked once for all", .distance = "300", .choices = {Oui}, .shown = {unusual},
         .after = {"Eclair 00:23:30 1:15:48", "Bolide 00:23:30 1:15:48"}},
        // Runners added before the race was set to the trot follow it: no weight, and
        // 2100 m to 2400 m is +0,6 s/km over 2,4 km (181,14 + 1,44 = 182,58).
        {.name = "the race turned to the trot", .distance = "2400", .discipline = TrotHarness,
         .after = {"Eclair 03:02:58 1:15:48", "Bolide 03:02:58 1:15:48"}},
    };
    // clang-format on
    for (const RaceRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestSheet::raceDistance() {
    QFETCH(RaceRow, row);
    QTemporaryDir folder;
    RaceDay day = dayIn(folder, {worked(), worked(u"Bolide"_qs)});
    const RaceSheet before = day.sheet;
    RaceSheet race = day.sheet;
    race.distance = row.distance;
    race.discipline = row.discipline;
    ScriptedDialogs dialogs;
    dialogs.choices = row.choices;
    const bool changed = editRace(day, race, {}, dialogs);
    QCOMPARE(textsOf(dialogs), row.shown);
    QCOMPARE(changed, !row.after.isEmpty());
    QCOMPARE(summary(day.sheet), changed ? row.after : summary(before));
    if (changed) {
        QCOMPARE(day.sheet.distance, row.distance);
        for (const Runner& r : day.sheet.runners)
            QCOMPARE(r.race.dayDistance, row.distance);
    }
}

void TestSheet::trot_data() {
    QTest::addColumn<TrotRow>("row");
    // A 2700 m race; each reference race 2700 m in 3'20"00: 74,07 s per km, 200 s.
    // By hand: a correction c s/km adds c × 2,7 s over 2700 m; 25 m of recul runs
    // 2725 m (200 × 2725 ÷ 2700 = 201,85) and adds 0,05 s/km (× 2,725: 0,14); +1 −2
    // +0,05 = −0,95 s/km over 2725 m: −2,59.
    // clang-format off
    const TrotRow rows[] = {
        {.name = "same conditions", .estimate = "03:20:00", .corrected = "1'14\"1"},
        {.name = "from an autostart", .referenceStart = "autostart", .estimate = "03:22:70", .corrected = "1'15\"1",
         .corrections = "autostart +1,0"},
        {.name = "déferré des quatre today", .dayShoeing = "D4", .estimate = "03:14:60", .corrected = "1'12\"1",
         .corrections = "D4 −2,0"},
        {.name = "25 m of recul today", .dayRecul = 25, .estimate = "03:21:99", .corrected = "1'14\"1",
         .corrections = "distance +0,1"},
        // 200 × 2708 ÷ 2700 = 200,593 and 0,016 × 2,708 = 0,043: 200,64 in one
        // rounding (200,59 + 0,04 would give 200,63).
        {.name = "8 m of recul today: one rounding", .dayRecul = 8, .estimate = "03:20:64",
         .corrected = "1'14\"1", .corrections = "distance +0,0"},
        // 200 × 2700 ÷ 2725 = 198,17; 200 ÷ 2,725 = 73,39 s per km; −0,05 × 2,7: −0,14.
        {.name = "25 m of recul then", .recul = 25, .estimate = "03:18:03", .corrected = "1'13\"3",
         .corrections = "distance −0,1"},
        {.name = "25 m of recul on both sides", .recul = 25, .dayRecul = 25, .estimate = "03:20:00",
         .corrected = "1'13\"4"},
        {.name = "mounted today, in harness then", .race = TrotMounted, .discipline = TrotHarness,
         .estimate = "03:22:70", .corrected = "1'15\"1", .corrections = "trot monté +1,0"},
        {.name = "autostart then, D4 and 25 m of recul today", .referenceStart = "autostart", .dayShoeing = "D4",
         .dayRecul = 25, .estimate = "03:19:26", .corrected = "1'13\"1", .corrections = "autostart +1,0 · D4 −2,0 · distance +0,1"},
        {.name = "shoeing unknown today: no correction from it", .dayShoeing = "", .estimate = "03:20:00",
         .corrected = "1'14\"1"},
        // On the flat, 2 s/km on soft going: 2 × 2,7 = 5,4 s over 2700 m.
        {.name = "flat: soft today, good then", .race = Flat, .start = "", .referenceStart = "", .shoeing = "",
         .dayShoeing = "", .going = "Bon", .dayGoing = "souple ou plus lourd", .softPerKm = 2, .estimate = "03:25:40",
         .corrected = "1'16\"1", .corrections = "souple ou plus lourd +2,0"},
        {.name = "flat: good today, collant then", .race = Flat, .start = "", .referenceStart = "", .shoeing = "",
         .dayShoeing = "", .going = "collant", .dayGoing = "bon ou plus rapide", .softPerKm = 2,
         .estimate = "03:14:60", .corrected = "1'12\"1", .corrections = "souple ou plus lourd −2,0"},
        {.name = "flat: a going of the reference unknown", .race = Flat, .start = "", .referenceStart = "",
         .shoeing = "", .dayShoeing = "", .going = "PSF", .dayGoing = "souple ou plus lourd", .softPerKm = 2,
         .estimate = "03:20:00", .corrected = "1'14\"1"},
        {.name = "a trot reference for a flat race", .race = Flat, .start = "", .discipline = TrotHarness},
        {.name = "a recul past 1000 m", .dayRecul = 1025},
    };
    // clang-format on
    for (const TrotRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestSheet::trot() {
    QFETCH(TrotRow, row);
    Runner r;
    r.name = u"Idéal du Gazeau"_qs;
    r.race.referenceDistance = u"2700"_qs;
    r.race.minutes = u"3"_qs;
    r.race.seconds = u"20"_qs;
    r.race.hundredths = u"00"_qs;
    r.race.margin = u"0"_qs;
    r.referenceDiscipline = calc::disciplineOf(row.discipline);
    r.referenceStart = *calc::startOf(row.referenceStart);
    r.referenceShoeing = *calc::shoeingOf(row.shoeing);
    r.referenceRecul = row.recul;
    r.dayShoeing = *calc::shoeingOf(row.dayShoeing);
    r.dayRecul = row.dayRecul;
    r.going = row.going;
    const RaceSheet race{
        .distance = u"2700"_qs, .discipline = row.race, .start = row.start, .going = row.dayGoing};
    Rules rules;
    rules.corrections.going[size_t(scale::Going::SoftOrSlower)] = row.softPerKm;
    ScriptedDialogs dialogs;
    const auto out = rerun(r, race, rules, {}, dialogs);
    QCOMPARE(out.has_value(), !row.estimate.isEmpty());
    if (!out) {
        QCOMPARE(dialogs.shown.size(), 1);
        return;
    }
    QCOMPARE(out->estimate, row.estimate);
    QCOMPARE(calc::punterTenths(out->correctedReduction), row.corrected);
    QCOMPARE(out->corrections, row.corrections);
    QCOMPARE(out->race.referenceDistance, u"2700"_qs); // as typed, the recul apart
    QCOMPARE(out->dayRecul, row.dayRecul);
}

void TestSheet::trotGapsInMetres() {
    // The leader 3'20"00 over 2700 m: 13,5 m a second; the second 1,00 s behind.
    RaceSheet race{.distance = u"2700"_qs, .discipline = TrotHarness, .start = u"volté"_qs};
    for (const char* seconds : {"21", "20"}) {
        Runner r;
        r.name = QString::fromUtf8(seconds);
        r.race.referenceDistance = u"2700"_qs;
        r.race.minutes = u"3"_qs;
        r.race.seconds = QString::fromUtf8(seconds);
        r.race.hundredths = u"0"_qs;
        ScriptedDialogs quiet;
        race.runners.push_back(*rerun(r, race, {}, {}, quiet));
    }
    const auto rows = racetable::rows(race);
    QCOMPARE(rows[1][racetable::Name], u"21"_qs);
    QCOMPARE(rows[1][racetable::GapSeconds], u"1,00"_qs);
    QCOMPARE(rows[1][racetable::GapMetres], u"13,5"_qs);
    QCOMPARE(rows[0][racetable::CorrectedReduction], u"1'14\"07"_qs);
    QCOMPARE(racetable::rows(race, racetable::Notation::Tenths)[0][racetable::Reduction],
             u"1'14\"1"_qs);
}

void TestSheet::splitTime_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("parts"); // "m s c", or "-" for none
    QTest::newRow("punter") << u"2'12\"58"_qs << u"2 12 58"_qs;
    QTest::newRow("colons") << u"2:12:58"_qs << u"2 12 58"_qs;
    QTest::newRow("dots") << u"2.12.58"_qs << u"2 12 58"_qs;
    QTest::newRow("spaces") << u" 2 12 58 "_qs << u"2 12 58"_qs;
    QTest::newRow("under a minute") << u"58\"12"_qs << u"0 58 12"_qs;
    QTest::newRow("minutes and seconds") << u"1'12"_qs << u"-"_qs;
    QTest::newRow("one number") << u"132"_qs << u"-"_qs;
    QTest::newRow("five figures, no separator") << u"23850"_qs << u"2 38 50"_qs;
    QTest::newRow("four figures: not a time") << u"3850"_qs << u"-"_qs;
    QTest::newRow("six figures: not a time") << u"123850"_qs << u"-"_qs;
    QTest::newRow("four parts") << u"1:2:3:4"_qs << u"-"_qs;
}

void TestSheet::splitTime() {
    QFETCH(QString, typed);
    QFETCH(QString, parts);
    const auto t = ::splitTime(typed);
    const QString got = t ? QStringList{t->minutes, t->seconds, t->hundredths}.join(u' ') : u"-"_qs;
    QCOMPARE(got, parts);
}

void TestSheet::recomputedOnReading() {
    QTemporaryDir folder;
    // As a spreadsheet left the file: a result wrong, a runner without results, one
    // whose distance cannot be read.
    RaceSheet typed{.name = u"Prix"_qs, .date = QDate(2026, 12, 8), .distance = u"2400"_qs};
    typed.runners = {worked(), workedExample(u"Bolide"_qs), workedExample(u"Mal tapé"_qs)};
    typed.runners[0].estimate = u"00:59:00"_qs;
    typed.runners[0].estimateHundredths = 5900;
    typed.runners[1].estimate.clear();
    typed.runners[2].race.referenceDistance = u"deux mille"_qs;
    const QString path = folder.filePath(u"coursedujour.csv"_qs);
    writeFile(path, racefile::write(typed));
    ScriptedDialogs dialogs;
    RaceDay day = loadRaceDay(path, dialogs, QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    QCOMPARE(day.sheet.runners.size(), size_t(3));
    QVERIFY(recomputeSheet(day, {}, dialogs, QDateTime(QDate(2026, 12, 8), QTime(9, 0))));
    QCOMPARE(summary(day.sheet),
             (QStringList{u"Eclair 03:01:80 1:15:48"_qs, u"Bolide 03:01:80 1:15:48"_qs}));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(dialogs.lastText().contains(u"« Mal tapé » : veuillez rentrer une distance"_qs) &&
                 dialogs.lastText().contains(u"coursedujour-refus-20261208-090000.csv"_qs),
             qPrintable(dialogs.lastText()));
    // Nothing lost: the file as it was kept aside, the sheet's file computed.
    QCOMPARE(readFile(folder.filePath(u"coursedujour-refus-20261208-090000.csv"_qs)),
             racefile::write(typed));
    QVERIFY(racefile::read(readFile(path)) == day.sheet);
    // Read again: nothing left to compute, nothing said.
    QVERIFY(!recomputeSheet(day, {}, dialogs, QDateTime::currentDateTime()));
    QCOMPARE(dialogs.shown.size(), 1);
}

void TestSheet::renameAcross() {
    QTemporaryDir folder;
    places::setListFilePath(folder.filePath(u"lstchrono.txt"_qs));
    // The sheet offers the list's correction: Oui renames each runner of the name.
    RaceDay day = dayIn(folder, {worked(), worked(u"Bolide"_qs), worked()});
    ScriptedDialogs dialogs;
    dialogs.choices = {Oui};
    QVERIFY(offerRenameOnSheet(day, u"Eclair"_qs, u"Éclair"_qs, dialogs));
    QCOMPARE(
        textsOf(dialogs),
        QStringList{
            u"« Eclair » est aussi dans la course du jour. Le renommer aussi « Éclair » ?"_qs});
    QCOMPARE(dialogs.shown[0].defaultChoice, Oui);
    QCOMPARE(summary(day.sheet).join(u'|').count(u"Éclair"_qs), 2);
    // Non, or a name it does not hold: nothing.
    dialogs.choices = {Non};
    QVERIFY(!offerRenameOnSheet(day, u"Bolide"_qs, u"Bolid"_qs, dialogs));
    QVERIFY(!offerRenameOnSheet(day, u"Zéphyr"_qs, u"Zephyr"_qs, dialogs));
    QCOMPARE(dialogs.shown.size(), 2);

    // The list offers the sheet's correction, for saved and unsaved entries alike.
    ScriptedDialogs listDialogs;
    Form1Logic list(listDialogs);
    list.AddLine(u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs);
    QVERIFY(list.btsave_Click());
    list.AddLine(u"1:16:00 ---- 2000m ---- 57Kg ---- Eclair ---- terrain : souple"_qs);
    list.AddLine(u"1:14:00 ---- 2000m ---- 57Kg ---- Bolide ---- terrain : bon"_qs);
    listDialogs.choices = {Oui};
    QVERIFY(list.OfferRename(u"Eclair"_qs, u"Éclair"_qs));
    QCOMPARE(listDialogs.lastText(),
             u"« Eclair » est aussi dans la liste des chevaux. Le renommer aussi « Éclair » ?"_qs);
    QCOMPARE(list.model().list().count(), 3);
    QCOMPARE(QString::fromLatin1(readFile(places::listFilePath())).count(u"Eclair"_qs), 0);
    QVERIFY(!list.OfferRename(u"Zéphyr"_qs, u"Zephyr"_qs)); // not there: no question
    // A correction in the list gives the names to offer the sheet.
    listDialogs.promptTexts = {u"Bolide II"_qs, u"bon"_qs};
    const auto renamed = list.CorrectEntry(0);
    QVERIFY(renamed);
    QCOMPARE(renamed->from + u'>' + renamed->to, u"Bolide>Bolide II"_qs);
}

void TestSheet::archive() {
    QTemporaryDir folder;
    const QString archive = folder.filePath(u"courses"_qs);
    RaceDay day = dayIn(folder, {worked(), worked(u"Bolide"_qs)});
    day.sheet.name = u"Prix: \"A/B\"?"_qs;
    day.sheet.months = 6;
    day.sheet.discipline = TrotMounted;
    const RaceSheet first = day.sheet;
    ScriptedDialogs dialogs;
    // A new race: the one it ends kept whole, an empty sheet with the same
    // distance, discipline and choice of references.
    QVERIFY(newRace(day, archive, QDate(2026, 12, 9), dialogs));
    QCOMPARE(day.sheet.runners.size(), size_t(0));
    QCOMPARE(day.sheet.distance, u"2400"_qs);
    QCOMPARE(day.sheet.discipline, first.discipline);
    QCOMPARE(day.sheet.months, 6);
    QCOMPARE(day.sheet.date, QDate(2026, 12, 9));
    auto races = archivedRaces(archive);
    QCOMPARE(races.size(), size_t(1));
    QCOMPARE(QFileInfo(races[0].path).fileName(), u"2026-12-08 Prix- -A-B--.csv"_qs);
    QVERIFY(racefile::read(readFile(races[0].path)) == first);
    QCOMPARE(races[0].runners, 2);
    // Without runners, nothing to keep.
    QVERIFY(newRace(day, archive, QDate(2026, 12, 9), dialogs));
    QCOMPARE(archivedRaces(archive).size(), size_t(1));
    // The same name again: a name of its own.
    day.sheet = first;
    QVERIFY(newRace(day, archive, QDate(2026, 12, 9), dialogs));
    races = archivedRaces(archive);
    QCOMPARE(races.size(), size_t(2));
    QVERIFY(QFileInfo::exists(archive + u"/2026-12-08 Prix- -A-B-- (2).csv"_qs));
    QVERIFY(dialogs.shown.isEmpty());
    // Without a name, the hippodrome, else "course".
    RaceSheet bare{.date = QDate(2026, 12, 1), .hippodrome = u"Deauville"_qs};
    QCOMPARE(archiveName(bare), u"2026-12-01 Deauville.csv"_qs);
    bare.hippodrome.clear();
    QCOMPARE(archiveName(bare), u"2026-12-01 course.csv"_qs);
}

void TestSheet::archiveRefused() {
    // The folder cannot be made (a file holds its name): the race stays.
    QTemporaryDir folder;
    const QString archive = folder.filePath(u"courses"_qs);
    QFile blocker(archive);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RaceDay day = dayIn(folder, {worked()});
    const RaceSheet before = day.sheet;
    ScriptedDialogs dialogs;
    QVERIFY(!newRace(day, archive, QDate(2026, 12, 9), dialogs));
    QVERIFY(day.sheet == before);
    QVERIFY2(dialogs.lastText().endsWith(u"La course reste sur la feuille."_qs),
             qPrintable(dialogs.lastText()));
}

void TestSheet::openAndDelete() {
    QTemporaryDir folder;
    const QString archive = folder.filePath(u"courses"_qs);
    RaceDay day = dayIn(folder, {worked()});
    day.sheet.name = u"Prix A"_qs;
    ScriptedDialogs dialogs;
    QVERIFY(newRace(day, archive, QDate(2026, 12, 9), dialogs));
    day.sheet.runners = {worked(u"Bolide"_qs)};
    day.sheet.name = u"Prix B"_qs;
    // Opened: the race on the sheet kept first; the one opened leaves the archive.
    auto races = archivedRaces(archive);
    QVERIFY(openArchived(day, races[0], archive, dialogs));
    QCOMPARE(day.sheet.name, u"Prix A"_qs);
    QVERIFY(racefile::read(readFile(day.path)) == day.sheet);
    races = archivedRaces(archive);
    QCOMPARE(races.size(), size_t(1));
    QCOMPARE(races[0].name, u"Prix B"_qs);
    // An unreadable file is listed, not opened.
    writeFile(archive + u"/2026-12-01 abîmé.csv"_qs, "pas une course\r\n");
    races = archivedRaces(archive);
    QCOMPARE(races.size(), size_t(2));
    const auto broken =
        std::find_if(races.begin(), races.end(), [](auto& r) { return r.runners < 0; });
    QVERIFY(broken != races.end());
    const RaceSheet before = day.sheet;
    QVERIFY(!openArchived(day, *broken, archive, dialogs));
    QVERIFY(day.sheet == before);
    // Deleted only after "Oui"; "Non" is the default.
    dialogs.choices = {ScriptedDialogs::Enter};
    QVERIFY(!deleteArchived(*broken, dialogs));
    QVERIFY(QFileInfo::exists(broken->path));
    QCOMPARE(dialogs.shown.last().defaultChoice, Non);
    dialogs.choices = {Oui};
    QVERIFY(deleteArchived(*broken, dialogs));
    QCOMPARE(archivedRaces(archive).size(), size_t(1));
}

void TestSheet::recordedInHistory_data() {
    QTest::addColumn<RunnerField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QStringList>("runs"); // the horse's runs in the end: distance, time
    QTest::newRow("dated: the time corrected replaces the typed one")
        << RunnerField::Time << u"2'37\"90"_qs << true << QStringList{u"2100 15790"_qs};
    QTest::newRow("dated: the distance corrected, the old run gone")
        << RunnerField::ReferenceDistance << u"2000"_qs << true << QStringList{u"2000 15850"_qs};
    QTest::newRow("without a date: the time corrected, the old run gone")
        << RunnerField::Time << u"2'37\"90"_qs << false << QStringList{u"2100 15790"_qs};
    QTest::newRow("the going: one run still")
        << RunnerField::Going << u"lourd"_qs << false << QStringList{u"2100 15850"_qs};
    // 3 lengths at 1,5 a second: the horse's own time is 2 s behind the winner's.
    QTest::newRow("3 lengths typed: the horse's own time kept")
        << RunnerField::Margin << u"3"_qs << true << QStringList{u"2100 16050"_qs};
}

void TestSheet::recordedInHistory() {
    QFETCH(RunnerField, field);
    QFETCH(QString, text);
    QFETCH(bool, dated);
    QFETCH(QStringList, runs);
    QTemporaryDir folder;
    history::Store store;
    QVERIFY(store.open(folder.filePath(u"historique.sqlite"_qs)).result.ok());
    Runner r = workedExample(u"Eclair"_qs);
    if (dated) {
        r.referenceDate = QDate(2026, 11, 30);
        r.race.hippodrome = u"Chantilly"_qs;
    }
    ScriptedDialogs quiet;
    RaceDay day = dayIn(folder, {*rerun(r, RaceSheet{.distance = u"2400"_qs}, {}, {}, quiet)});
    // An arrival of another horse at the same place and day is never touched.
    history::Run arrival = *referenceRun(day.sheet.runners[0], day.sheet);
    arrival.horse = u"Bolide"_qs;
    arrival.source = history::Source::Arrival;
    QVERIFY(store.add({arrival}).result.ok());
    QCOMPARE(recordReferences(store, day.sheet), QString());
    QCOMPARE(recordReferences(store, day.sheet), QString()); // again: nothing twice
    const Runner before = day.sheet.runners[0];
    QVERIFY(editRunner(day, 0, field, text, {}, quiet));
    QCOMPARE(correctRecorded(store, before, day.sheet.runners[0], day.sheet), QString());
    QCOMPARE(recordReferences(store, day.sheet), QString());
    QStringList shown;
    for (const history::Run& run : store.runsOf(u"ECLAIR"_qs).runs)
        shown << u"%1 %2"_qs.arg(run.distance).arg(run.time.value_or(0));
    QCOMPARE(shown, runs);
    const auto kept = store.runsOf(u"Bolide"_qs).runs;
    QCOMPARE(kept.size(), size_t(1));
    QCOMPARE(kept.front().source, history::Source::Arrival);
}

namespace {

// Vincennes, 2700 m attelé volté, on 08/12/2026: the race the runs are judged for.
const RaceSheet TrotRace{.date = QDate(2026, 12, 8),
                         .distance = u"2700"_qs,
                         .discipline = TrotHarness,
                         .start = u"volté"_qs};

history::Run trotRun(qint64 id, QDate date, qint64 time) {
    history::Run r;
    r.id = id;
    r.horse = u"Idéal"_qs;
    r.date = date;
    r.hippodrome = u"Vincennes"_qs;
    r.discipline = history::Discipline::TrotHarness;
    r.distance = 2700;
    r.start = calc::Start::Volte;
    r.shoeing = calc::Shoeing::Shod;
    r.time = time;
    return r;
}

} // namespace

void TestSheet::comparable_data() {
    QTest::addColumn<history::Run>("run");
    QTest::addColumn<QString>("dayRecul");
    QTest::addColumn<bool>("comparable");
    const history::Run base = trotRun(1, QDate(2026, 11, 30), 20000);
    const auto with = [&](auto change) {
        history::Run r = base;
        change(r);
        return r;
    };
    // clang-format off
    QTest::newRow("the same race a week before") << base << QString() << true;
    QTest::newRow("mounted: the trot, through the correction") << with([](auto& r) { r.discipline = history::Discipline::TrotMounted; }) << QString() << true;
    QTest::newRow("a flat run") << with([](auto& r) { r.discipline = history::Discipline::Flat; }) << QString() << false;
    QTest::newRow("10 % further: in") << with([](auto& r) { r.distance = 2970; }) << QString() << true;
    QTest::newRow("a metre more: out") << with([](auto& r) { r.distance = 2971; }) << QString() << false;
    QTest::newRow("10 % shorter: in") << with([](auto& r) { r.distance = 2430; }) << QString() << true;
    QTest::newRow("a metre less: out") << with([](auto& r) { r.distance = 2429; }) << QString() << false;
    QTest::newRow("its recul counts: 2950 + 25 m") << with([](auto& r) { r.distance = 2950; r.recul = 25; }) << QString() << false;
    QTest::newRow("today's recul counts: 2997 against 2725") << with([](auto& r) { r.distance = 2997; }) << u"25"_qs << true;
    QTest::newRow("twelve months before: in") << with([](auto& r) { r.date = QDate(2025, 12, 8); }) << QString() << true;
    QTest::newRow("a day more: out") << with([](auto& r) { r.date = QDate(2025, 12, 7); }) << QString() << false;
    QTest::newRow("the race's own day: not before it") << with([](auto& r) { r.date = QDate(2026, 12, 8); }) << QString() << false;
    QTest::newRow("after the race (a past race reopened): never") << with([](auto& r) { r.date = QDate(2026, 12, 20); }) << QString() << false;
    QTest::newRow("no date") << with([](auto& r) { r.date = QDate(); }) << QString() << false;
    QTest::newRow("a reduction alone") << with([](auto& r) { r.time.reset(); r.reduction = 7407; }) << QString() << true;
    QTest::newRow("neither time nor reduction") << with([](auto& r) { r.time.reset(); }) << QString() << false;
    // clang-format on
}

void TestSheet::comparable() {
    QFETCH(history::Run, run);
    QFETCH(QString, dayRecul);
    QFETCH(bool, comparable);
    Runner r;
    r.name = u"Idéal"_qs;
    r.dayRecul = dayRecul.toInt(); // empty: none
    QCOMPARE(isComparable(run, r, TrotRace), comparable);
}

void TestSheet::fedFromRuns_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<qint64>("picked");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<QString>("served");
    // Newest first: 3'20"00, 3'18"00, 3'21"00, then an older 3'15"00; every run
    // in today's conditions, so each estimate is its time.
    // clang-format off
    QTest::newRow("la dernière") << u"la dernière"_qs << qint64(0) << u"03:20:00"_qs << u"30/11/2026 Vincennes"_qs;
    QTest::newRow("the best of the last 3, the older better one aside") << QString() << qint64(0)
        << u"03:18:00"_qs << u"15/11/2026 Vincennes"_qs;
    // (200 + 198 + 201) ÷ 3 = 199,67.
    QTest::newRow("the mean of the last 3") << u"la moyenne des 3 dernières"_qs << qint64(0) << u"03:19:67"_qs
        << u"moyenne de 3 : 30/11/2026 Vincennes, 15/11/2026 Vincennes, 01/11/2026 Vincennes"_qs;
    QTest::newRow("a run picked on the card") << QString() << qint64(4) << u"03:15:00"_qs
        << u"01/10/2026 Vincennes (choisie)"_qs;
    // clang-format on
}

void TestSheet::fedFromRuns() {
    QFETCH(QString, rule);
    QFETCH(qint64, picked);
    QFETCH(QString, estimate);
    QFETCH(QString, served);
    const std::vector<history::Run> runs{
        trotRun(1, QDate(2026, 11, 30), 20000), trotRun(2, QDate(2026, 11, 15), 19800),
        trotRun(3, QDate(2026, 11, 1), 20100), trotRun(4, QDate(2026, 10, 1), 19500),
        trotRun(5, QDate(2026, 9, 1), 17000)}; // the last at 3000 m: not comparable
    std::vector<history::Run> all = runs;
    all.back().distance = 3000;
    RaceSheet race = TrotRace;
    race.rule = rule;
    Runner r = workedExample(u"Idéal"_qs);
    r.dayShoeing = calc::Shoeing::Shod;
    r.picked = picked;
    const Runner fed = feedRunner(r, all, race, {});
    QCOMPARE(fed.estimate, estimate);
    QCOMPARE(fed.served, served);
    QCOMPARE(fed.comparable, 4);
    QCOMPARE(fed.picked, picked);
    QCOMPARE(fed.dayShoeing, calc::Shoeing::Shod); // today's inputs kept
    // No comparable run: the typed reference kept, and said.
    const Runner alone = feedRunner(r, {all.back()}, race, {});
    QCOMPARE(alone.served, u"aucune course comparable"_qs);
    QCOMPARE(alone.race, r.race);
}

void TestSheet::margins_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lengths"); // -1: not a margin
    QTest::newRow("nez") << u"Nez"_qs << 0.05;
    QTest::newRow("courte tête") << u"courte tête"_qs << 0.08;
    QTest::newRow("the memo aid's abbreviation") << u"Crt. Enc"_qs << 0.15;
    QTest::newRow("encolure") << u"encolure"_qs << 0.25;
    QTest::newRow("3/4") << u"3/4"_qs << 0.75;
    QTest::newRow("1 1/2") << u"1 1/2"_qs << 1.5;
    QTest::newRow("a decimal comma and its unit") << u"2,5 L"_qs << 2.5;
    QTest::newRow("longueurs written out") << u"2 longueurs"_qs << 2.0;
    QTest::newRow("words of no measure") << u"beaucoup"_qs << -1.0;
    QTest::newRow("a fraction over nothing") << u"1/0"_qs << -1.0;
}

void TestSheet::margins() {
    QFETCH(QString, text);
    QFETCH(double, lengths);
    const auto read = marginLengths(text);
    QCOMPARE(read.value_or(-1), lengths);
}

void TestSheet::arrival_data() {
    QTest::addColumn<QString>("winner");
    QTest::addColumn<QStringList>("typed"); // place|margin per runner A, B, C, D
    QTest::addColumn<QStringList>("runs");  // place status time lengths, per runner
    QTest::addColumn<QString>("refused");
    // 3'15"40 at the trot's 5,5 lengths a second: 1/2 L is 0,09 s, 0,6 L 0,11 s,
    // 1 1/2 L 0,27 s.
    // clang-format off
    QTest::newRow("an arrival, margins to the horse before") << u"3'15\"40"_qs
        << QStringList{"1|", "2|1/2", "3|tête", "D|"}
        << QStringList{"1  19540 0", "2  19549 0.5", "3  19551 0.6", "0 disqualifié 0 -1"} << QString();
    QTest::newRow("margins in figures, unplaced and fallen") << u"3:15:40"_qs
        << QStringList{"2|1 1/2", "1|", "NP|", "T|"}
        << QStringList{"2  19567 1.5", "1  19540 0", "0 non placé 0 -1", "0 tombé 0 -1"} << QString();
    QTest::newRow("a place missing: no time after it") << u"3'15\"40"_qs
        << QStringList{"1|", "3|1", "0|", "0|"}
        << QStringList{"1  19540 0", "3  0 -1", "0 non placé 0 -1", "0 non placé 0 -1"} << QString();
    QTest::newRow("a margin that is none") << u"3'15\"40"_qs << QStringList{"1|", "2|un peu", "0|", "0|"}
        << QStringList{} << u"« B » : l'écart « un peu » ne se lit pas"_qs;
    QTest::newRow("two at one place") << u"3'15\"40"_qs << QStringList{"1|", "1|", "0|", "0|"}
        << QStringList{} << u"Deux chevaux sont à la place 1."_qs;
    QTest::newRow("a place that is none") << u"3'15\"40"_qs << QStringList{"1|", "premier|", "0|", "0|"}
        << QStringList{} << u"« B » : la place « premier » ne se lit pas"_qs;
    QTest::newRow("no winner's time") << u"vite"_qs << QStringList{"1|", "2|1", "0|", "0|"}
        << QStringList{} << u"Tapez le temps du gagnant"_qs;
    // clang-format on
}

void TestSheet::arrival() {
    QFETCH(QString, winner);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, runs);
    QFETCH(QString, refused);
    RaceSheet race = TrotRace;
    race.name = u"Prix de Bretagne"_qs;
    race.hippodrome = u"Vincennes"_qs;
    std::vector<ArrivalEntry> entries;
    for (const char* name : {"A", "B", "C", "D"}) {
        Runner r;
        r.name = QString::fromUtf8(name);
        r.dayShoeing = calc::Shoeing::D4;
        race.runners.push_back(r);
        const QStringList parts = typed[qsizetype(entries.size())].split(u'|');
        entries.push_back({parts[0], parts[1]});
    }
    const Arrival arrival = arrivalRuns(race, winner, entries, {});
    QVERIFY2(refused.isEmpty() ? arrival.refused.isEmpty() : arrival.refused.startsWith(refused),
             qPrintable(arrival.refused));
    QStringList shown;
    for (const history::Run& r : arrival.runs) {
        shown << u"%1 %2 %3 %4"_qs.arg(r.place)
                     .arg(history::statusName(r.status))
                     .arg(r.time.value_or(0))
                     .arg(r.lengths.value_or(-1));
        QCOMPARE(r.date, race.date);
        QCOMPARE(r.shoeing, calc::Shoeing::D4);
        QCOMPARE(r.source, history::Source::Arrival);
        QCOMPARE(r.runners, std::optional<qint64>(4));
    }
    QCOMPARE(shown, runs);
    for (const history::Run& r : arrival.runs) // the winner's reduction: 195,40 s over 2700 m
        if (r.place == 1)
            QCOMPARE(r.reduction, std::optional<qint64>(7237));
}

// A typed reference 3 lengths behind the winner, recorded, then fed back from
// the history: the estimate the punter typed (own time 158,5 + 2 = 160,5 s;
// 2400 × 160,5 ÷ 2100 = 183,43, + 0,66 for 1 kg: 03:04:09), its lengths shown.
void TestSheet::fedWithItsLengths() {
    QTemporaryDir folder;
    history::Store store;
    QVERIFY(store.open(folder.filePath(u"historique.sqlite"_qs)).result.ok());
    Runner r = workedExample(u"Eclair"_qs);
    r.referenceDate = QDate(2026, 11, 30);
    r.race.hippodrome = u"Chantilly"_qs;
    r.race.margin = u"3"_qs;
    r.race.estimateWithLengths = true;
    RaceSheet race{.date = QDate(2026, 12, 8), .distance = u"2400"_qs, .bandPercent = 20};
    ScriptedDialogs quiet;
    race.runners.push_back(*rerun(r, race, {}, {}, quiet));
    QCOMPARE(race.runners[0].estimate, u"03:04:09"_qs);
    QCOMPARE(recordReferences(store, race), QString());
    QVERIFY(feedSheet(race, store, {}));
    const Runner& fed = race.runners[0];
    QCOMPARE(fed.served, u"30/11/2026 Chantilly"_qs);
    QCOMPARE(fed.estimate, u"03:04:09"_qs);
    QCOMPARE(fed.race.margin, u"3"_qs);
    QCOMPARE(racetable::referenceTime(fed), u"2'40\"50"_qs);
}

// A sheet its file could not take (a file stands where its folder should be):
// said, and its runners' references are not recorded as if it had been written.
void TestSheet::unwrittenNotRecorded() {
    QTemporaryDir folder;
    const QString blocker = folder.filePath(u"bloque"_qs);
    writeFile(blocker, "un fichier, pas un dossier");
    RaceDay day{RaceSheet{.date = QDate(2026, 12, 8), .distance = u"2400"_qs},
                blocker + u"/coursedujour.csv"_qs};
    AppState state(folder.filePath(u"o.ini"_qs), day);
    ScriptedDialogs dialogs;
    QCOMPARE(state.openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), dialogs),
             QString());
    Runner r = worked();
    r.referenceDate = QDate(2026, 11, 30);
    state.raceDay().sheet.runners.push_back(r);
    QVERIFY(!saveRaceDay(state.raceDay(), dialogs));
    QVERIFY(dialogs.lastText().contains(u"garde son contenu d'avant"_qs));
    state.sheetEdited();
    QVERIFY(state.history().runsOf(r.name).runs.empty());
    // Written where it can be: recorded.
    state.raceDay().path = folder.filePath(u"coursedujour.csv"_qs);
    QVERIFY(saveRaceDay(state.raceDay(), dialogs));
    state.sheetEdited();
    QCOMPARE(state.history().runsOf(r.name).runs.size(), size_t(1));
}

// The reference's date typed, then its hippodrome, as the window does each edit:
// the horse's run is corrected each time, never lost, even once the dated run
// has become the runner's comparable run.
void TestSheet::referenceDatedThenPlaced() {
    QTemporaryDir folder;
    Runner r = worked();
    r.race.referenceDistance = u"2400"_qs; // comparable with today's 2400 m once dated
    AppState state(folder.filePath(u"o.ini"_qs), dayIn(folder, {r}));
    ScriptedDialogs dialogs;
    QCOMPARE(state.openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), dialogs),
             QString());
    QVERIFY(saveRaceDay(state.raceDay(), dialogs));
    state.sheetEdited();
    for (const auto& [field, text] : {std::pair{RunnerField::ReferenceDate, u"30/11/2026"_qs},
                                      {RunnerField::ReferenceHippodrome, u"Chantilly"_qs}}) {
        const Runner before = state.raceDay().sheet.runners[0];
        QVERIFY(editRunner(state.raceDay(), 0, field, text, {}, dialogs));
        state.runnerCorrected(before, state.raceDay().sheet.runners[0]);
        state.sheetEdited();
        const auto runs = state.history().runsOf(r.name).runs;
        QCOMPARE(runs.size(), size_t(1));
        QCOMPARE(runs.front().date, QDate(2026, 11, 30));
    }
    QCOMPARE(state.history().runsOf(r.name).runs.front().hippodrome, u"Chantilly"_qs);
}

void TestSheet::cardDecisions_data() {
    QTest::addColumn<QString>("command"); // on the card of "Eclair"
    QTest::addColumn<int>("answer");      // to a question
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("said");     // the first message, its start
    QTest::addColumn<QStringList>("runs"); // the horse's runs after: date place
    QTest::newRow("a run added") << u"add 2026-10-02"_qs << Non << true << QString()
                                 << QStringList{"2026-11-30 1", "2026-10-02 2"};
    QTest::newRow("a known run added: completed, said")
        << u"add 2026-11-30"_qs << Non << true << u"Cette course était déjà gardée"_qs
        << QStringList{"2026-11-30 2"};
    QTest::newRow("a run corrected")
        << u"correct"_qs << Non << true << QString() << QStringList{"2026-11-30 4"};
    QTest::newRow("a run typed wrong: refused, said")
        << u"add 2026-13-45"_qs << Non << false << u"Cette course ne peut pas être gardée"_qs
        << QStringList{"2026-11-30 1"};
    QTest::newRow("delete, Non: kept")
        << u"delete"_qs << Non << false
        << u"Supprimer la course du 30/11/2026 (Chantilly, 2400 m) de « Eclair » ?"_qs
        << QStringList{"2026-11-30 1"};
    QTest::newRow("delete, Oui: gone")
        << u"delete"_qs << Oui << true << u"Supprimer la course du 30/11/2026"_qs << QStringList{};
    QTest::newRow("picked for today")
        << u"pick"_qs << Non << true << QString() << QStringList{"2026-11-30 1"};
    QTest::newRow("picked, not on the sheet: said")
        << u"pick elsewhere"_qs << Non << false
        << u"« Eclair » n'est pas dans la course du jour."_qs << QStringList{"2026-11-30 1"};
    QTest::newRow("picked, not comparable: said")
        << u"pick far"_qs << Non << false << u"Cette course n'est pas comparable"_qs
        << QStringList{"2026-11-30 1"};
}

void TestSheet::cardDecisions() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, done);
    QFETCH(QString, said);
    QFETCH(QStringList, runs);
    QTemporaryDir folder;
    RaceSheet race{.date = QDate(2026, 12, 8), .distance = u"2400"_qs};
    if (command != u"pick elsewhere")
        race.runners.push_back(worked());
    AppState state(folder.filePath(u"o.ini"_qs),
                   RaceDay{race, folder.filePath(u"coursedujour.csv"_qs)});
    ScriptedDialogs dialogs;
    QVERIFY(state.openHistory(folder.filePath(u"historique.sqlite"_qs), QDateTime(), dialogs)
                .isEmpty());
    history::Run run{.horse = u"Eclair"_qs, .date = QDate(2026, 11, 30)};
    run.hippodrome = u"Chantilly"_qs;
    run.discipline = history::Discipline::Flat;
    run.distance = command == u"pick far" ? 3000 : 2400;
    run.time = 15000;
    run.place = 1;
    QVERIFY(state.history().add({run}).result.ok());
    // The typed reference of the sheet's runner is kept too, without a date: aside.
    const auto dated = [&] {
        std::vector<history::Run> out;
        for (const history::Run& r : state.history().runsOf(u"Eclair"_qs).runs)
            if (r.date.isValid())
                out.push_back(r);
        return out;
    };
    const history::Run stored = dated().front();
    dialogs.choices = {answer};
    bool result = false;
    if (command.startsWith(u"add ")) {
        QStringList cells = history::runRow(stored);
        cells[history::runHeader().indexOf(u"date"_qs)] = command.mid(4);
        cells[history::runHeader().indexOf(u"place"_qs)] = u"2"_qs;
        const auto typed = horsecard::typedRun(cells, history::Run{}, dialogs);
        result = typed && horsecard::addRun(state, *typed, dialogs);
    } else if (command == u"correct") {
        history::Run corrected = stored;
        corrected.place = 4;
        result = horsecard::correctRun(state, corrected, dialogs);
    } else if (command == u"delete") {
        result = horsecard::deleteRun(state, stored, dialogs);
    } else {
        result = horsecard::pickForToday(state, stored, dialogs);
    }
    QCOMPARE(result, done);
    QCOMPARE(dialogs.shown.isEmpty() ? QString() : dialogs.shown[0].text.left(said.size()), said);
    QStringList after;
    for (const history::Run& r : dated())
        after << u"%1 %2"_qs.arg(r.date.toString(Qt::ISODate)).arg(r.place);
    QCOMPARE(after, runs);
    if (command == u"pick")
        QCOMPARE(state.raceDay().sheet.runners[0].picked, stored.id);
}

// "Enregistrer l'arrivée": refused and said, or every runner's run kept and the
// count said; typed again, nothing twice.
void TestSheet::arrivalRecorded() {
    QTemporaryDir folder;
    history::Store store;
    RaceSheet race = TrotRace;
    for (const char* name : {"A", "B"}) {
        Runner r;
        r.name = QString::fromUtf8(name);
        race.runners.push_back(r);
    }
    const std::vector<ArrivalEntry> typed{{u"1"_qs, QString()}, {u"2"_qs, u"1/2"_qs}};
    ScriptedDialogs dialogs;
    QVERIFY(!recordArrival(store, race, u"3'15\"40"_qs, typed, {}, dialogs));
    QVERIFY(dialogs.lastText().startsWith(u"L'historique des chevaux n'a pas pu être ouvert"_qs));
    QVERIFY(store.open(folder.filePath(u"historique.sqlite"_qs)).result.ok());
    QVERIFY(!recordArrival(store, race, u"trois"_qs, typed, {}, dialogs));
    QVERIFY(store.runsOf(u"A"_qs).runs.empty());
    QVERIFY(recordArrival(store, race, u"3'15\"40"_qs, typed, {}, dialogs));
    QCOMPARE(dialogs.lastText(), u"Arrivée enregistrée dans l'historique : 2 courses ajoutées, "
                                 u"0 déjà connue."_qs);
    QVERIFY(recordArrival(store, race, u"3'15\"40"_qs, typed, {}, dialogs));
    QCOMPARE(dialogs.lastText(),
             u"Cette arrivée était déjà enregistrée telle quelle : rien n'a changé."_qs);
    QCOMPARE(store.runsOf(u"B"_qs).runs.front().time, std::optional<qint64>(19549));
    // Typed again with a margin corrected and the places swapped: the arrival's
    // runs replaced, and what changed said. By hand: 1 1/2 lengths at 5,5 a
    // second (attelé, good) is 0,27 s: 3'15"67.
    const std::vector<ArrivalEntry> corrected{{u"2"_qs, u"1 1/2"_qs}, {u"1"_qs, QString()}};
    QVERIFY(recordArrival(store, race, u"3'15\"40"_qs, corrected, {}, dialogs));
    QCOMPARE(
        dialogs.lastText(),
        u"Arrivée corrigée dans l'historique (2 chevaux) :\n"
        u"« A » : 2e (était 1er), écart 1,5 L (était 0 L), temps 3'15\"67 (était 3'15\"40)\n"
        u"« B » : 1er (était 2e), écart 0 L (était 0,5 L), temps 3'15\"40 (était 3'15\"49)"_qs);
    QCOMPARE(store.runsOf(u"A"_qs).runs.size(), size_t(1));
    QCOMPARE(store.runsOf(u"A"_qs).runs.front().place, 2);
}

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
