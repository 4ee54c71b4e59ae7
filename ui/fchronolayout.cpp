// The main window's controls, as laid out from the start: captions, boxes,
// buttons, options, results and the keyboard's cycle. The handlers are bound in
// fchrono.cpp.
#include "fchrono.h"

#include "look.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

using namespace look;

namespace {

// clang-format off
// Label looks: the window's own letters (H, F1, F2, U1 to U3, R), and names for
// the looks it gives a single label.
const Face Arial = Face::Arial, Rounded = Face::ArialRounded;
const LabelStyle H{{Arial, 12}, Qt::white, MidGrey, true};    // section heading
const LabelStyle H11{{Arial, 11.25}, Qt::white, MidGrey, true}; // H at 11.25 pt: a question
const LabelStyle AutoHeading{{Arial, 11.25}, DarkGrey, LightGrey, true, Qt::AlignHCenter | Qt::AlignTop};
const LabelStyle F1{{Rounded, 9.75}, {}, LightGrey, true}; // field caption
const LabelStyle F2{{Arial, 9.75}, {}, LightGrey, true};   // field caption, plain face
const LabelStyle F1Small{{Rounded, 8.25}, {}, LightGrey, true};
const LabelStyle F2Small{{Arial, 8.25}, {}, LightGrey, true};
const LabelStyle U1{{Arial, 9.75}, {}, {}};         // unit
const LabelStyle U2{{Arial, 12}, Qt::black, {}};    // unit of a time
const LabelStyle U3{{Rounded, 9.75}, {}, {}};       // unit of the day's race
const LabelStyle Note{{Rounded, 9}, PaleGreen, {}, false, Qt::AlignHCenter | Qt::AlignTop, true};
const LabelStyle CallToAct{{Arial, 12}, Red, LightGrey, true, Qt::AlignHCenter | Qt::AlignTop};
const LabelStyle R{{Rounded, 9.75}, Qt::white, MidGrey, true, Qt::AlignLeft | Qt::AlignTop, true}; // result caption

struct StaticLabel {
    const char* name;
    const char* caption;
    const char* toolTip;
    QRect geometry;
    const LabelStyle& style;
};

const char* const NotFirst = "Le cheval n'a pas fini premier lors de sa course de référence";

const StaticLabel StaticLabels[] = {
    {"Label8", "1- Course de référence", "La course sur laquelle vous allez vous baser pour calculer son chrono du jour ou sa réduction", twips(240, 240, 5295, 375), H},
    {"Label1", "Distance", nullptr, twips(360, 720, 975, 255), F1},
    {"Label14", "Poids", nullptr, twips(1680, 720, 735, 255), F1},
    {"Label2", "Chrono", nullptr, twips(3120, 720, 1935, 255), F2},
    {"Label3", "m", nullptr, twips(1320, 1080, 255, 255), U1},
    {"Label10", "Kg", nullptr, twips(2400, 1080, 255, 255), U1},
    {"Label4", "m", nullptr, twips(3600, 1080, 255, 255), U2},
    {"Label5", "s", nullptr, twips(4320, 1080, 255, 255), U2},
    {"Label21", "c", nullptr, twips(5040, 1080, 255, 255), U2},
    {"Label32", "2- Distance et poids de la course du  jour", "Information sur la course du jour", twips(5760, 240, 5300, 375), H},
    {"Label16", "Distance", nullptr, twips(5880, 720, 1095, 255), F1},
    {"Label17", "Poids", nullptr, twips(7200, 720, 735, 255), F1},
    {"Label33", "m", nullptr, twips(6960, 1080, 495, 255), U3},
    {"Label15", "Kg", nullptr, twips(7920, 1080, 615, 255), U3},
    {"Label22", "L", nullptr, twips(4440, 2160, 255, 255), U1},
    {"Label29", "m", nullptr, twips(9000, 2160, 255, 255), U2},
    {"Label28", "s", nullptr, twips(9720, 2160, 255, 255), U2},
    {"Label27", "c", nullptr, twips(10440, 2160, 255, 255), U2},
    {"Label30", "Chrono estimé  pour la course du jour", nullptr, twips(360, 3360, 5175, 375), H},
    {"Label31", "Réduction Kilométrique du cheval (1000m)", nullptr, twips(5880, 3360, 5055, 375), H},
    {"Label18", "Son chrono pour la course du jour sera :", nullptr, twips(2160, 5520, 1935, 495), R},
    {"Label6", "Sa réduction pour la course Ref est  : ", nullptr, twips(5640, 5520, 2055, 495), R},
    {"Label11", "Ne pas remplir  si le calcul porte  uniquement de la réduction km", nullptr, twips(8400, 720, 2535, 735), Note},
    {"Label7", "3- A combien de longueur du 1er a t'il fini?", NotFirst, twips(240, 1560, 5295, 375), H11},
    {"Label19", "Nombre de longueur à rajouter ", nullptr, twips(360, 2040, 2655, 375), F1Small},
    {"Label13", "Calcule automatique du nouveau Chrono", NotFirst, twips(5760, 1560, 5295, 375), AutoHeading},
    {"Label23", "Nouveau Chrono (+ longueur)", nullptr, twips(5880, 2040, 2535, 375), F2Small},
    {"Label12", "4- Définissez sur quelle valeur doit être calculé le chrono et la réduction Kilométrique", NotFirst, twips(240, 2880, 10815, 375), H11},
    {"Label9", "Calculer le chrono estimé pour la course du jour et la réduction kilométrique du cheval", nullptr, twips(360, 4800, 10575, 495), CallToAct},
};

struct Box {
    const char* name;
    QRect geometry;
    const char* toolTip;
    const char* accessibleName;
    bool input; // otherwise display-only: only the program writes it
};

const Box Boxes[] = {
    {"Tdistance", twips(360, 960, 975, 375), "Saisir la distance du cheval  à analyser lors de sa course de référence", "Distance de la course de référence", true},
    {"Tpoids", twips(1680, 960, 735, 375), "Saisir le poid que portait le cheval lors de sa course réf au Format 00,00", "Poids de la course de référence", true},
    {"Tminute", twips(3120, 960, 495, 405), "Nombre de minute du chrono lors de sa course réf", "Chrono de la course de référence, minutes", true},
    {"Tseconde", twips(3840, 960, 495, 405), "Nombre de seconde du chrono lors de sa course réf", "Chrono de la course de référence, secondes", true},
    {"tcentieme", twips(4560, 960, 495, 405), "Nombre de minute du centieme lors de sa course réf", "Chrono de la course de référence, centièmes", true},
    {"Tdistance2", twips(5880, 960, 1095, 375), "Distance de la course du jour en mètre", "Distance de la course du jour", true},
    {"tpoids2", twips(7200, 960, 735, 375), "Poids que portera le cheval dans la course du jour format 00,0", "Poids de la course du jour", true},
    {"TNbrLongueur", twips(3720, 2040, 615, 375), "Format : 0,0", "Nombre de longueur à rajouter", true},
    {"TminuteL", twips(8520, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), minutes", false},
    {"TsecondeL", twips(9240, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), secondes", false},
    {"TcentiemeL", twips(9960, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), centièmes", false},
};

const char* const KeyboardCycle[] = {
    "Tdistance", "Tpoids", "Tminute", "Tseconde", "tcentieme", "Tdistance2", "tpoids2", "Btcalcul",
    "TNbrLongueur", "Opt_chronocj", "Opt_ChronocjL", "Bt_Ajoute", "Opt_chronok", "Opt_ChronokL", "Command1",
    // Our own commands, after the original cycle.
    "Bt_AjouteCourse", "Bt_Bareme",
};

// Thin black lines drawing an open box (no top) under each section, in twips.
const QRect Sections[] = {
    {240, 600, 5280, 840}, {5760, 600, 5280, 840}, {240, 1920, 5280, 600},
    {5760, 1920, 5280, 600}, {240, 3240, 10800, 1440}, {240, 4680, 10800, 1560},
};
// clang-format on

void addDecoration(QWidget* parent) {
    int n = 0;
    const auto line = [&](QRect r) {
        auto* f = new QFrame(parent);
        f->setObjectName(u"Line%1"_qs.arg(++n));
        f->setGeometry(r);
        setColours(f, QColor(), Qt::black);
        f->lower();
    };
    for (const QRect& s : Sections) {
        const QRect box = twips(s.x(), s.y(), s.width(), s.height());
        line(QRect(box.left(), box.top(), 1, box.height() + 1));
        line(QRect(box.left() + box.width(), box.top(), 1, box.height() + 1));
        line(QRect(box.left(), box.top() + box.height(), box.width() + 1, 1));
    }
}

void addLabels(QWidget* parent) {
    for (const StaticLabel& s : StaticLabels) {
        QLabel* l = label(parent, s.name, QString::fromUtf8(s.caption), s.geometry, s.style);
        if (s.toolTip)
            l->setToolTip(QString::fromUtf8(s.toolTip));
    }
}

QLineEdit* textBox(QWidget* parent, const Box& b) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(b.name));
    e->setGeometry(b.geometry);
    e->setFont(tahoma(9.75));
    setColours(e, b.input ? Green : DarkRed);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (b.toolTip)
        e->setToolTip(QString::fromUtf8(b.toolTip));
    e->setAccessibleName(QString::fromUtf8(b.accessibleName));
    e->setEnabled(b.input);
    return e;
}

QLabel* resultLabel(QWidget* parent, const char* name, QRect geometry, const QString& description) {
    const QColor white = parent->palette().color(QPalette::Base);
    auto* l = label(parent, name, QString(), geometry,
                    {{Face::Tahoma, 9.75}, Red, white, true, Qt::AlignRight | Qt::AlignVCenter});
    // The accessible name stays the label's text, so a screen reader reads the result.
    l->setAccessibleDescription(description);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    l->setEnabled(false);
    return l;
}

} // namespace

void Fchrono::setUpWindow() {
    setObjectName(u"Fchrono"_qs);
    setWindowTitle(u" Calcul Chrono et réduction kilometrique V1.3"_qs);
    setWindowIcon(QIcon(u":/orvanto.ico"_qs));
    resize(twips(0, 0, 11310, 6435).size());
    setColours(this, QColor(), Grey);
    addDecoration(this);
    addLabels(this);
}

void Fchrono::addBoxes() {
    for (const Box& b : Boxes)
        bind(b.name, textBox(this, b), nullptr);
    focusHandlers_ = {{
        {boxOf(&FchronoFields::TNbrLongueur), &FchronoLogic::TNbrLongueur_LostFocus},
        {boxOf(&FchronoFields::Tminute), &FchronoLogic::ReferenceTime_LostFocus},
        {boxOf(&FchronoFields::Tseconde), &FchronoLogic::ReferenceTime_LostFocus},
        {boxOf(&FchronoFields::tcentieme), &FchronoLogic::ReferenceTime_LostFocus},
        {boxOf(&FchronoFields::Tpoids), &FchronoLogic::Tpoids_LostFocus},
        {boxOf(&FchronoFields::tpoids2), &FchronoLogic::tpoids2_LostFocus},
    }};
    for (const FocusHandler& f : focusHandlers_)
        f.box->installEventFilter(this);
}

Fchrono::Commands Fchrono::addCommands() {
    auto* Command1 = button(this, "Command1", u"Voir"_qs, twips(3000, 2040, 495, 375));
    Command1->setAccessibleDescription(u"Aide mémoire des longueurs"_qs);
    auto* Btcalcul =
        button(this, "Btcalcul", u"Lancer le calcul !"_qs, twips(360, 5520, 1815, 495));
    Btcalcul->setFont(tahoma(9));
    auto* Bt_Ajoute = button(this, "Bt_Ajoute", u"Ajouter à la liste"_qs,
                             twips(9360, 5520, 1575, 495), u"Ajouter a la liste"_qs);
    Bt_Ajoute->setFont(tahoma(9));
    // In the free strip between the third and fourth sections.
    auto* Bt_AjouteCourse = button(
        this, "Bt_AjouteCourse", u"Ajouter à la course du jour"_qs, twips(7680, 2550, 3255, 300),
        u"Ajouter ce cheval et son chrono estimé à la course du jour, classée du plus "
        "rapide au plus lent (Ctrl+J)"_qs);
    Bt_AjouteCourse->setFont(tahoma(8.25));
    Bt_AjouteCourse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    // The scale, in the same strip: its command and the line naming it.
    auto* Bt_Bareme = button(this, "Bt_Bareme", u"Barème…"_qs, twips(360, 2550, 1095, 300),
                             u"Choisir le barème des longueurs et du poids (Ctrl+B)"_qs);
    Bt_Bareme->setFont(tahoma(8.25));
    LBareme_ =
        label(this, "LBareme", QString(), twips(1560, 2550, 6000, 300),
              {{Face::Tahoma, 8.25}, Qt::black, {}, false, Qt::AlignLeft | Qt::AlignVCenter});
    LBareme_->setToolTip(u"Le barème en vigueur : longueurs par seconde et poids"_qs);
    return {Btcalcul, Bt_Ajoute, Command1, Bt_AjouteCourse, Bt_Bareme};
}

void Fchrono::addOptions() {
    auto* Frame2 = frame(this, "Frame2", twips(360, 3720, 5175, 735),
                         u"Chrono estimé pour la course du jour"_qs, Grey);
    Opt_chronocj_ =
        option(Frame2, "Opt_chronocj", u"Le Chrono"_qs, twips(120, 360, 1695, 255), true, Grey);
    Opt_ChronocjL_ = option(Frame2, "Opt_ChronocjL", u"Le Chrono + Longueur"_qs,
                            twips(2160, 360, 2895, 255), false, Grey);
    auto* Frame1 = frame(this, "Frame1", twips(5880, 3720, 5055, 735),
                         u"Réduction Kilométrique du cheval"_qs, Grey);
    Opt_chronok_ =
        option(Frame1, "Opt_chronok", u"Le Chrono"_qs, twips(120, 360, 1455, 255), true, Grey);
    Opt_ChronokL_ = option(Frame1, "Opt_ChronokL", u"Le Chrono + Longueur"_qs,
                           twips(1680, 360, 3135, 255), false, Grey);
}

void Fchrono::addResults() {
    LresultDistance_ = resultLabel(this, "LresultDistance", twips(4200, 5640, 1335, 375),
                                   u"Son chrono pour la course du jour"_qs);
    bind("LresultDistance", nullptr, LresultDistance_);
    Lreduction_ = resultLabel(this, "Lreduction", twips(7800, 5640, 1335, 375),
                              u"Sa réduction pour la course de référence"_qs);
    bind("Lreduction", nullptr, Lreduction_);
}

// Tab goes through the reference and day's race boxes, then the commands.
QWidget* Fchrono::setKeyboardCycle() {
    QWidget* previous = nullptr;
    for (const char* name : KeyboardCycle) {
        auto* w = findChild<QWidget*>(QLatin1String(name));
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    return findChild<QWidget*>(QLatin1String(KeyboardCycle[0]));
}
