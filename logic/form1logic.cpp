#include "form1logic.h"

#include "addhorse.h"
#include "listfile.h"
#include "listtable.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The list file as messages name it: in full, since it may live in a folder the
// user does not know of.
QString shownListPath() {
    return QDir::toNativeSeparators(QFileInfo(listFilePath()).absoluteFilePath());
}

} // namespace

bool Form1Logic::succeeded(const ListFileResult& result) {
    if (!result.ok)
        dialogs_.message(result.message, ApplicationTitle, Dialogs::Icon::Critical,
                         Dialogs::Buttons::Ok);
    return result.ok;
}

void Form1Logic::AddLine(const QString& line) {
    if (confirmDuplicate(model_.list(), line, dialogs_))
        model_.add(line);
}

void Form1Logic::bt_chargeliste_Click() {
    succeeded(model_.load(listFilePath()));
}

bool Form1Logic::btsave_Click() {
    const QString path = listFilePath();
    if (!succeeded(makeListFolder(path)) || !succeeded(model_.save(path)))
        return false;
    dialogs_.message(QStringLiteral("Sauvegarde effectuée"), QStringLiteral("Sauvegarde"),
                     Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    return true;
}

void Form1Logic::Bt_videliste_Click() {
    if (confirmEmptyList(model_.list().unsavedCount(), dialogs_))
        model_.clear();
}

void Form1Logic::Bt_videListefichier_Click() {
    // The file holds every horse saved so far: ask first, "Non" unless told otherwise.
    enum { Yes, No };
    if (dialogs_.question(QStringLiteral("Vider la liste et effacer le fichier %1 ? Les chevaux "
                                         "enregistrés seront perdus.")
                              .arg(shownListPath()),
                          ApplicationTitle, {QStringLiteral("Oui"), QStringLiteral("Non")}, No,
                          No) != Yes)
        return;
    const QString path = listFilePath();
    // On failure the list stays as it was too.
    if (succeeded(makeListFolder(path)) && succeeded(emptyListFile(path)))
        model_.clear();
}

bool Form1Logic::QueryClose() {
    if (model_.list().unsavedCount() == 0)
        return true;
    enum { Save, Discard, Cancel };
    const int answer = dialogs_.question(
        QStringLiteral("La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Les "
                       "sauvegarder avant de fermer ?")
            .arg(shownListPath()),
        ApplicationTitle,
        {QStringLiteral("Sauvegarder"), QStringLiteral("Ne pas sauvegarder"),
         QStringLiteral("Annuler")},
        Save, Cancel);
    // A save that failed keeps the window open: closing would lose the horses.
    return answer == Discard || (answer == Save && btsave_Click());
}

void Form1Logic::RemoveEntry(int row) {
    if (row < 0 || model_.removeUnsaved(row))
        return;
    dialogs_.message(QStringLiteral("Ce cheval est enregistré dans le fichier %1 : il reste dans "
                                    "la liste. Seul « Vider liste + fichier » peut l'effacer du "
                                    "fichier.")
                         .arg(shownListPath()),
                     ApplicationTitle, Dialogs::Icon::Information, Dialogs::Buttons::Ok);
}

QByteArray Form1Logic::CopyEntries(int row) const {
    const HorseList& list = model_.list();
    return row >= 0 ? listtable::clipboardText(list, row, 1)
                    : listtable::clipboardText(list, 0, list.count());
}

void Form1Logic::ExportCsv(const QString& path) {
    if (succeeded(writeWholeFile(path, listtable::csv(model_.list()))))
        dialogs_.message(
            QStringLiteral("Liste exportée dans %1").arg(QDir::toNativeSeparators(path)),
            ApplicationTitle, Dialogs::Icon::Information, Dialogs::Buttons::Ok);
}
