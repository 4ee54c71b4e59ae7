#include "module1.h"
#include "numbers.h"

#include <QTest>
#include <cmath>
#include <limits>

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

QTEST_GUILESS_MAIN(TestCalc)
#include "tst_calc.moc"
