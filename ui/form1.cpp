#include "form1.h"

#include "listline.h"
#include "look.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyledItemDelegate>

using look::twips;

namespace {

// Entries not yet saved in italics, so that saved and unsaved ones look apart.
class UnsavedInItalics : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(HorseListModel::UnsavedRole).toBool())
            option->font.setItalic(true);
    }
};

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setUpWindow();
    addLabels();
    LstCheval_ = addList();
    const Buttons b = addButtons();
    setTabOrder(b.videFichier, b.vide);
    setTabOrder(b.vide, b.charge);
    setTabOrder(b.charge, b.save);
    setTabOrder(b.save, LstCheval_);
    connectHandlers(b);
    addListActions();
    b.videFichier->setFocus();
}

void Form1::setUpWindow() {
    setObjectName(u"Form1"_qs);
    setWindowTitle(u"Chevaux avec leur Réduction kilometrique"_qs);
    resize(twips(0, 0, 5895, 6015).size());
    setAttribute(Qt::WA_DeleteOnClose); // the next use starts with an empty list
    // The toolkit's font at the size the layout was drawn for (8.25 pt).
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);
}

void Form1::addLabels() {
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
}

QListView* Form1::addList() {
    auto* LstCheval = new QListView(this);
    LstCheval->setObjectName(u"LstCheval"_qs);
    LstCheval->setGeometry(twips(120, 840, 5535, 4350));
    LstCheval->setUniformItemSizes(true); // lays out a million lines without measuring each
    LstCheval->setLayoutMode(QListView::Batched);
    LstCheval->setBatchSize(1000);
    LstCheval->setSelectionMode(QAbstractItemView::SingleSelection);
    LstCheval->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstCheval->setModel(&logic_.model());
    LstCheval->setItemDelegate(new UnsavedInItalics(LstCheval));
    LstCheval->setAccessibleName(u"Liste des chevaux"_qs);
    return LstCheval;
}

Form1::Buttons Form1::addButtons() {
    // Captions on two lines where the button is narrow, as the original buttons wrap;
    // the accessible names keep the plain captions.
    const auto button = [this](const char* name, const QString& caption, QRect geometry,
                               const QString& toolTip, const QString& shown) {
        QPushButton* b = look::button(this, name, caption, geometry, toolTip);
        b->setText(shown);
        return b;
    };
    return {
        button("bt_chargeliste", u"Charger la liste"_qs, twips(240, 5280, 1095, 615),
               u"Charger le fichier de liste"_qs, u"Charger la\nliste"_qs),
        button("btsave", u"Sauvegarder la liste"_qs, twips(1560, 5280, 1335, 615),
               u"Sauvegarder la liste dans un fichier"_qs, u"Sauvegarder la\nliste"_qs),
        button("Bt_videliste", u"Vider la liste"_qs, twips(3120, 5280, 1215, 615),
               u"Vider la liste"_qs, u"Vider la liste"_qs),
        button("Bt_videListefichier", u"Vider liste + fichier"_qs, twips(4560, 5280, 1335, 615),
               u"Vider la liste et le fichier"_qs, u"Vider liste +\nfichier"_qs),
    };
}

void Form1::connectHandlers(const Buttons& b) {
    connect(b.charge, &QPushButton::clicked, this, [this] { logic_.bt_chargeliste_Click(); });
    connect(b.save, &QPushButton::clicked, this, [this] { (void)logic_.btsave_Click(); });
    connect(b.vide, &QPushButton::clicked, this, [this] { logic_.Bt_videliste_Click(); });
    connect(b.videFichier, &QPushButton::clicked, this,
            [this] { logic_.Bt_videListefichier_Click(); });
}

void Form1::addListActions() {
    const auto action = [this](const QString& text, const QKeySequence& keys, auto handler) {
        auto* a = new QAction(text, LstCheval_);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, handler);
        LstCheval_->addAction(a);
        return a;
    };
    copy_ = action(u"Copier"_qs, QKeySequence::Copy, &Form1::copyEntries);
    export_ = action(u"Exporter en CSV…"_qs, QKeySequence(), &Form1::exportCsv);
    correct_ = action(u"Modifier le nom ou le terrain…"_qs, QKeySequence(Qt::Key_F2),
                      &Form1::correctEntry);
    remove_ = action(u"Retirer la ligne"_qs, QKeySequence(Qt::Key_Delete), &Form1::removeEntry);
    card_ = action(u"Fiche du cheval…"_qs, QKeySequence(Qt::CTRL | Qt::Key_H), [this] {
        const int row = selectedRow();
        const auto entry = row < 0 ? std::nullopt : ListEntry::parse(logic_.model().list().at(row));
        emit horseCardRequested(entry ? entry->name.trimmed() : QString());
    });
    LstCheval_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LstCheval_, &QWidget::customContextMenuRequested, this, &Form1::showListMenu);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&logic_.model(), signal, this, &Form1::updateListActions);
    connect(&logic_.model(), &QAbstractItemModel::modelReset, this, &Form1::updateListActions);
    connect(LstCheval_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::updateListActions);
    updateListActions();
}

// Disabled when they cannot act.
void Form1::updateListActions() {
    const bool any = logic_.model().rowCount() > 0;
    copy_->setEnabled(any);
    export_->setEnabled(any);
    remove_->setEnabled(selectedRow() >= 0);
    correct_->setEnabled(selectedRow() >= 0);
    card_->setEnabled(selectedRow() >= 0);
}

void Form1::showListMenu(const QPoint& position) {
    updateListActions();
    QMenu menu(this);
    menu.setAccessibleName(u"Commandes de la liste des chevaux"_qs);
    menu.addActions({copy_, export_, correct_, remove_});
    menu.addSeparator();
    menu.addAction(card_);
    menu.exec(LstCheval_->viewport()->mapToGlobal(position));
}

int Form1::selectedRow() const {
    const QModelIndexList selected = LstCheval_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void Form1::copyEntries() {
    auto* data = new QMimeData;
    // Plain text in UTF-8: the toolkit decodes it only when it is pasted.
    data->setData(u"text/plain"_qs, logic_.CopyEntries(selectedRow()));
    QGuiApplication::clipboard()->setMimeData(data);
}

void Form1::exportCsv() {
    const QString path = chosenCsvPath(this, u"Exporter en CSV"_qs, u"chevaux.csv"_qs);
    if (path.isEmpty())
        return;
    logic_.ExportCsv(path);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (logic_.QueryClose())
        event->accept();
    else
        event->ignore();
}
