#include "listimport.h"

#include "cells.h"
#include "listfile.h"
#include "listline.h"
#include "numbers.h"
#include "places.h"

#include <cmath>

namespace {

// A line's run; none when its reduction or distance cannot be read.
std::optional<history::Run> runOfLine(const QString& line) {
    const auto entry = ListEntry::parse(line);
    if (!entry || entry->name.trimmed().isEmpty())
        return std::nullopt;
    const auto reduction = cells::hundredthsOfTime(QStringView(entry->reduction).trimmed());
    const auto distance = numbers::textToNumber(entry->distance);
    if (!reduction || *reduction <= 0 || !distance || !std::isfinite(*distance) || *distance < 1 ||
        *distance > 100000)
        return std::nullopt;
    history::Run run;
    run.horse = entry->name.trimmed();
    run.distance = static_cast<int>(std::lround(*distance));
    run.reduction = *reduction;
    if (const auto kg = numbers::textToNumber(entry->weight); kg && std::isfinite(*kg) && *kg > 0)
        run.weight = *kg;
    run.going = entry->going.trimmed();
    run.source = history::Source::List;
    return run;
}

} // namespace

QString ListImported::summary() const {
    QString text = cells::counted(added, "course ajoutée", "courses ajoutées") +
                   u" à l'historique, "_qs + cells::counted(known, "déjà connue", "déjà connues");
    if (skipped > 0)
        text += u", "_qs + cells::counted(skipped, "ligne illisible", "lignes illisibles");
    return text + u'.';
}

ListImported importList(history::Store& store, const HorseList& list) {
    ListImported out;
    std::vector<history::Run> runs;
    for (qsizetype i = 0; i < list.count(); ++i) {
        if (auto run = runOfLine(list.at(i)))
            runs.push_back(std::move(*run));
        else
            ++out.skipped;
    }
    const history::Added added = store.add(runs);
    if (!added.result.ok())
        return {0, 0, 0, added.result.message};
    out.added = added.added;
    out.known = added.known;
    return out;
}

void importListFile(history::Store& store, const QString& path, Dialogs& dialogs) {
    if (!store.isOpen()) {
        dialogs.warn(u"L'historique des chevaux n'a pas pu être ouvert au "
                     "démarrage : rien n'est importé."_qs);
        return;
    }
    HorseList list;
    if (const FileResult read = loadListFile(path, list); !read.ok()) {
        dialogs.warn(read.message);
        return;
    }
    const ListImported imported = importList(store, list);
    if (!imported.failure.isEmpty())
        dialogs.warn(imported.failure);
    else
        dialogs.inform(u"Liste des chevaux enregistrée (%1) : %2"_qs.arg(places::shown(path),
                                                                         imported.summary()));
}
