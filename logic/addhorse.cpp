#include "addhorse.h"

#include "cp1252.h"
#include "listline.h"

namespace {

bool confirmLengthsReduction(const FchronoFields& fields, Dialogs& dialogs) {
    return fields.Opt_chronok ||
           dialogs.message(u"vous allez ajouter une réduction calculé sur un chrono "
                           "avec longueur ceci est non recommandé, voulez vous "
                           "continuer?"_qs,
                           ApplicationTitle, Dialogs::Icon::None,
                           Dialogs::Buttons::OkCancel) == Dialogs::Answer::Ok;
}

void refuse(Dialogs& dialogs, const QString& why) {
    dialogs.warn(u"Le cheval n'a pas été ajouté : %1"_qs.arg(why));
}

} // namespace

std::optional<HorseAnswers> askNameAndGoing(Dialogs& dialogs, const QString& name,
                                            const QString& going) {
    const auto typedName = dialogs.prompt(u"Entrer le nom du cheval"_qs, ApplicationTitle, name);
    if (!typedName)
        return std::nullopt;
    const auto typedGoing = dialogs.prompt(u"Entrer l'état du terrain"_qs, ApplicationTitle, going);
    if (!typedGoing)
        return std::nullopt;
    return HorseAnswers{*typedName, *typedGoing};
}

AddedHorse Bt_Ajoute_Click(const FchronoLogic& logic, Dialogs& dialogs) {
    const FchronoFields& fields = logic.fields;
    if (!confirmLengthsReduction(fields, dialogs))
        return {};

    // Cancel, or no name: nothing is added.
    const auto answers = askNameAndGoing(dialogs);
    if (!answers || answers->name.isEmpty())
        return {true, std::nullopt};
    const auto& [name, going] = *answers;

    // A reduction shown for other inputs would be filed under the wrong horse.
    if (!logic.ReductionMatchesInputs()) {
        dialogs.inform(u"Le résultat affiché ne correspond plus aux valeurs "
                       "saisies : relancez le calcul avant d'ajouter ce cheval."_qs);
        return {true, std::nullopt};
    }
    const QString line = listLine(fields.Lreduction, fields.Tdistance, fields.Tpoids, name, going);
    if (const QString why = whyUnstorable(line); !why.isEmpty()) {
        refuse(dialogs, why);
        return {};
    }
    return {true, line};
}

std::optional<QString> alsoListLine(const FchronoLogic& logic, const HorseAnswers& horse,
                                    Dialogs& dialogs) {
    const FchronoFields& fields = logic.fields;
    if (!logic.ReductionMatchesInputs()) {
        dialogs.inform(u"Aucune réduction calculée pour ces valeurs : le cheval "
                       "n'a pas été ajouté à la liste des chevaux."_qs);
        return std::nullopt;
    }
    if (!confirmLengthsReduction(fields, dialogs))
        return std::nullopt;
    const QString line =
        listLine(fields.Lreduction, fields.Tdistance, fields.Tpoids, horse.name, horse.going);
    if (const QString why = whyUnstorable(line); !why.isEmpty()) {
        dialogs.warn(u"Le cheval n'a pas été ajouté à la liste des chevaux : %1"_qs.arg(why));
        return std::nullopt;
    }
    return line;
}

bool confirmEmptyList(qsizetype unsavedCount, const QString& shownPath, Dialogs& dialogs) {
    return unsavedCount == 0 ||
           dialogs.askYesNo(u"La liste contient des chevaux qui ne sont pas "
                            "sauvegardés dans %1. Vider la liste quand même ?"_qs.arg(shownPath));
}

bool confirmDuplicate(const HorseList& list, const QString& line, Dialogs& dialogs) {
    return !list.contains(line) ||
           dialogs.askYesNo(u"Ce cheval est déjà dans la liste avec ce résultat. "
                            "L'ajouter encore ?"_qs);
}
