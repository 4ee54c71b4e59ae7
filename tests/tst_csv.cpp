// The CSV module: what it reads from the files spreadsheets and other programs
// write, where it refuses, what it writes, and the texts of times and decimals.
#include "cells.h"
#include "csv.h"

#include <QTest>

struct ReadRow {
    const char* name;
    QByteArray bytes = {};
    QString rows = {};    // cells joined by '|', rows by '/'; empty when refused
    char separator = ';'; // detected
    QString refusal = {}; // "line:column reason"
    bool utf8 = true;
    csv::Quotes quotes = csv::Quotes::Strict;
};
Q_DECLARE_METATYPE(ReadRow)

struct TimeRow {
    const char* name;
    QString time = {};
    std::optional<qint64> hundredths = {};
    QString seconds = {}; // the spreadsheet's cell
};
Q_DECLARE_METATYPE(TimeRow)

class TestCsv : public QObject {
    Q_OBJECT

  private slots:
    void read_data();
    void read();
    void writeReadsBack();
    void time_data();
    void time();
    void decimals();
};

void TestCsv::read_data() {
    QTest::addColumn<ReadRow>("row");
    const ReadRow rows[] = {
        {.name = "semicolons, CR LF", .bytes = "a;b\r\n1;2\r\n", .rows = "a|b/1|2"},
        {.name = "commas, LF", .bytes = "a,b\n1,2\n", .rows = "a|b/1|2", .separator = ','},
        {.name = "tabs", .bytes = "a\tb\n1\t2", .rows = "a|b/1|2", .separator = '\t'},
        {.name = "a comma inside a ;-table", .bytes = "a;b\n1,5;2\n", .rows = "a|b/1,5|2"},
        {.name = "the header decides, not the data",
         .bytes = "a;b\n1,5,6;2\n",
         .rows = "a|b/1,5,6|2"},
        {.name = "byte-order mark skipped", .bytes = "\xEF\xBB\xBFnom;x\r\n", .rows = "nom|x"},
        {.name = "UTF-8 accents", .bytes = "Éclair;été\n", .rows = "Éclair|été"},
        {.name = "Windows-1252 when not UTF-8",
         .bytes = "\xC9"
                  "clair;\x80\n",
         .rows = "Éclair|€",
         .utf8 = false},
        {.name = "quoted: separator, doubled quote",
         .bytes = "\"a;b\";\"le \"\"Roi\"\"\"\n",
         .rows = "a;b|le \"Roi\""},
        {.name = "quoted line break kept",
         .bytes = "\"deux\r\nlignes\";x\r\ny;z\r\n",
         .rows = "deux\r\nlignes|x/y|z"},
        {.name = "empty lines skipped", .bytes = "a;b\r\n\r\n\n1;2\r\n", .rows = "a|b/1|2"},
        {.name = "empty cells kept", .bytes = "a;;\n;b;\n", .rows = "a||/|b|"},
        {.name = "no final line end", .bytes = "a;b\n1;2", .rows = "a|b/1|2"},
        {.name = "no final line end after an empty last cell",
         .bytes = "a;b\n1;",
         .rows = "a|b/1|"},
        {.name = "a quote never closed",
         .bytes = "a;b\n1;\"2\n3;4\n",
         .refusal = "2:2 guillemet jamais fermé"},
        {.name = "text after a closing quote",
         .bytes = "a;b\n\"x\"y;2\n",
         .refusal = "2:1 texte après un guillemet fermant"},
        {.name = "a stray quote",
         .bytes = "a;b\n1;x\"y\n",
         .refusal = "2:2 guillemet dans une cellule sans guillemets"},
        {.name = "a stray quote kept when quotes inside are literal",
         .bytes = "a;b\n2'12\"58;\"x;y\"\n",
         .rows = "a|b/2'12\"58|x;y",
         .quotes = csv::Quotes::Literal},
        {.name = "the line counts a quoted break",
         .bytes = "\"a\nb\";c\nd;\"e\n",
         .refusal = "3:2 guillemet jamais fermé"},
        {.name = "nothing", .bytes = "", .rows = ""},
        {.name = "a second mark is text",
         .bytes = "\xEF\xBB\xBF\xEF\xBB\xBF"
                  "a\n",
         .rows = u"\uFEFFa"_qs},
    };
    for (const ReadRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestCsv::read() {
    QFETCH(ReadRow, row);
    const csv::ReadResult result = csv::read(row.bytes, std::nullopt, row.quotes);
    if (!row.refusal.isEmpty()) {
        QVERIFY(!result.table);
        QCOMPARE(u"%1:%2 %3"_qs.arg(result.refusal.line)
                     .arg(result.refusal.column)
                     .arg(result.refusal.reason),
                 row.refusal);
        QVERIFY(result.refusal.message().startsWith(
            u"ligne %1, colonne %2 : "_qs.arg(result.refusal.line).arg(result.refusal.column)));
        return;
    }
    QVERIFY(result.table);
    QStringList shown;
    for (const QStringList& cells : result.table->rows)
        shown << cells.join(u'|');
    QCOMPARE(shown.join(u'/'), row.rows);
    if (!row.rows.isEmpty())
        QCOMPARE(result.table->separator, QChar(row.separator));
    QCOMPARE(result.table->utf8, row.utf8);
}

void TestCsv::writeReadsBack() {
    const std::vector<QStringList> rows{
        {u"Cheval"_qs, u"Terrain"_qs},
        {u"Le \"Roi\""_qs, u"bon; sec"_qs},
        {u"deux\r\nlignes"_qs, u"tab\there"_qs},
        {u"Étoile, €"_qs, QString()},
        {QString()},
    };
    for (const csv::Format& format : {csv::File, csv::Clipboard}) {
        const QByteArray bytes = csv::write(rows, format);
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), format.byteOrderMark);
        const csv::ReadResult back = csv::read(bytes, format.separator);
        QVERIFY(back.table);
        QVERIFY(back.table->rows == rows);
    }
    // One quoting rule: a semicolon is quoted on the clipboard too, so that a
    // spreadsheet that splits pasted text at either keeps the cell whole.
    QCOMPARE(csv::quoted(u"a;b"_qs, u'\t'), u"\"a;b\""_qs);
    QCOMPARE(csv::quoted(u"a,b"_qs, u';'), u"a,b"_qs);
    QCOMPARE(csv::write({{u"x"_qs, u"y"_qs}}, csv::File), QByteArray("\xEF\xBB\xBFx;y\r\n"));
    QCOMPARE(csv::write({{u"x"_qs, u"y"_qs}}, csv::Clipboard), QByteArray("x\ty\n"));
}

void TestCsv::time_data() {
    QTest::addColumn<TimeRow>("row");
    const TimeRow rows[] = {
        {.name = "a reduction", .time = "1:15:48", .hundredths = 7548, .seconds = "75,48"},
        {.name = "an estimate", .time = "03:01:80", .hundredths = 18180, .seconds = "181,80"},
        {.name = "no minutes", .time = "0:59:99", .hundredths = 5999, .seconds = "59,99"},
        {.name = "a last field cut short", .time = "1:02:5", .hundredths = {}, .seconds = ""},
        {.name = "one-digit seconds", .time = "1:2:50", .hundredths = {}, .seconds = ""},
        {.name = "a sign", .time = "-1:15:48", .hundredths = {}, .seconds = ""},
        {.name = "a plus", .time = "1:+5:48", .hundredths = {}, .seconds = ""},
        {.name = "letters", .time = "1:15:4x", .hundredths = {}, .seconds = ""},
        {.name = "not a time", .time = "Eclair", .hundredths = {}, .seconds = ""},
        {.name = "Arabic-Indic digits", .time = "1:١٥:48", .hundredths = {}, .seconds = ""},
        {.name = "empty", .time = "", .hundredths = {}, .seconds = ""},
    };
    for (const TimeRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestCsv::time() {
    QFETCH(TimeRow, row);
    QCOMPARE(cells::hundredthsOfTime(QStringView(row.time)), row.hundredths);
    QCOMPARE(cells::secondsOfTime(row.time), row.seconds);
    QByteArray out("left over");
    cells::appendSeconds(row.time.toUtf8(), out);
    QCOMPARE(QString::fromUtf8(out), row.seconds);
    if (row.hundredths && !row.time.startsWith(u'0'))
        QCOMPARE(cells::timeOfHundredths(*row.hundredths), row.time);
}

void TestCsv::decimals() {
    struct Row {
        double value;
        int decimals;
        const char *fixed, *upTo;
    };
    const Row rows[] = {
        {1.3333, 2, "1,33", "1,33"}, {6.5, 2, "6,50", "6,5"},    {6, 2, "6,00", "6"},
        {100, 2, "100,00", "100"},   {0.005, 2, "0,01", "0,01"}, {1.25, 1, "1,3", "1,3"},
        {-0.5, 2, "-0,50", "-0,5"},
    };
    for (const Row& r : rows) {
        QCOMPARE(cells::fixed(r.value, r.decimals), QString::fromUtf8(r.fixed));
        QCOMPARE(cells::upTo(r.value, r.decimals), QString::fromUtf8(r.upTo));
    }
}

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
