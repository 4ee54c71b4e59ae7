#include "form1.h"

#include "listfile.h"
#include "look.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>

using look::twips;

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Chevaux avec leur Réduction kilometrique"));
    resize(twips(0, 0, 5895, 6015).size());
    setAttribute(Qt::WA_DeleteOnClose); // closing discards the unsaved lines
    // The toolkit's font at the size the layout was drawn for (8.25 pt).
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    const look::LabelStyle note{{look::Face::ArialRounded, 9},
                                look::DarkGrey,
                                {},
                                false,
                                Qt::AlignLeft | Qt::AlignTop,
                                true};
    const look::LabelStyle header{{look::Face::Arial, 8.25}, Qt::white, look::DarkGrey, true};
    look::label(this, "Label25",
                u"Pour la justesse de la liste n'ajouter que les réduction avec le chrono et pas "
                "avec le chrono + longueur"_qs,
                twips(120, 120, 5535, 495), note);
    look::label(this, "Label13", u"Reduction - distance - poids - cheval - Terrain "_qs,
                twips(120, 600, 5535, 375), header);

    auto* LstCheval = new QListView(this);
    LstCheval->setObjectName(QStringLiteral("LstCheval"));
    LstCheval->setGeometry(twips(120, 840, 5535, 4350));
    LstCheval->setUniformItemSizes(true); // lays out a million lines without measuring each
    LstCheval->setLayoutMode(QListView::Batched);
    LstCheval->setBatchSize(1000);
    LstCheval->setSelectionMode(QAbstractItemView::SingleSelection);
    LstCheval->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstCheval->setModel(&model_);
    LstCheval->setAccessibleName(u"Liste des chevaux"_qs);

    auto* charge = look::button(this, "bt_chargeliste", u"Charger la liste"_qs,
                                twips(240, 5280, 1095, 615), u"Charger le fichier de liste"_qs);
    auto* save =
        look::button(this, "btsave", u"Sauvegarder la liste"_qs, twips(1560, 5280, 1335, 615),
                     u"Sauvegarder la liste dans un fichier"_qs);
    auto* vide = look::button(this, "Bt_videliste", u"Vider la liste"_qs,
                              twips(3120, 5280, 1215, 615), u"Vider la liste"_qs);
    auto* videFichier =
        look::button(this, "Bt_videListefichier", u"Vider liste + fichier"_qs,
                     twips(4560, 5280, 1335, 615), u"Vider la liste et le fichier"_qs);
    // Captions on two lines where the button is narrow, as the original buttons wrap.
    charge->setText(u"Charger la\nliste"_qs);
    save->setText(u"Sauvegarder la\nliste"_qs);
    videFichier->setText(u"Vider liste +\nfichier"_qs);

    setTabOrder(videFichier, vide);
    setTabOrder(vide, charge);
    setTabOrder(charge, save);
    setTabOrder(save, LstCheval);

    connect(charge, &QPushButton::clicked, this, &Form1::bt_chargeliste_Click);
    connect(save, &QPushButton::clicked, this, &Form1::btsave_Click);
    connect(vide, &QPushButton::clicked, this, &Form1::Bt_videliste_Click);
    connect(videFichier, &QPushButton::clicked, this, &Form1::Bt_videListefichier_Click);

    videFichier->setFocus();
}

void Form1::addLine(const QString& line) {
    model_.add(line);
}

bool Form1::succeeded(const ListFileResult& result) {
    if (!result.ok)
        dialogs_.message(result.message, ApplicationTitle, Dialogs::Icon::Critical,
                         Dialogs::Buttons::Ok);
    return result.ok;
}

void Form1::bt_chargeliste_Click() {
    succeeded(model_.load(listFilePath()));
}

void Form1::btsave_Click() {
    if (succeeded(saveListFile(listFilePath(), model_.list())))
        dialogs_.message(u"Sauvegarde effectuée"_qs, u"Sauvegarde"_qs, Dialogs::Icon::Information,
                         Dialogs::Buttons::Ok);
}

void Form1::Bt_videliste_Click() {
    model_.clear();
}

void Form1::Bt_videListefichier_Click() {
    if (succeeded(emptyListFile(listFilePath()))) // otherwise the list stays as it was too
        model_.clear();
}
