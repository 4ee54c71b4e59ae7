#pragma once
// The day's race sheet's commands from the main window and the sheet's own:
// adding the main window's horse (once, for the sheet and the list), removing a
// runner. The sheet is written after every change and read at start.

#include "corrections.h"
#include "dialogs.h"
#include "fchronologic.h"

#include <QString>
#include <optional>

#include "racedayfile.h"

// "Ajouter à la course du jour". Whether the sheet window is to be shown, whether
// the sheet changed (and was written), and the horse's list line when it goes to
// the list too.
// `correct`: the box to put the focus in when the user chose to correct an
// unusual value the calculation asked about.
struct [[nodiscard]] AddedRunner {
    bool showSheet = false;
    bool changed = false;
    std::optional<QString> listLine = {};
    QString correct = {};
};
// `alsoList`: "Ajouter aussi à la liste des chevaux" is ticked. Without an estimate
// of the boxes as they stand, calculates first, as "Lancer le calcul !". The going
// is offered as the last runner's. The sheet recomputes the runner for its race,
// with `corrections`.
[[nodiscard]] AddedRunner Bt_AjouteCourse_Click(FchronoLogic& logic, RaceDay& day, bool alsoList,
                                                Dialogs& dialogs,
                                                const calc::CorrectionTable& corrections = {});

// Takes out runners (by their places in RaceSheet::runners), after a question
// ("Non" unless told otherwise), in one rewrite of the file. Whether it did.
bool removeRunners(RaceDay& day, std::vector<size_t> indices, Dialogs& dialogs);
