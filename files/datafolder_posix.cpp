#include "datafolder.h"

#include <QStandardPaths>

namespace places {

QString userDataBase() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace places
