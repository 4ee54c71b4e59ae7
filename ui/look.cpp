#include "look.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
#include <QWidget>
#include <cmath>

namespace look {

QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return static_cast<int>(std::lround(t / 15.0)); };
    return QRect(px(left), px(top), px(width), px(height));
}

namespace {
QFont font(const QStringList& families, double points, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
} // namespace

// The fonts named first are those of the original layout; where they are missing,
// free fonts of the same metrics (Liberation for Arial and Courier New) or of close
// widths (Liberation Sans for Tahoma and Arial Rounded MT Bold), then DejaVu Sans.
QFont tahoma(double points, bool bold) {
    return font({"Tahoma", "Liberation Sans", "DejaVu Sans"}, points, bold);
}
QFont arial(double points, bool bold) {
    return font({"Arial", "Liberation Sans"}, points, bold);
}
QFont arialRounded(double points) {
    QFont f = font({"Arial Rounded MT Bold", "Liberation Sans", "DejaVu Sans"}, points, false);
    // The rounded face is heavy; its stand-in needs the bold weight to match it.
    if (!QFontInfo(f).family().startsWith(u"Arial Rounded"))
        f.setBold(true);
    return f;
}
QFont courierNew(double points) {
    return font({"Courier New", "Liberation Mono"}, points, false);
}

QFont font(Font f) {
    switch (f.face) {
    case Face::Tahoma:
        return tahoma(f.points);
    case Face::Arial:
        return arial(f.points);
    case Face::ArialRounded:
        return arialRounded(f.points);
    case Face::CourierNew:
        break;
    }
    return courierNew(f.points);
}

void setColours(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette p = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (text.isValid()) {
            p.setColor(group, QPalette::WindowText, text);
            p.setColor(group, QPalette::Text, text);
            p.setColor(group, QPalette::ButtonText, text);
        }
        if (background.isValid()) {
            p.setColor(group, QPalette::Window, background);
            p.setColor(group, QPalette::Button, background);
        }
    }
    widget->setPalette(p);
    if (background.isValid())
        widget->setAutoFillBackground(true);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              const LabelStyle& style) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setFont(font(style.font));
    setColours(l, style.text, style.background);
    if (style.border) {
        l->setFrameShape(QFrame::Box);
        l->setLineWidth(1);
        // Text close to the top border, as the captions are laid out for.
        l->setIndent(1);
    }
    l->setAlignment(style.alignment);
    l->setWordWrap(style.wrap);
    return l;
}

void useFrenchToolkitTexts() {
    static QTranslator translator;
    const QLocale french(QLocale::French, QLocale::France);
    // Qt's installed translations, else the copy built into the program (Windows).
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), u":/i18n"_qs}) {
        if (translator.load(french, u"qtbase"_qs, u"_"_qs, folder)) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry, const QString& toolTip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setToolTip(toolTip);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, QRect geometry, const QString& accessibleName,
                 const QColor& background) {
    auto* f = new QGroupBox(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(geometry);
    f->setAccessibleName(accessibleName);
    setColours(f, QColor(), background);
    return f;
}

QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, QRect geometry,
                     bool selected, const QColor& background) {
    auto* o = new QRadioButton(caption, frame);
    o->setObjectName(QLatin1String(name));
    o->setGeometry(geometry);
    o->setFont(tahoma(9));
    setColours(o, QColor(), background);
    o->setChecked(selected);
    o->setAccessibleName(frame->accessibleName() + u" : "_qs + caption);
    return o;
}

} // namespace look
