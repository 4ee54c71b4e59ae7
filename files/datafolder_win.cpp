#include "datafolder.h"

namespace places {

// The roaming folder: the list follows the user from one machine to another.
QString userDataBase() {
    return qEnvironmentVariable("APPDATA");
}

} // namespace places
