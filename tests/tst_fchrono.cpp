// The main window's logic: the calculation and its steps, the entry handlers, the
// guards on what is typed, "Ajouter à la liste" and a scale chosen.
#include "logichelpers.h"

struct WeightTimeToHundredthsRow {
    const char* name;
    double kilograms = {};
    float hundredths = {};
};
Q_DECLARE_METATYPE(WeightTimeToHundredthsRow)

struct WeightDifferenceRow {
    const char* name;
    QString reference = {};
    QString today = {};
    bool readable = {};
    float difference = {};
    QString referenceAfter = {};
};
Q_DECLARE_METATYPE(WeightDifferenceRow)

struct CalculationRow {
    const char* name;
    QStringList before = {};
    QString estimate = {};
    QString reduction = {};
    QString message = {};
    QStringList after = {}; // fields the run rewrote
    QString question = {};  // asked first about an unusual input, answered Oui
};
Q_DECLARE_METATYPE(CalculationRow)

struct MarginRow {
    const char* name;
    QString margin = {};
    QStringList reference = {}; // Tminute, Tseconde, tcentieme
    QString marginAfter = {};
    QStringList withLengths = {}; // TminuteL, TsecondeL, TcentiemeL
};
Q_DECLARE_METATYPE(MarginRow)

struct WeightFocusRow {
    const char* name;
    bool leaveReference = {}; // Tpoids, otherwise tpoids2
    QString reference = {};
    QString today = {};
    bool copied = {}; // today's text is what the last copy put there
    QString referenceAfter = {};
    QString todayAfter = {};
};
Q_DECLARE_METATYPE(WeightFocusRow)

struct TimeWithLengthsFollowsReferenceTimeRow {
    const char* name;
    QString after = {};   // what runs after the reference time changed
    QString seconds = {}; // Tseconde typed after leaving the margin box
    QStringList withLengths = {};
    QString estimate = {}; // from the time with lengths; empty: none run
};
Q_DECLARE_METATYPE(TimeWithLengthsFollowsReferenceTimeRow)

struct UnusualInputRow {
    const char* name;
    QStringList changes = {}; // to the worked example
    int answer = {};          // 0 Oui, 1 Non, or Enter / Escape
    QString question = {};    // empty: none asked
    QString focus = {};       // where the focus goes on "Non"
    bool calculated = {};
};
Q_DECLARE_METATYPE(UnusualInputRow)

struct LengthsOptionGuardRow {
    const char* name;
    QStringList withLengths = {};
    bool accepted = {};
};
Q_DECLARE_METATYPE(LengthsOptionGuardRow)

struct AddHorseRow {
    const char* name;
    bool plainTime = {};       // Opt_chronok selected
    QStringList changes = {};  // typed after the calculation; "-": no calculation
    bool warningAnswerOk = {}; // used only when the warning shows
    QStringList answers = {};  // name, going
    QStringList shown = {};    // texts of the dialogs, in order
    bool showList = {};
    QString line = {}; // "-" for none
};
Q_DECLARE_METATYPE(AddHorseRow)

struct ScaleChangeRow {
    const char* name;
    QStringList before = {}; // calculated, then the scale below chosen
    QString scale = {};
    QStringList after = {}; // fields as they then stand
    QString line = {};
};
Q_DECLARE_METATYPE(ScaleChangeRow)

class TestFchrono : public QObject {
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
    void lengthsOptionGuard_data();
    void lengthsOptionGuard();
    void formLoad();
    void badInputSweep_data();
    void badInputSweep();
    void addHorse_data();
    void addHorse();
    void scaleChange_data();
    void scaleChange();
};

void TestFchrono::weightTimeToHundredths_data() {
    QTest::addColumn<WeightTimeToHundredthsRow>("row");
    // clang-format off
    const WeightTimeToHundredthsRow rows[] = {
        {.name = "0.5", .kilograms = 0.5, .hundredths = 33.0f},
        {.name = "0.75", .kilograms = 0.75, .hundredths = 50.0f},
        {.name = "1", .kilograms = 1.0, .hundredths = 66.0f},
        {.name = "1.2", .kilograms = 1.2, .hundredths = 80.0f},
        {.name = "1.5", .kilograms = 1.5, .hundredths = 100.0f},
        {.name = "2", .kilograms = 2.0, .hundredths = 133.0f},
        {.name = "2.5", .kilograms = 2.5, .hundredths = 166.0f},
        {.name = "3", .kilograms = 3.0, .hundredths = 200.0f},
        {.name = "4.5", .kilograms = 4.5, .hundredths = 300.0f},
    };
    // clang-format on
    for (const WeightTimeToHundredthsRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::weightTimeToHundredths() {
    QFETCH(WeightTimeToHundredthsRow, row);
    // As the calculation passes it: the difference in single precision, divided by 1.5.
    const auto seconds = static_cast<float>(static_cast<float>(row.kilograms) / 1.5);
    QCOMPARE(calc::weightTimeToHundredths(seconds), row.hundredths);
}

void TestFchrono::weightDifference_data() {
    QTest::addColumn<WeightDifferenceRow>("row");
    // clang-format off
    const WeightDifferenceRow rows[] = {
        {.name = "57 58", .reference = "57", .today = "58", .readable = true, .difference = 1.0f,
         .referenceAfter = "57"},
        {.name = "58 56,5", .reference = "58", .today = "56,5", .readable = true, .difference = 1.5f,
         .referenceAfter = "58"},
        {.name = "9 10", .reference = "9", .today = "10", .readable = true, .difference = 1.0f,
         .referenceAfter = "9"},
        {.name = "57 57", .reference = "57", .today = "57", .readable = true, .referenceAfter = "57"},
        {.name = "57 empty", .reference = "57", .readable = true, .referenceAfter = "57"},
        {.name = "0 58", .reference = "0", .today = "58", .readable = true, .referenceAfter = "0"},
        {.name = "0,4 counts as no weight", .reference = "0,4", .today = "58", .readable = true,
         .referenceAfter = "0,4"},
        {.name = "0,5 rounds to even 0", .reference = "0,5", .today = "58", .readable = true,
         .referenceAfter = "0,5"},
        {.name = "0,6 is a weight", .reference = "0,6", .today = "1,6", .readable = true, .difference = 1.0f,
         .referenceAfter = "0,6"},
        {.name = "point rewritten", .reference = "56.5", .today = "57", .readable = true, .difference = 0.5f,
         .referenceAfter = "56,5"},
        {.name = "empty reference", .today = "58", .readable = true},
        {.name = "reference not a number", .reference = "abc", .today = "58", .referenceAfter = "abc"},
        {.name = "today not a number", .reference = "0,4", .today = "5,7,5", .referenceAfter = "0,4"},
        {.name = "beyond single precision", .reference = QString(60, u'9'), .today = "0",
         .referenceAfter = QString(60, u'9')},
    };
    // clang-format on
    for (const WeightDifferenceRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::weightDifference() {
    QFETCH(WeightDifferenceRow, row);
    FchronoLogic logic;
    logic.fields.Tpoids = row.reference;
    logic.fields.tpoids2 = row.today;
    const auto result = logic.WeightDifference();
    QCOMPARE(result.has_value(), row.readable);
    if (row.readable)
        QCOMPARE(*result, row.difference);
    QCOMPARE(logic.fields.Tpoids, row.referenceAfter);
    QCOMPARE(logic.fields.tpoids2, row.today);
}

void TestFchrono::calculation_data() {
    QTest::addColumn<CalculationRow>("row");
    const QStringList example{"Tdistance=2100",  "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58"};
    const QStringList earlier{"LresultDistance=9:99:99", "Lreduction=8:88:88"};
    // clang-format off
    const CalculationRow rows[] = {
        {.name = "worked example", .before = example, .estimate = "03:01:80", .reduction = "1:15:48"},
        {.name = "weights swapped", .before = (example + QStringList{"Tpoids=58", "tpoids2=57"}),
         .estimate = "03:00:48", .reduction = "1:15:48"},
        {.name = "equal weights only reformat", .before = (example + QStringList{"tpoids2=57"}),
         .estimate = "03:01:14", .reduction = "1:15:48"},
        {.name = "no day's race: reduction only, one decimal digit",
         .before = QStringList{"Tdistance=1200", "Tminute=1", "Tseconde=15", "tcentieme=0"}, .reduction = "1:02:50"},
        {.name = "one decimal digit and 1 kg more",
         .before = QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=15", "tcentieme=50", "Tdistance2=1000",
           "Tpoids=57", "tpoids2=58"}, .estimate = "01:16:16", .reduction = "1:15:50"},
        {.name = "leading zero in the decimals kept",
         .before = QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=16", "tcentieme=7", "Tdistance2=1000"},
         .estimate = "01:16:07", .reduction = "1:16:07"},
        {.name = "75.996 rounds to 76 (99,6 hundredths questioned, Oui)",
         .before = QStringList{"Tdistance=1000", "Tminute=1", "Tseconde=15", "tcentieme=99,6"},
         .reduction = "1:16:00",
         .question = u"Le nombre de centièmes du chrono de référence (99,6) est inhabituel : les "
           u"centièmes vont de 0 à 99. Calculer quand même ?"_qs},
        {.name = "adjustment larger than the estimate",
         .before = QStringList{"Tdistance=1000", "tcentieme=50", "Tdistance2=1000", "Tpoids=50", "tpoids2=60"},
         .message = WeightError, .after = QStringList{"Tminute=0", "Tseconde=0"},
         .question = reductionAsked.arg("0'00\"5")},
        {.name = "adjustment equal to the estimate",
         .before = QStringList{"Tdistance=1000", "tcentieme=66", "Tdistance2=1000", "Tpoids=57", "tpoids2=58"},
         .message = WeightError, .after = QStringList{"Tminute=0", "Tseconde=0"},
         .question = reductionAsked.arg("0'00\"7")},
        {.name = "weight typed as 580 kg", .before = (example + earlier + QStringList{"tpoids2=580"}),
         .reduction = "8:88:88", .message = WeightError,
         .question = u"Le poids de la course du jour (580 kg) est inhabituel : les poids vont de 40 à 80 "
           u"kg. Calculer quand même ?"_qs},
        {.name = "an hour or more is refused",
         .before = QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=61000"}, .message = TimeError,
         .after = QStringList{"Tseconde=0", "tcentieme=0"},
         .question = u"La distance de la course du jour (61000 m) est inhabituelle : les courses vont de "
           u"800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "the weight takes the estimate past the hour",
         .before = (earlier + QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=59990", "Tpoids=57",
                                          "tpoids2=58"}),
         .reduction = "8:88:88", .message = TimeError, .after = QStringList{"Tseconde=0", "tcentieme=0"},
         .question = u"La distance de la course du jour (59990 m) est inhabituelle : les courses vont de "
           u"800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "the weight brings the estimate under the hour",
         .before = QStringList{"Tdistance=1000", "Tminute=1", "Tdistance2=60000", "Tpoids=58", "tpoids2=57"},
         .estimate = "59:59:34", .reduction = "1:00:00", .after = QStringList{"Tseconde=0", "tcentieme=0"},
         .question = u"La distance de la course du jour (60000 m) est inhabituelle : les courses vont de "
           u"800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "reference weight below one half", .before = (example + QStringList{"Tpoids=0,4", "tpoids2=60"}),
         .estimate = "03:01:14", .reduction = "1:15:48",
         .question = u"Le poids de la course de référence (0,4 kg) est inhabituel : les poids vont de 40 à "
           u"80 kg. Calculer quand même ?"_qs},
        {.name = "day's weight filled before the point is rewritten",
         .before = (example + QStringList{"Tpoids=56.5", "tpoids2="}), .estimate = "03:01:14", .reduction = "1:15:48",
         .after = QStringList{"Tpoids=56,5", "tpoids2=56.5"}},
        {.name = "estimate from the time with lengths",
         .before = (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0"}), .estimate = "03:04:09",
         .reduction = "1:15:48"},
        // Other scales. Flat, good going: 6 lengths per second, 3 lengths are 0.5 s.
        {.name = "scale by going: time with lengths",
         .before = (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0", "bareme=terrain plat bon"}),
         .estimate = "03:02:37", .reduction = "1:15:48"},
        {.name = "scale by going: jumps, soft",
         .before = (example + QStringList{"TNbrLongueur=3", "Opt_chronocj=0", "bareme=terrain obstacle souple"}),
         .estimate = "03:02:66", .reduction = "1:15:48"},
        // 2400 m in 2:30:00: 16 m/s, 6.667 lengths of 2.4 m per second; 3 lengths are 0.45 s.
        {.name = "race speed: 3 lengths are 0.45 s",
         .before = QStringList{"Tdistance=2400", "Tminute=2", "Tseconde=30", "tcentieme=0", "Tdistance2=2400",
           "TNbrLongueur=3", "Opt_chronocj=0", "Opt_chronok=0", "bareme=vitesse"}, .estimate = "02:30:45",
         .reduction = "1:02:69"},
        {.name = "race speed: no reference time",
         .before = QStringList{"Tdistance=2400", "Tdistance2=2400", "Tpoids=57", "tpoids2=58",
           "bareme=vitesse poids-distance"}, .message = TimeError,
         .after = QStringList{"Tminute=0", "Tseconde=0", "tcentieme=0"}},
        // 1 kg at 0.58 kg per length (2400 m) and 6 lengths per second: 0.287 s, 28 hundredths.
        {.name = "weight by distance at 2400 m, 6 L/s",
         .before = (example + QStringList{"bareme=terrain plat bon poids-distance"}), .estimate = "03:01:42",
         .reduction = "1:15:48"},
        {.name = "weight by distance, 1 kg less",
         .before = (example + QStringList{"Tpoids=58", "tpoids2=57", "bareme=terrain plat bon poids-distance"}),
         .estimate = "03:00:86", .reduction = "1:15:48"},
        {.name = "weight by distance, no day's race",
         .before = QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50", "Tpoids=57",
           "tpoids2=58", "bareme=vitesse poids-distance"}, .reduction = "1:15:48"},
        {.name = "no weight correction (trot)", .before = (example + QStringList{"bareme=poids-aucun"}),
         .estimate = "03:01:14", .reduction = "1:15:48"},
        {.name = "empty day's weight: no adjustment",
         .before = QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50", "Tdistance2=2400"},
         .estimate = "03:01:14", .reduction = "1:15:48"},
        // Refusals: the labels keep what an earlier run showed unless the row says otherwise.
        {.name = "empty distance", .before = (example + earlier + QStringList{"Tdistance="}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = DistanceError},
        {.name = "blank distance", .before = (example + earlier + QStringList{"Tdistance= "}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = DistanceError},
        {.name = "zero distance", .before = (example + earlier + QStringList{"Tdistance=0"}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = DistanceError,
         .question = u"La distance de la course de référence (0 m) est inhabituelle : les courses vont de "
           u"800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "negative distance", .before = (example + earlier + QStringList{"Tdistance=-2100"}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = DistanceError,
         .question = u"La distance de la course de référence (-2100 m) est inhabituelle : les courses vont "
           u"de 800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "day's distance not a number", .before = (example + earlier + QStringList{"Tdistance2=abc"}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = DistanceError},
        {.name = "day's distance zero", .before = (example + earlier + QStringList{"Tdistance2=0"}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = DistanceError,
         .question = u"La distance de la course du jour (0 m) est inhabituelle : les courses vont de 800 à "
           u"8000 m. Calculer quand même ?"_qs},
        {.name = "all time fields empty", .before = (earlier + QStringList{"Tdistance=1200"}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = TimeError,
         .after = QStringList{"Tminute=0", "Tseconde=0", "tcentieme=0"}},
        {.name = "time field holding a blank", .before = (example + earlier + QStringList{"Tminute= "}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = TimeError},
        {.name = "negative time", .before = (example + earlier + QStringList{"Tminute=-3"}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = TimeError},
        {.name = "estimate from missing time with lengths",
         .before = (example + earlier + QStringList{"TNbrLongueur=abc", "Opt_chronocj=0"}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = TimeError},
        {.name = "reduction from missing time with lengths, estimate written",
         .before = (example + earlier + QStringList{"TNbrLongueur=abc", "Opt_chronok=0"}), .estimate = "03:01:80",
         .reduction = "8:88:88", .message = TimeError},
        {.name = "weight not a number", .before = (example + earlier + QStringList{"Tpoids=5,7,5"}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = WeightError},
        {.name = "day's weight not a number", .before = (example + earlier + QStringList{"tpoids2=lourd"}),
         .estimate = "9:99:99", .reduction = "8:88:88", .message = WeightError},
        {.name = "estimate too large to show",
         .before = (example + earlier + QStringList{"Tdistance2=99999999999999999999"}), .estimate = "9:99:99",
         .reduction = "8:88:88", .message = TimeError,
         .question = u"La distance de la course du jour (99999999999999999999 m) est inhabituelle : les "
           u"courses vont de 800 à 8000 m. Calculer quand même ?"_qs},
        {.name = "reduction too large to show",
         .before = (example + earlier + QStringList{"Tdistance=0,000001", "Tdistance2="}), .reduction = "8:88:88",
         .message = TimeError,
         .question = u"La distance de la course de référence (0,000001 m) est inhabituelle : les courses "
           u"vont de 800 à 8000 m. Calculer quand même ?"_qs},
    };
    // clang-format on
    for (const CalculationRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::calculation() {
    QFETCH(CalculationRow, row);

    FchronoLogic logic = logicWith(row.before);
    // The time with lengths is first derived from the reference time, as leaving
    // the margin box does.
    FchronoLogic derived = logicWith(row.before);
    derived.TNbrLongueur_LostFocus();
    FchronoFields expected = logicWith(row.after, std::move(derived)).fields;
    expected.LresultDistance = row.estimate;
    expected.Lreduction = row.reduction;
    if (expected.tpoids2.isEmpty())
        expected.tpoids2 = expected.Tpoids;

    ScriptedDialogs dialogs;
    if (!row.question.isEmpty())
        dialogs.choices = {0};
    logic.Btcalcul_Click(dialogs);

    QCOMPARE(logic.fields.LresultDistance, row.estimate);
    QCOMPARE(logic.fields.Lreduction, row.reduction);
    const int asked = row.question.isEmpty() ? 0 : 1;
    QCOMPARE(dialogs.shown.size(), asked + (row.message.isEmpty() ? 0 : 1));
    if (asked)
        QCOMPARE(dialogs.shown[0].text, row.question);
    if (!row.message.isEmpty()) {
        const ShownDialog& box = dialogs.shown[asked];
        QCOMPARE(box.text, row.message);
        QCOMPARE(box.title, row.message == DistanceError ? u"Erreur"_qs : u"erreur"_qs);
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    }
    if (row.message.isEmpty() || row.after.isEmpty())
        QVERIFY(logic.fields == expected);
    else
        for (const QString& a : row.after)
            QCOMPARE(*logic.fields.text(a.section(u'=', 0, 0)), a.section(u'=', 1));
}

void TestFchrono::repeatedCalculationKeepsOneAdjustment() {
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

void TestFchrono::margin_data() {
    QTest::addColumn<MarginRow>("row");
    const QStringList ref{"1", "12", "40"};
    const QStringList none{"", "", ""};
    // clang-format off
    const MarginRow rows[] = {
        {.name = "3 lengths", .margin = "3", .reference = ref, .marginAfter = "3",
         .withLengths = QStringList{"01", "14", "40"}},
        {.name = "0.75 rewritten", .margin = "0.75", .reference = ref, .marginAfter = "0,75",
         .withLengths = QStringList{"01", "12", "90"}},
        {.name = "1,5", .margin = "1,5", .reference = ref, .marginAfter = "1,5",
         .withLengths = QStringList{"01", "13", "40"}},
        {.name = "0.25 keeps the fraction", .margin = "0.25", .reference = ref, .marginAfter = "0,25",
         .withLengths = QStringList{"01", "12", "56,6666679382324"}},
        {.name = "1 length", .margin = "1", .reference = ref, .marginAfter = "1",
         .withLengths = QStringList{"01", "13", "6,66667175292969"}},
        {.name = "hundredths padded on the left", .margin = "3", .reference = QStringList{"1", "12", "5"},
         .marginAfter = "3", .withLengths = QStringList{"01", "14", "05"}},
        {.name = "0,00 is a margin", .margin = "0,00", .reference = ref, .marginAfter = "0,00",
         .withLengths = QStringList{"01", "12", "40"}},
        {.name = "00 is a margin", .margin = "00", .reference = ref, .marginAfter = "00",
         .withLengths = QStringList{"01", "12", "40"}},
        {.name = "initial 0.0 copies", .margin = "0.0", .reference = QStringList{"1", "12", "5"},
         .marginAfter = "0,0", .withLengths = QStringList{"1", "12", "5"}},
        {.name = "0 copies", .margin = "0", .reference = ref, .marginAfter = "0", .withLengths = ref},
        {.name = "empty copies", .reference = ref, .withLengths = ref},
        {.name = "empty copies an empty time", .reference = QStringList{"", "12", "40"},
         .withLengths = QStringList{"", "12", "40"}},
        {.name = "empty minutes count as 0", .margin = "3", .reference = QStringList{"", "12", "40"},
         .marginAfter = "3", .withLengths = QStringList{"00", "14", "40"}},
        {.name = "no reference time yet", .margin = "3", .reference = none, .marginAfter = "3", .withLengths = none},
        {.name = "negative margin takes time off", .margin = "-1,5", .reference = ref, .marginAfter = "-1,5",
         .withLengths = QStringList{"01", "11", "40"}},
        {.name = "below zero gives no time", .margin = "-300", .reference = ref, .marginAfter = "-300",
         .withLengths = none},
        {.name = "an hour or more loses its hours", .margin = "3", .reference = QStringList{"60", "0", "0"},
         .marginAfter = "3", .withLengths = QStringList{"00", "02", "00"}},
        {.name = "two separators", .margin = "1.2.3", .reference = ref, .marginAfter = "1,2,3", .withLengths = none},
        {.name = "a word", .margin = "tete", .reference = ref, .marginAfter = "tete", .withLengths = none},
        {.name = "reference not a number", .margin = "3", .reference = QStringList{"1", "x", "40"},
         .marginAfter = "3", .withLengths = none},
        {.name = "beyond single precision", .margin = QString(60, u'9'), .reference = ref,
         .marginAfter = QString(60, u'9'), .withLengths = none},
    };
    // clang-format on
    for (const MarginRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::margin() {
    QFETCH(MarginRow, row);
    FchronoLogic logic;
    logic.Form_Load();
    logic.fields.TNbrLongueur = row.margin;
    logic.fields.Tminute = row.reference[0];
    logic.fields.Tseconde = row.reference[1];
    logic.fields.tcentieme = row.reference[2];
    logic.TNbrLongueur_LostFocus();
    QCOMPARE(logic.fields.TNbrLongueur, row.marginAfter);
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             row.withLengths);
    QCOMPARE(logic.fields.Tminute, row.reference[0]);
}

void TestFchrono::weightFocus_data() {
    QTest::addColumn<WeightFocusRow>("row");
    // clang-format off
    const WeightFocusRow rows[] = {
        {.name = "57.5 copied", .leaveReference = true, .reference = "57.5", .referenceAfter = "57,5",
         .todayAfter = "57,5"},
        {.name = "typed day's weight kept", .leaveReference = true, .reference = "58", .today = "56",
         .referenceAfter = "58", .todayAfter = "56"},
        {.name = "copied day's weight follows", .leaveReference = true, .reference = "58", .today = "56",
         .copied = true, .referenceAfter = "58", .todayAfter = "58"},
        {.name = "emptied reference keeps a typed day's weight", .leaveReference = true, .today = "56",
         .todayAfter = "56"},
        {.name = "emptied reference empties a copied one", .leaveReference = true, .today = "56", .copied = true},
        {.name = "every point", .leaveReference = true, .reference = "5.7.5", .referenceAfter = "5,7,5",
         .todayAfter = "5,7,5"},
        {.name = "day's weight alone", .reference = "58", .today = "55.5", .referenceAfter = "58",
         .todayAfter = "55,5"},
        {.name = "day's weight every point", .reference = "58", .today = "5.7.5", .referenceAfter = "58",
         .todayAfter = "5,7,5"},
    };
    // clang-format on
    for (const WeightFocusRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::weightFocus() {
    QFETCH(WeightFocusRow, row);
    FchronoLogic logic;
    logic.fields.Tpoids = row.reference;
    logic.fields.tpoids2 = row.today;
    if (row.copied)
        logic.DayWeightCopied = row.today;
    if (row.leaveReference)
        logic.Tpoids_LostFocus();
    else
        logic.tpoids2_LostFocus();
    QCOMPARE(logic.fields.Tpoids, row.referenceAfter);
    QCOMPARE(logic.fields.tpoids2, row.todayAfter);
}

void TestFchrono::dayWeightTypedOnceFollowsUntilTyped() {
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

void TestFchrono::timeWithLengthsFollowsReferenceTime_data() {
    QTest::addColumn<TimeWithLengthsFollowsReferenceTimeRow>("row");
    // clang-format off
    const TimeWithLengthsFollowsReferenceTimeRow rows[] = {
        {.name = "calculation, 2:30:00 corrected to 2:40:00", .after = "calculate", .seconds = "40",
         .withLengths = QStringList{"02", "42", "00"}, .estimate = "03:05:14"},
        {.name = "leaving the seconds box", .after = "leave", .seconds = "40",
         .withLengths = QStringList{"02", "42", "00"}},
        {.name = "nothing run: the old time stays", .seconds = "40", .withLengths = QStringList{"02", "32", "00"}},
        {.name = "time emptied: no time with lengths", .after = "leave",
         .withLengths = QStringList{"02", "02", "00"}},
    };
    // clang-format on
    for (const TimeWithLengthsFollowsReferenceTimeRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::timeWithLengthsFollowsReferenceTime() {
    QFETCH(TimeWithLengthsFollowsReferenceTimeRow, row);
    FchronoLogic logic =
        logicWith({"Tdistance=2100", "Tminute=2", "Tseconde=30", "tcentieme=00", "Tdistance2=2400",
                   "Tpoids=57", "tpoids2=57", "TNbrLongueur=3", "Opt_chronocj=0"});
    logic.TNbrLongueur_LostFocus();
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             (QStringList{"02", "32", "00"}));
    logic.fields.Tseconde = row.seconds;
    ScriptedDialogs dialogs;
    if (row.after == u"calculate")
        logic.Btcalcul_Click(dialogs);
    else if (row.after == u"leave")
        logic.ReferenceTime_LostFocus();
    QCOMPARE((QStringList{logic.fields.TminuteL, logic.fields.TsecondeL, logic.fields.TcentiemeL}),
             row.withLengths);
    if (!row.estimate.isEmpty())
        QCOMPARE(logic.fields.LresultDistance, row.estimate);
}

void TestFchrono::unusualInput_data() {
    QTest::addColumn<UnusualInputRow>("row");
    const QString refDistance =
        u"La distance de la course de référence (%1 m) est inhabituelle : les courses vont de 800 "
        u"à 8000 m. Calculer quand même ?"_qs;
    const QString dayDistance =
        u"La distance de la course du jour (%1 m) est inhabituelle : les courses vont de 800 à "
        u"8000 m. Calculer quand même ?"_qs;
    const QString refWeight =
        u"Le poids de la course de référence (%1 kg) est inhabituel : les poids vont de 40 à 80 "
        u"kg. Calculer quand même ?"_qs;
    const QString dayWeight =
        u"Le poids de la course du jour (%1 kg) est inhabituel : les poids vont de 40 à 80 kg. "
        u"Calculer quand même ?"_qs;
    const QString minutes = u"Le nombre de minutes du chrono de référence (%1) est inhabituel : "
                            u"une course se court en moins de 15 minutes. Calculer quand même ?"_qs;
    const QString seconds = u"Le nombre de secondes du chrono de référence (%1) est inhabituel : "
                            u"les secondes vont de 0 à 59. Calculer quand même ?"_qs;
    const QString hundredths =
        u"Le nombre de centièmes du chrono de référence (%1) est "
        u"inhabituel : les centièmes vont de 0 à 99. Calculer quand même ?"_qs;
    const QString reduction =
        u"Le chrono de référence fait %1 au km, ce qui est inhabituel : en "
        u"plat, les réductions vont de 55 à 80 s/km. Calculer quand même ?"_qs;
    const int Enter = ScriptedDialogs::Enter, Escape = ScriptedDialogs::Escape;
    // clang-format off
    const UnusualInputRow rows[] = {
        // Impossible times: beyond the clock, asked like a distance; "Non" the default.
        // Within their clocks, but 959,99 s over 2100 m is 457,1 s a km: that is asked.
        {.name = "15 minutes, 59 seconds, 99 hundredths: the reduction asked",
         .changes = QStringList{"Tminute=15", "Tseconde=59", "tcentieme=99"}, .answer = 1,
         .question = reduction.arg("7'37\"1"), .focus = "Tminute"},
        // 197,30 s over 2200 m: 89,68 s a km, no flat horse's.
        {.name = "1'29\"7 a km on the flat asked, Non",
         .changes = QStringList{"Tdistance=2200", "Tminute=3", "Tseconde=17", "tcentieme=30"}, .answer = 1,
         .question = reduction.arg("1'29\"7"), .focus = "Tminute"},
        {.name = "1'29\"7 a km on the flat asked, Oui calculates",
         .changes = QStringList{"Tdistance=2200", "Tminute=3", "Tseconde=17", "tcentieme=30"},
         .question = reduction.arg("1'29\"7"), .calculated = true},
        // 110 s over 2000 m and 160 s over 2000 m: the flat's bounds, not asked.
        {.name = "55 s a km is usual", .changes = QStringList{"Tdistance=2000", "Tminute=1", "Tseconde=50",
         "tcentieme=0"}, .answer = 1, .calculated = true},
        {.name = "80 s a km is usual", .changes = QStringList{"Tdistance=2000", "Tminute=2", "Tseconde=40",
         "tcentieme=0"}, .answer = 1, .calculated = true},
        {.name = "seconds 1212 asked, Non", .changes = QStringList{"Tseconde=1212"}, .answer = 1,
         .question = seconds.arg("1212"), .focus = "Tseconde"},
        {.name = "hundredths 3030 asked, Enter answers Non", .changes = QStringList{"tcentieme=3030"},
         .answer = Enter, .question = hundredths.arg("3030"), .focus = "tcentieme"},
        {.name = "16 minutes asked, Escape answers Non", .changes = QStringList{"Tminute=16"}, .answer = Escape,
         .question = minutes.arg("16"), .focus = "Tminute"},
        {.name = "seconds 60 asked, Oui calculates as before", .changes = QStringList{"Tseconde=60"},
         .question = seconds.arg("60"), .calculated = true},
        {.name = "the weight first, in tab order, then nothing more",
         .changes = QStringList{"Tpoids=5", "Tseconde=1212"}, .answer = 1, .question = refWeight.arg("5"),
         .focus = "Tpoids"},
        {.name = "worked example: no question", .answer = 1, .calculated = true},
        {.name = "800 m is usual", .changes = QStringList{"Tdistance=800", "Tminute=0", "Tseconde=48", "tcentieme=0"},
         .answer = 1, .calculated = true},
        {.name = "8000 m is usual", .changes = QStringList{"Tdistance2=8000"}, .answer = 1, .calculated = true},
        {.name = "799 m asked, Non", .changes = QStringList{"Tdistance=799"}, .answer = 1,
         .question = refDistance.arg("799"), .focus = "Tdistance"},
        {.name = "typed into the prefilled 1200, Oui", .changes = QStringList{"Tdistance=21001200", "tpoids2=57"},
         .question = refDistance.arg("21001200"), .calculated = true},
        {.name = "day's 8001 m, Non", .changes = QStringList{"Tdistance2=8001"}, .answer = 1,
         .question = dayDistance.arg("8001"), .focus = "Tdistance2"},
        {.name = "day's 8001 m, Enter answers Non", .changes = QStringList{"Tdistance2=8001"}, .answer = Enter,
         .question = dayDistance.arg("8001"), .focus = "Tdistance2"},
        {.name = "day's 8001 m, Escape answers Non", .changes = QStringList{"Tdistance2=8001"}, .answer = Escape,
         .question = dayDistance.arg("8001"), .focus = "Tdistance2"},
        {.name = "40 kg is usual", .changes = QStringList{"Tpoids=40", "tpoids2=40"}, .answer = 1,
         .calculated = true},
        {.name = "80 kg is usual", .changes = QStringList{"Tpoids=80", "tpoids2=80"}, .answer = 1,
         .calculated = true},
        {.name = "5,75 for 57,5, Non", .changes = QStringList{"Tpoids=5,75"}, .answer = 1,
         .question = refWeight.arg("5,75"), .focus = "Tpoids"},
        {.name = "39,5 kg, Oui", .changes = QStringList{"Tpoids=39,5", "tpoids2=40"},
         .question = refWeight.arg("39,5"), .calculated = true},
        {.name = "day's 80,5 kg, Non", .changes = QStringList{"tpoids2=80,5"}, .answer = 1,
         .question = dayWeight.arg("80,5"), .focus = "tpoids2"},
        {.name = "day's 80,5 kg, Oui", .changes = QStringList{"tpoids2=80,5"}, .question = dayWeight.arg("80,5"),
         .calculated = true},
        {.name = "first in tab order only", .changes = QStringList{"Tpoids=5", "Tdistance2=24000", "tpoids2=5"},
         .question = refWeight.arg("5"), .calculated = true},
        {.name = "weight before the day's distance", .changes = QStringList{"Tdistance2=24000", "tpoids2=5"},
         .answer = 1, .question = dayDistance.arg("24000"), .focus = "Tdistance2"},
        {.name = "empty day's boxes: no question", .changes = QStringList{"Tdistance2=", "tpoids2="}, .answer = 1,
         .calculated = true},
        {.name = "not a number: the calculation's message", .changes = QStringList{"Tpoids=abc"}, .answer = 1},
    };
    // clang-format on
    for (const UnusualInputRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::unusualInput() {
    QFETCH(UnusualInputRow, row);
    FchronoLogic logic =
        logicWith(QStringList{"Tdistance=2100", "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58"} +
                  row.changes);
    ScriptedDialogs dialogs;
    dialogs.choices = {row.answer};
    const QString focused = logic.Btcalcul_Click(dialogs);
    QCOMPARE(focused, row.focus);
    QCOMPARE(!logic.fields.Lreduction.isEmpty(), row.calculated);
    if (row.question.isEmpty()) {
        QVERIFY(dialogs.shown.isEmpty() || dialogs.shown[0].icon != Dialogs::Icon::Question);
        return;
    }
    QVERIFY(!dialogs.shown.isEmpty());
    const ShownDialog& asked = dialogs.shown[0];
    QCOMPARE(asked.text, row.question);
    QCOMPARE(asked.title, ApplicationTitle);
    QCOMPARE(asked.choices, (QStringList{"Oui", "Non"}));
    QCOMPARE(asked.defaultChoice, 1);
    QCOMPARE(asked.escapeChoice, 1);
    QCOMPARE(dialogs.shown.size(), 1); // one row.question per calculation at most
}

void TestFchrono::lengthsOptionGuard_data() {
    QTest::addColumn<LengthsOptionGuardRow>("row");
    // clang-format off
    const LengthsOptionGuardRow rows[] = {
        {.name = "after start", .withLengths = QStringList{"", "", " "}},
        {.name = "filled", .withLengths = QStringList{"01", "14", "40"}, .accepted = true},
        {.name = "single space counts as filled", .withLengths = QStringList{"1", "12", " "}, .accepted = true},
        {.name = "minutes empty", .withLengths = QStringList{"", "12", "40"}},
    };
    // clang-format on
    for (const LengthsOptionGuardRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::lengthsOptionGuard() {
    QFETCH(LengthsOptionGuardRow, row);
    for (const bool reductionFrame : {true, false}) {
        FchronoLogic logic;
        logic.fields.TminuteL = row.withLengths[0];
        logic.fields.TsecondeL = row.withLengths[1];
        logic.fields.TcentiemeL = row.withLengths[2];
        ScriptedDialogs dialogs;
        const bool kept =
            reductionFrame ? logic.Opt_ChronokL_Click(dialogs) : logic.Opt_ChronocjL_Click(dialogs);
        QCOMPARE(kept, row.accepted);
        // The frame clicked shows its choice; the other frame is untouched.
        QCOMPARE(reductionFrame ? logic.fields.Opt_chronok : logic.fields.Opt_chronocj,
                 !row.accepted);
        QCOMPARE(reductionFrame ? logic.fields.Opt_chronocj : logic.fields.Opt_chronok, true);
        QCOMPARE(dialogs.shown.size(), row.accepted ? 0 : 1);
        if (!row.accepted) {
            QCOMPARE(dialogs.shown[0].text,
                     u"vous devez avoir rentré une longeur pour effectuer ce calcul"_qs);
            QCOMPARE(dialogs.shown[0].title, u"Orvanto"_qs);
            QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
        }
    }
}

void TestFchrono::formLoad() {
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
void TestFchrono::badInputSweep_data() {
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

void TestFchrono::badInputSweep() {
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
    // A time field only above its clock.
    const double clock = field == u"Tminute" ? 15 : field == u"Tseconde" ? 59 : 99;
    const bool time = field == u"Tminute" || field == u"Tseconde" || field == u"tcentieme";
    // The reference time a km, an empty box counting as 0, outside the flat's 55 to 80 s.
    const auto box = [&](const char* name) {
        const QString& text = *logic.fields.text(QString::fromLatin1(name));
        return text.isEmpty() ? std::optional<double>(0) : numbers::textToNumber(text);
    };
    const auto metres = numbers::textToNumber(logic.fields.Tdistance);
    const auto m = box("Tminute"), s = box("Tseconde"), c = box("tcentieme");
    const double perKm =
        m && s && c && metres && *metres > 0 ? (*m * 60 + *s + *c / 100) * 1000 / *metres : 60;
    const bool slow = (perKm > 0 && perKm < 55) || perKm > 80;
    const bool unusual = (value && (((weight || distance) && !(*value >= low && *value <= high)) ||
                                    (time && *value > clock))) ||
                         slow;
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

void TestFchrono::addHorse_data() {
    QTest::addColumn<AddHorseRow>("row");
    const QStringList prompts{"Entrer le nom du cheval", "Entrer l'état du terrain"};
    const QString eclair = u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs;
    const QStringList stale =
        prompts +
        QStringList{
            u"Le résultat affiché ne correspond plus aux valeurs saisies : relancez le calcul "
            u"avant d'ajouter ce cheval."_qs};
    const QStringList oneLine =
        prompts +
        QStringList{
            u"Le cheval n'a pas été ajouté : le nom et l'état du terrain doivent tenir sur une seule ligne."_qs};
    // clang-format off
    const AddHorseRow rows[] = {
        {.name = "plain time: no warning", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon"}, .shown = prompts, .showList = true, .line = eclair},
        {.name = "lengths, OK", .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"},
         .shown = (QStringList{WarningText} + prompts), .showList = true, .line = eclair},
        {.name = "lengths, Cancel", .answers = QStringList{"Eclair", "bon"}, .shown = QStringList{WarningText},
         .line = "-"},
        {.name = "empty name still asks the going", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"", "bon"}, .shown = prompts, .showList = true, .line = "-"},
        {.name = "Cancel on the name: nothing, and no second prompt", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{ScriptedDialogs::Cancel, "bon"}, .shown = QStringList{prompts[0]}, .showList = true,
         .line = "-"},
        {.name = "Cancel on the going: nothing", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", ScriptedDialogs::Cancel}, .shown = prompts, .showList = true, .line = "-"},
        {.name = "an empty going is a going", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", ""}, .shown = prompts, .showList = true,
         .line = "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : "},
        {.name = "blank name is a name", .plainTime = true, .warningAnswerOk = true, .answers = QStringList{" ", ""},
         .shown = prompts, .showList = true, .line = "1:15:48 ---- 2100m ---- 57Kg ----   ---- terrain : "},
        {.name = "accents stored", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Étoile œ €", "très léger"}, .shown = prompts, .showList = true,
         .line = "1:15:48 ---- 2100m ---- 57Kg ---- Étoile œ € ---- terrain : très léger"},
        {.name = "characters the file cannot store", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{u"Ző中"_qs, u"bon 🐎"_qs},
         .shown = (prompts + QStringList{u"Le cheval n'a pas été ajouté : la liste ne peut pas "
                                         u"enregistrer ces caractères : ő 中 🐎"_qs}),
         .line = "-"},
        {.name = "line feed in the name", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Ecl\nair", "bon"}, .shown = oneLine, .line = "-"},
        {.name = "carriage return in the name", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Eclair\r", "bon"}, .shown = oneLine, .line = "-"},
        {.name = "CR LF in the going", .plainTime = true, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon\r\n"}, .shown = oneLine, .line = "-"},
        {.name = "no calculation yet", .plainTime = true, .changes = QStringList{"-"}, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true, .line = "-"},
        {.name = "empty name with no calculation: nothing to say", .plainTime = true, .changes = QStringList{"-"},
         .warningAnswerOk = true, .answers = QStringList{"", "bon"}, .shown = prompts, .showList = true, .line = "-"},
        {.name = "distance changed since", .plainTime = true, .changes = QStringList{"Tdistance=2400"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true,
         .line = "-"},
        {.name = "weight changed since", .plainTime = true, .changes = QStringList{"Tpoids=58"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true,
         .line = "-"},
        {.name = "minutes changed since", .plainTime = true, .changes = QStringList{"Tminute=1"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true,
         .line = "-"},
        {.name = "seconds changed since", .plainTime = true, .changes = QStringList{"Tseconde=39"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true,
         .line = "-"},
        {.name = "hundredths changed since", .plainTime = true, .changes = QStringList{"tcentieme=51"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = stale, .showList = true,
         .line = "-"},
        {.name = "time with lengths changed since", .changes = QStringList{"TsecondeL=39"}, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon"}, .shown = (QStringList{WarningText} + stale), .showList = true,
         .line = "-"},
        {.name = "time with lengths rewritten, reduction from the plain time", .plainTime = true,
         .changes = QStringList{"TminuteL=2", "TsecondeL=39", "TcentiemeL=50"}, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon"}, .shown = prompts, .showList = true, .line = eclair},
        {.name = "time source changed since", .plainTime = true, .changes = QStringList{"Opt_chronok=0"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"},
         .shown = (QStringList{WarningText} + stale), .showList = true, .line = "-"},
        {.name = "changed, then back as it was", .plainTime = true, .changes = QStringList{"Tpoids=58", "Tpoids=57"},
         .warningAnswerOk = true, .answers = QStringList{"Eclair", "bon"}, .shown = prompts, .showList = true,
         .line = eclair},
        {.name = "day's race changed: the reduction still holds", .plainTime = true,
         .changes = QStringList{"Tdistance2=3000", "tpoids2=60", "TNbrLongueur=2"}, .warningAnswerOk = true,
         .answers = QStringList{"Eclair", "bon"}, .shown = prompts, .showList = true, .line = eclair},
    };
    // clang-format on
    for (const AddHorseRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::addHorse() {
    QFETCH(AddHorseRow, row);

    FchronoLogic logic = logicWith({"Tdistance=2100", "Tpoids=57", "Tminute=2", "Tseconde=38",
                                    "tcentieme=50", "TminuteL=2", "TsecondeL=38", "TcentiemeL=50",
                                    row.plainTime ? "Opt_chronok=1" : "Opt_chronok=0"});
    if (row.changes != QStringList{"-"}) {
        ScriptedDialogs none;
        logic.Btcalcul_Click(none);
        QVERIFY(none.shown.isEmpty());
        logic = logicWith(row.changes, std::move(logic));
    }
    ScriptedDialogs dialogs;
    dialogs.answers = {row.warningAnswerOk ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel};
    dialogs.promptTexts = row.answers;

    const AddedHorse added = Bt_Ajoute_Click(logic, dialogs);
    QStringList texts;
    for (const ShownDialog& d : dialogs.shown) {
        texts << d.text;
        if (d.title != u"Orvanto")
            QFAIL("every dialog here has the application's title");
    }
    QCOMPARE(texts, row.shown);
    QCOMPARE(added.showList, row.showList);
    QCOMPARE(added.line.value_or("-"), row.line);
    if (!logic.fields.Opt_chronok)
        QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
}

void TestFchrono::scaleChange_data() {
    QTest::addColumn<ScaleChangeRow>("row");
    const QStringList example{"Tdistance=2100",  "Tminute=2", "Tseconde=38", "tcentieme=50",
                              "Tdistance2=2400", "Tpoids=57", "tpoids2=58",  "TNbrLongueur=3"};
    const QStringList shown{"LresultDistance=03:01:80", "Lreduction=1:15:48", "TminuteL=02",
                            "TsecondeL=40", "TcentiemeL=50"};
    const QString original = u"Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)"_qs;
    // clang-format off
    const ScaleChangeRow rows[] = {
        {.name = "the same scale: results stay", .before = example, .after = shown, .line = original},
        {.name = "another scale: the estimate goes, the plain reduction stays", .before = example, .scale = "terrain",
         .after = QStringList{"LresultDistance=", "Lreduction=1:15:48", "TminuteL=02", "TsecondeL=39",
           "TcentiemeL=00"}, .line = u"Barème : 6 L/s (plat, bon) · 1 s/1,5 kg (origine)"_qs},
        {.name = "a reduction from the time with lengths goes too",
         .before = (example + QStringList{"Opt_chronok=0"}), .scale = "vitesse",
         .after = QStringList{"LresultDistance=", "Lreduction=", "TminuteL=02", "TsecondeL=39",
           "TcentiemeL=4,34286117553711"}, .line = u"Barème : 5,52 L/s (vitesse, 2,4 m/L) · 1 s/1,5 kg (origine)"_qs},
        {.name = "the line names the day's distance", .before = example, .scale = "poids-distance",
         .after = QStringList{"LresultDistance=", "Lreduction=1:15:48"},
         .line = u"Barème : 1,5 L/s (origine) · 0,58 kg/L (2400 m)"_qs},
    };
    // clang-format on
    for (const ScaleChangeRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestFchrono::scaleChange() {
    QFETCH(ScaleChangeRow, row);
    FchronoLogic logic = logicWith(row.before);
    ScriptedDialogs dialogs;
    logic.Btcalcul_Click(dialogs);
    logic.SetScale(scaleNamed(row.scale));
    const FchronoLogic expected =
        logicWith(row.after + QStringList{u"bareme="_qs + row.scale}, logic);
    QVERIFY(logic.fields == expected.fields);
    QCOMPARE(logic.Estimate.has_value(), !logic.fields.LresultDistance.isEmpty());
    QCOMPARE(logic.ScaleLine(), row.line);
    // Back to the original row.scale: a result taken off is not shown as matching the
    // inputs, which would let an empty one go on the list.
    logic.SetScale(scale::Scale());
    QCOMPARE(logic.ReductionMatchesInputs(), !logic.fields.Lreduction.isEmpty());
    QCOMPARE(logic.EstimateMatchesInputs(), !logic.fields.LresultDistance.isEmpty());
}

QTEST_GUILESS_MAIN(TestFchrono)
#include "tst_fchrono.moc"
