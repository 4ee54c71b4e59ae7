#include "form1logic.h"
#include "places.h"

#include "addhorse.h"
#include "listfile.h"
#include "listline.h"
#include "listtable.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The list file as messages name it: in full, since it may live in a folder the
// user does not know of.
QString shownListPath() {
    return places::shown(places::listFilePath());
}

} // namespace

bool Form1Logic::succeeded(const FileResult& result) {
    if (result.state == FileResult::State::FileChanged) {
        if (dialogs_.askYesNo(
                u"Le fichier %1 a changé depuis qu'il a été chargé ou "
                "sauvegardé (une autre copie d'Orvanto, un éditeur) "
                ": rien n'y a été modifié. Le charger de nouveau ?"_qs.arg(shownListPath()),
                Dialogs::Default::Yes))
            bt_chargeliste_Click();
    } else if (!result.ok()) {
        dialogs_.warn(result.message);
    }
    return result.ok();
}

bool Form1Logic::rewrite(int row, const std::optional<QString>& line) {
    return succeeded(model_.rewrite(places::listFilePath(), row, line));
}

void Form1Logic::AddLine(const QString& line) {
    if (confirmDuplicate(model_.list(), line, dialogs_))
        model_.add(line);
}

void Form1Logic::bt_chargeliste_Click() {
    succeeded(model_.load(places::listFilePath()));
}

bool Form1Logic::btsave_Click() {
    const QString path = places::listFilePath();
    if (!succeeded(files::makeFolderFor(path)) || !succeeded(model_.save(path)))
        return false;
    dialogs_.message(u"Sauvegarde effectuée"_qs, u"Sauvegarde"_qs, Dialogs::Icon::Information,
                     Dialogs::Buttons::Ok);
    return true;
}

void Form1Logic::Bt_videliste_Click() {
    if (confirmEmptyList(model_.list().unsavedCount(), shownListPath(), dialogs_))
        model_.clear();
}

void Form1Logic::Bt_videListefichier_Click() {
    // The file holds every horse saved so far: ask first, "Non" unless told otherwise.
    if (!dialogs_.askYesNo(u"Vider la liste et effacer le fichier %1 ? Les "
                           "chevaux enregistrés seront perdus."_qs.arg(shownListPath())))
        return;
    const QString path = places::listFilePath();
    // On failure the list stays as it was too.
    if (succeeded(files::makeFolderFor(path)) && succeeded(emptyListFile(path)))
        model_.clear();
}

bool Form1Logic::QueryClose() {
    if (model_.list().unsavedCount() == 0)
        return true;
    enum { Save, Discard, Cancel };
    const int answer = dialogs_.question(
        u"La liste contient des chevaux qui ne sont pas sauvegardés dans %1. Les "
        "sauvegarder avant de fermer ?"_qs.arg(shownListPath()),
        ApplicationTitle, {u"Sauvegarder"_qs, u"Ne pas sauvegarder"_qs, u"Annuler"_qs}, Save,
        Cancel);
    // A save that failed keeps the window open: closing would lose the horses.
    return answer == Discard || (answer == Save && btsave_Click());
}

void Form1Logic::RemoveEntry(int row) {
    if (row < 0 || row >= model_.rowCount() || model_.removeUnsaved(row))
        return;
    const QString line = model_.list().at(row);
    const auto entry = ListEntry::parse(line);
    if (dialogs_.askYesNo(u"Retirer « %1 » de la liste et du fichier %2 ?"_qs.arg(
            entry ? entry->name : line, shownListPath())))
        rewrite(row, std::nullopt);
}

std::optional<Renamed> Form1Logic::CorrectEntry(int row) {
    if (row < 0 || row >= model_.rowCount())
        return std::nullopt;
    const QString old = model_.list().at(row);
    // Only a line of the list's own form splits back into its name and going.
    std::optional<ListEntry> entry = ListEntry::parse(old);
    if (!entry) {
        dialogs_.inform(u"Cette ligne n'a pas la forme d'une ligne de la liste : "
                        "son nom et son terrain ne peuvent pas être repris."_qs);
        return std::nullopt;
    }
    const auto answers = askNameAndGoing(dialogs_, entry->name, entry->going);
    if (!answers || answers->name.isEmpty())
        return std::nullopt; // cancelled, or no name: nothing changes
    const Renamed renamed{entry->name, answers->name};
    entry->name = answers->name;
    entry->going = answers->going;
    const QString line = entry->line();
    if (line == old)
        return std::nullopt;
    if (const QString why = whyUnstorable(line); !why.isEmpty()) {
        dialogs_.warn(u"Le cheval n'a pas été modifié : %1"_qs.arg(why));
        return std::nullopt;
    }
    if (!replace(row, line))
        return std::nullopt;
    if (renamed.from == renamed.to)
        return std::nullopt;
    return renamed;
}

bool Form1Logic::replace(int row, const QString& line) {
    if (!model_.list().isUnsaved(row))
        return rewrite(row, line);
    (void)model_.removeUnsaved(row);
    model_.add(line);
    return true;
}

// The first entry named `name`, if any.
std::optional<int> Form1Logic::entryNamed(const QString& name) const {
    for (int row = 0; row < model_.rowCount(); ++row)
        if (const auto entry = ListEntry::parse(model_.list().at(row));
            entry && entry->name == name)
            return row;
    return std::nullopt;
}

bool Form1Logic::OfferRename(const QString& from, const QString& to) {
    if (from == to || !entryNamed(from) ||
        !dialogs_.askYesNo(u"« %1 » est aussi dans la liste des chevaux. Le "
                           "renommer aussi « %2 » ?"_qs.arg(from, to),
                           Dialogs::Default::Yes))
        return false;
    while (const auto row = entryNamed(from)) {
        auto entry = ListEntry::parse(model_.list().at(*row));
        entry->name = to;
        if (const QString why = whyUnstorable(entry->line()); !why.isEmpty()) {
            dialogs_.warn(u"Le cheval n'a pas été renommé dans la liste : %1"_qs.arg(why));
            return false;
        }
        if (!replace(*row, entry->line()))
            return false;
    }
    return true;
}

QByteArray Form1Logic::CopyEntries(int row) const {
    const HorseList& list = model_.list();
    return row >= 0 ? listtable::clipboardText(list, row, 1)
                    : listtable::clipboardText(list, 0, list.count());
}

void Form1Logic::ExportCsv(const QString& path) {
    if (succeeded(files::writeWhole(path, listtable::csv(model_.list()))))
        dialogs_.inform(u"Liste exportée dans %1"_qs.arg(QDir::toNativeSeparators(path)));
}
