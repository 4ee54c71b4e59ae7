#include "syserror.h"

#include <cerrno>

namespace syserror {

QString reason(Fault fault) {
    switch (fault) {
    case Fault::AccessDenied:
        return u"accès refusé"_qs;
    case Fault::DiskFull:
        return u"le disque est plein"_qs;
    case Fault::TooLarge:
        return u"le fichier est trop volumineux"_qs;
    case Fault::ReadOnly:
        return u"le support est en lecture seule"_qs;
    case Fault::IsFolder:
        return u"c'est un dossier, pas un fichier"_qs;
    case Fault::NotFound:
        return u"le dossier est introuvable"_qs;
    case Fault::NoMemory:
        return u"la mémoire est insuffisante"_qs;
    case Fault::Io:
        break;
    }
    return u"erreur de lecture ou d'écriture sur le support"_qs;
}

} // namespace syserror
