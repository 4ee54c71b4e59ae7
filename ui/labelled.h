#pragma once
// A box of the program's own windows with its label before it in a row: the
// label's mnemonic gives the box the focus, and the box carries its control
// name and the name a screen reader says.

#include <QHBoxLayout>
#include <QLabel>
#include <QString>

template <typename Box>
Box* labelled(QHBoxLayout* row, const QString& label, Box* box, const char* name,
              const QString& accessible) {
    auto* l = new QLabel(label, box->parentWidget());
    l->setBuddy(box);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    row->addWidget(l);
    row->addWidget(box);
    return box;
}
