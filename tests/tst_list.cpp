#include "collation.h"
#include "cp1252.h"
#include "horselist.h"
#include "linekeys.h"
#include "listfile.h"
#include "listhelpers.h"
#include "listline.h"
#include "listtable.h"
#include "places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class TestList : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir.isValid());
        path = dir.filePath("lstchrono.txt");
        QDir(path).removeRecursively();
        QFile::remove(path);
    }

    void line_data();
    void line();
    void sortOrder_data();
    void sortOrder();
    void addKeepsOrderOfLoadedLines();
    void saveWritesUnsavedInDisplayOrder();
    void loadOrderAgreesWithQCollator();
    void spreadsheet_data();
    void spreadsheet();
    void fileLines_data();
    void fileLines();
    void commands_data();
    void commands();
    void everyByteRoundTrips();
    void codePage_data();
    void codePage();
    void codePageAgreesWithSystemConverter();
    void installedCopyKeepsListInDataFolder();
    void failures();
    void largeFileLoadsAndSavesWhole();

  private:
    QTemporaryDir dir;
    QString path;
};

void TestList::line_data() {
    // clang-format off
    QTest::addColumn<QStringList>("pieces"); // reduction, distance, weight, name, going
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("splits");        // the line parses back into these pieces
    QTest::newRow("worked example") << QStringList{"1:15:48", "2100", "57", "Eclair", "bon"} << "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon" << true;
    QTest::newRow("empty going ends in a space") << QStringList{"1:15:48", "2100", "57,5", "Eclair", ""} << "1:15:48 ---- 2100m ---- 57,5Kg ---- Eclair ---- terrain : " << true;
    QTest::newRow("before any calculation") << QStringList{"", "1200", "", "Eclair", "lourd"} << " ---- 1200m ---- Kg ---- Eclair ---- terrain : lourd" << true;
    QTest::newRow("blanks kept") << QStringList{"1:02:50", " 1200", "57", "  ", " état "} << "1:02:50 ----  1200m ---- 57Kg ----    ---- terrain :  état " << true;
    QTest::newRow("separator in a name") << QStringList{"1:02:50", "1200", "57", "a ---- b", "x"} << "1:02:50 ---- 1200m ---- 57Kg ---- a ---- b ---- terrain : x" << false;
    QTest::newRow("units missing: no pieces") << QStringList{"1:02:50", "1200", "57", "a", "x"} << "1:02:50 ---- 1200 ---- 57 ---- a ---- terrain : x" << false;
    // clang-format on
}

void TestList::line() {
    QFETCH(QStringList, pieces);
    QFETCH(QString, line);
    QFETCH(bool, splits);
    if (line.contains(u"Kg"))
        QCOMPARE(listLine(pieces[0], pieces[1], pieces[2], pieces[3], pieces[4]), line);
    const auto entry = ListEntry::parse(line);
    QCOMPARE(entry.has_value(), splits);
    if (splits)
        QCOMPARE((QStringList{entry->reduction, entry->distance, entry->weight, entry->name,
                              entry->going}),
                 pieces);
}

void TestList::sortOrder_data() {
    // clang-format off
    QTest::addColumn<QStringList>("arrivals");
    QTest::addColumn<QStringList>("sorted");
    // Where Windows' French collation differs from ICU's: its order (else empty).
    QTest::addColumn<QStringList>("onWindows");
    QTest::newRow("reductions") << QStringList{"1:15:48 x", "1:02:50 y", "10:00:00 z", "0:59:00 w"} << QStringList{"0:59:00 w", "1:02:50 y", "1:15:48 x", "10:00:00 z"} << QStringList{};
    QTest::newRow("case does not count") << QStringList{"abe", "ABD", "abc"} << QStringList{"abc", "ABD", "abe"} << QStringList{};
    QTest::newRow("accents after the plain letter, before the next") << QStringList{"etf", "été", "ete", "éte"} << QStringList{"ete", "éte", "été", "etf"} << QStringList{};
    QTest::newRow("empty line first") << QStringList{"b", "", "a"} << QStringList{"", "a", "b"} << QStringList{};
    QTest::newRow("equal lines keep their arrival order") << QStringList{"Eclair", "b", "ECLAIR", "eclair"} << QStringList{"b", "Eclair", "ECLAIR", "eclair"} << QStringList{};
    QTest::newRow("a control character alone is equal to the empty line (on Windows, after it)") << QStringList{"\x03", "", "a"} << QStringList{"\x03", "", "a"} << QStringList{"", "\x03", "a"};
    QTest::newRow("l with a middle dot, a contraction (on Windows, the dot ignored first)") << QStringList{"jle", "jl·e", "jlf", "jk"} << QStringList{"jk", "jle", "jl·e", "jlf"} << QStringList{"jk", "jl·e", "jle", "jlf"};
    QTest::newRow("oe ligature with o") << QStringList{"op", "œuf", "oa"} << QStringList{"oa", "œuf", "op"} << QStringList{};
    QTest::newRow("a hyphen counts as a character (on Windows, ignored first)") << QStringList{"ac", "a-b", "ab"} << QStringList{"a-b", "ab", "ac"} << QStringList{"ab", "a-b", "ac"};
    // clang-format on
}

void TestList::sortOrder() {
    QFETCH(QStringList, arrivals);
    QFETCH(QStringList, sorted);
    QFETCH(QStringList, onWindows);
    if (QSysInfo::productType() == u"windows" && !onWindows.isEmpty())
        sorted = onWindows;
    // One at a time, as "Ajouter à la liste" adds them...
    HorseList added;
    for (const QString& line : arrivals)
        added.add(line);
    QCOMPARE(entries(added), sorted);
    // ...and all at once, as a loaded file brings them (an empty line of the file
    // is no entry).
    HorseList loaded;
    loaded.addFileContent(cp1252::encode(arrivals.join(u"\r\n")));
    sorted.removeAll(QString());
    QCOMPARE(entries(loaded), sorted);
}

void TestList::addKeepsOrderOfLoadedLines() {
    HorseList list;
    list.add("b");
    list.add("B");
    list.addFileContent("b\r\na\r\n");
    list.add("b");
    // Earlier arrivals stay ahead among equal lines, whichever way they came.
    QCOMPARE(entries(list), (QStringList{"a", "b", "B", "b", "b"}));
    QCOMPARE(QString::fromLatin1(list.bytesAt(3).toByteArray()), u"b"_qs);
}

void TestList::saveWritesUnsavedInDisplayOrder() {
    // Lines that compare equal but differ in their bytes (a control character is
    // ignored by the collation), added between loads: a save writes the unsaved
    // ones exactly in the order the list shows them.
    HorseList list;
    list.add("b\x01");
    list.addFileContent("b\r\na\r\n");
    list.add("b");
    list.add("a\x02");
    list.add("\x01b");
    list.add("c");
    QByteArray walked;
    for (qsizetype i = 0; i < list.count(); ++i)
        if (list.isUnsaved(i))
            walked += list.bytesAt(i).toByteArray() + "\r\n";
    QCOMPARE(list.unsavedBlock(), walked + "\r\n");
    QCOMPARE(list.unsavedCount(), 5);
}

void TestList::loadOrderAgreesWithQCollator() {
    // Where ICU is linked, the fast keys a load uses serve every line but those
    // with a contraction's character.
    QCOMPARE(linekeys::available(), bool(ORVANTO_FAST_KEYS));
    if (linekeys::available()) {
        std::string key;
        QVERIFY(linekeys::appendPrimary("1:15:48 ---- 2100m ---- 57,5Kg ---- \xc9toile \x9c \xbd "
                                        "\x80 ---- terrain : tr\xe8s l\xe9ger",
                                        key));
        QVERIFY(!linekeys::appendPrimary("Col\xb7legi", key));
    }
    // A load, and adds one at a time, must order lines as QCollator::compare()
    // does: on every platform that is the system's own collation. (An empty line
    // sorts first by compare() but level with ignorable text by the keys; the sort
    // rows cover it.)
    QRandomGenerator rng(11);
    const QByteArray common("0123456789: -aeEoOsSt\xe9\xe8\xc9\xe0\xe6\x9c\xdf\xbd\xad");
    // Without the middle dot: a load holding one takes the slower keys.
    QList<QByteArray> lines;
    for (int n = 0; n < 4000; ++n) {
        QByteArray line;
        for (int len = rng.bounded(1, 8); len > 0; --len) {
            char c = rng.bounded(4) ? common[rng.bounded(common.size())]
                                    : static_cast<char>(rng.bounded(256));
            line += (c == '\r' || c == '\n' || c == '\xb7') ? 'x' : c;
        }
        lines << line;
    }
    HorseList loaded;
    loaded.addFileContent(lines.join("\r\n"));
    QCOMPARE(loaded.count(), lines.size());
    HorseList added;
    for (const QByteArray& line : lines.mid(0, 1000))
        added.add(cp1252::decode(line));

    const QCollator collator = listCollator();
    for (const HorseList* list : {&loaded, &added}) {
        for (qsizetype i = 1; i < list->count(); ++i) {
            const QByteArray a = list->bytesAt(i - 1).toByteArray();
            const QByteArray b = list->bytesAt(i).toByteArray();
            const int order = collator.compare(cp1252::decode(a), cp1252::decode(b));
            QVERIFY2(order <= 0, (a.toHex() + " before " + b.toHex()).constData());
            // Equal lines in arrival order: a load's come from one buffer, so by address.
            if (order == 0 && list == &loaded)
                QVERIFY(list->bytesAt(i - 1).data() < list->bytesAt(i).data());
        }
    }
}

void TestList::spreadsheet_data() {
    // clang-format off
    QTest::addColumn<QStringList>("lines");   // entries, in display order
    QTest::addColumn<QStringList>("rows");    // table rows after the header, cells joined by |
    QTest::addColumn<QString>("clipboard");   // the rows as copied (after the header)
    QTest::addColumn<QByteArray>("csv");      // the rows as exported (after the header)
    QTest::newRow("worked example") << QStringList{"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"} << QStringList{"1:15:48|75,48|2100|57|Eclair|bon"} << "1:15:48\t75,48\t2100\t57\tEclair\tbon\n" << QByteArray("1:15:48;75,48;2100;57;Eclair;bon\r\n");
    QTest::newRow("decimal weight, accents, empty going") << QStringList{"0:59:05 ---- 1600m ---- 56,5Kg ---- Étoile ---- terrain : "} << QStringList{"0:59:05|59,05|1600|56,5|Étoile|"} << "0:59:05\t59,05\t1600\t56,5\tÉtoile\t\n" << QByteArray("0:59:05;59,05;1600;56,5;\xc3\x89toile;\r\n");
    QTest::newRow("two-digit minutes") << QStringList{"12:03:07 ---- 1000m ---- 58Kg ---- Lent ---- terrain : lourd"} << QStringList{"12:03:07|723,07|1000|58|Lent|lourd"} << "12:03:07\t723,07\t1000\t58\tLent\tlourd\n" << QByteArray("12:03:07;723,07;1000;58;Lent;lourd\r\n");
    QTest::newRow("no reduction yet: no seconds") << QStringList{" ---- 1200m ---- Kg ---- Eclair ---- terrain : lourd"} << QStringList{"||1200||Eclair|lourd"} << "\t\t1200\t\tEclair\tlourd\n" << QByteArray(";;1200;;Eclair;lourd\r\n");
    QTest::newRow("empty line") << QStringList{""} << QStringList{"|||||"} << "\t\t\t\t\t\n" << QByteArray(";;;;;\r\n");
    QTest::newRow("not a list line") << QStringList{"Eclair gagne"} << QStringList{"||||Eclair gagne|"} << "\t\t\t\tEclair gagne\t\n" << QByteArray(";;;;Eclair gagne;\r\n");
    QTest::newRow("separator in the name: six pieces") << QStringList{"1:02:50 ---- 1200m ---- 57Kg ---- a ---- b ---- terrain : x"} << QStringList{"||||1:02:50 ---- 1200m ---- 57Kg ---- a ---- b ---- terrain : x|"} << "\t\t\t\t1:02:50 ---- 1200m ---- 57Kg ---- a ---- b ---- terrain : x\t\n" << QByteArray(";;;;1:02:50 ---- 1200m ---- 57Kg ---- a ---- b ---- terrain : x;\r\n");
    QTest::newRow("units missing") << QStringList{"1:02:50 ---- 1200 ---- 57Kg ---- a ---- terrain : x"} << QStringList{"||||1:02:50 ---- 1200 ---- 57Kg ---- a ---- terrain : x|"} << "\t\t\t\t1:02:50 ---- 1200 ---- 57Kg ---- a ---- terrain : x\t\n" << QByteArray(";;;;1:02:50 ---- 1200 ---- 57Kg ---- a ---- terrain : x;\r\n");
    QTest::newRow("tab, quote and semicolon quoted") << QStringList{"1:02:50 ---- 1200m ---- 57Kg ---- Le \"Roi\" ---- terrain : bon;sec\tdur"} << QStringList{"1:02:50|62,50|1200|57|Le \"Roi\"|bon;sec\tdur"} << "1:02:50\t62,50\t1200\t57\t\"Le \"\"Roi\"\"\"\t\"bon;sec\tdur\"\n" << QByteArray("1:02:50;62,50;1200;57;\"Le \"\"Roi\"\"\";\"bon;sec\tdur\"\r\n");
    QTest::newRow("two entries in display order") << QStringList{"1:15:48 ---- 2100m ---- 57Kg ---- B ---- terrain : x", "1:02:50 ---- 1200m ---- 57Kg ---- A ---- terrain : y"} << QStringList{"1:02:50|62,50|1200|57|A|y", "1:15:48|75,48|2100|57|B|x"} << "1:02:50\t62,50\t1200\t57\tA\ty\n1:15:48\t75,48\t2100\t57\tB\tx\n" << QByteArray("1:02:50;62,50;1200;57;A;y\r\n1:15:48;75,48;2100;57;B;x\r\n");
    // clang-format on
}

void TestList::spreadsheet() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, rows);
    QFETCH(QString, clipboard);
    QFETCH(QByteArray, csv);
    HorseList list;
    for (const QString& line : lines)
        list.add(line);
    QStringList cells;
    for (qsizetype i = 0; i < list.count(); ++i) {
        const listtable::Row row = listtable::cells(list.at(i));
        cells << QStringList(row.begin(), row.end()).join(u'|');
    }
    QCOMPARE(cells, rows);
    const QString header =
        u"Réduction\tRéduction (s)\tDistance (m)\tPoids (kg)\tCheval\tTerrain\n"_qs;
    QCOMPARE(QString::fromUtf8(listtable::clipboardText(list, 0, list.count())),
             header + clipboard);
    QCOMPARE(QString::fromUtf8(listtable::clipboardText(list, 0, 1)),
             header + clipboard.section(u'\n', 0, 0) + u'\n');
    QCOMPARE(listtable::csv(list),
             "\xEF\xBB\xBF" +
                 QString(header).replace(u'\t', u';').replace(u"\n"_qs, u"\r\n"_qs).toUtf8() + csv);
}

void TestList::fileLines_data() {
    // clang-format off
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("b\r\na\r\n") << QStringList{"a", "b"};
    QTest::newRow("line feed alone ends a line") << QByteArray("b\na\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("b\ra") << QStringList{"a", "b"};
    QTest::newRow("last line without a break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines are no entries") << QByteArray("a\r\n\r\n\n") << QStringList{"a"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("accents as single bytes") << QByteArray("\xe9tat\r\n") << QStringList{"état"};
    // clang-format on
}

void TestList::fileLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    writeBytes(path, content);
    HorseList list;
    QVERIFY_OK(loadListFile(path, list));
    QCOMPARE(entries(list), lines);
}

void TestList::commands_data() {
    // clang-format off
    QTest::addColumn<QStringList>("steps"); // add:TEXT, load, save, clear ("Vider la liste"), empty ("Vider liste + fichier"), remove:ROW; append:BYTES and replace:BYTES as another copy of the program writes
    QTest::addColumn<QByteArray>("file");   // afterwards; "<missing>" for no file
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("loading without a file: nothing") << QStringList{"load"} << QByteArray("<missing>") << QStringList{};
    QTest::newRow("nothing new to save: no file made") << QStringList{"save"} << QByteArray("<missing>") << QStringList{};
    QTest::newRow("saving twice writes the new entries once") << QStringList{"add:b", "add:a", "save", "save"} << QByteArray("a\r\nb\r\n\r\n") << QStringList{"a", "b"};
    QTest::newRow("loading after a save: nothing doubled") << QStringList{"add:b", "add:a", "save", "load"} << QByteArray("a\r\nb\r\n\r\n") << QStringList{"a", "b"};
    QTest::newRow("loaded entries are never written again") << QStringList{"add:b", "save", "load", "save"} << QByteArray("b\r\n\r\n") << QStringList{"b"};
    QTest::newRow("loading twice shows each line once, saves nothing") << QStringList{"add:a", "save", "clear", "load", "load", "save"} << QByteArray("a\r\n\r\n") << QStringList{"a"};
    QTest::newRow("three load, add, save cycles: each horse once") << QStringList{"load", "add:Eclair", "save", "load", "add:Bolide", "save", "load", "add:Zephyr", "save"} << QByteArray("Eclair\r\n\r\nBolide\r\n\r\nZephyr\r\n\r\n") << QStringList{"Bolide", "Eclair", "Zephyr"};
    QTest::newRow("only the new entry of a loaded list is saved") << QStringList{"add:b", "save", "clear", "load", "add:a", "save"} << QByteArray("b\r\n\r\na\r\n\r\n") << QStringList{"a", "b"};
    QTest::newRow("emptied file: its empty line is no entry") << QStringList{"add:b", "save", "empty", "load"} << QByteArray("\r\n") << QStringList{};
    QTest::newRow("added after emptying: saved") << QStringList{"add:a", "save", "empty", "add:b", "save"} << QByteArray("\r\nb\r\n\r\n") << QStringList{"b"};
    QTest::newRow("emptying the list keeps the file") << QStringList{"add:a", "save", "clear", "load"} << QByteArray("a\r\n\r\n") << QStringList{"a"};
    QTest::newRow("emptying the list drops unsaved entries") << QStringList{"add:a", "clear", "save"} << QByteArray("<missing>") << QStringList{};
    QTest::newRow("an unsaved entry is removed, never saved") << QStringList{"add:b", "add:a", "remove:0", "save"} << QByteArray("b\r\n\r\n") << QStringList{"b"};
    QTest::newRow("a saved entry is not removed") << QStringList{"add:a", "save", "remove:0"} << QByteArray("a\r\n\r\n") << QStringList{"a"};
    QTest::newRow("loaded entries are not removed") << QStringList{"add:a", "save", "clear", "load", "remove:0", "remove:2"} << QByteArray("a\r\n\r\n") << QStringList{"a"};
    QTest::newRow("another copy saved: a second load adds only its horses") << QStringList{"add:a", "save", "append:c\r\n\r\n", "load", "load"} << QByteArray("a\r\n\r\nc\r\n\r\n") << QStringList{"a", "c"};
    QTest::newRow("another copy saved before our save: each once") << QStringList{"add:a", "save", "add:b", "append:c\r\n\r\n", "save", "load"} << QByteArray("a\r\n\r\nc\r\n\r\nb\r\n\r\n") << QStringList{"a", "b", "c"};
    QTest::newRow("file replaced meanwhile: loaded anew, unsaved kept") << QStringList{"add:a", "save", "replace:x\r\n", "add:b", "load", "save"} << QByteArray("x\r\nb\r\n\r\n") << QStringList{"b", "x"};
    QTest::newRow("a known block changed: loaded anew") << QStringList{"add:a", "save", "replace:b\r\n\r\n", "load"} << QByteArray("b\r\n\r\n") << QStringList{"b"};
    QTest::newRow("no entry there: nothing removed") << QStringList{"add:a", "remove:1", "remove:-1", "save"} << QByteArray("a\r\n\r\n") << QStringList{"a"};
    // clang-format on
}

void TestList::commands() {
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, shown);
    HorseList list;
    for (const QString& step : steps) {
        if (step.startsWith(u"add:"))
            list.add(step.mid(4));
        else if (step == u"load")
            QVERIFY_OK(loadListFile(path, list));
        else if (step == u"save")
            QVERIFY_OK(saveListFile(path, list));
        else if (step == u"clear")
            list.clear();
        else if (step.startsWith(u"remove:"))
            list.removeUnsaved(step.mid(7).toInt());
        else if (step.startsWith(u"append:") || step.startsWith(u"replace:")) {
            QFile other(path);
            QVERIFY(
                other.open(step.startsWith(u"append:") ? QIODevice::Append : QIODevice::WriteOnly));
            other.write(step.section(u':', 1).toLatin1());
        } else if (step == u"empty") {
            QVERIFY_OK(emptyListFile(path));
            list.clear();
        }
    }
    QCOMPARE(readBytes(path), file);
    QCOMPARE(entries(list), shown);
    QCOMPARE(list.unsavedCount(), 0);
    // The table of a copy or an export is sized from this count.
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < list.count(); ++i)
        bytes += list.bytesAt(i).size();
    QCOMPARE(list.lineBytes(), bytes);
}

void TestList::everyByteRoundTrips() {
    QByteArray line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    const QByteArray content = line + "\r\n" + QByteArray(line).replace('A', 'B') + "\r\n";
    writeBytes(path, content);
    HorseList list;
    QVERIFY_OK(loadListFile(path, list));
    QCOMPARE(list.count(), 2);
    QVERIFY_OK(saveListFile(path, list)); // nothing new: the file stays as it was
    QCOMPARE(readBytes(path), content);
    const QByteArray block = list.fileBlock();
    QVERIFY(block == line + "\r\n" + QByteArray(line).replace('A', 'B') + "\r\n\r\n" ||
            block == QByteArray(line).replace('A', 'B') + "\r\n" + line + "\r\n\r\n");
    // Decoding and encoding agree on every byte.
    QCOMPARE(cp1252::encode(cp1252::decode(line)), line);
    QVERIFY(cp1252::unencodable(cp1252::decode(line)).isEmpty());
}

void TestList::codePage_data() {
    // clang-format off
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    QTest::newRow("plain letter") << 0x41 << u"A"_qs;
    QTest::newRow("euro sign") << 0x80 << u"€"_qs;
    QTest::newRow("undefined 0x81 stands for U+0081") << 0x81 << u"\u0081"_qs;
    QTest::newRow("ellipsis") << 0x85 << u"…"_qs;
    QTest::newRow("S caron") << 0x8a << u"Š"_qs;
    QTest::newRow("OE ligature") << 0x8c << u"Œ"_qs;
    QTest::newRow("undefined 0x8D") << 0x8d << u"\u008d"_qs;
    QTest::newRow("undefined 0x8F") << 0x8f << u"\u008f"_qs;
    QTest::newRow("undefined 0x90") << 0x90 << u"\u0090"_qs;
    QTest::newRow("right single quote") << 0x92 << u"’"_qs;
    QTest::newRow("em dash") << 0x97 << u"—"_qs;
    QTest::newRow("oe ligature") << 0x9c << u"œ"_qs;
    QTest::newRow("undefined 0x9D") << 0x9d << u"\u009d"_qs;
    QTest::newRow("Y diaeresis") << 0x9f << u"Ÿ"_qs;
    QTest::newRow("no-break space: Latin-1 from here") << 0xa0 << u"\u00a0"_qs;
    QTest::newRow("e acute") << 0xe9 << u"é"_qs;
    QTest::newRow("y diaeresis") << 0xff << u"ÿ"_qs;
    // clang-format on
}

void TestList::codePage() {
    QFETCH(int, byte);
    QFETCH(QString, character);
    const QByteArray bytes(1, static_cast<char>(byte));
    QCOMPARE(cp1252::decode(bytes), character);
    QCOMPARE(cp1252::encode(character), bytes);
    QVERIFY(cp1252::unencodable(character).isEmpty());
}

void TestList::codePageAgreesWithSystemConverter() {
    // Our table against the platform's converter, where it has one (ICU): every
    // byte read the same, and the same characters refused.
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid())
        QSKIP("no windows-1252 converter on this platform");
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    QCOMPARE(cp1252::decode(all), QString(decoder(all)));
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        QStringEncoder encoder("windows-1252");
        const QByteArray encoded = encoder(text);
        const bool storable = !encoder.hasError() && decoder(encoded) == text;
        QVERIFY2(cp1252::unencodable(text).isEmpty() == storable,
                 qPrintable(QString::number(c, 16)));
    }
}

void TestList::installedCopyKeepsListInDataFolder() {
    // An installed copy keeps its list in the user's folder even when its own
    // folder could be written (Windows under Wine): the installer leaves a mark.
    QTemporaryDir own;
    QVERIFY(own.isValid());
    const QString data = own.filePath("data");
    QCOMPARE(places::chooseListFolder(own.path(), data), own.path());
    writeBytes(QDir(own.path()).filePath(places::installedMark()), "");
    QCOMPARE(places::chooseListFolder(own.path(), data), data);
}

void TestList::failures() {
    HorseList list;
    list.add("kept");
    // A folder where the file should be.
    QVERIFY(QDir(dir.path()).mkdir("lstchrono.txt"));
    for (const QString& error : {loadListFile(path, list).message, saveListFile(path, list).message,
                                 emptyListFile(path).message}) {
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)) && error.contains(u"dossier"),
                 qPrintable(error)); // the full path: the user may not know the folder
    }
    QCOMPARE(entries(list), QStringList{"kept"});
    QVERIFY(QFileInfo(path).isDir());

    // A folder that does not exist.
    const QString nowhere = dir.filePath("absent/lstchrono.txt");
    QVERIFY(saveListFile(nowhere, list).message.contains(u"introuvable"));
    QVERIFY(emptyListFile(nowhere).message.contains(u"lstchrono.txt"));
    QVERIFY_OK(loadListFile(nowhere, list)); // missing: nothing to load
}

void TestList::largeFileLoadsAndSavesWhole() {
    // 200 MB, three million entries: no entry limit, and every byte written back.
    const QByteArray line =
        "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : tr\xe8s l\xe9ger\r\n";
    const qsizetype lines = 200 * 1024 * 1024 / line.size();
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray chunk = line.repeated(10000);
        for (qsizetype i = 0; i < lines / 10000; ++i)
            QCOMPARE(f.write(chunk), chunk.size());
    }
    const qsizetype written = (lines / 10000) * 10000;
    HorseList list;
    QVERIFY_OK(loadListFile(path, list));
    QCOMPARE(list.count(), written);
    // Every loaded byte kept; a save then appends only the one new entry.
    const QByteArray block = list.fileBlock();
    QCOMPARE(block.size(), QFileInfo(path).size() + 2);
    QFile a(path);
    QVERIFY(a.open(QIODevice::ReadOnly));
    for (qsizetype at = 0; !a.atEnd();) {
        const QByteArray x = a.read(1 << 20);
        QVERIFY(x == QByteArrayView(block).sliced(at, x.size()));
        at += x.size();
    }
    a.close();
    const qint64 before = QFileInfo(path).size();
    const QString zephyr = u"1:02:50 ---- 1200m ---- 56Kg ---- Zephyr ---- terrain : bon"_qs;
    list.add(zephyr);
    QVERIFY_OK(saveListFile(path, list));
    QCOMPARE(QFileInfo(path).size(), before + zephyr.size() + 4);
}

QTEST_GUILESS_MAIN(TestList)
#include "tst_list.moc"
