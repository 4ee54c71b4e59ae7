#include "syserror.h"

#include <cerrno>

namespace syserror {

QString reason(Fault fault) {
    switch (fault) {
    case Fault::AccessDenied:
        return QStringLiteral("accès refusé");
    case Fault::DiskFull:
        return QStringLiteral("le disque est plein");
    case Fault::TooLarge:
        return QStringLiteral("le fichier est trop volumineux");
    case Fault::ReadOnly:
        return QStringLiteral("le support est en lecture seule");
    case Fault::IsFolder:
        return QStringLiteral("c'est un dossier, pas un fichier");
    case Fault::NotFound:
        return QStringLiteral("le dossier est introuvable");
    case Fault::NoMemory:
        return QStringLiteral("la mémoire est insuffisante");
    case Fault::Io:
        break;
    }
    return QStringLiteral("erreur du système (code %1)").arg(EIO);
}

} // namespace syserror
