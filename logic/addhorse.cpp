#include "addhorse.h"

#include "cp1252.h"
#include "listline.h"

AddedHorse Bt_Ajoute_Click(const FchronoFields& fields, Dialogs& dialogs) {
    if (!fields.Opt_chronok &&
        dialogs.message(
            QStringLiteral("vous allez ajouter une réduction calculé sur un chrono avec "
                           "longueur ceci est non recommandé, voulez vous continuer?"),
            ApplicationTitle, Dialogs::Icon::None,
            Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok)
        return {};

    const QString name =
        dialogs.prompt(QStringLiteral("Entrer le nom du cheval"), ApplicationTitle);
    const QString going =
        dialogs.prompt(QStringLiteral("Entrer l'état du terrain"), ApplicationTitle);
    if (name.isEmpty())
        return {true, std::nullopt};

    const QString line = listLine(fields.Lreduction, fields.Tdistance, fields.Tpoids, name, going);
    // The list file stores one byte per character: a character it cannot hold would
    // come back changed, so the horse is refused instead.
    const QStringList refused = cp1252::unencodable(line);
    if (!refused.isEmpty()) {
        dialogs.message(QStringLiteral("Le cheval n'a pas été ajouté : la liste ne peut pas "
                                       "enregistrer ces caractères : %1")
                            .arg(refused.join(u' ')),
                        ApplicationTitle, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        return {};
    }
    return {true, line};
}
