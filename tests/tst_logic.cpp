#include "addhorse.h"
#include "fchronologic.h"
#include "form1logic.h"
#include "listfile.h"
#include "numbers.h"
#include "places.h"
#include "raceday.h"
#include "racefile.h"
#include "scaleform.h"
#include "scalesettings.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QString Refused = QStringLiteral("<refused>");
const QString DistanceError = QStringLiteral("veuillez rentrer une distance");
const QString TimeError = QStringLiteral("Erreur dans vos valeur de temps");
const QString WeightError = QStringLiteral("Erreur dans vos valeur de poids");

// Fields after the window's load handler (or of `logic`), then "Name=text"
// assignments; the two "Le Chrono" options take "1" or "0".
// "bareme=terrain obstacle souple poids-distance": the scale's rules by the names
// its settings file uses, the others left at the original.
scale::Scale scaleNamed(const QString& names) {
    using namespace scale;
    Scale s;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        if (name == u"terrain")
            s.lengths = LengthsRule::DisciplineGoing;
        else if (name == u"vitesse")
            s.lengths = LengthsRule::RaceSpeed;
        else if (name == u"poids-distance")
            s.weight = WeightRule::ByDistance;
        else if (name == u"poids-aucun")
            s.weight = WeightRule::None;
        else if (name == u"obstacle")
            s.discipline = Discipline::Jumps;
        else if (name == u"souple")
            s.going = Going::SoftOrSlower;
        else if (name != u"plat" && name != u"bon")
            qFatal("unknown scale name %s", qPrintable(name));
    }
    return s;
}

FchronoLogic logicWith(const QStringList& assignments, std::optional<FchronoLogic> from = {}) {
    FchronoLogic logic = from ? std::move(*from) : FchronoLogic();
    if (!from)
        logic.Form_Load();
    for (const QString& assignment : assignments) {
        const qsizetype eq = assignment.indexOf(u'=');
        const QString name = assignment.left(eq), value = assignment.mid(eq + 1);
        if (name == u"Opt_chronok")
            logic.fields.Opt_chronok = value == u"1";
        else if (name == u"Opt_chronocj")
            logic.fields.Opt_chronocj = value == u"1";
        else if (name == u"bareme")
            logic.fields.scale = scaleNamed(value);
        else if (QString* text = logic.fields.text(name))
            *text = value;
        else
            qFatal("unknown field %s", qPrintable(name));
    }
    return logic;
}

Runner named(const QString& name) {
    Runner r;
    r.name = name;
    return r;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString WarningText = QStringLiteral("vous allez ajouter une réduction calculé sur un chrono "
                                           "avec longueur ceci est non recommandé, voulez vous "
                                           "continuer?");

} // namespace

class TestLogic : public QObject {
    Q_OBJECT

  private slots:
    void weightTimeToHundredths_data();
    void weightTimeToHundredths();
    void weightDifference_data();
    void weightDifference();
    void calculation_data();
    void calculation();
    void repeatedCalculationKeepsOneAdjustment();
    void margin_data();
    void margin();
    void weightFocus_data();
    void weightFocus();
    void dayWeightTypedOnceFollowsUntilTyped();
    void timeWithLengthsFollowsReferenceTime_data();
    void timeWithLengthsFollowsReferenceTime();
    void unusualInput_data();
    void unusualInput();
    void emptyListAsksWhenUnsaved_data();
    void emptyListAsksWhenUnsaved();
    void listWindow_data();
    void listWindow();
    void duplicateAsks_data();
    void duplicateAsks();
    void addRunner_data();
    void addRunner();
    void scaleChange_data();
    void scaleChange();
    void scaleForm_data();
    void scaleForm();
    void raceDayFile_data();
    void raceDayFile();
    void lengthsOptionGuard_data();
    void lengthsOptionGuard();
    void formLoad();
    void badInputSweep_data();
    void badInputSweep();
    void addHorse_data();
    void addHorse();
};

void TestLogic::weightTimeToHundredths_data() {
    // clang-format off
    QTest::addColumn<double>("kilograms");
    QTest::addColumn<float>("hundredths");
    QTest::newRow("0.5") << 0.5 << 33.0f;
    QTest::newRow("0.75") << 0.75 << 50.0f;
    QTest::newRow("1") << 1.0 << 66.0f;
    QTest::newRow("1.2") << 1.2 << 80.0f;
    QTest::newRow("1.5") << 1.5 << 100.0f;
    QTest::newRow("2") << 2.0 << 133.0f;
    QTest::newRow("2.5") << 2.5 << 166.0f;
    QTest::newRow("3") << 3.0 << 200.0f;
    QTest::newRow("4.5") << 4.5 << 300.0f;
    // clang-format on
}

void TestLogic::weightTimeToHundredths() {
    QFETCH(double, kilograms);
    QFETCH(float, hundredths);
    // As the calculation passes it: the difference in single precision, divided by 1.5.
    const auto seconds = static_cast<float>(static_cast<float>(kilograms) / 1.5);
    QCOMPARE(calc::weightTimeToHundredths(seconds), hundredths);
}

void TestLogic::weightDifference_data() {
    // clang-format off
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<float>("difference");
    QTest::addColumn<QString>("referenceAfter");
    QTest::newRow("57 58") << "57" << "58" << true << 1.0f << "57";
    QTest::newRow("58 56,5") << "58" << "56,5" << true << 1.5f << "58";
    QTest::newRow("9 10") << "9" << "10" << true << 1.0f << "9";
    QTest::newRow("57 57") << "57" << "57" << true << 0.0f << "57";
    QTest::newRow("57 empty") << "57" << "" << true << 0.0f << "57";
    QTest::newRow("0 58") << "0" << "58" << true << 0.0f << "0";
    QTest::newRow("0,4 counts as no weight") << "0,4" << "58" << true << 0.0f << "0,4";
    QTest::newRow("0,5 rounds to even 0") << "0,5" << "58" << true << 0.0f << "0,5";
    QTest::newRow("0,6 is a weight") << "0,6" << "1,6" << true << 1.0f << "0,6";
    QTest::newRow("point rewritten") << "56.5" << "57" << true << 0.5f << "56,5";
    QTest::newRow("empty reference") << "" << "58" << true << 0.0f << "";
    QTest::newRow("reference not a number") << "abc" << "58" << false << 0.0f << "abc";
    QTest::newRow("today not a number") << "0,4" << "5,7,5" << false << 0.0f << "0,4";
    QTest::newRow("beyond single precision") << QString(60, u'9') << "0" << false << 0.0f << QString(60, u'9');
    // clang-format on
}

void TestLogic::weightDifference() {
    QFETCH(QString, reference);
    QFETCH(QString, today);
    QFETCH(bool, readable);
    QFETCH(float, difference);
    QFETCH(QString, referenceAfter);
    FchronoLogic logic;
    logic.fields.Tpoids = reference;
    logic.fields.tpoids2 = today;
    const auto result = logic.WeightDifference();
    QCOMPARE(result.has_value(), readable);
    if (readable)
        QCOMPARE(*result, difference);
    QCOMPARE(logic.fields.Tpoids, referenceAfter);
    QCOMPARE(logic.fields.tpoids2, today);
}

void TestLogic::calculation_data() {
    // clang-format off
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<QString>("reduction");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("after"); // fields the run rewrote
    QTest::addColumn<QString>("question"); // asked first about an unusual input, answered Oui

    const QStringList example{"Tdistance=2100",  "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58"};
    const QStringList earlier{"LresultDistance=9:99:99", "Lreduction=8:88:88"};

    QTest::newRow("worked example") << example << "03:01:80" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("weights swapped") << (example + QStringList{"Tpoids=58", "tpoids2=57"}) << "03:00:48" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("equal weights only reformat") << (example + QStringList{"tpoids2=57"}) << "03:01:14" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("no day's race: reduction only, one decimal digit") << QStringList{"Tdistance=1200", "Tminute=1", "Tseconde=15", "tcentieme=0"} << "" << "1:02:50" << "" << QStringList{} << QString();
    QTest::newRow("one decimal digit and 1 kg more") << QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=15", "tcentieme=50", "Tdistance2=1000", "Tpoids=57", "tpoids2=58"} << "01:16:16" << "1:15:50" << "" << QStringList{} << QString();
    QTest::newRow("leading zero in the decimals kept") << QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=16", "tcentieme=7", "Tdistance2=1000"} << "01:16:07" << "1:16:07" << "" << QStringList{} << QString();
    QTest::newRow("75.996 rounds to 76") << QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=15", "tcentieme=99,6"} << "" << "1:16:00" << "" << QStringList{} << QString();
    QTest::newRow("adjustment larger than the estimate") << QStringList{"Tdistance=1000", "tcentieme=50", "Tdistance2=1000", "Tpoids=50", "tpoids2=60"} << "" << "" << WeightError << QStringList{"Tminute=0", "Tseconde=0"} << QString();
    QTest::newRow("adjustment equal to the estimate") << QStringList{"Tdistance=1000", "tcentieme=66", "Tdistance2=1000", "Tpoids=57", "tpoids2=58"} << "" << "" << WeightError << QStringList{"Tminute=0", "Tseconde=0"} << QString();
    QTest::newRow("weight typed as 580 kg") << (example + earlier + QStringList{"tpoids2=580"}) << "" << "8:88:88" << WeightError << QStringList{} << u"Le poids de la course du jour (580 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?"_qs;
    QTest::newRow("an hour or more is refused") << QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=61000"} << "" << "" << TimeError << QStringList{"Tseconde=0", "tcentieme=0"} << u"La distance de la course du jour (61000 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("the weight takes the estimate past the hour") << (earlier + QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=59990", "Tpoids=57", "tpoids2=58"}) << "" << "8:88:88" << TimeError << QStringList{"Tseconde=0", "tcentieme=0"} << u"La distance de la course du jour (59990 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("the weight brings the estimate under the hour") << QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=60000", "Tpoids=58", "tpoids2=57"} << "59:59:34" << "1:00:00" << "" << QStringList{"Tseconde=0", "tcentieme=0"} << u"La distance de la course du jour (60000 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("reference weight below one half") << (example + QStringList{"Tpoids=0,4", "tpoids2=60"}) << "03:01:14" << "1:15:48" << "" << QStringList{} << u"Le poids de la course de référence (0,4 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?"_qs;
    QTest::newRow("day's weight filled before the point is rewritten") << (example + QStringList{"Tpoids=56.5", "tpoids2="}) << "03:01:14" << "1:15:48" << "" << QStringList{"Tpoids=56,5", "tpoids2=56.5"} << QString();
    QTest::newRow("estimate from the time with lengths") << (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0"}) << "03:04:09" << "1:15:48" << "" << QStringList{} << QString();
    // Other scales. Flat, good going: 6 lengths per second, 3 lengths are 0.5 s.
    QTest::newRow("scale by going: time with lengths") << (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0", "bareme=terrain plat bon"}) << "03:02:37" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("scale by going: jumps, soft") << (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0", "bareme=terrain obstacle souple"}) << "03:02:66" << "1:15:48" << "" << QStringList{} << QString();
    // 2400 m in 2:30:00: 16 m/s, 6.667 lengths of 2.4 m per second; 3 lengths are 0.45 s.
    QTest::newRow("race speed: 3 lengths are 0.45 s") << QStringList{"Tdistance=2400", "Tminute=2", "Tseconde=30", "tcentieme=0", "Tdistance2=2400", "TNbrLongueur=3", "Opt_chronocj=0", "Opt_chronok=0", "bareme=vitesse"} << "02:30:45" << "1:02:69" << "" << QStringList{} << QString();
    QTest::newRow("race speed: no reference time") << QStringList{"Tdistance=2400", "Tdistance2=2400", "Tpoids=57", "tpoids2=58", "bareme=vitesse poids-distance"} << "" << "" << TimeError << QStringList{"Tminute=0", "Tseconde=0", "tcentieme=0"} << QString();
    // 1 kg at 0.58 kg per length (2400 m) and 6 lengths per second: 0.287 s, 28 hundredths.
    QTest::newRow("weight by distance at 2400 m, 6 L/s") << (example + QStringList{"bareme=terrain plat bon poids-distance"}) << "03:01:42" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("weight by distance, 1 kg less") << (example + QStringList{"Tpoids=58", "tpoids2=57", "bareme=terrain plat bon poids-distance"}) << "03:00:86" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("weight by distance, no day's race") << QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50", "Tpoids=57", "tpoids2=58", "bareme=vitesse poids-distance"} << "" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("no weight correction (trot)") << (example + QStringList{"bareme=poids-aucun"}) << "03:01:14" << "1:15:48" << "" << QStringList{} << QString();
    QTest::newRow("empty day's weight: no adjustment") << QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50", "Tdistance2=2400"} << "03:01:14" << "1:15:48" << "" << QStringList{} << QString();

    // Refusals: the labels keep what an earlier run showed unless the row says otherwise.
    QTest::newRow("empty distance") << (example + earlier + QStringList{"Tdistance="}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << QString();
    QTest::newRow("blank distance") << (example + earlier + QStringList{"Tdistance= "}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << QString();
    QTest::newRow("zero distance") << (example + earlier + QStringList{"Tdistance=0"}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << u"La distance de la course de référence (0 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("negative distance") << (example + earlier + QStringList{"Tdistance=-2100"}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << u"La distance de la course de référence (-2100 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("day's distance not a number") << (example + earlier + QStringList{"Tdistance2=abc"}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << QString();
    QTest::newRow("day's distance zero") << (example + earlier + QStringList{"Tdistance2=0"}) << "9:99:99" << "8:88:88" << DistanceError << QStringList{} << u"La distance de la course du jour (0 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("all time fields empty") << (earlier + QStringList{"Tdistance=1200"}) << "9:99:99" << "8:88:88" << TimeError << QStringList{"Tminute=0", "Tseconde=0", "tcentieme=0"} << QString();
    QTest::newRow("time field holding a blank") << (example + earlier + QStringList{"Tminute= "}) << "9:99:99" << "8:88:88" << TimeError << QStringList{} << QString();
    QTest::newRow("negative time") << (example + earlier + QStringList{"Tminute=-3"}) << "9:99:99" << "8:88:88" << TimeError << QStringList{} << QString();
    QTest::newRow("estimate from missing time with lengths") << (example + earlier + QStringList{"TNbrLongueur=abc", "Opt_chronocj=0"}) << "9:99:99" << "8:88:88" << TimeError << QStringList{} << QString();
    QTest::newRow("reduction from missing time with lengths, estimate written") << (example + earlier + QStringList{"TNbrLongueur=abc", "Opt_chronok=0"}) << "03:01:80" << "8:88:88" << TimeError << QStringList{} << QString();
    QTest::newRow("weight not a number") << (example + earlier + QStringList{"Tpoids=5,7,5"}) << "9:99:99" << "8:88:88" << WeightError << QStringList{} << QString();
    QTest::newRow("day's weight not a number") << (example + earlier + QStringList{"tpoids2=lourd"}) << "9:99:99" << "8:88:88" << WeightError << QStringList{} << QString();
    QTest::newRow("estimate too large to show") << (example + earlier + QStringList{"Tdistance2=99999999999999999999"}) << "9:99:99" << "8:88:88" << TimeError << QStringList{} << u"La distance de la course du jour (99999999999999999999 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    QTest::newRow("reduction too large to show") << (example + earlier + QStringList{"Tdistance=0,000001", "Tdistance2="}) << "" << "8:88:88" << TimeError << QStringList{} << u"La distance de la course de référence (0,000001 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    // clang-format on
}

void TestLogic::calculation() {
    QFETCH(QStringList, before);
    QFETCH(QString, estimate);
    QFETCH(QString, reduction);
    QFETCH(QString, message);
    QFETCH(QStringList, after);
    QFETCH(QString, question);

    FchronoLogic logic = logicWith(before);
    // The time with lengths is first derived from the reference time, as leaving
    // the margin box does.
    FchronoLogic derived = logicWith(before);
    derived.TNbrLongueur_LostFocus();
    FchronoFields expected = logicWith(after, std::move(derived)).fields;
    expected.LresultDistance = estimate;
    expected.Lreduction = reduction;
    if (expected.tpoids2.isEmpty())
        expected.tpoids2 = expected.Tpoids;

    ScriptedDialogs dialogs;
    if (!question.isEmpty())
        dialogs.choices = {0};
    logic.Btcalcul_Click(dialogs);

    QCOMPARE(logic.fields.LresultDistance, estimate);
    QCOMPARE(logic.fields.Lreduction, reduction);
    const int asked = question.isEmpty() ? 0 : 1;
    QCOMPARE(dialogs.shown.size(), asked + (message.isEmpty() ? 0 : 1));
    if (asked)
        QCOMPARE(dialogs.shown[0].text, question);
    if (!message.isEmpty()) {
        const ShownDialog& box = dialogs.shown[asked];
        QCOMPARE(box.text, message);
        QCOMPARE(box.title,
                 message == DistanceError ? QStringLiteral("Erreur") : QStringLiteral("erreur"));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    }
    if (message.isEmpty() || after.isEmpty())
        QVERIFY(logic.fields == expected);
    else
        for (const QString& a : after)
            QCOMPARE(*logic.fields.text(a.section(u'=', 0, 0)), a.section(u'=', 1));
}

void TestLogic::repeatedCalculationKeepsOneAdjustment() {
    FchronoLogic logic = logicWith({"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50",
                                    "Tdistance2=2400", "Tpoids=57", "tpoids2=58"});
    ScriptedDialogs dialogs;
    logic.Btcalcul_Click(dialogs);
    logic.Btcalcul_Click(dialogs);
    QCOMPARE(logic.fields.LresultDistance, u"03:01:80"_qs);
    QCOMPARE(logic.WeightHundredths, 66.0f);
    QCOMPARE(logic.DayRaceTimeSource, u"chrono"_qs);

    // Without a day's race the earlier estimate is cleared, never corrected again.
    logic.fields.Tdistance2.clear();
    logic.Btcalcul_Click(dialogs);
    logic.Btcalcul_Click(dialogs);
    QCOMPARE(logic.fields.LresultDistance, QString());
    QCOMPARE(logic.fields.Lreduction, u"1:15:48"_qs);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestLogic::margin_data() {
    // clang-format off
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QStringList>("reference"); // Tminute, Tseconde, tcentieme
    QTest::addColumn<QString>("marginAfter");
    QTest::addColumn<QStringList>("withLengths"); // TminuteL, TsecondeL, TcentiemeL

    const QStringList ref{"1", "12", "40"};
    const QStringList none{"", "", ""};
    QTest::newRow("3 lengths") << "3" << ref << "3" << QStringList{"01", "14", "40"};
    QTest::newRow("0.75 rewritten") << "0.75" << ref << "0,75" << QStringList{"01", "12", "90"};
    QTest::newRow("1,5") << "1,5" << ref << "1,5" << QStringList{"01", "13", "40"};
    QTest::newRow("0.25 keeps the fraction") << "0.25" << ref << "0,25" << QStringList{"01", "12", "56,6666679382324"};
    QTest::newRow("1 length") << "1" << ref << "1" << QStringList{"01", "13", "6,66667175292969"};
    QTest::newRow("hundredths padded on the left") << "3" << QStringList{"1", "12", "5"} << "3" << QStringList{"01", "14", "05"};
    QTest::newRow("0,00 is a margin") << "0,00" << ref << "0,00" << QStringList{"01", "12", "40"};
    QTest::newRow("00 is a margin") << "00" << ref << "00" << QStringList{"01", "12", "40"};
    QTest::newRow("initial 0.0 copies") << "0.0" << QStringList{"1", "12", "5"} << "0,0" << QStringList{"1", "12", "5"};
    QTest::newRow("0 copies") << "0" << ref << "0" << ref;
    QTest::newRow("empty copies") << "" << ref << "" << ref;
    QTest::newRow("empty copies an empty time") << "" << QStringList{"", "12", "40"} << "" << QStringList{"", "12", "40"};
    QTest::newRow("empty minutes count as 0") << "3" << QStringList{"", "12", "40"} << "3" << QStringList{"00", "14", "40"};
    QTest::newRow("no reference time yet") << "3" << none << "3" << none;
    QTest::newRow("negative margin takes time off") << "-1,5" << ref << "-1,5" << QStringList{"01", "11", "40"};
    QTest::newRow("below zero gives no time") << "-300" << ref << "-300" << none;
    QTest::newRow("an hour or more loses its hours") << "3" << QStringList{"60", "0", "0"} << "3" << QStringList{"00", "02", "00"};
    QTest::newRow("two separators") << "1.2.3" << ref << "1,2,3" << none;
    QTest::newRow("a word") << "tete" << ref << "tete" << none;
    QTest::newRow("reference not a number") << "3" << QStringList{"1", "x", "40"} << "3" << none;
    QTest::newRow("beyond single precision") << QString(60, u'9') << ref << QString(60, u'9') << none;
    // clang-format on
}

void TestLogic::margin() {
    QFETCH(QString, margin);
    QFETCH(QStringList, reference);
    QFETCH(QString, marginAfter);
    QFETCH(QStringList, withLengths);
    FchronoLogic logic;
    logic.Form_Load();
    logic.fields.TNbrLongueur = margin;
    logic.fields.Tminute = reference[0];
    logic.fields.Tseconde = reference[1];
    logic.fields.tcentieme = reference[2];
    logic.TNbrLongueur_LostFocus();
    QCOMPARE(logic.fields.TNbrLongueur, marginAfter);
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             withLengths);
    QCOMPARE(logic.fields.Tminute, reference[0]);
}

void TestLogic::weightFocus_data() {
    // clang-format off
    QTest::addColumn<bool>("leaveReference"); // Tpoids, otherwise tpoids2
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("copied");         // today's text is what the last copy put there
    QTest::addColumn<QString>("referenceAfter");
    QTest::addColumn<QString>("todayAfter");
    QTest::newRow("57.5 copied") << true << "57.5" << "" << false << "57,5" << "57,5";
    QTest::newRow("typed day's weight kept") << true << "58" << "56" << false << "58" << "56";
    QTest::newRow("copied day's weight follows") << true << "58" << "56" << true << "58" << "58";
    QTest::newRow("emptied reference keeps a typed day's weight") << true << "" << "56" << false << "" << "56";
    QTest::newRow("emptied reference empties a copied one") << true << "" << "56" << true << "" << "";
    QTest::newRow("every point") << true << "5.7.5" << "" << false << "5,7,5" << "5,7,5";
    QTest::newRow("day's weight alone") << false << "58" << "55.5" << false << "58" << "55,5";
    QTest::newRow("day's weight every point") << false << "58" << "5.7.5" << false << "58" << "5,7,5";
    // clang-format on
}

void TestLogic::weightFocus() {
    QFETCH(bool, leaveReference);
    QFETCH(QString, reference);
    QFETCH(QString, today);
    QFETCH(bool, copied);
    QFETCH(QString, referenceAfter);
    QFETCH(QString, todayAfter);
    FchronoLogic logic;
    logic.fields.Tpoids = reference;
    logic.fields.tpoids2 = today;
    if (copied)
        logic.DayWeightCopied = today;
    if (leaveReference)
        logic.Tpoids_LostFocus();
    else
        logic.tpoids2_LostFocus();
    QCOMPARE(logic.fields.Tpoids, referenceAfter);
    QCOMPARE(logic.fields.tpoids2, todayAfter);
}

void TestLogic::dayWeightTypedOnceFollowsUntilTyped() {
    // The race day: 57 typed and copied, 59 typed for today, then the
    // reference corrected to 56: today's 59 stays.
    FchronoLogic logic;
    logic.fields.Tpoids = u"57"_qs;
    logic.Tpoids_LostFocus();
    QCOMPARE(logic.fields.tpoids2, u"57"_qs);
    logic.fields.Tpoids = u"58"_qs;
    logic.Tpoids_LostFocus();
    QCOMPARE(logic.fields.tpoids2, u"58"_qs); // still a copy: follows
    logic.fields.tpoids2 = u"59"_qs;
    logic.fields.Tpoids = u"56"_qs;
    logic.Tpoids_LostFocus();
    QCOMPARE(logic.fields.tpoids2, u"59"_qs);
    // A day's weight the calculation filled is a copy too.
    FchronoLogic filled = logicWith({"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50",
                                     "Tdistance2=2400", "Tpoids=57"});
    ScriptedDialogs dialogs;
    filled.Btcalcul_Click(dialogs);
    filled.fields.Tpoids = u"56"_qs;
    filled.Tpoids_LostFocus();
    QCOMPARE(filled.fields.tpoids2, u"56"_qs);
}

void TestLogic::timeWithLengthsFollowsReferenceTime_data() {
    // clang-format off
    QTest::addColumn<QString>("after");       // what runs after the reference time changed
    QTest::addColumn<QString>("seconds");     // Tseconde typed after leaving the margin box
    QTest::addColumn<QStringList>("withLengths");
    QTest::addColumn<QString>("estimate");    // from the time with lengths; empty: none run
    QTest::newRow("calculation, 2:30:00 corrected to 2:40:00") << "calculate" << "40" << QStringList{"02", "42", "00"} << "03:05:14";
    QTest::newRow("leaving the seconds box") << "leave" << "40" << QStringList{"02", "42", "00"} << "";
    QTest::newRow("nothing run: the old time stays") << "" << "40" << QStringList{"02", "32", "00"} << "";
    QTest::newRow("time emptied: no time with lengths") << "leave" << "" << QStringList{"02", "02", "00"} << "";
    // clang-format on
}

void TestLogic::timeWithLengthsFollowsReferenceTime() {
    QFETCH(QString, after);
    QFETCH(QString, seconds);
    QFETCH(QStringList, withLengths);
    QFETCH(QString, estimate);
    FchronoLogic logic =
        logicWith({"Tdistance=2100", "Tminute=2", "Tseconde=30", "tcentieme=00", "Tdistance2=2400",
                   "Tpoids=57", "tpoids2=57", "TNbrLongueur=3", "Opt_chronocj=0"});
    logic.TNbrLongueur_LostFocus();
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             (QStringList{"02", "32", "00"}));
    logic.fields.Tseconde = seconds;
    ScriptedDialogs dialogs;
    if (after == u"calculate")
        logic.Btcalcul_Click(dialogs);
    else if (after == u"leave")
        logic.ReferenceTime_LostFocus();
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             withLengths);
    if (!estimate.isEmpty())
        QCOMPARE(logic.fields.LresultDistance, estimate);
}

void TestLogic::unusualInput_data() {
    // clang-format off
    QTest::addColumn<QStringList>("changes");  // to the worked example
    QTest::addColumn<int>("answer");           // 0 Oui, 1 Non, or Enter / Escape
    QTest::addColumn<QString>("question");     // empty: none asked
    QTest::addColumn<QString>("focus");        // where the focus goes on "Non"
    QTest::addColumn<bool>("calculated");
    const QString refDistance = u"La distance de la course de référence (%1 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    const QString dayDistance = u"La distance de la course du jour (%1 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?"_qs;
    const QString refWeight = u"Le poids de la course de référence (%1 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?"_qs;
    const QString dayWeight = u"Le poids de la course du jour (%1 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?"_qs;
    const int Enter = ScriptedDialogs::Enter, Escape = ScriptedDialogs::Escape;
    QTest::newRow("worked example: no question") << QStringList{} << 1 << "" << "" << true;
    QTest::newRow("800 m is usual") << QStringList{"Tdistance=800"} << 1 << "" << "" << true;
    QTest::newRow("8000 m is usual") << QStringList{"Tdistance2=8000"} << 1 << "" << "" << true;
    QTest::newRow("799 m asked, Non") << QStringList{"Tdistance=799"} << 1 << refDistance.arg("799") << "Tdistance" << false;
    QTest::newRow("typed into the prefilled 1200, Oui") << QStringList{"Tdistance=21001200", "tpoids2=57"} << 0 << refDistance.arg("21001200") << "" << true;
    QTest::newRow("day's 8001 m, Non") << QStringList{"Tdistance2=8001"} << 1 << dayDistance.arg("8001") << "Tdistance2" << false;
    QTest::newRow("day's 8001 m, Enter answers Non") << QStringList{"Tdistance2=8001"} << Enter << dayDistance.arg("8001") << "Tdistance2" << false;
    QTest::newRow("day's 8001 m, Escape answers Non") << QStringList{"Tdistance2=8001"} << Escape << dayDistance.arg("8001") << "Tdistance2" << false;
    QTest::newRow("40 kg is usual") << QStringList{"Tpoids=40", "tpoids2=40"} << 1 << "" << "" << true;
    QTest::newRow("80 kg is usual") << QStringList{"Tpoids=80", "tpoids2=80"} << 1 << "" << "" << true;
    QTest::newRow("5,75 for 57,5, Non") << QStringList{"Tpoids=5,75"} << 1 << refWeight.arg("5,75") << "Tpoids" << false;
    QTest::newRow("39,5 kg, Oui") << QStringList{"Tpoids=39,5", "tpoids2=40"} << 0 << refWeight.arg("39,5") << "" << true;
    QTest::newRow("day's 80,5 kg, Non") << QStringList{"tpoids2=80,5"} << 1 << dayWeight.arg("80,5") << "tpoids2" << false;
    QTest::newRow("day's 80,5 kg, Oui") << QStringList{"tpoids2=80,5"} << 0 << dayWeight.arg("80,5") << "" << true;
    QTest::newRow("first in tab order only") << QStringList{"Tpoids=5", "Tdistance2=24000", "tpoids2=5"} << 0 << refWeight.arg("5") << "" << true;
    QTest::newRow("weight before the day's distance") << QStringList{"Tdistance2=24000", "tpoids2=5"} << 1 << dayDistance.arg("24000") << "Tdistance2" << false;
    QTest::newRow("empty day's boxes: no question") << QStringList{"Tdistance2=", "tpoids2="} << 1 << "" << "" << true;
    QTest::newRow("not a number: the calculation's message") << QStringList{"Tpoids=abc"} << 1 << "" << "" << false;
    // clang-format on
}

void TestLogic::unusualInput() {
    QFETCH(QStringList, changes);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, focus);
    QFETCH(bool, calculated);
    FchronoLogic logic =
        logicWith(QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58"} +
                  changes);
    ScriptedDialogs dialogs;
    dialogs.choices = {answer};
    const QString focused = logic.Btcalcul_Click(dialogs);
    QCOMPARE(focused, focus);
    QCOMPARE(!logic.fields.Lreduction.isEmpty(), calculated);
    if (question.isEmpty()) {
        QVERIFY(dialogs.shown.isEmpty() || dialogs.shown[0].icon != Dialogs::Icon::Question);
        return;
    }
    const ShownDialog& asked = dialogs.shown[0];
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.title, ApplicationTitle);
    QCOMPARE(asked.choices, (QStringList{"Oui", "Non"}));
    QCOMPARE(asked.defaultChoice, 1);
    QCOMPARE(asked.escapeChoice, 1);
    QCOMPARE(dialogs.shown.size(), 1); // one question per calculation at most
}

void TestLogic::emptyListAsksWhenUnsaved_data() {
    // clang-format off
    QTest::addColumn<int>("unsaved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("everything saved: no question") << 0 << 1 << false << true;
    QTest::newRow("unsaved, Oui") << 2 << 0 << true << true;
    QTest::newRow("unsaved, Non") << 2 << 1 << true << false;
    QTest::newRow("unsaved, Enter answers Non") << 1 << int(ScriptedDialogs::Enter) << true << false;
    QTest::newRow("unsaved, Escape answers Non") << 1 << int(ScriptedDialogs::Escape) << true << false;
    // clang-format on
}

void TestLogic::emptyListAsksWhenUnsaved() {
    QFETCH(int, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, emptied);
    ScriptedDialogs dialogs;
    dialogs.choices = {answer};
    QCOMPARE(confirmEmptyList(unsaved, u"/home/p/lstchrono.txt"_qs, dialogs), emptied);
    QCOMPARE(dialogs.shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(dialogs.shown[0].text, u"La liste contient des chevaux qui ne sont pas "
                                        u"sauvegardés dans /home/p/lstchrono.txt. "
                                        "Vider la liste quand même ?"_qs);
        QCOMPARE(dialogs.shown[0].title, ApplicationTitle);
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Question);
        QCOMPARE(dialogs.shown[0].choices, (QStringList{"Oui", "Non"}));
    }
}

void TestLogic::lengthsOptionGuard_data() {
    // clang-format off
    QTest::addColumn<QStringList>("withLengths");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("after start") << QStringList{"", "", " "} << false;
    QTest::newRow("filled") << QStringList{"01", "14", "40"} << true;
    QTest::newRow("single space counts as filled") << QStringList{"1", "12", " "} << true;
    QTest::newRow("minutes empty") << QStringList{"", "12", "40"} << false;
    // clang-format on
}

void TestLogic::lengthsOptionGuard() {
    QFETCH(QStringList, withLengths);
    QFETCH(bool, accepted);
    for (const bool reductionFrame : {true, false}) {
        FchronoLogic logic;
        logic.fields.TminuteL = withLengths[0];
        logic.fields.TsecondeL = withLengths[1];
        logic.fields.TcentiemeL = withLengths[2];
        ScriptedDialogs dialogs;
        const bool kept =
            reductionFrame ? logic.Opt_ChronokL_Click(dialogs) : logic.Opt_ChronocjL_Click(dialogs);
        QCOMPARE(kept, accepted);
        // The frame clicked shows its choice; the other frame is untouched.
        QCOMPARE(reductionFrame ? logic.fields.Opt_chronok : logic.fields.Opt_chronocj, !accepted);
        QCOMPARE(reductionFrame ? logic.fields.Opt_chronocj : logic.fields.Opt_chronok, true);
        QCOMPARE(dialogs.shown.size(), accepted ? 0 : 1);
        if (!accepted) {
            QCOMPARE(dialogs.shown[0].text,
                     u"vous devez avoir rentré une longeur pour effectuer ce calcul"_qs);
            QCOMPARE(dialogs.shown[0].title, u"Orvanto"_qs);
            QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
        }
    }
}

void TestLogic::formLoad() {
    FchronoLogic logic;
    logic.fields.TminuteL = "1";
    logic.fields.TsecondeL = "2";
    logic.Form_Load();
    FchronoFields expected;
    expected.TcentiemeL = " ";
    QVERIFY(logic.fields == expected);
    QCOMPARE(expected.Tdistance, u"1200"_qs);
    QCOMPARE(expected.TNbrLongueur, u"0.0"_qs);
}

// Every input box of the window with each hostile text, the results taken from the
// plain time or from the time with lengths: the expected message (D distance,
// T time, W weight) or, when there is none, the two results.
void TestLogic::badInputSweep_data() {
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("hostile");
    QTest::addColumn<bool>("withLengths");
    QTest::addColumn<QString>("outcome");

    const QStringList hostile{"",
                              " ",
                              "abc",
                              "1,2,3",
                              "1.2.3",
                              "-5",
                              "0",
                              "1e30",
                              "inf",
                              "nan",
                              "0x10",
                              u"1"_qs + QString(9999, u'0'),
                              QString(QChar(0)),
                              u"5\u200F"_qs,
                              u"\U0001F40E"_qs};
    const QStringList names{"empty", "blank", "letters", "1,2,3", "1.2.3", "-5",
                            "0",     "1e30",  "inf",     "nan",   "0x10",  "10,000 digits",
                            "NUL",   "RLM",   "emoji"};
    // Base: the worked example, margin 3 lengths (+2 s). Results with no change:
    // 03:01:80 1:15:48 from the plain time, 03:04:09 1:16:43 with lengths.
    struct Row {
        const char* field;
        QStringList plain, lengths;
    };
    const QStringList D(15, "D");
    const Row rows[] = {
        {"Tdistance", D, D},
        // -5 kg is questioned; "Oui" keeps the typed day's weight (58).
        {"Tpoids",
         {"03:01:14 1:15:48", "W", "W", "W", "W", "03:43:14 1:15:48", "03:01:14 1:15:48", "W", "W",
          "W", "W", "W", "W", "W", "W"},
         {"03:03:43 1:16:43", "W", "W", "W", "W", "03:45:43 1:16:43", "03:03:43 1:16:43", "W", "W",
          "W", "W", "W", "W", "W", "W"}},
        {"Tminute",
         {"00:44:66 0:18:33", "T", "T", "T", "T", "T", "00:44:66 0:18:33", "T", "T", "T", "T", "T",
          "T", "T", "T"},
         {"00:46:95 0:19:29", "T", "T", "T", "T", "T", "00:46:95 0:19:29", "T", "T", "T", "T", "T",
          "T", "T", "T"}},
        {"Tseconde",
         {"02:18:37 0:57:38", "T", "T", "T", "T", "02:12:66 0:55:00", "02:18:37 0:57:38", "T", "T",
          "T", "T", "T", "T", "T", "T"},
         {"02:20:66 0:58:33", "T", "T", "T", "T", "02:14:95 0:55:95", "02:20:66 0:58:33", "T", "T",
          "T", "T", "T", "T", "T", "T"}},
        {"tcentieme",
         {"03:01:23 1:15:24", "T", "T", "T", "T", "03:01:17 1:15:21", "03:01:23 1:15:24", "T", "T",
          "T", "T", "T", "T", "T", "T"},
         {"03:03:52 1:16:19", "T", "T", "T", "T", "03:03:46 1:16:17", "03:03:52 1:16:19", "T", "T",
          "T", "T", "T", "T", "T", "T"}},
        {"Tdistance2",
         {" 1:15:48", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D"},
         {" 1:16:43", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D", "D"}},
        {"tpoids2",
         {"03:01:14 1:15:48", "W", "W", "W", "W", "02:19:81 1:15:48", "02:23:14 1:15:48", "W", "W",
          "W", "W", "W", "W", "W", "W"},
         {"03:03:43 1:16:43", "W", "W", "W", "W", "02:22:10 1:16:43", "02:25:43 1:16:43", "W", "W",
          "W", "W", "W", "W", "W", "W"}},
        {"TNbrLongueur",
         QStringList(15, "03:01:80 1:15:48"),
         {"03:01:80 1:15:48", "T", "T", "T", "T", "02:57:99 1:13:89", "03:01:80 1:15:48", "T", "T",
          "T", "T", "T", "T", "T", "T"}},
    };
    for (const Row& row : rows)
        for (int i = 0; i < 15; ++i)
            for (const bool lengths : {false, true})
                QTest::addRow("%s %s %s", row.field, qPrintable(names[i]),
                              lengths ? "with lengths" : "plain")
                    << row.field << hostile[i] << lengths << (lengths ? row.lengths : row.plain)[i];
    // clang-format on
}

void TestLogic::badInputSweep() {
    QFETCH(QString, field);
    QFETCH(QString, hostile);
    QFETCH(bool, withLengths);
    QFETCH(QString, outcome);

    FchronoLogic logic =
        logicWith({"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50", "Tdistance2=2400",
                   "Tpoids=57", "tpoids2=58", "TNbrLongueur=3"});
    *logic.fields.text(field) = hostile;
    // The focus passes through the box as the user leaves it, then the margin box.
    if (field == u"Tpoids")
        logic.Tpoids_LostFocus();
    if (field == u"tpoids2")
        logic.tpoids2_LostFocus();
    logic.TNbrLongueur_LostFocus();
    logic.fields.Opt_chronok = logic.fields.Opt_chronocj = !withLengths;
    ScriptedDialogs dialogs;
    dialogs.choices = {0}; // "Oui" to an unusual value: the calculation's own outcome
    logic.Btcalcul_Click(dialogs);
    // A number outside the usual range is questioned first.
    const auto value = numbers::textToNumber(hostile);
    const bool weight = field == u"Tpoids" || field == u"tpoids2";
    const bool distance = field == u"Tdistance" || field == u"Tdistance2";
    const double low = weight ? 40 : 800, high = weight ? 80 : 8000;
    const bool unusual = (weight || distance) && value && !(*value >= low && *value <= high);
    QCOMPARE(!dialogs.shown.isEmpty() && dialogs.shown[0].icon == Dialogs::Icon::Question, unusual);
    if (unusual)
        dialogs.shown.removeFirst();

    const QString shown = dialogs.shown.isEmpty() ? QString() : dialogs.shown[0].text;
    if (outcome == u"D")
        QCOMPARE(shown, DistanceError);
    else if (outcome == u"T")
        QCOMPARE(shown, TimeError);
    else if (outcome == u"W")
        QCOMPARE(shown, WeightError);
    else {
        QCOMPARE(shown, QString());
        QCOMPARE(logic.fields.LresultDistance + u' ' + logic.fields.Lreduction, outcome);
    }
    QVERIFY(dialogs.shown.size() <= 1);
}

void TestLogic::addHorse_data() {
    // clang-format off
    QTest::addColumn<bool>("plainTime");       // Opt_chronok selected
    QTest::addColumn<QStringList>("changes");  // typed after the calculation; "-": no calculation
    QTest::addColumn<bool>("warningAnswerOk"); // used only when the warning shows
    QTest::addColumn<QStringList>("answers");  // name, going
    QTest::addColumn<QStringList>("shown");    // texts of the dialogs, in order
    QTest::addColumn<bool>("showList");
    QTest::addColumn<QString>("line"); // "-" for none

    const QStringList prompts{"Entrer le nom du cheval", "Entrer l'état du terrain"};
    const QString eclair =
        QStringLiteral("1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon");
    const QStringList stale = prompts + QStringList{u"Le résultat affiché ne correspond plus aux valeurs saisies : relancez le calcul avant d'ajouter ce cheval."_qs};
    const QStringList oneLine = prompts + QStringList{u"Le cheval n'a pas été ajouté : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs};
    QTest::newRow("plain time: no warning") << true << QStringList{} << true << QStringList{"Eclair", "bon"} << prompts << true << eclair;
    QTest::newRow("lengths, OK") << false << QStringList{} << true << QStringList{"Eclair", "bon"} << (QStringList{WarningText} + prompts) << true << eclair;
    QTest::newRow("lengths, Cancel") << false << QStringList{} << false << QStringList{"Eclair", "bon"} << QStringList{WarningText} << false << "-";
    QTest::newRow("empty name still asks the going") << true << QStringList{} << true << QStringList{"", "bon"} << prompts << true << "-";
    QTest::newRow("blank name is a name") << true << QStringList{} << true << QStringList{" ", ""} << prompts << true << "1:15:48 ---- 2100m ---- 57Kg ----   ---- terrain : ";
    QTest::newRow("accents stored") << true << QStringList{} << true << QStringList{"Étoile œ €", "très léger"} << prompts << true << "1:15:48 ---- 2100m ---- 57Kg ---- Étoile œ € ---- terrain : très léger";
    QTest::newRow("characters the file cannot store") << true << QStringList{} << true << QStringList{u"Ző中"_qs, u"bon 🐎"_qs} << (prompts + QStringList{u"Le cheval n'a pas été ajouté : la liste ne peut pas enregistrer ces caractères : ő 中 🐎"_qs}) << false << "-";
    QTest::newRow("line feed in the name") << true << QStringList{} << true << QStringList{"Ecl\nair", "bon"} << oneLine << false << "-";
    QTest::newRow("carriage return in the name") << true << QStringList{} << true << QStringList{"Eclair\r", "bon"} << oneLine << false << "-";
    QTest::newRow("CR LF in the going") << true << QStringList{} << true << QStringList{"Eclair", "bon\r\n"} << oneLine << false << "-";
    QTest::newRow("no calculation yet") << true << QStringList{"-"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("empty name with no calculation: nothing to say") << true << QStringList{"-"} << true << QStringList{"", "bon"} << prompts << true << "-";
    QTest::newRow("distance changed since") << true << QStringList{"Tdistance=2400"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("weight changed since") << true << QStringList{"Tpoids=58"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("minutes changed since") << true << QStringList{"Tminute=1"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("seconds changed since") << true << QStringList{"Tseconde=39"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("hundredths changed since") << true << QStringList{"tcentieme=51"} << true << QStringList{"Eclair", "bon"} << stale << true << "-";
    QTest::newRow("time with lengths changed since") << false << QStringList{"TsecondeL=39"} << true << QStringList{"Eclair", "bon"} << (QStringList{WarningText} + stale) << true << "-";
    QTest::newRow("time with lengths rewritten, reduction from the plain time") << true << QStringList{"TminuteL=2", "TsecondeL=39", "TcentiemeL=50"} << true << QStringList{"Eclair", "bon"} << prompts << true << eclair;
    QTest::newRow("time source changed since") << true << QStringList{"Opt_chronok=0"} << true << QStringList{"Eclair", "bon"} << (QStringList{WarningText} + stale) << true << "-";
    QTest::newRow("changed, then back as it was") << true << QStringList{"Tpoids=58", "Tpoids=57"} << true << QStringList{"Eclair", "bon"} << prompts << true << eclair;
    QTest::newRow("day's race changed: the reduction still holds") << true << QStringList{"Tdistance2=3000", "tpoids2=60", "TNbrLongueur=2"} << true << QStringList{"Eclair", "bon"} << prompts << true << eclair;
    // clang-format on
}

void TestLogic::addHorse() {
    QFETCH(bool, plainTime);
    QFETCH(QStringList, changes);
    QFETCH(bool, warningAnswerOk);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, shown);
    QFETCH(bool, showList);
    QFETCH(QString, line);

    FchronoLogic logic = logicWith({"Tdistance=2100", "Tpoids=57", "Tminute=2", "Tseconde=38",
                                    "tcentieme=50", "TminuteL=2", "TsecondeL=38", "TcentiemeL=50",
                                    plainTime ? "Opt_chronok=1" : "Opt_chronok=0"});
    if (changes != QStringList{"-"}) {
        ScriptedDialogs none;
        logic.Btcalcul_Click(none);
        QVERIFY(none.shown.isEmpty());
        logic = logicWith(changes, std::move(logic));
    }
    ScriptedDialogs dialogs;
    dialogs.answers = {warningAnswerOk ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel};
    dialogs.promptTexts = answers;

    const AddedHorse added = Bt_Ajoute_Click(logic, dialogs);
    QStringList texts;
    for (const ShownDialog& d : dialogs.shown) {
        texts << d.text;
        if (d.title != u"Orvanto")
            QFAIL("every dialog here has the application's title");
    }
    QCOMPARE(texts, shown);
    QCOMPARE(added.showList, showList);
    QCOMPARE(added.line.value_or("-"), line);
    if (!logic.fields.Opt_chronok)
        QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
}

void TestLogic::listWindow_data() {
    // clang-format off
    QTest::addColumn<QStringList>("steps");   // add:LINE, load, save, clear, empty, close, remove:ROW, correct:ROW:NAME:GOING, copy:ROW, blocked (the file's place taken by a folder), append:BYTES (another copy saving)
    QTest::addColumn<QList<int>>("answers");  // to the questions, in order: a button, Enter or Escape
    QTest::addColumn<QStringList>("shown");   // dialogs' texts, %1 for the list file's full path
    QTest::addColumn<QString>("closes");      // the last "close": "yes", "no" or "" (none)
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("file");     // afterwards; "<missing>" for none
    QTest::addColumn<QString>("clipboard");   // the last copy's rows after the header
    const int Enter = ScriptedDialogs::Enter, Escape = ScriptedDialogs::Escape;
    const QString saved = u"Sauvegarde effectuée"_qs;
    const QString emptyList = u"La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Vider la liste quand même ?"_qs;
    const QString emptyFile = u"Vider la liste et effacer le fichier %1 ? Les chevaux enregistrés seront perdus."_qs;
    const QString closing = u"La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Les sauvegarder avant de fermer ?"_qs;
    const QString inFile = u"Ce cheval est enregistré dans le fichier %1 : il reste dans la liste. Seul « Vider liste + fichier » peut l'effacer du fichier."_qs;
    const QString folder = u"Impossible d'enregistrer dans le fichier %1 : c'est un dossier, pas un fichier."_qs;
    const QByteArray a("a\r\n\r\n");
    QTest::newRow("save") << QStringList{"add:a", "save"} << QList<int>{} << QStringList{saved} << "" << 1 << a << "";
    QTest::newRow("Vider liste + fichier: Oui") << QStringList{"add:a", "save", "empty"} << QList<int>{0} << QStringList{saved, emptyFile} << "" << 0 << QByteArray("\r\n") << "";
    QTest::newRow("Vider liste + fichier: Non") << QStringList{"add:a", "save", "empty"} << QList<int>{1} << QStringList{saved, emptyFile} << "" << 1 << a << "";
    QTest::newRow("Vider liste + fichier: Enter answers Non") << QStringList{"add:a", "save", "empty"} << QList<int>{Enter} << QStringList{saved, emptyFile} << "" << 1 << a << "";
    QTest::newRow("Vider liste + fichier: Escape answers Non") << QStringList{"add:a", "save", "empty"} << QList<int>{Escape} << QStringList{saved, emptyFile} << "" << 1 << a << "";
    QTest::newRow("Vider la liste: Enter keeps unsaved horses") << QStringList{"add:a", "clear"} << QList<int>{Enter} << QStringList{emptyList} << "" << 1 << QByteArray("<missing>") << "";
    QTest::newRow("Vider la liste: Escape keeps unsaved horses") << QStringList{"add:a", "clear"} << QList<int>{Escape} << QStringList{emptyList} << "" << 1 << QByteArray("<missing>") << "";
    QTest::newRow("Vider la liste: Oui") << QStringList{"add:a", "clear"} << QList<int>{0} << QStringList{emptyList} << "" << 0 << QByteArray("<missing>") << "";
    QTest::newRow("Vider la liste, everything saved: no question") << QStringList{"add:a", "save", "clear"} << QList<int>{} << QStringList{saved} << "" << 0 << a << "";
    QTest::newRow("close, nothing unsaved: no question") << QStringList{"add:a", "save", "close"} << QList<int>{} << QStringList{saved} << "yes" << 1 << a << "";
    QTest::newRow("close: Sauvegarder") << QStringList{"add:a", "close"} << QList<int>{0} << QStringList{closing, saved} << "yes" << 1 << a << "";
    QTest::newRow("close: Enter saves") << QStringList{"add:a", "close"} << QList<int>{Enter} << QStringList{closing, saved} << "yes" << 1 << a << "";
    QTest::newRow("close: Ne pas sauvegarder") << QStringList{"add:a", "close"} << QList<int>{1} << QStringList{closing} << "yes" << 1 << QByteArray("<missing>") << "";
    QTest::newRow("close: Escape cancels") << QStringList{"add:a", "close"} << QList<int>{Escape} << QStringList{closing} << "no" << 1 << QByteArray("<missing>") << "";
    QTest::newRow("a save that fails, then close: stays open, nothing lost") << QStringList{"add:a", "blocked", "save", "close"} << QList<int>{0} << QStringList{folder, closing, folder} << "no" << 1 << QByteArray("<folder>") << "";
    const QString ask = u"Retirer « %2 » de la liste et du fichier %1 ?"_qs;
    const QString changed = u"Le fichier %1 a changé depuis qu'il a été chargé ou sauvegardé (une autre copie d'Orvanto, un éditeur) : rien n'y a été modifié. Le charger de nouveau ?"_qs;
    const QString l1 = u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs, l2 = u"1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd"_qs;
    const QByteArray two = "1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd\r\n1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon\r\n\r\n";
    QTest::newRow("remove a saved horse: Non keeps it") << QStringList{"add:" + l1, "save", "remove:0"} << QList<int>{1} << QStringList{saved, ask.arg("%1", "Eclair")} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\n") << "";
    QTest::newRow("remove a saved horse: Enter keeps it") << QStringList{"add:" + l1, "save", "remove:0"} << QList<int>{Enter} << QStringList{saved, ask.arg("%1", "Eclair")} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\n") << "";
    QTest::newRow("remove a saved horse: Escape keeps it") << QStringList{"add:" + l1, "save", "remove:0"} << QList<int>{Escape} << QStringList{saved, ask.arg("%1", "Eclair")} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\n") << "";
    QTest::newRow("file changed: Escape on the reload offer loads nothing") << QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"} << QList<int>{0, Escape} << QStringList{saved, ask.arg("%1", "Eclair"), changed} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n") << "";
    QTest::newRow("file changed: Enter on the reload offer loads it") << QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"} << QList<int>{0, Enter} << QStringList{saved, ask.arg("%1", "Eclair"), changed} << "" << 2 << QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n") << "";
    QTest::newRow("remove a saved horse: Oui, only its line leaves the file") << QStringList{"add:" + l1, "add:" + l2, "save", "remove:0"} << QList<int>{0} << QStringList{saved, ask.arg("%1", "Bolide")} << "" << 1 << QByteArray(two).remove(0, l2.size() + 2) << "";
    QTest::newRow("remove a loaded horse, blocks kept") << QStringList{"add:" + l1, "save", "add:" + l2, "save", "clear", "load", "remove:1"} << QList<int>{0} << QStringList{saved, saved, ask.arg("%1", "Eclair")} << "" << 1 << QByteArray("\r\n" + l2.toLatin1() + "\r\n\r\n") << "";
    QTest::newRow("correct a saved horse: exactly its line changes") << QStringList{"add:" + l1, "add:" + l2, "save", "correct:1:Éclair:très bon"} << QList<int>{} << QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs} << "" << 2 << QByteArray(two).replace("Eclair ---- terrain : bon", "\xc9" "clair ---- terrain : tr\xe8s bon") << "";
    QTest::newRow("correct the same saved horse twice") << QStringList{"add:" + l1, "add:" + l2, "save", "correct:1:Éclair:très bon", "correct:1:Eclair:souple"} << QList<int>{} << QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs} << "" << 2 << QByteArray(two).replace("Eclair ---- terrain : bon", "Eclair ---- terrain : souple") << "";
    QTest::newRow("correct an unsaved horse: nothing written") << QStringList{"add:" + l1, "correct:0:Eclair II:bon"} << QList<int>{} << QStringList{u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs} << "" << 1 << QByteArray("<missing>") << "";
    QTest::newRow("correct to a line break: refused") << QStringList{"add:" + l1, "save", "correct:0:Ecl\nair:bon"} << QList<int>{} << QStringList{saved, u"Entrer le nom du cheval"_qs, u"Entrer l'état du terrain"_qs, u"Le cheval n'a pas été modifié : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\n") << "";
    QTest::newRow("file changed by another copy: nothing rewritten, reload offered") << QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0"} << QList<int>{0, 1} << QStringList{saved, ask.arg("%1", "Eclair"), changed} << "" << 1 << QByteArray(l1.toLatin1() + "\r\n\r\nx\r\n\r\n") << "";
    QTest::newRow("file changed: reloaded on Oui, then removed") << QStringList{"add:" + l1, "save", "append:x\r\n\r\n", "remove:0", "remove:0"} << QList<int>{0, 0, 0} << QStringList{saved, ask.arg("%1", "Eclair"), changed, ask.arg("%1", "Eclair")} << "" << 1 << QByteArray("\r\nx\r\n\r\n") << "";
    QTest::newRow("copy: ';' in a name is quoted") << QStringList{"add:1:15:48 ---- 2100m ---- 57Kg ---- Eclair; le vrai ---- terrain : bon", "copy:0"} << QList<int>{} << QStringList{} << "" << 1 << QByteArray("<missing>") << "1:15:48\t75,48\t2100\t57\t\"Eclair; le vrai\"\tbon\n";
    QTest::newRow("copy: no selection, every entry") << QStringList{"add:b", "add:a", "copy:-1"} << QList<int>{} << QStringList{} << "" << 2 << QByteArray("<missing>") << "\t\t\t\ta\t\n\t\t\t\tb\t\n";
    // clang-format on
}

void TestLogic::listWindow() {
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, shown);
    QFETCH(QString, closes);
    QFETCH(int, rows);
    QFETCH(QByteArray, file);
    QFETCH(QString, clipboard);
    QTemporaryDir folder;
    const QString path = folder.filePath("lstchrono.txt");
    places::setListFilePath(path);
    ScriptedDialogs dialogs;
    dialogs.choices = answers;
    Form1Logic logic(dialogs);
    std::optional<bool> closed;
    QByteArray copied;
    for (const QString& step : steps) {
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
    for (QString& t : shown)
        if (t.contains(u"%1"))
            t = t.arg(full);
    QCOMPARE(texts, shown);
    QCOMPARE(closed.has_value(), !closes.isEmpty());
    if (closed)
        QCOMPARE(*closed, closes == u"yes");
    QCOMPARE(logic.model().rowCount(), rows);
    const QByteArray onDisk = QFileInfo(path).isDir() ? QByteArray("<folder>") : readFile(path);
    QCOMPARE(onDisk.isEmpty() && !QFileInfo::exists(path) ? QByteArray("<missing>") : onDisk, file);
    if (!clipboard.isEmpty())
        QCOMPARE(QString::fromUtf8(copied).section(u'\n', 1), clipboard);
}

void TestLogic::duplicateAsks_data() {
    // clang-format off
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("added");
    const QString eclair = u"1:15:48 ---- 2100m ---- 57Kg ---- Éclair ---- terrain : bon"_qs;
    QTest::newRow("not listed: no question") << QStringList{"a"} << eclair << 1 << false << true;
    QTest::newRow("listed, Oui") << QStringList{"a", eclair} << eclair << 0 << true << true;
    QTest::newRow("listed, Non") << QStringList{eclair} << eclair << 1 << true << false;
    QTest::newRow("listed, Enter answers Non") << QStringList{eclair} << eclair << int(ScriptedDialogs::Enter) << true << false;
    QTest::newRow("listed, Escape answers Non") << QStringList{eclair} << eclair << int(ScriptedDialogs::Escape) << true << false;
    QTest::newRow("same horse, case differs: another line") << QStringList{eclair} << QString(eclair).replace(u"Éclair"_qs, u"ÉCLAIR"_qs) << 1 << false << true;
    QTest::newRow("same horse, another result") << QStringList{eclair} << QString(eclair).replace(u"1:15:48"_qs, u"1:15:49"_qs) << 1 << false << true;
    // clang-format on
}

void TestLogic::duplicateAsks() {
    QFETCH(QStringList, listed);
    QFETCH(QString, line);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, added);
    HorseList list;
    for (const QString& l : listed)
        list.add(l);
    ScriptedDialogs dialogs;
    dialogs.choices = {answer};
    QCOMPARE(confirmDuplicate(list, line, dialogs), added);
    QCOMPARE(dialogs.shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(dialogs.shown[0].text,
                 u"Ce cheval est déjà dans la liste avec ce résultat. L'ajouter encore ?"_qs);
        QCOMPARE(dialogs.shown[0].defaultChoice, 1);
    }
}

void TestLogic::addRunner_data() {
    // clang-format off
    QTest::addColumn<QStringList>("onSheet");  // runners already there, "name:day's distance"
    QTest::addColumn<QStringList>("changes");  // typed after the calculation; "-": none run; "calcul:x=y": before it
    QTest::addColumn<QStringList>("answers");  // name, going
    QTest::addColumn<int>("choice");           // answer to a question, if one comes
    QTest::addColumn<QStringList>("shown");    // texts of the dialogs, in order
    QTest::addColumn<QStringList>("after");    // the sheet: "name estimate", in the order added
    const QString name = u"Entrer le nom du cheval"_qs, going = u"Entrer l'état du terrain"_qs;
    const QString none = u"Aucun chrono estimé pour la course du jour : saisissez sa distance et lancez le calcul avant d'ajouter ce cheval à la course du jour."_qs;
    const QString stale = u"Le chrono estimé affiché ne correspond plus aux valeurs saisies : relancez le calcul avant d'ajouter ce cheval à la course du jour."_qs;
    const QString known = u"« Eclair » est déjà dans la course du jour. Remplacer sa ligne, ajouter une deuxième ligne (une autre course de référence du même cheval) ou annuler ?"_qs;
    const QString other = u"Ce cheval est calculé pour une course de 2400 m, mais la course du jour est de 2000 m : il n'a pas été ajouté.\nCommencer une nouvelle course de 2400 m avec ce cheval ? Les partants de la course actuelle (1) seront retirés de la feuille."_qs;
    const int Escape = ScriptedDialogs::Escape, Enter = ScriptedDialogs::Enter;
    QTest::newRow("added") << QStringList{} << QStringList{} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going} << QStringList{"Eclair 03:01:80"};
    QTest::newRow("added after the others") << QStringList{"Bolide:2400"} << QStringList{} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going} << QStringList{"Bolide 00:00:00", "Eclair 03:01:80"};
    QTest::newRow("no calculation yet") << QStringList{} << QStringList{"-"} << QStringList{"Eclair", "bon"} << Escape << QStringList{none} << QStringList{};
    QTest::newRow("stale: the reference time corrected") << QStringList{} << QStringList{"Tseconde=40"} << QStringList{"Eclair", "bon"} << Escape << QStringList{stale} << QStringList{};
    QTest::newRow("stale: the day's weight changed") << QStringList{} << QStringList{"tpoids2=59"} << QStringList{"Eclair", "bon"} << Escape << QStringList{stale} << QStringList{};
    QTest::newRow("stale: the day's distance changed") << QStringList{} << QStringList{"Tdistance2=2000"} << QStringList{"Eclair", "bon"} << Escape << QStringList{stale} << QStringList{};
    QTest::newRow("the margin does not count for the plain time") << QStringList{} << QStringList{"TNbrLongueur=3"} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going} << QStringList{"Eclair 03:01:80"};
    QTest::newRow("stale: another scale chosen") << QStringList{} << QStringList{"bareme=terrain"} << QStringList{"Eclair", "bon"} << Escape << QStringList{stale} << QStringList{};
    QTest::newRow("the runner keeps its scale") << QStringList{} << QStringList{"calcul:bareme=terrain poids-distance"} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going} << QStringList{"Eclair 03:01:42 [6 L/s (plat, bon) · 0,58 kg/L (2400 m)] 6"};
    QTest::newRow("empty name: nothing added") << QStringList{} << QStringList{} << QStringList{"", "bon"} << Escape << QStringList{name, going} << QStringList{};
    QTest::newRow("line break in the name refused") << QStringList{} << QStringList{} << QStringList{"Ecl\nair", "bon"} << Escape << QStringList{name, going, u"Le cheval n'a pas été ajouté : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs} << QStringList{};
    QTest::newRow("same horse: replace its row") << QStringList{"Eclair:2400", "Bolide:2400"} << QStringList{} << QStringList{"Eclair", "bon"} << 0 << QStringList{name, going, known} << QStringList{"Eclair 03:01:80", "Bolide 00:00:00"};
    QTest::newRow("same horse: a second row") << QStringList{"Eclair:2400"} << QStringList{} << QStringList{"Eclair", "bon"} << 1 << QStringList{name, going, known} << QStringList{"Eclair 00:00:00", "Eclair 03:01:80"};
    QTest::newRow("same horse: cancel") << QStringList{"Eclair:2400"} << QStringList{} << QStringList{"Eclair", "bon"} << 2 << QStringList{name, going, known} << QStringList{"Eclair 00:00:00"};
    QTest::newRow("same horse: Escape cancels") << QStringList{"Eclair:2400"} << QStringList{} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going, known} << QStringList{"Eclair 00:00:00"};
    QTest::newRow("same horse: Enter cancels") << QStringList{"Eclair:2400"} << QStringList{} << QStringList{"ECLAIR", "bon"} << Enter << QStringList{name, going, known} << QStringList{"Eclair 00:00:00"};
    QTest::newRow("another distance: a new race") << QStringList{"Bolide:2000"} << QStringList{} << QStringList{"Eclair", "bon"} << 0 << QStringList{name, going, other} << QStringList{"Eclair 03:01:80"};
    QTest::newRow("another distance: cancel") << QStringList{"Bolide:2000"} << QStringList{} << QStringList{"Eclair", "bon"} << Escape << QStringList{name, going, other} << QStringList{"Bolide 00:00:00"};
    // clang-format on
}

void TestLogic::scaleChange_data() {
    QTest::addColumn<QStringList>("before"); // calculated, then the scale below chosen
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QStringList>("after"); // fields as they then stand
    QTest::addColumn<QString>("line");
    const QStringList example{"Tdistance=2100",  "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58",  "TNbrLongueur=3"};
    const QStringList shown{"LresultDistance=03:01:80", "Lreduction=1:15:48", "TminuteL=02",
                            "TsecondeL=40", "TcentiemeL=50"};
    const QString original = u"Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)"_qs;
    // clang-format off
    QTest::newRow("the same scale: results stay") << example << "" << shown << original;
    QTest::newRow("another scale: the estimate goes, the plain reduction stays") << example << "terrain"
        << QStringList{"LresultDistance=", "Lreduction=1:15:48", "TminuteL=02", "TsecondeL=39", "TcentiemeL=00"} << u"Barème : 6 L/s (plat, bon) · 1 s/1,5 kg (origine)"_qs;
    QTest::newRow("a reduction from the time with lengths goes too") << (example + QStringList{"Opt_chronok=0"}) << "vitesse"
        << QStringList{"LresultDistance=", "Lreduction=", "TminuteL=02", "TsecondeL=39", "TcentiemeL=4,34286117553711"} << u"Barème : 5,52 L/s (vitesse, 2,4 m/L) · 1 s/1,5 kg (origine)"_qs;
    QTest::newRow("the line names the day's distance") << example << "poids-distance"
        << QStringList{"LresultDistance=", "Lreduction=1:15:48"} << u"Barème : 1,5 L/s (origine) · 0,58 kg/L (2400 m)"_qs;
    // clang-format on
}

void TestLogic::scaleChange() {
    QFETCH(QStringList, before);
    QFETCH(QString, scale);
    QFETCH(QStringList, after);
    QFETCH(QString, line);
    FchronoLogic logic = logicWith(before);
    ScriptedDialogs dialogs;
    logic.Btcalcul_Click(dialogs);
    logic.SetScale(scaleNamed(scale));
    const FchronoLogic expected = logicWith(after + QStringList{u"bareme="_qs + scale}, logic);
    QVERIFY(logic.fields == expected.fields);
    QCOMPARE(logic.Estimate.has_value(), !logic.fields.LresultDistance.isEmpty());
    QCOMPARE(logic.ScaleLine(), line);
    // Back to the original scale: a result taken off is not shown as matching the
    // inputs, which would let an empty one go on the list.
    logic.SetScale(scale::Scale());
    QCOMPARE(logic.ReductionMatchesInputs(), !logic.fields.Lreduction.isEmpty());
    QCOMPARE(logic.EstimateMatchesInputs(), !logic.fields.LresultDistance.isEmpty());
}

void TestLogic::scaleForm_data() {
    QTest::addColumn<QStringList>("typed"); // field=text; reset=lengths|weight|metres
    QTest::addColumn<QString>("correct");   // the field OK puts the focus back in; empty: accepted
    QTest::addColumn<QStringList>("kept");  // field=text as the accepted scale gives it back
    const QString flatSoft = u"longueurs_0_1"_qs;
    // clang-format off
    QTest::newRow("nothing typed") << QStringList{} << "" << QStringList{"longueurs_0_1=5,5", "kg_2400=0,58", "metresParLongueur=2,4"};
    QTest::newRow("a cell edited, decimal point") << QStringList{"longueurs_0_1=5.25"} << "" << QStringList{"longueurs_0_1=5,25"};
    QTest::newRow("a cell edited, blanks around") << QStringList{"kg_2400= 0,6 "} << "" << QStringList{"kg_2400=0,6"};
    QTest::newRow("lengths table reset") << QStringList{"longueurs_0_1=3", "longueurs_2_2=5", "reset=lengths"} << "" << QStringList{"longueurs_0_1=5,5", "longueurs_2_2=6"};
    QTest::newRow("weight table reset") << QStringList{"kg_1000=2", "reset=weight"} << "" << QStringList{"kg_1000=1,52"};
    QTest::newRow("length size reset") << QStringList{"metresParLongueur=3", "reset=metres"} << "" << QStringList{"metresParLongueur=2,4"};
    QTest::newRow("the highest values") << QStringList{"longueurs_1_0=20", "kg_3200=10", "metresParLongueur=10"} << "" << QStringList{"longueurs_1_0=20", "kg_3200=10", "metresParLongueur=10"};
    QTest::newRow("not a number") << QStringList{"longueurs_0_1=six"} << flatSoft << QStringList{};
    QTest::newRow("empty cell") << QStringList{"longueurs_2_0="} << "longueurs_2_0" << QStringList{};
    QTest::newRow("zero lengths per second") << QStringList{"longueurs_1_2=0"} << "longueurs_1_2" << QStringList{};
    QTest::newRow("too many lengths per second") << QStringList{"longueurs_0_0=20,5"} << "longueurs_0_0" << QStringList{};
    QTest::newRow("negative kilograms") << QStringList{"kg_1450=-1"} << "kg_1450" << QStringList{};
    QTest::newRow("a length of half a metre") << QStringList{"metresParLongueur=0,5"} << "metresParLongueur" << QStringList{};
    QTest::newRow("the first wrong field in order") << QStringList{"kg_1000=x", "longueurs_2_2=x"} << "longueurs_2_2" << QStringList{};
    // clang-format on
}

void TestLogic::scaleForm() {
    QFETCH(QStringList, typed);
    QFETCH(QString, correct);
    QFETCH(QStringList, kept);
    ScaleForm form = ScaleForm::of(scaleNamed(u"terrain poids-distance"_qs));
    const auto cell = [](ScaleForm& f, const QString& name) -> QString& {
        for (size_t d = 0; d < scale::DisciplineCount; ++d)
            for (size_t g = 0; g < scale::GoingCount; ++g)
                if (name == ScaleForm::lengthsCellName(d, g))
                    return f.lengthsCells[d][g];
        for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
            if (name == ScaleForm::weightCellName(row))
                return f.weightCells[row];
        if (name != ScaleForm::MetresPerLengthName)
            qFatal("unknown field %s", qPrintable(name));
        return f.metresPerLength;
    };
    for (const QString& t : typed) {
        const QString name = t.section(u'=', 0, 0), text = t.section(u'=', 1);
        if (t == u"reset=lengths")
            form.resetLengthsTable();
        else if (t == u"reset=weight")
            form.resetWeightTable();
        else if (t == u"reset=metres")
            form.resetMetresPerLength();
        else
            cell(form, name) = text;
    }
    QTemporaryDir folder;
    const QString ini = folder.filePath(u"Orvanto.ini"_qs);
    ScriptedDialogs dialogs;
    const ScaleAccepted accepted = acceptScaleForm(form, ini, dialogs);
    QCOMPARE(accepted.correct, correct);
    QCOMPARE(accepted.scale.has_value(), correct.isEmpty());
    if (!correct.isEmpty()) {
        // The value as typed, what it is, and no file.
        QCOMPARE(dialogs.shown.size(), 1);
        const QString typedText = cell(form, correct).trimmed();
        QVERIFY(dialogs.shown[0].text.startsWith(
            typedText.isEmpty() ? u"Il manque une valeur pour "_qs
                                : u"« "_qs + typedText + u" » ne convient pas pour "_qs));
        QVERIFY(!QFile::exists(ini));
        return;
    }
    QVERIFY(dialogs.shown.isEmpty());
    QVERIFY(scale::readScale(ini) == *accepted.scale);
    QCOMPARE(accepted.scale->lengths, scale::LengthsRule::DisciplineGoing);
    QCOMPARE(accepted.scale->weight, scale::WeightRule::ByDistance);
    ScaleForm back = ScaleForm::of(*accepted.scale);
    for (const QString& k : kept)
        QCOMPARE(cell(back, k.section(u'=', 0, 0)), k.section(u'=', 1));
    // A settings file that cannot be written: said, and the scale still used.
    ScriptedDialogs failing;
    const ScaleAccepted unsaved = acceptScaleForm(form, ini + u"/x.ini"_qs, failing);
    QVERIFY(unsaved.scale == accepted.scale);
    QCOMPARE(failing.shown.size(), 1);
    QVERIFY(failing.shown[0].text.endsWith(u"Il s'applique jusqu'à la fermeture du programme."_qs));
}

void TestLogic::addRunner() {
    QFETCH(QStringList, onSheet);
    QFETCH(QStringList, changes);
    QFETCH(QStringList, answers);
    QFETCH(int, choice);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, after);

    QTemporaryDir folder;
    RaceDay day{RaceSheet{u"Prix"_qs, QDate(2026, 12, 7), {}}, folder.filePath("coursedujour.csv")};
    for (const QString& r : onSheet) {
        Runner runner;
        runner.name = r.section(u':', 0, 0);
        runner.race.dayDistance = r.section(u':', 1);
        runner.estimate = u"00:00:00"_qs;
        day.sheet.runners.push_back(runner);
    }
    FchronoLogic logic = logicWith({"Tdistance=2100", "Tpoids=57", "Tminute=2", "Tseconde=38",
                                    "tcentieme=50", "Tdistance2=2400", "tpoids2=58"});
    for (const QString& change : changes)
        if (change.startsWith(u"calcul:"))
            logic = logicWith({change.mid(7)}, std::move(logic));
    if (changes != QStringList{"-"}) {
        ScriptedDialogs quiet;
        logic.Btcalcul_Click(quiet);
        for (const QString& change : changes)
            if (!change.startsWith(u"calcul:"))
                logic = logicWith({change}, std::move(logic));
    }
    ScriptedDialogs dialogs;
    dialogs.promptTexts = answers;
    dialogs.choices = {choice};
    const RaceSheet before = day.sheet;
    const AddedRunner added = Bt_AjouteCourse_Click(logic, day, dialogs);

    QStringList texts;
    for (const ShownDialog& d : dialogs.shown)
        texts << d.text;
    QCOMPARE(texts, shown);
    QStringList sheet;
    for (const Runner& r : day.sheet.runners)
        sheet << r.name + u' ' + r.estimate +
                     (r.scale == OriginalScale
                          ? QString()
                          : u" ["_qs + r.scale + u"] "_qs + QString::number(r.lengthsPerSecond));
    QCOMPARE(sheet, after);
    QCOMPARE(added.changed, !(day.sheet == before));
    // Every change is in the file at once; without one, no file is written.
    const auto onDisk = racefile::read(readFile(day.path));
    QCOMPARE(QFileInfo::exists(day.path), added.changed);
    if (added.changed) {
        QVERIFY(onDisk && onDisk->runners == day.sheet.runners);
        const Runner& last = day.sheet.runners.back();
        if (last.estimate == u"03:01:80") {
            QCOMPARE(last.estimateHundredths, 18180.0);
            QCOMPARE(last.reduction, u"1:15:48"_qs);
            QCOMPARE(last.going, u"bon"_qs);
            QCOMPARE(last.race.dayWeight, u"58"_qs);
        }
    }
}

void TestLogic::raceDayFile_data() {
    // clang-format off
    QTest::addColumn<QByteArray>("content");  // of coursedujour.csv at start; "-": none
    QTest::addColumn<int>("runners");         // read from it
    QTest::addColumn<bool>("renamed");        // set aside, with a message
    QTest::newRow("no file: an empty sheet") << QByteArray("-") << 0 << false;
    QTest::newRow("a sheet written before") << racefile::write(RaceSheet{u"Prix"_qs, QDate(2026, 12, 7), {named(u"Eclair"_qs)}}) << 1 << false;
    QTest::newRow("edited by hand") << QByteArray("cheval;chrono\r\nEclair;3:01\r\n") << 0 << true;
    QTest::newRow("cut short") << racefile::write(RaceSheet{u"Prix"_qs, QDate(2026, 12, 7), {named(u"Eclair"_qs)}}).chopped(9) << 0 << true;
    QTest::newRow("empty file") << QByteArray() << 0 << true;
    // clang-format on
}

void TestLogic::raceDayFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, runners);
    QFETCH(bool, renamed);
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    if (content != "-") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ScriptedDialogs dialogs;
    const QDateTime now(QDate(2026, 12, 7), QTime(19, 30, 5));
    const RaceDay day = loadRaceDay(path, dialogs, now);
    QCOMPARE(day.sheet.runners.size(), size_t(runners));
    QCOMPARE(day.sheet.date, QDate(2026, 12, 7));
    const QString aside = folder.filePath("coursedujour-illisible-20261207-193005.csv");
    QCOMPARE(QFileInfo::exists(aside), renamed);
    QCOMPARE(dialogs.shown.size(), renamed ? 1 : 0);
    if (renamed) {
        // Nothing dropped silently: the bytes are kept aside and both paths named.
        QCOMPARE(readFile(aside), content);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY2(dialogs.shown[0].text.contains(QDir::toNativeSeparators(path)) &&
                     dialogs.shown[0].text.contains(QDir::toNativeSeparators(aside)),
                 qPrintable(dialogs.shown[0].text));
    }
}

QTEST_GUILESS_MAIN(TestLogic)
#include "tst_logic.moc"
