#pragma once
// Building blocks of the fixed window layouts: positions in twips, fonts with
// fallbacks, colours.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace look {

// 15 twips make one device-independent pixel.
QRect twips(int left, int top, int width, int height);

QFont tahoma(double points, bool bold = true);
QFont arial(double points, bool bold = true);
QFont arialRounded(double points);
QFont courierNew(double points);

void setColours(QWidget* widget, const QColor& text, const QColor& background = QColor());

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              const QFont& font, const QColor& text = QColor(), const QColor& background = QColor(),
              bool border = false);

// A push button that Enter does not press; its accessible name is its caption.
QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry, const QString& toolTip = QString());

} // namespace look
