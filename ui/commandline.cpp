#include "commandline.h"
#include "places.h"

#include "bilan.h"
#include "chancesfit.h"
#include "console.h"
#include "finishes.h"
#include "folderimport.h"
#include "listfile.h"
#include "racefile.h"
#include "racetable.h"
#include "runnercalc.h"
#include "runtable.h"
#include "settings.h"
#include "store.h"
#include "wholefile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

QString helpText(const QCommandLineOption& help, const QCommandLineOption& version) {
    return u"Usage : orvanto [--help] [--version] [--course [FICHIER]] [--cheval NOM]\n"
           "       orvanto --importer [--numero R1C3] [--nouvelle-course] FICHIER|DOSSIER…\n"
           "       orvanto FICHIER…  (ouvre les fenêtres et importe les fichiers, comme un\n"
           "                          fichier déposé sur le programme)\n\n"
           "Calcule la réduction kilométrique d'un cheval et son chrono estimé pour "
           "la course du jour,\n"
           "et garde la liste triée des chevaux calculés dans un fichier.\n\n"
           "Fichier de la liste : %1\n"
           "Course du jour : %4\n"
           "Historique des chevaux : %5\n\n"
           "Options :\n"
           "  -h, --help             %2\n"
           "  -v, --version          %3\n"
           "  --course [FICHIER]     Écrit la course du jour (ou celle du "
           "FICHIER donné), classée,\n"
           "                         en CSV (UTF-8, « ; ») sur la sortie standard "
           "et quitte.\n"
           "  --cheval NOM           Écrit les courses du cheval NOM gardées "
           "dans l'historique,\n"
           "                         la plus récente d'abord, en CSV sur la "
           "sortie standard et quitte.\n"
           "  --importer FICHIER…    Importe des fichiers enregistrés (programme, "
           "partants et\n"
           "                         performances détaillées en JSON, feuille de "
           "course ou courses\n"
           "                         passées en CSV) : les partants sur la feuille, "
           "les courses dans\n"
           "                         l'historique ; écrit le bilan et quitte (1 "
           "quand aucun fichier\n"
           "                         n'a pu être lu). Un DOSSIER est lu avec ses "
           "sous-dossiers, course\n"
           "                         par course, avec un bilan par jour.\n"
           "  --bilan [--depuis AAAA-MM-JJ] [--jusqu-au AAAA-MM-JJ] [--discipline NOM]\n"
           "                         Mesure la feuille sur les courses courues de "
           "l'historique\n"
           "                         (recalculées comme le matin de la course) et "
           "écrit le tableau\n"
           "                         en CSV sur la sortie standard.\n"
           "  --numero R1C3          Avec --importer : la course du programme à "
           "mettre sur la feuille.\n"
           "  --nouvelle-course      Avec --importer : une autre course que celle de "
           "la feuille la\n"
           "                         remplace (celle-ci gardée dans les courses "
           "précédentes).\n"_qs.arg(QDir::toNativeSeparators(places::listFilePath()),
                                    help.description(), version.description(),
                                    QDir::toNativeSeparators(places::sheetFilePath()),
                                    QDir::toNativeSeparators(places::historyFilePath()));
}

QString errorText(const QCommandLineParser& parser, bool parsed) {
    QString what;
    if (!parser.unknownOptionNames().isEmpty())
        what = u"option inconnue « %1 »"_qs.arg(parser.unknownOptionNames().first().prepend(
            parser.unknownOptionNames().first().size() > 1 ? u"--"_qs : u"-"_qs));
    else if (parsed && !parser.positionalArguments().isEmpty())
        what = u"argument inattendu « %1 »"_qs.arg(parser.positionalArguments().first());
    else if (parsed && parser.isSet(u"importer"_qs))
        what = u"--importer attend au moins un FICHIER"_qs;
    else if (parsed && (parser.isSet(u"numero"_qs) || parser.isSet(u"nouvelle-course"_qs)))
        what = u"--numero et --nouvelle-course vont avec --importer"_qs;
    else
        what = u"arguments incorrects"_qs;
    return u"orvanto : %1.\nEssayez « orvanto --help » pour la liste des options.\n"_qs.arg(what);
}

int failed(const QString& why) {
    console::write(console::Stream::Err, u"orvanto : %1\n"_qs.arg(why));
    return 1;
}

// The sheet of `path` ranked, as CSV on standard output; 1 with a message when
// it cannot be read. No day's sheet yet is an empty race.
int printRace(const QString& path, bool given) {
    const files::Content content = files::readWhole(path);
    if (!content.result.ok())
        return failed(content.result.message);
    if (!content.exists && given)
        return failed(u"le fichier %1 n'existe pas."_qs.arg(places::shown(path)));
    QString why;
    auto sheet = content.exists ? racefile::read(content.bytes, &why) : RaceSheet{};
    if (!sheet)
        return failed(
            u"%1 n'est pas une feuille de course d'Orvanto : %2."_qs.arg(places::shown(path), why));
    // The results computed from the inputs, as the program computes them at start;
    // a runner that cannot be is named on standard error, and the file left alone.
    const Settings settings(places::settingsFilePath());
    const Rules rules{settings.scale(), settings.corrections()};
    std::vector<Runner> runners;
    for (const Runner& r : sheet->runners) {
        RecordingDialogs refusals;
        if (const auto again = rerun(r, *sheet, rules, {}, refusals))
            runners.push_back(*again);
        else
            console::write(console::Stream::Err,
                           u"orvanto : « %1 » ne peut pas être calculé : %2\n"_qs.arg(
                               r.name, refusals.said.join(u' ')));
    }
    sheet->runners = std::move(runners);
    takeChancesInForce(*sheet, settings);
    // A race already run: each runner's place, as the window shows it. The
    // history is only read; without one, the places stay empty.
    if (QFileInfo::exists(places::historyFilePath())) {
        history::Store store;
        if (store.open(places::historyFilePath()).result.ok())
            (void)fillFinishes(*sheet, store);
    }
    console::write(console::Stream::Out,
                   QString::fromUtf8(racetable::csvOutput(racetable::rows(*sheet))));
    return 0;
}

// The sheet measured on the history's races run between the dates given (or
// all), as CSV on standard output; 1 with a message when it cannot be read.
int printBilan(const QString& from, const QString& to, const QString& discipline) {
    BilanFilter filter;
    for (const auto& [text, date] : {std::pair{&from, &filter.from}, {&to, &filter.to}})
        if (!text->isEmpty() && !(*date = QDate::fromString(*text, Qt::ISODate)).isValid())
            return failed(u"« %1 » n'est pas une date AAAA-MM-JJ."_qs.arg(*text));
    filter.discipline = discipline;
    history::Store store;
    if (const history::Opened opened = store.open(places::historyFilePath()); !opened.result.ok())
        return failed(opened.result.message);
    const Settings settings(places::settingsFilePath());
    const Bilan bilan =
        bilanOf(store, {settings.scale(), settings.corrections()}, filter.from, filter.to);
    if (!bilan.result.ok())
        return failed(bilan.result.message);
    console::write(
        console::Stream::Out,
        QString::fromUtf8(bilanCsv(figuresOf(bilan, filter, {settings.fits(), settings.blend()}))));
    return 0;
}

// The horse's runs, newest first, as CSV on standard output; 1 with a message
// when the history has no horse of that name.
int printHorse(const QString& name) {
    const QString path = places::historyFilePath();
    const QString none = u"aucun cheval ne s'appelle « %1 » dans l'historique (%2)."_qs.arg(
        name.simplified(), places::shown(path));
    if (!QFileInfo::exists(path))
        return failed(none);
    history::Store store;
    const history::Opened opened = store.open(path);
    if (!opened.result.ok())
        return failed(opened.result.message);
    const history::Runs runs = store.runsOf(name);
    if (!runs.result.ok())
        return failed(runs.result.message);
    if (runs.runs.empty())
        return failed(none);
    console::write(console::Stream::Out, QString::fromUtf8(history::runsOutput(runs.runs)));
    return 0;
}

// The dialogs of an import without a display: the race from --numero, "Nouvelle
// course" when --nouvelle-course was given, every message kept for standard error.
class ImportDialogs : public RecordingDialogs {
  public:
    QString race;
    bool newRace = false;
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override {
        return race.isEmpty() ? std::nullopt : std::optional<QString>(race);
    }
    int question(const QString& text, const QString& title, const QStringList& buttons, int enter,
                 int escape) override {
        if (newRace && buttons.value(0) == u"Nouvelle course")
            return 0;
        return RecordingDialogs::question(text, title, buttons, enter, escape);
    }
};

// The files imported into the day's sheet and the history; the summary on
// standard output; 1 when no file could be read.
int importOnCommandLine(const QStringList& paths, ImportDialogs& dialogs) {
    const QDateTime now = QDateTime::currentDateTime();
    AppState state(places::settingsFilePath(), loadRaceDay(places::sheetFilePath(), dialogs, now));
    const QString opened = state.openHistory(places::historyFilePath(), now, dialogs);
    if (!opened.isEmpty())
        console::write(console::Stream::Err, opened + u'\n');
    const PathsImported done = importPaths(
        paths, state, {places::archiveFolder(), now.date(), dialogs.race}, dialogs, nullptr);
    for (const QString& said : dialogs.said)
        console::write(console::Stream::Err, said + u'\n');
    console::write(console::Stream::Out, done.text + u'\n');
    return done.anyRead ? 0 : 1;
}

} // namespace

std::optional<int> runCommandLine(int argc, char* argv[]) {
    if (argc <= 1)
        return std::nullopt;
    QCoreApplication app(argc, argv); // decodes the arguments and finds the program's folder
    places::chooseListFile();
    QCommandLineParser parser;
    const QCommandLineOption help({u"h"_qs, u"help"_qs}, u"Affiche cette aide et quitte."_qs);
    const QCommandLineOption version({u"v"_qs, u"version"_qs},
                                     u"Affiche la version du programme et quitte."_qs);
    const QCommandLineOption course(u"course"_qs, u"Écrit la course du jour en CSV et quitte."_qs);
    const QCommandLineOption horse(u"cheval"_qs, u"Écrit les courses d'un cheval en CSV."_qs,
                                   u"NOM"_qs);
    const QCommandLineOption import(u"importer"_qs, u"Importe des fichiers."_qs);
    const QCommandLineOption number(u"numero"_qs, u"La course du programme."_qs, u"R1C3"_qs);
    const QCommandLineOption another(u"nouvelle-course"_qs, u"Une nouvelle course."_qs);
    const QCommandLineOption bilan(u"bilan"_qs, u"Le bilan de la feuille."_qs);
    const QCommandLineOption since(u"depuis"_qs, u"Depuis ce jour."_qs, u"AAAA-MM-JJ"_qs);
    const QCommandLineOption until(u"jusqu-au"_qs, u"Jusqu'à ce jour."_qs, u"AAAA-MM-JJ"_qs);
    const QCommandLineOption family(u"discipline"_qs, u"Une discipline."_qs, u"DISCIPLINE"_qs);
    parser.addOptions(
        {help, version, course, horse, import, number, another, bilan, since, until, family});
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const QStringList files = parser.positionalArguments();
    if (parsed && parser.isSet(import) && !parser.isSet(help) && !files.isEmpty()) {
        ImportDialogs dialogs;
        dialogs.race = parser.value(number);
        dialogs.newRace = parser.isSet(another);
        return importOnCommandLine(files, dialogs);
    }
    if (parsed && parser.isSet(bilan) && !parser.isSet(help) && files.isEmpty())
        return printBilan(parser.value(since), parser.value(until), parser.value(family));
    if (parsed && parser.isSet(horse) && !parser.isSet(help) && !parser.isSet(course) &&
        files.isEmpty())
        return printHorse(parser.value(horse));
    if (parsed && parser.optionNames().isEmpty() && !files.isEmpty())
        return std::nullopt; // the windows import them
    if (parsed && parser.isSet(course) && !parser.isSet(help) && files.size() <= 1)
        return files.isEmpty() ? printRace(places::sheetFilePath(), false)
                               : printRace(files.first(), true);
    if (!parsed || !files.isEmpty() || (!parser.isSet(help) && !parser.isSet(version))) {
        console::write(console::Stream::Err, errorText(parser, parsed));
        return 2;
    }
    if (parser.isSet(help))
        console::write(console::Stream::Out, helpText(help, version));
    else
        console::write(console::Stream::Out,
                       u"Orvanto %1\n"_qs.arg(QString::fromUtf8(ORVANTO_VERSION)));
    return 0;
}

QStringList filesGiven(const QStringList& arguments) {
    QStringList files = arguments.mid(1);
    if (!files.isEmpty() && files.first() == u"--")
        files.removeFirst();
    return files;
}
