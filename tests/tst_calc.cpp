#include "calculation.h"
#include "module1.h"
#include "numbers.h"
#include "scale.h"
#include "scalesettings.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

using scale::Discipline;
using scale::Going;
using scale::LengthsRule;
using scale::WeightRule;

Q_DECLARE_METATYPE(scale::Scale)

namespace {

scale::Scale scaleOf(LengthsRule lengths, WeightRule weight, Discipline d = Discipline::Flat,
                     Going g = Going::GoodOrFaster) {
    scale::Scale s;
    s.lengths = lengths;
    s.weight = weight;
    s.discipline = d;
    s.going = g;
    return s;
}

// A fact of the races; a negative number for none.
std::optional<double> fact(double value) {
    return value < 0 ? std::nullopt : std::optional<double>(value);
}

} // namespace

class TestCalc : public QObject {
    Q_OBJECT

  private slots:
    void textToNumber_data();
    void textToNumber();
    void textToWholeNumber_data();
    void textToWholeNumber();
    void numberToText_data();
    void numberToText();
    void minutesToText_data();
    void minutesToText();
    void timeToHundredths_data();
    void timeToHundredths();
    void hundredthsToText_data();
    void hundredthsToText();
    void scaleRules_data();
    void scaleRules();
    void scaleFromFile_data();
    void scaleFromFile();
    void scaleKept_data();
    void scaleKept();
    void calculation_data();
    void calculation();
};

void TestCalc::textToNumber_data() {
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "1200" << true << 1200.0;
    QTest::newRow("leading zero") << "05" << true << 5.0;
    QTest::newRow("comma") << "56,5" << true << 56.5;
    QTest::newRow("point") << "56.5" << true << 56.5;
    QTest::newRow("blanks around") << "  57 \t" << true << 57.0;
    QTest::newRow("minus") << "-5" << true << -5.0;
    QTest::newRow("plus") << "+2,5" << true << 2.5;
    QTest::newRow("no whole part") << ",5" << true << 0.5;
    QTest::newRow("no fraction digits") << "5," << true << 5.0;
    QTest::newRow("many digits") << QString(400, u'9').prepend(u'0').append(u",5") << false << 0.0;
    QTest::newRow("underflows to zero") << u"0,"_qs + QString(400, u'0') + u"1"_qs << true << 0.0;
    QTest::newRow("correctly rounded") << "0,1" << true << 0.1;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << " " << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("separator only") << "," << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("trailing letter") << "12a" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
    QTest::newRow("two separators") << "1,2,3" << false << 0.0;
    QTest::newRow("point and comma") << "1.2,3" << false << 0.0;
    QTest::newRow("thousands blank") << "1 200" << false << 0.0;
    QTest::newRow("blank after sign") << "- 5" << false << 0.0;
    QTest::newRow("two signs") << "--5" << false << 0.0;
    QTest::newRow("arabic-indic digit") << u"\u0661"_qs << false << 0.0;
    QTest::newRow("NUL") << QString(QChar(0)) + u"5"_qs << false << 0.0;
    // clang-format on
}

void TestCalc::textToNumber() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(double, value);
    const auto read = numbers::textToNumber(text);
    QCOMPARE(read.has_value(), readable);
    if (readable)
        QCOMPARE(*read, value);
}

void TestCalc::textToWholeNumber_data() {
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("0,4") << "0,4" << 0.0;
    QTest::newRow("0,5 tie to even") << "0,5" << 0.0;
    QTest::newRow("0,6") << "0,6" << 1.0;
    QTest::newRow("1,5 tie to even") << "1,5" << 2.0;
    QTest::newRow("2,5 tie to even") << "2,5" << 2.0;
    QTest::newRow("-2,5") << "-2,5" << -2.0;
    QTest::newRow("57") << "57" << 57.0;
    // clang-format on
}

void TestCalc::textToWholeNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbers::textToWholeNumber(text).value(), value);
}

void TestCalc::numberToText_data() {
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");
    QTest::newRow("2/3 single") << double(2.0f / 3.0f) << true << "0,6666667";
    QTest::newRow("4/3 single") << double(4.0f / 3.0f) << true << "1,333333";
    QTest::newRow("5/3 single") << double(5.0f / 3.0f) << true << "1,666667";
    QTest::newRow("181.14 single") << double(181.14f) << true << "181,14";
    QTest::newRow("0.05 single") << double(0.05f) << true << "0,05";
    QTest::newRow("whole single") << 76.0 << true << "76";
    QTest::newRow("large single") << 12345678.0 << true << "12345680";
    QTest::newRow("negative") << -0.5 << true << "-0,5";
    QTest::newRow("negative zero") << -0.0 << true << "0";
    QTest::newRow("tiny single") << 0.000012345678 << true << "0,00001234568";
    QTest::newRow("fraction of a hundredth") << 56.666667938232421875 << false << "56,6666679382324";
    QTest::newRow("66.67 hundredths") << double(66.666671752929688) << false << "66,6666717529297";
    QTest::newRow("huge double") << 1e20 << false << "100000000000000000000";
    // clang-format on
}

void TestCalc::numberToText() {
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, text);
    QCOMPARE(single ? numbers::singleToText(static_cast<float>(value))
                    : numbers::doubleToText(value),
             text);
}

void TestCalc::minutesToText_data() {
    // clang-format off
    QTest::addColumn<float>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("75 s") << 75.0f / 60 << "1:15";
    QTest::newRow("1.25") << 1.25f << "1:15";
    QTest::newRow("5 s") << 5.0f / 60 << "0:05";
    QTest::newRow("60 s") << 60.0f / 60 << "1:00";
    QTest::newRow("61 s") << 61.0f / 60 << "1:01";
    QTest::newRow("119 s") << 119.0f / 60 << "1:59";
    QTest::newRow("754 s") << 754.0f / 60 << "12:34";
    QTest::newRow("0 s") << 0.0f << "0:00";
    QTest::newRow("10 minutes") << 10.0f << "10:00";
    QTest::newRow("0.5") << 0.5f << "0:30";
    QTest::newRow("1.999 shows 60 seconds") << 1.999f << "1:60";
    // clang-format on
}

void TestCalc::minutesToText() {
    QFETCH(float, minutes);
    QFETCH(QString, text);
    QCOMPARE(Module1::MinutesToText(minutes), text);
}

void TestCalc::timeToHundredths_data() {
    // clang-format off
    QTest::addColumn<QVariantList>("parts");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("hundredths");
    QTest::newRow("texts") << QVariantList{"00", 1, 15, 25} << true << 7525.0;
    QTest::newRow("weight") << QVariantList{"00", 0, 2, 66} << true << 266.0;
    QTest::newRow("numbers") << QVariantList{0, 1, 15, 50} << true << 7550.0;
    QTest::newRow("05 reads as 5") << QVariantList{"00", "05", "05", "05"} << true << 30505.0;
    QTest::newRow("hour") << QVariantList{"1", 0, 0, 0} << true << 360000.0;
    QTest::newRow("fraction kept") << QVariantList{0, 0, 0, 0.5} << true << 0.5;
    QTest::newRow("single-precision product, 1 length") << QVariantList{0, 0, QVariant(static_cast<float>(1 / 1.5)), 0} << true << 66.66667175292969;
    QTest::newRow("single-precision product, 0.25 length") << QVariantList{0, 0, QVariant(static_cast<float>(0.25 / 1.5)), 0} << true << 16.666667938232422;
    QTest::newRow("not a number") << QVariantList{"00", "x", 0, 0} << false << 0.0;
    QTest::newRow("empty text") << QVariantList{"00", 1, "", 0} << false << 0.0;
    // clang-format on
}

void TestCalc::timeToHundredths() {
    QFETCH(QVariantList, parts);
    QFETCH(bool, readable);
    QFETCH(double, hundredths);
    const auto result = Module1::TimeToHundredths(parts[0], parts[1], parts[2], parts[3]);
    QCOMPARE(result.has_value(), readable);
    if (readable)
        QCOMPARE(*result, hundredths);
}

void TestCalc::hundredthsToText_data() {
    // clang-format off
    QTest::addColumn<double>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("7525") << 7525.0 << "01:15:25";
    QTest::newRow("7550") << 7550.0 << "01:15:50";
    QTest::newRow("7505 pads hundredths on the left") << 7505.0 << "01:15:05";
    QTest::newRow("6005") << 6005.0 << "01:00:05";
    QTest::newRow("6050") << 6050.0 << "01:00:50";
    QTest::newRow("7616") << 7616.0 << "01:16:16";
    QTest::newRow("100") << 100.0 << "00:01:00";
    QTest::newRow("0") << 0.0 << "00:00:00";
    QTest::newRow("12345") << 12345.0 << "02:03:45";
    QTest::newRow("59999") << 59999.0 << "09:59:99";
    QTest::newRow("hours dropped") << 366000.0 << "01:00:00";
    QTest::newRow("fraction kept") << 7256.666667938232421875 << "01:12:56,6666679382324";
    QTest::newRow("huge count stays in range") << 1e22 << "46:40:00";
    // clang-format on
}

void TestCalc::hundredthsToText() {
    QFETCH(double, hundredths);
    QFETCH(QString, text);
    QCOMPARE(Module1::HundredthsToText(hundredths), text);
}

void TestCalc::scaleRules_data() {
    QTest::addColumn<scale::Scale>("scale");
    QTest::addColumn<double>("referenceMetres"); // facts of the races; negative for none
    QTest::addColumn<double>("referenceSeconds");
    QTest::addColumn<double>("dayMetres");
    QTest::addColumn<double>("lengthsPerSecond"); // negative for none
    QTest::addColumn<double>("kilogramsPerSecond");
    QTest::addColumn<QString>("line");
    const auto O = LengthsRule::Original, T = LengthsRule::DisciplineGoing,
               V = LengthsRule::RaceSpeed;
    const auto WO = WeightRule::Original, WD = WeightRule::ByDistance, WN = WeightRule::None;
    const auto F = Discipline::Flat, J = Discipline::Jumps, A = Discipline::AllWeather;
    const auto G = Going::GoodOrFaster, GS = Going::GoodToSoft, S = Going::SoftOrSlower;
    // clang-format off
    QTest::newRow("original") << scaleOf(O, WO) << 2100.0 << 158.5 << 2400.0 << 1.5 << 1.5 << "Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)";
    QTest::newRow("original, no race") << scaleOf(O, WO) << -1.0 << -1.0 << -1.0 << 1.5 << 1.5 << "Barème : 1,5 L/s (origine) · 1 s/1,5 kg (origine)";
    // Every cell of the table by discipline and going.
    QTest::newRow("flat, good") << scaleOf(T, WO, F, G) << -1.0 << -1.0 << -1.0 << 6.0 << 1.5 << "Barème : 6 L/s (plat, bon) · 1 s/1,5 kg (origine)";
    QTest::newRow("flat, good to soft") << scaleOf(T, WO, F, GS) << -1.0 << -1.0 << -1.0 << 5.5 << 1.5 << "Barème : 5,5 L/s (plat, bon souple) · 1 s/1,5 kg (origine)";
    QTest::newRow("flat, soft") << scaleOf(T, WO, F, S) << -1.0 << -1.0 << -1.0 << 5.0 << 1.5 << "Barème : 5 L/s (plat, souple) · 1 s/1,5 kg (origine)";
    QTest::newRow("jumps, good") << scaleOf(T, WO, J, G) << -1.0 << -1.0 << -1.0 << 5.0 << 1.5 << "Barème : 5 L/s (obstacle, bon) · 1 s/1,5 kg (origine)";
    QTest::newRow("jumps, good to soft") << scaleOf(T, WO, J, GS) << -1.0 << -1.0 << -1.0 << 4.5 << 1.5 << "Barème : 4,5 L/s (obstacle, bon souple) · 1 s/1,5 kg (origine)";
    QTest::newRow("jumps, soft") << scaleOf(T, WO, J, S) << -1.0 << -1.0 << -1.0 << 4.0 << 1.5 << "Barème : 4 L/s (obstacle, souple) · 1 s/1,5 kg (origine)";
    QTest::newRow("sand, good") << scaleOf(T, WO, A, G) << -1.0 << -1.0 << -1.0 << 6.0 << 1.5 << "Barème : 6 L/s (sable, bon) · 1 s/1,5 kg (origine)";
    QTest::newRow("sand, good to soft") << scaleOf(T, WO, A, GS) << -1.0 << -1.0 << -1.0 << 6.0 << 1.5 << "Barème : 6 L/s (sable, bon souple) · 1 s/1,5 kg (origine)";
    QTest::newRow("sand, soft") << scaleOf(T, WO, A, S) << -1.0 << -1.0 << -1.0 << 6.0 << 1.5 << "Barème : 6 L/s (sable, souple) · 1 s/1,5 kg (origine)";
    // The race's own speed: 2400 m in 2:30:00 is 16 m/s, 6.667 lengths of 2.4 m.
    QTest::newRow("race speed") << scaleOf(V, WO) << 2400.0 << 150.0 << -1.0 << 2400.0 / 150 / 2.4 << 1.5 << "Barème : 6,67 L/s (vitesse, 2,4 m/L) · 1 s/1,5 kg (origine)";
    QTest::newRow("race speed, trotter at 1'14 per km") << scaleOf(V, WO) << 2700.0 << 199.8 << -1.0 << 2700.0 / 199.8 / 2.4 << 1.5 << "Barème : 5,63 L/s (vitesse, 2,4 m/L) · 1 s/1,5 kg (origine)";
    QTest::newRow("race speed, no time yet") << scaleOf(V, WO) << 2400.0 << 0.0 << -1.0 << -1.0 << 1.5 << "Barème : L/s selon la vitesse (2,4 m/L) · 1 s/1,5 kg (origine)";
    QTest::newRow("race speed, no distance") << scaleOf(V, WO) << -1.0 << 150.0 << -1.0 << -1.0 << 1.5 << "Barème : L/s selon la vitesse (2,4 m/L) · 1 s/1,5 kg (origine)";
    // By distance: kilograms per length times lengths per second.
    QTest::newRow("by distance, 2400 m, 6 L/s") << scaleOf(T, WD) << -1.0 << -1.0 << 2400.0 << 6.0 << 0.58 * 6 << "Barème : 6 L/s (plat, bon) · 0,58 kg/L (2400 m)";
    QTest::newRow("by distance, race speed") << scaleOf(V, WD) << 2400.0 << 150.0 << 2400.0 << 2400.0 / 150 / 2.4 << 0.58 * (2400.0 / 150 / 2.4) << "Barème : 6,67 L/s (vitesse, 2,4 m/L) · 0,58 kg/L (2400 m)";
    QTest::newRow("by distance, no day's race") << scaleOf(T, WD) << -1.0 << -1.0 << -1.0 << 6.0 << -1.0 << "Barème : 6 L/s (plat, bon) · kg/L selon la distance";
    QTest::newRow("by distance, below the first row") << scaleOf(O, WD) << -1.0 << -1.0 << 800.0 << 1.5 << 1.52 * 1.5 << "Barème : 1,5 L/s (origine) · 1,52 kg/L (1000 m)";
    QTest::newRow("by distance, between two rows") << scaleOf(O, WD) << -1.0 << -1.0 << 2399.0 << 1.5 << 0.64 * 1.5 << "Barème : 1,5 L/s (origine) · 0,64 kg/L (2200 m)";
    QTest::newRow("by distance, beyond the last row") << scaleOf(O, WD) << -1.0 << -1.0 << 6000.0 << 1.5 << 0.43 * 1.5 << "Barème : 1,5 L/s (origine) · 0,43 kg/L (3200 m)";
    // At the trot: 5,5 lengths a second, and no weight unless a rule was chosen.
    const auto TA = Discipline::TrotHarness, TM = Discipline::TrotMounted;
    QTest::newRow("trot in harness") << scaleOf(T, WO, TA, G) << -1.0 << -1.0 << 2700.0 << 5.5 << -1.0 << "Barème : 5,5 L/s (attelé, bon) · sans poids (trot)";
    QTest::newRow("trot mounted") << scaleOf(T, WO, TM, S) << -1.0 << -1.0 << 2700.0 << 5.5 << -1.0 << "Barème : 5,5 L/s (monté, souple) · sans poids (trot)";
    QTest::newRow("trot, weight by distance chosen") << scaleOf(T, WD, TA, G) << -1.0 << -1.0 << 2700.0 << 5.5 << 0.54 * 5.5 << "Barème : 5,5 L/s (attelé, bon) · 0,54 kg/L (2600 m)";
    QTest::newRow("no weight correction") << scaleOf(T, WN, J, S) << -1.0 << -1.0 << 2400.0 << 4.0 << -1.0 << "Barème : 4 L/s (obstacle, souple) · sans poids";
    // clang-format on
    // Every row of the table by distance, at its own distance.
    const double kg[] = {1.52, 1.42, 1.25, 1.18, 1.06, 1.03, 1.0, 0.91,
                         0.72, 0.64, 0.58, 0.56, 0.54, 0.5,  0.43};
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row) {
        const int metres = scale::DistanceRows[row];
        QTest::addRow("by distance, %d m", metres)
            << scaleOf(O, WD) << -1.0 << -1.0 << double(metres) << 1.5 << kg[row] * 1.5
            << u"Barème : 1,5 L/s (origine) · %1 kg/L (%2 m)"_qs
                   .arg(QString::number(kg[row]).replace(u'.', u','))
                   .arg(metres);
    }
}

void TestCalc::scaleRules() {
    QFETCH(scale::Scale, scale);
    QFETCH(double, referenceMetres);
    QFETCH(double, referenceSeconds);
    QFETCH(double, dayMetres);
    QFETCH(double, lengthsPerSecond);
    QFETCH(double, kilogramsPerSecond);
    QFETCH(QString, line);
    const scale::RaceFacts facts{fact(referenceMetres), fact(referenceSeconds), fact(dayMetres)};
    QCOMPARE(scale::lengthsPerSecond(scale, facts), fact(lengthsPerSecond));
    QCOMPARE(scale::kilogramsPerSecond(scale, facts), fact(kilogramsPerSecond));
    QCOMPARE(scale::describe(scale, facts), line);
}

void TestCalc::scaleFromFile_data() {
    QTest::addColumn<QByteArray>("file"); // "none" for no file
    QTest::addColumn<scale::Scale>("scale");
    scale::Scale edited =
        scaleOf(LengthsRule::RaceSpeed, WeightRule::None, Discipline::Jumps, Going::SoftOrSlower);
    edited.lengthsTable[1][2] = 3.8;
    edited.weightTable[10] = 0.6;
    edited.metresPerLength = 2.5;
    // clang-format off
    QTest::newRow("no file") << QByteArray("none") << scale::Scale();
    QTest::newRow("empty file") << QByteArray() << scale::Scale();
    QTest::newRow("every key") << QByteArray("[bareme]\nlongueurs=vitesse\ndiscipline=obstacle\nterrain=souple\nmetres-par-longueur=2.5\npoids=aucun\n"
                                             "[longueurs-par-seconde]\nobstacle-souple=3.8\n[kg-par-longueur]\n2400=0.6\n") << edited;
    QTest::newRow("a decimal comma") << QByteArray("[bareme]\nlongueurs=vitesse\ndiscipline=obstacle\nterrain=souple\nmetres-par-longueur=\"2,5\"\npoids=aucun\n"
                                             "[longueurs-par-seconde]\nobstacle-souple=\"3,8\"\n[kg-par-longueur]\n2400=\"0,6\"\n") << edited;
    QTest::newRow("only the weight rule") << QByteArray("[bareme]\npoids=distance\n") << scaleOf(LengthsRule::Original, WeightRule::ByDistance);
    // Anything no scale can hold: the original scale, without a word.
    QTest::newRow("not INI") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0[bareme\n=\n", 22) << scale::Scale();
    QTest::newRow("an unknown rule") << QByteArray("[bareme]\nlongueurs=magique\npoids=aucun\n") << scale::Scale();
    QTest::newRow("an unknown going") << QByteArray("[bareme]\nlongueurs=terrain\nterrain=collant\n") << scale::Scale();
    QTest::newRow("lengths per second of zero") << QByteArray("[bareme]\npoids=aucun\n[longueurs-par-seconde]\nplat-bon=0\n") << scale::Scale();
    QTest::newRow("lengths per second not a number") << QByteArray("[bareme]\npoids=aucun\n[longueurs-par-seconde]\nplat-bon=six\n") << scale::Scale();
    QTest::newRow("lengths per second too many") << QByteArray("[longueurs-par-seconde]\nplat-bon=21\n") << scale::Scale();
    QTest::newRow("negative kilograms") << QByteArray("[bareme]\npoids=aucun\n[kg-par-longueur]\n1000=-1\n") << scale::Scale();
    QTest::newRow("metres per length too few") << QByteArray("[bareme]\npoids=aucun\nmetres-par-longueur=0.5\n") << scale::Scale();
    // clang-format on
}

void TestCalc::scaleFromFile() {
    QFETCH(QByteArray, file);
    QFETCH(scale::Scale, scale);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Orvanto.ini"_qs);
    if (file != "none") {
        QFile ini(path);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(file);
    }
    QVERIFY(scale::readScale(path) == scale);
}

void TestCalc::scaleKept_data() {
    QTest::addColumn<scale::Scale>("scale");
    scale::Scale edited = scaleOf(LengthsRule::DisciplineGoing, WeightRule::ByDistance,
                                  Discipline::AllWeather, Going::GoodToSoft);
    edited.lengthsTable[2][1] = 5; // a slow sand track
    edited.weightTable[0] = 1.6;
    edited.metresPerLength = 2.45;
    scale::Scale reset = edited;
    reset.lengthsTable = scale::defaultLengthsTable();
    reset.weightTable = scale::defaultWeightTable();
    QTest::newRow("original") << scale::Scale();
    QTest::newRow("edited cells") << edited;
    QTest::newRow("edited cells reset") << reset;
    QTest::newRow("race speed, no weight") << scaleOf(LengthsRule::RaceSpeed, WeightRule::None);
}

void TestCalc::scaleKept() {
    QFETCH(scale::Scale, scale);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config/Orvanto.ini"_qs);
    // A scale written over another one replaces it whole.
    QCOMPARE(scale::writeScale(scaleOf(LengthsRule::RaceSpeed, WeightRule::None), path), QString());
    QCOMPARE(scale::writeScale(scale, path), QString());
    QVERIFY(scale::readScale(path) == scale);
    // A folder that cannot be made: the reason, with the file's path.
    QFile blocker(dir.filePath(u"file"_qs));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    const QString why = scale::writeScale(scale, blocker.fileName() + u"/Orvanto.ini"_qs);
    QVERIFY(why.startsWith(u"Le barème n'a pas pu être enregistré dans "_qs + blocker.fileName()));
}

// The calculation without the window, from a race as typed (its empty time boxes
// filled, as the window does first): what it shows, as texts and as numbers.
struct CalculationRow {
    const char* name;
    calc::RaceTexts typed;
    calc::CalcError error = calc::CalcError::None;
    calc::Change estimateChange = calc::Change::Shown;
    QString estimate = {};
    double estimateHundredths = 0;
    QString reduction = {};
    double reductionHundredths = 0;
};
Q_DECLARE_METATYPE(CalculationRow)

void TestCalc::calculation_data() {
    QTest::addColumn<CalculationRow>("row");
    using calc::CalcError;
    using calc::Change;
    // The worked example: 2100 m in 2:38:50 with 57 kg; today 2400 m with 58 kg.
    calc::RaceTexts example;
    example.referenceDistance = u"2100"_qs;
    example.referenceWeight = u"57"_qs;
    example.minutes = u"2"_qs;
    example.seconds = u"38"_qs;
    example.hundredths = u"50"_qs;
    example.margin = u"3"_qs;
    example.dayDistance = u"2400"_qs;
    example.dayWeight = u"58"_qs;
    // The example with one thing changed.
    const auto but = [&](auto change) {
        calc::RaceTexts t = example;
        change(t);
        return t;
    };
    const CalculationRow rows[] = {
        {.name = "worked example",
         .typed = example,
         .estimate = u"03:01:80"_qs,
         .estimateHundredths = 18180,
         .reduction = u"1:15:48"_qs,
         .reductionHundredths = 7548},
        {.name = "from the time with lengths (+2 s)",
         .typed = but([](auto& t) { t.estimateWithLengths = t.reductionWithLengths = true; }),
         .estimate = u"03:04:09"_qs,
         .estimateHundredths = 18409,
         .reduction = u"1:16:43"_qs,
         .reductionHundredths = 7643},
        {.name = "2 kg less today",
         .typed = but([](auto& t) { t.dayWeight = u"55"_qs; }),
         .estimate = u"02:59:81"_qs,
         .estimateHundredths = 17981,
         .reduction = u"1:15:48"_qs,
         .reductionHundredths = 7548},
        {.name = "a decimal point in the weight",
         .typed = but([](auto& t) { t.referenceWeight = u"57.5"_qs; }),
         .estimate = u"03:01:47"_qs,
         .estimateHundredths = 18147,
         .reduction = u"1:15:48"_qs,
         .reductionHundredths = 7548},
        {.name = "no day's race: the estimate cleared",
         .typed = but([](auto& t) { t.dayDistance.clear(); }),
         .estimateChange = Change::Cleared,
         .reduction = u"1:15:48"_qs,
         .reductionHundredths = 7548},
        {.name = "no distance: nothing changes",
         .typed = but([](auto& t) { t.referenceDistance = u"0"_qs; }),
         .error = CalcError::Distance,
         .estimateChange = Change::Unchanged},
        {.name = "580 kg: no estimate rather than a wrong one",
         .typed = but([](auto& t) { t.dayWeight = u"580"_qs; }),
         .error = CalcError::Weight,
         .estimateChange = Change::Cleared},
    };
    for (const CalculationRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestCalc::calculation() {
    QFETCH(CalculationRow, row);
    calc::RaceTexts typed = row.typed;
    // The time with lengths as the window derives it when the margin box is left.
    const calc::Race race = calc::Race::typedIn(typed, scale::Scale());
    const calc::Calculation c = calc::calculate(race);
    QCOMPARE(c.error, row.error);
    QCOMPARE(c.estimateChange, row.estimateChange);
    QCOMPARE(c.estimate.has_value(), !row.estimate.isEmpty());
    if (c.estimate) {
        QCOMPARE(c.estimate->text, row.estimate);
        QCOMPARE(c.estimate->hundredths, row.estimateHundredths);
        // The race it came from, the weight's point read as a comma.
        QCOMPARE(c.estimate->race.typed.referenceWeight,
                 QString(row.typed.referenceWeight).replace(u'.', u','));
    }
    QCOMPARE(c.reduction.has_value(), !row.reduction.isEmpty());
    if (c.reduction) {
        QCOMPARE(c.reduction->text, row.reduction);
        QCOMPARE(c.reduction->hundredths, row.reductionHundredths);
    }
}

QTEST_GUILESS_MAIN(TestCalc)
#include "tst_calc.moc"
