#include "form2.h"
#include "appwindows.h"

#include "bareme.h"
#include "look.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

using look::twips;

namespace {

QPlainTextEdit* memo(QWidget* parent, const char* name, const QString& text, QRect geometry,
                     const QString& accessibleName) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(QLatin1String(name));
    t->setGeometry(geometry);
    t->setFont(look::courierNew(8.25));
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setTabChangesFocus(true);
    t->setPlainText(text);
    t->setAccessibleName(accessibleName);
    return t;
}

} // namespace

Form2::Form2(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(u"Form2"_qs);
    setWindowTitle(u"Aide Mémoire"_qs);
    resize(twips(0, 0, 4695, 2685).size());
    setAttribute(Qt::WA_DeleteOnClose); // closing discards any edits

    const look::Font arial12{look::Face::Arial, 12};
    const look::LabelStyle title{arial12, Qt::white, look::MidGrey, true, Qt::AlignCenter};
    const look::LabelStyle column{arial12, Qt::black, look::LightGrey, true, Qt::AlignCenter};
    look::label(this, "Label34", u"Aide Memoire"_qs, twips(0, 0, 4695, 375), title);
    look::label(this, "Label26", u"réf longueur"_qs, twips(0, 360, 2295, 375), column);
    look::label(this, "Label20", u"Ferrure"_qs, twips(2400, 360, 2295, 375), column);

    // One card line per text line, each ended by a line feed (a trailing one too,
    // as the card was typed); the box shows the line breaks and keeps the text.
    const QStringList margins{u"1   = 1 L"_qs,          u"3/4 = 0.75 L"_qs,      u"1/2 = 0.5 L"_qs,
                              u"Enc = 0.25 L"_qs,       u"crt. Enc = 0.15 L"_qs, u"Tête = 0.1 L"_qs,
                              u"Crt. tête = 0.08 L"_qs, u"Nez = 0.05 L"_qs};
    const QStringList shoeing{QString(),         u"D4 --> -2s "_qs, u"sur Red k."_qs,
                              QString(13, u' '), u"DA ou DP "_qs,   u"-1s sur Red k."_qs};
    auto* Text1 = memo(this, "Text1", margins.join(u'\n') + u'\n', twips(0, 720, 2295, 1935),
                       u"Valeur des écarts en longueurs"_qs);
    auto* Text2 = memo(this, "Text2", shoeing.join(u'\n') + u'\n', twips(2400, 720, 2295, 1935),
                       u"Ferrure"_qs);
    setTabOrder(Text2, Text1);
    Text2->setFocus();
    addScaleCommand({Text1, Text2});
}

// "Barème…" (Ctrl+B): the card has no free space for a button, so the command sits
// in the context menus, the window's and each text's after its editing commands.
void Form2::addScaleCommand(const QList<QPlainTextEdit*>& texts) {
    auto* choose = new QAction(u"Barème…"_qs, this);
    choose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    choose->setShortcutContext(Qt::WindowShortcut);
    connect(choose, &QAction::triggered, this, [this] { chooseScale(state_, this); });
    addAction(choose);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QPlainTextEdit* text : texts) {
        text->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(text, &QWidget::customContextMenuRequested, text, [text, choose](QPoint at) {
            QMenu* menu = text->createStandardContextMenu(at);
            menu->addSeparator();
            menu->addAction(choose);
            menu->exec(text->mapToGlobal(at));
            delete menu;
        });
    }
}

void Form2::closeEvent(QCloseEvent* event) {
    if (mayCloseLastWindow(this))
        event->accept();
    else
        event->ignore();
}
