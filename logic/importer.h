#pragma once
// "Importer…": files the punter saved, read together. Past runs (detailed
// performances, CSV of past runs, and the results of a race already run) go
// into the horses' history, never twice, in one transaction; today's runners
// (a participants file with its programme, or a race card) go onto the sheet —
// the race on it when it is the same race, otherwise after a question (a new
// race, the current one archived, or nothing).

#include "appstate.h"
#include "imported.h"

#include <QDate>
#include <QStringList>

struct ImportSummary {
    int filesRead = 0;
    int runners = 0;     // put on the sheet
    int pastRuns = 0;    // read and stored, results of a race run included
    int known = 0;       // of them, already in the history
    int refused = 0;     // records refused
    QStringList reasons; // each refusal, each file not read, each thing not done
    // "14 partants, 70 courses passées (12 déjà connues), 3 refusées", then the
    // reasons, one a line; without the runners when `runners` is 0 and
    // `runnersIfNone` false.
    QString text(bool runnersIfNone = true) const;
};

struct ImportPlace {
    QString archiveFolder; // where a race replaced on the sheet is kept
    QDate today;
    QString race = {}; // "R1C3": the programme's race to take; empty: asked
    bool sheet = true; // false: nothing goes onto the sheet, nothing asked
};

// The file at `path` read, or why it could not be.
imports::FileRead readPath(const QString& path);

// The files at `paths` imported into the state's history and sheet.
ImportSummary importFiles(const QStringList& paths, AppState& state, const ImportPlace& place,
                          Dialogs& dialogs);

// The same for files already read (the tests, the benchmark).
ImportSummary importRead(std::vector<imports::FileRead> reads, AppState& state,
                         const ImportPlace& place, Dialogs& dialogs);
