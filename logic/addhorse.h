#pragma once
// "Ajouter à la liste": the current result, the horse's name and the going, as
// one list line.

#include "dialogs.h"
#include "fchronologic.h"

#include <QString>
#include <optional>

struct AddedHorse {
    bool showList = false;       // the list window is shown afterwards
    std::optional<QString> line; // the line to add, if any
};

AddedHorse Bt_Ajoute_Click(const FchronoLogic& logic, Dialogs& dialogs);

// "Vider la liste": with horses a save would write, asks first ("Non" unless the
// user says otherwise). Whether to empty the list.
[[nodiscard]] bool confirmEmptyList(qsizetype unsavedCount, Dialogs& dialogs);
