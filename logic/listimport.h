#pragma once
// "Importer la liste des chevaux": each line of the horse list becomes a run of
// its horse without a date (reduction, distance, weight, going), once.

#include "dialogs.h"
#include "horselist.h"
#include "store.h"

struct ListImported {
    int added = 0;   // new runs
    int known = 0;   // already in the history (an earlier import)
    int skipped = 0; // lines without a readable reduction or distance
    QString failure; // why nothing was stored; empty otherwise
    // "12 courses ajoutées à l'historique, 3 déjà connues, 1 ligne illisible."
    QString summary() const;
};

// The runs of the list's lines, in one transaction.
ListImported importList(history::Store& store, const HorseList& list);
// "Importer la liste des chevaux" from the list file at `path` into `store`: what
// was stored, or why nothing was, told.
void importListFile(history::Store& store, const QString& path, Dialogs& dialogs);
