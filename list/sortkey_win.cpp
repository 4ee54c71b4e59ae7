#include "sortkey.h"

#include <windows.h>

namespace sortkey {

// The key Windows itself orders French (France) text by, case ignored: the
// same flags QCollator::compare() passes to CompareStringEx.
QByteArray of(QStringView line) {
    constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const auto* text = reinterpret_cast<LPCWSTR>(line.utf16());
    const int length = static_cast<int>(line.size());
    if (length == 0)
        return QByteArray(); // before every other line, as compare() puts it
    const int size = LCMapStringEx(L"fr-FR", flags, text, length, nullptr, 0, nullptr, nullptr, 0);
    QByteArray key(size, Qt::Uninitialized);
    LCMapStringEx(L"fr-FR", flags, text, length, reinterpret_cast<LPWSTR>(key.data()), size,
                  nullptr, nullptr, 0);
    return key;
}

} // namespace sortkey
