#include "commandline.h"
#include "places.h"

#include "console.h"
#include "listfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

QString helpText(const QCommandLineOption& help, const QCommandLineOption& version) {
    return QStringLiteral("Usage : orvanto [--help] [--version]\n\n"
                          "Calcule la réduction kilométrique d'un cheval et son chrono estimé pour "
                          "la course du jour,\n"
                          "et garde la liste triée des chevaux calculés dans un fichier.\n\n"
                          "Fichier de la liste : %1\n\n"
                          "Options :\n"
                          "  -h, --help     %2\n"
                          "  -v, --version  %3\n")
        .arg(QDir::toNativeSeparators(places::listFilePath()), help.description(),
             version.description());
}

QString errorText(const QCommandLineParser& parser, bool parsed) {
    QString what;
    if (!parser.unknownOptionNames().isEmpty())
        what = QStringLiteral("option inconnue « %1 »")
                   .arg(parser.unknownOptionNames().first().prepend(
                       parser.unknownOptionNames().first().size() > 1 ? u"--"_qs : u"-"_qs));
    else if (parsed)
        what =
            QStringLiteral("argument inattendu « %1 »").arg(parser.positionalArguments().first());
    else
        what = QStringLiteral("arguments incorrects");
    return QStringLiteral("orvanto : %1.\nEssayez « orvanto --help » pour la liste des options.\n")
        .arg(what);
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
    parser.addOptions({help, version});
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed || !parser.positionalArguments().isEmpty() ||
        (!parser.isSet(help) && !parser.isSet(version))) {
        console::write(console::Stream::Err, errorText(parser, parsed));
        return 2;
    }
    if (parser.isSet(help))
        console::write(console::Stream::Out, helpText(help, version));
    else
        console::write(console::Stream::Out,
                       QStringLiteral("Orvanto %1\n").arg(QStringLiteral(ORVANTO_VERSION)));
    return 0;
}
