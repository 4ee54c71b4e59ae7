#pragma once
// Building blocks of the fixed window layouts: positions in twips, fonts with
// fallbacks, the colours of the three windows, label looks.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace look {

// 15 twips make one device-independent pixel.
QRect twips(int left, int top, int width, int height);

// The faces of the original layout; each falls back to a free face of close metrics.
enum class Face { Tahoma, Arial, ArialRounded, CourierNew };
struct Font {
    Face face;
    double points;
};
QFont font(Font f);

QFont tahoma(double points, bool bold = true);
QFont arial(double points, bool bold = true);
QFont arialRounded(double points);
QFont courierNew(double points);

// The palette of the three windows.
inline const QColor Grey(192, 192, 192); // the main window's background
inline const QColor LightGrey(224, 224, 224);
inline const QColor MidGrey(128, 128, 128);
inline const QColor DarkGrey(64, 64, 64);
inline const QColor Green(0, 192, 0);
inline const QColor DarkRed(192, 0, 0);
inline const QColor Red(255, 0, 0);
inline const QColor PaleGreen(128, 255, 128);

void setColours(QWidget* widget, const QColor& text, const QColor& background = QColor());

// How a label looks; an invalid colour keeps the window's.
struct LabelStyle {
    Font font;
    QColor text;
    QColor background;
    bool border = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;
};

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              const LabelStyle& style);

// The toolkit's own texts in French (standard dialogs, key names such as "Suppr"),
// when the system has Qt's French translations.
void useFrenchToolkitTexts();

// A push button that Enter does not press; its accessible name is its caption.
QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry, const QString& toolTip = QString());

// A group box of option buttons, and one of its options; a screen reader names the
// option after its group.
QGroupBox* frame(QWidget* parent, const char* name, QRect geometry, const QString& accessibleName,
                 const QColor& background);
QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, QRect geometry,
                     bool selected, const QColor& background);

} // namespace look
