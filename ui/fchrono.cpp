#include "fchrono.h"

#include "addhorse.h"
#include "appwindows.h"
#include "bareme.h"
#include "coursedujour.h"
#include "form1.h"
#include "look.h"
#include "raceday.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

using namespace look;

Fchrono::Fchrono(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setUpWindow();
    addBoxes();
    const Commands commands = addCommands();
    addOptions();
    addResults();
    checkBindings();
    QWidget* first = setKeyboardCycle();
    connectHandlers(commands);

    logic_.Form_Load();
    logic_.fields.scale = state_.scale();
    logic_.fields.corrections = state_.corrections();
    push();
    connect(&state_, &AppState::changed, this, &Fchrono::followScale);
    first->setFocus();
}

void Fchrono::connectHandlers(const Commands& c) {
    connect(c.Btcalcul, &QPushButton::clicked, this, &Fchrono::calculate);
    connect(Opt_ChronokL_, &QRadioButton::clicked, this,
            [this] { run([this] { logic_.Opt_ChronokL_Click(dialogs_); }); });
    connect(Opt_ChronocjL_, &QRadioButton::clicked, this,
            [this] { run([this] { logic_.Opt_ChronocjL_Click(dialogs_); }); });
    connect(c.Command1, &QPushButton::clicked, this, [this] { showForm2(state_); });
    connect(c.Bt_Ajoute, &QPushButton::clicked, this, &Fchrono::addHorse);
    connect(c.Bt_AjouteCourse, &QPushButton::clicked, this, &Fchrono::addRunner);
    connect(c.Bt_Bareme, &QPushButton::clicked, this, [this] { chooseScale(state_, this); });
    // The scale's line and the results' marks follow every box as it is typed in;
    // Enter in any box calculates.
    for (const Binding& b : bindings_)
        if (b.box) {
            connect(b.box, &QLineEdit::textChanged, this, &Fchrono::followInputs);
            connect(b.box, &QLineEdit::returnPressed, this, &Fchrono::calculate);
        }
    for (QRadioButton* option : {Opt_chronok_, Opt_ChronokL_, Opt_chronocj_, Opt_ChronocjL_})
        connect(option, &QRadioButton::toggled, this, &Fchrono::followInputs);
    addWindowMenu();
}

// The window's context menu: our own windows, reached without a calculation.
void Fchrono::addWindowMenu() {
    auto* openList = new QAction(u"Ouvrir la liste des chevaux"_qs, this);
    openList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(openList, &QAction::triggered, this, [this] { showForm1(state_); });
    addAction(openList);
    auto* openCourse = new QAction(u"Ouvrir la course du jour"_qs, this);
    openCourse->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J));
    connect(openCourse, &QAction::triggered, this, [this] { showCourseDuJour(state_); });
    addAction(openCourse);
    auto* newHorse = new QAction(u"Nouveau cheval"_qs, this);
    newHorse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newHorse, &QAction::triggered, this, &Fchrono::startNewHorse);
    addAction(newHorse);
    auto* chooseScaleAction = new QAction(u"Barème…"_qs, this);
    chooseScaleAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(chooseScaleAction, &QAction::triggered, this, [this] { chooseScale(state_, this); });
    addAction(chooseScaleAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.setAccessibleName(u"Fenêtres d'Orvanto"_qs);
        menu.addActions(actions());
        menu.exec(mapToGlobal(at));
    });
}

void Fchrono::bind(const char* name, QLineEdit* box, QLabel* label) {
    for (const auto& field : FchronoFields::textFields)
        if (qstrcmp(field.name, name) == 0) {
            bindings_.push_back({field.member, box, label});
            return;
        }
    qFatal("Fchrono: control %s has no field", name);
}

QLineEdit* Fchrono::boxOf(QString FchronoFields::*field) const {
    for (const Binding& b : bindings_)
        if (b.field == field)
            return b.box;
    qFatal("Fchrono: no box for a field");
}

void Fchrono::checkBindings() const {
    // Every field has exactly one control; a field left out would silently keep
    // the logic's text.
    for (const auto& field : FchronoFields::textFields)
        if (std::count_if(bindings_.begin(), bindings_.end(),
                          [&](const Binding& b) { return b.field == field.member; }) != 1)
            qFatal("Fchrono: field %s is not bound to exactly one control", field.name);
}

void Fchrono::pull() {
    for (const Binding& b : bindings_)
        logic_.fields.*b.field = b.box ? b.box->text() : b.label->text();
    logic_.fields.Opt_chronok = Opt_chronok_->isChecked();
    logic_.fields.Opt_chronocj = Opt_chronocj_->isChecked();
}

void Fchrono::push() {
    for (const Binding& b : bindings_) {
        const QString& text = logic_.fields.*b.field;
        if (!b.box) {
            b.label->setText(text);
        } else if (b.box->text() != text) {
            b.box->setText(text);
            // A display-only box shows the start of a long time, as a text box does.
            if (!b.box->isEnabled())
                b.box->setCursorPosition(0);
        }
    }
    (logic_.fields.Opt_chronok ? Opt_chronok_ : Opt_ChronokL_)->setChecked(true);
    (logic_.fields.Opt_chronocj ? Opt_chronocj_ : Opt_ChronocjL_)->setChecked(true);
    followInputs();
}

void Fchrono::followInputs() {
    FchronoLogic now = logic_;
    for (const Binding& b : bindings_)
        now.fields.*b.field = b.box ? b.box->text() : b.label->text();
    now.fields.Opt_chronok = Opt_chronok_->isChecked();
    now.fields.Opt_chronocj = Opt_chronocj_->isChecked();
    LBareme_->setText(now.ScaleLine());
    markStale(LresultDistance_, now.EstimateIsStale(), u"Son chrono pour la course du jour"_qs);
    markStale(Lreduction_, now.ReductionIsStale(), u"Sa réduction pour la course de référence"_qs);
}

// The text stays, as before; greyed, with why in its tool tip and description.
void Fchrono::markStale(QLabel* label, bool stale, const QString& description) {
    look::setColours(label, stale ? look::MidGrey : look::Red);
    label->setToolTip(stale ? FchronoLogic::StaleText : QString());
    label->setAccessibleDescription(stale ? FchronoLogic::StaleText : description);
}

void Fchrono::followScale() {
    if (state_.scale() == logic_.fields.scale && state_.corrections() == logic_.fields.corrections)
        return;
    pull();
    logic_.fields.corrections = state_.corrections();
    if (state_.scale() != logic_.fields.scale)
        logic_.SetScale(state_.scale());
    push();
}

template <typename Handler> void Fchrono::run(Handler handler) {
    pull();
    handler();
    push();
}

void Fchrono::calculate() {
    pull();
    const QString correct = logic_.Btcalcul_Click(dialogs_);
    push();
    if (!correct.isEmpty())
        findChild<QLineEdit*>(correct)->setFocus(Qt::OtherFocusReason);
}

void Fchrono::addRunner() {
    pull();
    const AddedRunner added = Bt_AjouteCourse_Click(logic_, state_.raceDay(), state_.alsoList(),
                                                    dialogs_, state_.corrections());
    push(); // a calculation it ran first shows
    if (!added.correct.isEmpty())
        findChild<QLineEdit*>(added.correct)->setFocus(Qt::OtherFocusReason);
    if (added.listLine)
        showForm1(state_, false)->addLine(*added.listLine); // unsaved, as from "Ajouter à la liste"
    if (added.changed) {
        state_.sheetEdited();
        startNewHorse(); // nothing of this horse carried over to the next
    }
    if (added.showSheet) {
        // The sheet in view, the keyboard left here for the next horse.
        showCourseDuJour(state_, false);
        activateWindow();
    }
}

void Fchrono::startNewHorse() {
    logic_.NewHorse();
    push();
    findChild<QLineEdit*>(u"Tdistance"_qs)->setFocus(Qt::OtherFocusReason);
}

void Fchrono::addHorse() {
    pull();
    const AddedHorse added = Bt_Ajoute_Click(logic_, dialogs_);
    if (added.line) {
        // The list window asks about a line it holds already: once.
        showForm1(state_, false)->addLine(*added.line);
    }
    if (added.showList)
        showForm1(state_);
}

bool Fchrono::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only a move of the focus inside the window counts as leaving the box;
        // switching windows or opening a dialog does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            for (const FocusHandler& f : focusHandlers_)
                if (watched == f.box)
                    run([this, &f] { (logic_.*f.handler)(); });
    }
    return QWidget::eventFilter(watched, event);
}

void Fchrono::closeEvent(QCloseEvent* event) {
    if (mayCloseLastWindow(this))
        event->accept();
    else
        event->ignore();
}
