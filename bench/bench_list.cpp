// Figures for the horse list: loading, saving and adding on large lists, in a
// real (offscreen) list window, against a plain sorted QListWidget.
// Run a Release build: make bench.

#include "form1.h"
#include "listfile.h"
#include "listtable.h"
#include "peakmemory.h"
#include "places.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* const Goings[] = {"bon", "souple", "très léger", "lourd", "collant", "léger"};
const char* const Names[] = {"Eclair", "Étoile du Soir", "Bolide", "Quick Star", "Ôde", "Zéphyr"};

// A list line as "Ajouter à la liste" builds it, about 65 bytes.
QByteArray randomLine(QRandomGenerator& rng) {
    const QString line =
        u"%1:%2:%3 ---- %4m ---- %5Kg ---- %6 %7 ---- terrain : %8"_qs.arg(rng.bounded(1, 3))
            .arg(rng.bounded(0, 60), 2, 10, QLatin1Char('0'))
            .arg(rng.bounded(0, 100), 2, 10, QLatin1Char('0'))
            .arg(1000 + 100 * rng.bounded(0, 20))
            .arg(rng.bounded(50, 62))
            .arg(QString::fromUtf8(Names[rng.bounded(6)]))
            .arg(rng.bounded(100000))
            .arg(QString::fromUtf8(Goings[rng.bounded(6)]));
    return line.toLatin1(); // these characters are all Latin-1, as in Windows-1252
}

// A file of `lines` lines. A list grows by loading and saving again, which appends
// the same lines once more: `distinct` lines, repeated in blocks. With distinct equal
// to lines, every line differs (the worst case).
QByteArray listFile(int lines, int distinct) {
    QRandomGenerator rng(42);
    QList<QByteArray> pool;
    for (int i = 0; i < distinct; ++i)
        pool << randomLine(rng);
    QByteArray out;
    out.reserve(qsizetype(lines) * 70);
    for (int i = 0; i < lines; ++i)
        out += pool[i % distinct] + "\r\n";
    return out;
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void paint(QListView* view) {
    QApplication::processEvents();
    view->viewport()->repaint();
}

// Child process: load lstchrono.txt into a new list window, add lines, then save
// (which writes only the added lines).
int child() {
    Form1 form;
    form.show();
    auto* view = form.findChild<QListView*>(u"LstCheval"_qs);
    paint(view);

    QElapsedTimer t;
    t.start();
    form.bt_chargeliste_Click();
    paint(view);
    const double load = ms(t);
    const long peak = peakmemory::kilobytes();

    QRandomGenerator rng(7);
    double add = 0;
    const int adds = 20;
    for (int i = 0; i < adds; ++i) {
        const QString line = QString::fromLatin1(randomLine(rng));
        t.start();
        form.addLine(line);
        paint(view);
        add += ms(t);
    }
    add /= adds;

    t.start();
    const QString error = form.model().save(places::listFilePath()).message;
    const double save = ms(t);

    // Every entry as a table: onto the clipboard ("Copier"), and into a CSV file.
    t.start();
    form.copyEntries();
    const double copy = ms(t);
    t.start();
    const QString csv = places::listFilePath() + u".csv"_qs;
    const bool exportedOk = files::writeWhole(csv, listtable::csv(form.model().list())).ok();
    const double exported = ms(t);
    if (!exportedOk)
        std::fprintf(stderr, "the export failed\n");
    QFile::remove(csv);
    std::printf("%.1f %ld %.1f %.3f %.1f %.1f %lld %s\n", load, peak / 1024, save, add, copy,
                exported, static_cast<long long>(form.model().list().count()), qPrintable(error));
    return 0;
}

struct Figures {
    double loadMs = 0, saveMs = 0, addMs = 0, copyMs = 0, exportMs = 0;
    long peakMb = 0;
};

Figures measure(int lines, int distinct) {
    QFile file(places::listFilePath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(listFile(lines, distinct));
    file.close();
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {u"--child"_qs, places::listFilePath()});
    p.waitForFinished(-1);
    QFile::remove(places::listFilePath());
    Figures f;
    long long count = 0;
    std::sscanf(p.readAllStandardOutput().constData(), "%lf %ld %lf %lf %lf %lf %lld", &f.loadMs,
                &f.peakMb, &f.saveMs, &f.addMs, &f.copyMs, &f.exportMs, &count);
    if (count != lines + 20)
        std::fprintf(stderr, "unexpected list size %lld\n", count);
    return f;
}

// The baseline: a QListWidget sorting itself, filled line by line.
double baselineMs(int lines) {
    const QByteArray content = listFile(lines, lines);
    QListWidget widget;
    widget.setSortingEnabled(true);
    widget.show();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    for (const QByteArray& line : content.split('\n'))
        if (!line.isEmpty())
            widget.addItem(QString::fromLatin1(line.chopped(1)));
    QApplication::processEvents();
    widget.viewport()->repaint();
    return ms(t);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The list file in a folder of the benchmark's own, handed to the child process.
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0) {
        places::setListFilePath(QString::fromLocal8Bit(argv[2]));
        return child();
    }
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    places::setListFilePath(folder.filePath(u"lstchrono.txt"_qs));

    std::printf(
        "Horse list, offscreen list window; load = 'Charger la liste' into an empty list\n"
        "to a painted window; add = one 'Ajouter à la liste' line into the loaded list, to\n"
        "a painted window (the view lays out the rows beyond its first batch of 1,000\n"
        "between events afterwards); save = 'Sauvegarder la liste' after 20 such adds\n"
        "(it writes only those 20 lines); copy = 'Copier' of every entry as a table\n"
        "onto the clipboard; export = every entry as a CSV file.\n\n");
    std::printf("%-36s %9s %8s %8s %8s %8s %9s\n", "file", "load ms", "peak MB", "save ms",
                "add ms", "copy ms", "export ms");
    struct Case {
        const char* name;
        int lines, distinct;
    };
    // --quick: the lists of distinct lines a load must sort, without the million-line
    // files (for a run under Wine).
    const bool quick = argc > 1 && qstrcmp(argv[1], "--quick") == 0;
    const Case cases[] = {
        {"32,767 lines, 1,000 distinct", 32767, 1000},
        {"32,767 lines, all distinct", 32767, 32767},
        {"100,000 lines, all distinct", 100000, 100000},
        {"1,000,000 lines, 1,000 distinct", 1000000, 1000},
        {"1,000,000 lines, 100,000 distinct", 1000000, 100000},
        {"1,000,000 lines, all distinct", 1000000, 1000000},
    };
    double ours100k = 0;
    for (const Case& c : cases) {
        if (quick && c.lines > 100000)
            continue;
        const Figures f = measure(c.lines, c.distinct);
        if (c.lines == 100000)
            ours100k = f.loadMs;
        std::printf("%-36s %9.1f %8ld %8.1f %8.3f %8.1f %9.1f\n", c.name, f.loadMs, f.peakMb,
                    f.saveMs, f.addMs, f.copyMs, f.exportMs);
    }
    const double baseline = baselineMs(100000);
    std::printf("\nBaseline, sorted QListWidget filled line by line, 100,000 distinct lines: "
                "%.0f ms (%.0f times our load)\n",
                baseline, baseline / ours100k);
    return 0;
}
