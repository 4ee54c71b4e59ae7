#include "fchrono.h"

#include "addhorse.h"
#include "form1.h"
#include "look.h"
#include "windows.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using look::twips;

namespace {

const QColor Grey(192, 192, 192);
const QColor LightGrey(224, 224, 224);
const QColor MidGrey(128, 128, 128);
const QColor DarkGrey(64, 64, 64);
const QColor Green(0, 192, 0);
const QColor DarkRed(192, 0, 0);
const QColor Red(255, 0, 0);
const QColor PaleGreen(128, 255, 128);

struct Box {
    const char* name;
    QRect geometry;
    const char* toolTip;
    const char* accessibleName;
};

// Input boxes (look A), in the order of the keyboard cycle up to tpoids2.
const Box InputBoxes[] = {
    {"Tdistance", twips(360, 960, 975, 375),
     "Saisir la distance du cheval  à analyser lors de sa course de référence",
     "Distance de la course de référence"},
    {"Tpoids", twips(1680, 960, 735, 375),
     "Saisir le poid que portait le cheval lors de sa course réf au Format 00,00",
     "Poids de la course de référence"},
    {"Tminute", twips(3120, 960, 495, 405), "Nombre de minute du chrono lors de sa course réf",
     "Chrono de la course de référence, minutes"},
    {"Tseconde", twips(3840, 960, 495, 405), "Nombre de seconde du chrono lors de sa course réf",
     "Chrono de la course de référence, secondes"},
    {"tcentieme", twips(4560, 960, 495, 405), "Nombre de minute du centieme lors de sa course réf",
     "Chrono de la course de référence, centièmes"},
    {"Tdistance2", twips(5880, 960, 1095, 375), "Distance de la course du jour en mètre",
     "Distance de la course du jour"},
    {"tpoids2", twips(7200, 960, 735, 375),
     "Poids que portera le cheval dans la course du jour format 00,0",
     "Poids de la course du jour"},
    {"TNbrLongueur", twips(3720, 2040, 615, 375), "Format : 0,0", "Nombre de longueur à rajouter"},
};

// Display-only boxes (look B).
const Box DisplayBoxes[] = {
    {"TminuteL", twips(8520, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), minutes"},
    {"TsecondeL", twips(9240, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), secondes"},
    {"TcentiemeL", twips(9960, 2040, 495, 405), nullptr, "Nouveau Chrono (+ longueur), centièmes"},
};

enum Look { H, F1, F2, U1, U2, U3, R };

struct StaticLabel {
    const char* name;
    const char* caption;
    const char* toolTip;
    QRect geometry;
    Look look;
};

const char* const NotFirst = "Le cheval n'a pas fini premier lors de sa course de référence";

const StaticLabel StaticLabels[] = {
    {"Label8", "1- Course de référence",
     "La course sur laquelle vous allez vous baser pour calculer son chrono du jour ou sa "
     "réduction",
     twips(240, 240, 5295, 375), H},
    {"Label1", "Distance", nullptr, twips(360, 720, 975, 255), F1},
    {"Label14", "Poids", nullptr, twips(1680, 720, 735, 255), F1},
    {"Label2", "Chrono", nullptr, twips(3120, 720, 1935, 255), F2},
    {"Label3", "m", nullptr, twips(1320, 1080, 255, 255), U1},
    {"Label10", "Kg", nullptr, twips(2400, 1080, 255, 255), U1},
    {"Label4", "m", nullptr, twips(3600, 1080, 255, 255), U2},
    {"Label5", "s", nullptr, twips(4320, 1080, 255, 255), U2},
    {"Label21", "c", nullptr, twips(5040, 1080, 255, 255), U2},
    {"Label32", "2- Distance et poids de la course du  jour", "Information sur la course du jour",
     twips(5760, 240, 5300, 375), H},
    {"Label16", "Distance", nullptr, twips(5880, 720, 1095, 255), F1},
    {"Label17", "Poids", nullptr, twips(7200, 720, 735, 255), F1},
    {"Label33", "m", nullptr, twips(6960, 1080, 495, 255), U3},
    {"Label15", "Kg", nullptr, twips(7920, 1080, 615, 255), U3},
    {"Label22", "L", nullptr, twips(4440, 2160, 255, 255), U1},
    {"Label29", "m", nullptr, twips(9000, 2160, 255, 255), U2},
    {"Label28", "s", nullptr, twips(9720, 2160, 255, 255), U2},
    {"Label27", "c", nullptr, twips(10440, 2160, 255, 255), U2},
    {"Label30", "Chrono estimé  pour la course du jour", nullptr, twips(360, 3360, 5175, 375), H},
    {"Label31", "Réduction Kilométrique du cheval (1000m)", nullptr, twips(5880, 3360, 5055, 375),
     H},
    {"Label18", "Son chrono pour la course du jour sera :", nullptr, twips(2160, 5520, 1935, 495),
     R},
    {"Label6", "Sa réduction pour la course Ref est  : ", nullptr, twips(5640, 5520, 2055, 495), R},
};

void addStaticLabel(QWidget* parent, const StaticLabel& s) {
    const QString caption = QString::fromUtf8(s.caption);
    QLabel* l = nullptr;
    switch (s.look) {
    case H:
        l = look::label(parent, s.name, caption, s.geometry, look::arial(12), Qt::white, MidGrey,
                        true);
        break;
    case F1:
        l = look::label(parent, s.name, caption, s.geometry, look::arialRounded(9.75), QColor(),
                        LightGrey, true);
        break;
    case F2:
        l = look::label(parent, s.name, caption, s.geometry, look::arial(9.75), QColor(), LightGrey,
                        true);
        break;
    case U1:
        l = look::label(parent, s.name, caption, s.geometry, look::arial(9.75));
        break;
    case U2:
        l = look::label(parent, s.name, caption, s.geometry, look::arial(12), Qt::black);
        break;
    case U3:
        l = look::label(parent, s.name, caption, s.geometry, look::arialRounded(9.75));
        break;
    case R:
        l = look::label(parent, s.name, caption, s.geometry, look::arialRounded(9.75), Qt::white,
                        MidGrey, true);
        l->setWordWrap(true);
        break;
    }
    if (s.toolTip)
        l->setToolTip(QString::fromUtf8(s.toolTip));
}

// Thin black lines drawing an open box (no top) under each section.
void addDecoration(QWidget* parent) {
    struct Section {
        int left, right, top, bottom;
    };
    const Section sections[] = {
        {240, 5520, 600, 1440},    {5760, 11040, 600, 1440}, {240, 5520, 1920, 2520},
        {5760, 11040, 1920, 2520}, {240, 11040, 3240, 4680}, {240, 11040, 4680, 6240},
    };
    int n = 0;
    const auto line = [&](QRect r) {
        auto* f = new QFrame(parent);
        f->setObjectName(QStringLiteral("Line%1").arg(++n));
        f->setGeometry(r);
        look::setColours(f, QColor(), Qt::black);
        f->lower();
    };
    for (const Section& s : sections) {
        const QRect box = twips(s.left, s.top, s.right - s.left, s.bottom - s.top);
        line(QRect(box.left(), box.top(), 1, box.height() + 1));
        line(QRect(box.left() + box.width(), box.top(), 1, box.height() + 1));
        line(QRect(box.left(), box.top() + box.height(), box.width() + 1, 1));
    }
}

QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, QRect geometry,
                     bool selected, const QString& accessibleName) {
    auto* o = new QRadioButton(caption, frame);
    o->setObjectName(QLatin1String(name));
    o->setGeometry(geometry);
    o->setFont(look::tahoma(9));
    look::setColours(o, QColor(), Grey);
    o->setChecked(selected);
    o->setAccessibleName(accessibleName);
    return o;
}

QGroupBox* frame(QWidget* parent, const char* name, QRect geometry, const QString& accessibleName) {
    auto* f = new QGroupBox(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(geometry);
    f->setAccessibleName(accessibleName);
    look::setColours(f, QColor(), Grey);
    return f;
}

QLineEdit* box(QWidget* parent, const Box& b, const QColor& text) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(b.name));
    e->setGeometry(b.geometry);
    e->setFont(look::tahoma(9.75));
    look::setColours(e, text);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (b.toolTip)
        e->setToolTip(QString::fromUtf8(b.toolTip));
    e->setAccessibleName(QString::fromUtf8(b.accessibleName));
    return e;
}

QLabel* resultLabel(QWidget* parent, const char* name, QRect geometry, const QString& description) {
    auto* l = look::label(parent, name, QString(), geometry, look::tahoma(9.75), Red,
                          parent->palette().color(QPalette::Base), true);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The accessible name stays the label's text, so a screen reader reads the result.
    l->setAccessibleDescription(description);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    l->setEnabled(false);
    return l;
}

} // namespace

Fchrono::Fchrono(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Fchrono"));
    setWindowTitle(QStringLiteral(" Calcul Chrono et réduction kilometrique V1.3"));
    setWindowIcon(QIcon(QStringLiteral(":/orvanto.ico")));
    resize(twips(0, 0, 11310, 6435).size());
    look::setColours(this, QColor(), Grey);

    addDecoration(this);
    for (const StaticLabel& s : StaticLabels)
        addStaticLabel(this, s);
    // Section labels with a look of their own.
    auto* label11 = look::label(
        this, "Label11", u"Ne pas remplir  si le calcul porte  uniquement de la réduction km"_qs,
        twips(8400, 720, 2535, 735), look::arialRounded(9), PaleGreen);
    label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label11->setWordWrap(true);
    auto* label7 =
        look::label(this, "Label7", u"3- A combien de longueur du 1er a t'il fini?"_qs,
                    twips(240, 1560, 5295, 375), look::arial(11.25), Qt::white, MidGrey, true);
    label7->setToolTip(QString::fromUtf8(NotFirst));
    look::label(this, "Label19", u"Nombre de longueur à rajouter "_qs, twips(360, 2040, 2655, 375),
                look::arialRounded(8.25), QColor(), LightGrey, true);
    auto* label13 =
        look::label(this, "Label13", u"Calcule automatique du nouveau Chrono"_qs,
                    twips(5760, 1560, 5295, 375), look::arial(11.25), DarkGrey, LightGrey, true);
    label13->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label13->setToolTip(QString::fromUtf8(NotFirst));
    look::label(this, "Label23", u"Nouveau Chrono (+ longueur)"_qs, twips(5880, 2040, 2535, 375),
                look::arial(8.25), QColor(), LightGrey, true);
    auto* label12 = look::label(
        this, "Label12",
        u"4- Définissez sur quelle valeur doit être calculé le chrono et la réduction Kilométrique"_qs,
        twips(240, 2880, 10815, 375), look::arial(11.25), Qt::white, MidGrey, true);
    label12->setToolTip(QString::fromUtf8(NotFirst));
    look::label(
        this, "Label9",
        u"Calculer le chrono estimé pour la course du jour et la réduction kilométrique du cheval"_qs,
        twips(360, 4800, 10575, 495), look::arial(12), Red, LightGrey, true)
        ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    QList<QWidget*> cycle;
    for (const Box& b : InputBoxes)
        cycle.append(box(this, b, Green));
    for (const Box& b : DisplayBoxes)
        box(this, b, DarkRed)->setEnabled(false); // only the program writes the time with lengths
    for (const char* name : {"TNbrLongueur", "Tpoids", "tpoids2"})
        findChild<QLineEdit*>(QLatin1String(name))->installEventFilter(this);

    auto* Command1 = look::button(this, "Command1", u"Voir"_qs, twips(3000, 2040, 495, 375));
    Command1->setAccessibleDescription(u"Aide mémoire des longueurs"_qs);
    auto* Btcalcul =
        look::button(this, "Btcalcul", u"Lancer le calcul !"_qs, twips(360, 5520, 1815, 495));
    Btcalcul->setFont(look::tahoma(9));
    auto* Bt_Ajoute = look::button(this, "Bt_Ajoute", u"Ajouter à la liste"_qs,
                                   twips(9360, 5520, 1575, 495), u"Ajouter a la liste"_qs);
    Bt_Ajoute->setFont(look::tahoma(9));

    const QString dayRace = u"Chrono estimé pour la course du jour"_qs;
    const QString reduction = u"Réduction Kilométrique du cheval"_qs;
    auto* Frame2 = frame(this, "Frame2", twips(360, 3720, 5175, 735), dayRace);
    Opt_chronocj_ = option(Frame2, "Opt_chronocj", u"Le Chrono"_qs, twips(120, 360, 1695, 255),
                           true, dayRace + u" : Le Chrono"_qs);
    Opt_ChronocjL_ =
        option(Frame2, "Opt_ChronocjL", u"Le Chrono + Longueur"_qs, twips(2160, 360, 2895, 255),
               false, dayRace + u" : Le Chrono + Longueur"_qs);
    auto* Frame1 = frame(this, "Frame1", twips(5880, 3720, 5055, 735), reduction);
    Opt_chronok_ = option(Frame1, "Opt_chronok", u"Le Chrono"_qs, twips(120, 360, 1455, 255), true,
                          reduction + u" : Le Chrono"_qs);
    Opt_ChronokL_ =
        option(Frame1, "Opt_ChronokL", u"Le Chrono + Longueur"_qs, twips(1680, 360, 3135, 255),
               false, reduction + u" : Le Chrono + Longueur"_qs);

    resultLabel(this, "LresultDistance", twips(4200, 5640, 1335, 375),
                u"Son chrono pour la course du jour"_qs);
    resultLabel(this, "Lreduction", twips(7800, 5640, 1335, 375),
                u"Sa réduction pour la course de référence"_qs);

    // Keyboard cycle: the seven reference and day's race boxes, then the commands.
    QLineEdit* margin = qobject_cast<QLineEdit*>(cycle.takeLast());
    cycle += {Btcalcul,  margin,       Opt_chronocj_, Opt_ChronocjL_,
              Bt_Ajoute, Opt_chronok_, Opt_ChronokL_, Command1};
    for (int i = 0; i + 1 < cycle.size(); ++i)
        setTabOrder(cycle[i], cycle[i + 1]);

    connect(Btcalcul, &QPushButton::clicked, this,
            [this] { run([this] { logic_.Btcalcul_Click(dialogs_); }); });
    connect(Opt_ChronokL_, &QRadioButton::clicked, this,
            [this] { run([this] { logic_.Opt_ChronokL_Click(dialogs_); }); });
    connect(Opt_ChronocjL_, &QRadioButton::clicked, this,
            [this] { run([this] { logic_.Opt_ChronocjL_Click(dialogs_); }); });
    connect(Command1, &QPushButton::clicked, this, [] { showForm2(); });
    connect(Bt_Ajoute, &QPushButton::clicked, this, [this] {
        pull();
        const AddedHorse added = Bt_Ajoute_Click(logic_.fields, dialogs_);
        if (added.line)
            showForm1(false)->addLine(*added.line);
        if (added.showList)
            showForm1();
    });

    logic_.Form_Load();
    push();
    cycle.first()->setFocus();
}

void Fchrono::pull() {
    for (const auto& field : FchronoFields::textFields) {
        const QString name = QLatin1String(field.name);
        if (auto* e = findChild<QLineEdit*>(name))
            logic_.fields.*field.member = e->text();
        else if (auto* l = findChild<QLabel*>(name))
            logic_.fields.*field.member = l->text();
    }
    logic_.fields.Opt_chronok = Opt_chronok_->isChecked();
    logic_.fields.Opt_chronocj = Opt_chronocj_->isChecked();
}

void Fchrono::push() {
    for (const auto& field : FchronoFields::textFields) {
        const QString name = QLatin1String(field.name);
        const QString& text = logic_.fields.*field.member;
        if (auto* e = findChild<QLineEdit*>(name)) {
            if (e->text() != text)
                e->setText(text);
        } else if (auto* l = findChild<QLabel*>(name)) {
            l->setText(text);
        }
    }
    (logic_.fields.Opt_chronok ? Opt_chronok_ : Opt_ChronokL_)->setChecked(true);
    (logic_.fields.Opt_chronocj ? Opt_chronocj_ : Opt_ChronocjL_)->setChecked(true);
}

template <typename Handler> void Fchrono::run(Handler handler) {
    pull();
    handler();
    push();
}

bool Fchrono::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only a move of the focus inside the window counts as leaving the box;
        // switching windows or opening a dialog does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const QString name = watched->objectName();
            if (name == u"TNbrLongueur")
                run([this] { logic_.TNbrLongueur_LostFocus(); });
            else if (name == u"Tpoids")
                run([this] { logic_.Tpoids_LostFocus(); });
            else if (name == u"tpoids2")
                run([this] { logic_.tpoids2_LostFocus(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}
