#include "linekeys.h"

// Without ICU there are no collation elements to build the fast keys from: every
// load takes the platform's sort keys.

namespace linekeys {

bool available() {
    return false;
}

bool appendPrimary(QByteArrayView, std::string&) {
    return false;
}

int compareSecondary(QByteArrayView, QByteArrayView) {
    return 0;
}

} // namespace linekeys
