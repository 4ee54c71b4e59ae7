#pragma once
// The horse list's order: French (France), case-insensitive, the same on every
// machine whatever its locale.

#include <QCollator>
#include <QLocale>

inline QCollator listCollator() {
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}
