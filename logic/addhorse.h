#pragma once
// "Ajouter à la liste": the current result, the horse's name and the going, as
// one list line.

#include "dialogs.h"
#include "fchronologic.h"
#include "horselist.h"

#include <QString>
#include <optional>

struct [[nodiscard]] AddedHorse {
    bool showList = false;       // the list window is shown afterwards
    std::optional<QString> line; // the line to add, if any
};

AddedHorse Bt_Ajoute_Click(const FchronoLogic& logic, Dialogs& dialogs);

// The two prompts every command that files a horse asks, in this order, the
// fields starting with `name` and `going`: "Entrer le nom du cheval", then
// "Entrer l'état du terrain" (asked also when the name is left empty). None when
// either is cancelled: nothing is filed then.
struct HorseAnswers {
    QString name, going;
};
[[nodiscard]] std::optional<HorseAnswers> askNameAndGoing(Dialogs& dialogs,
                                                          const QString& name = QString(),
                                                          const QString& going = QString());

// "Ajouter à la course du jour" with "Ajouter aussi à la liste des chevaux": the
// horse's list line under the list's rules (the advice about a reduction from the
// time with lengths; a line that cannot be stored refused); none when it is not
// to be added, the reason told.
[[nodiscard]] std::optional<QString> alsoListLine(const FchronoLogic& logic,
                                                  const HorseAnswers& horse, Dialogs& dialogs);

// "Vider la liste": with horses a save would write, asks first ("Non" unless the
// user says otherwise), naming the list file as `shownPath`. Whether to empty the list.
[[nodiscard]] bool confirmEmptyList(qsizetype unsavedCount, const QString& shownPath,
                                    Dialogs& dialogs);

// A line byte for byte the same as one already listed: asks before adding it
// again ("Non" unless the user says otherwise). Whether to add it.
[[nodiscard]] bool confirmDuplicate(const HorseList& list, const QString& line, Dialogs& dialogs);
