#include "courses.h"

#include "places.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int RaceIndex = Qt::UserRole; // the race's place in races_

enum Column { Date, Hippodrome, Name, Runners, ColumnCount };

constexpr int SortKey = Qt::UserRole + 1;

// Sorts by the value kept under SortKey: a date as a date, a number as a number.
class Cell : public QTableWidgetItem {
  public:
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(SortKey), b = other.data(SortKey);
        if (a.isValid() && b.isValid())
            return QVariant::compare(a, b) == QPartialOrdering::Less;
        return QTableWidgetItem::operator<(other);
    }
};

// Shown as text (a date the French way), sorted by its value.
QTableWidgetItem* cell(const QVariant& value, size_t race) {
    auto* item = new Cell;
    item->setText(value.typeId() == QMetaType::QDate ? value.toDate().toString(u"dd/MM/yyyy"_qs)
                                                     : value.toString());
    item->setData(SortKey, value.typeId() == QMetaType::QString ? QVariant() : value);
    if (value.typeId() == QMetaType::Int)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setData(RaceIndex, static_cast<qulonglong>(race));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

Courses::Courses(AppState& state, QWidget* parent, const QString& folder)
    : QDialog(parent), state_(state), folder_(folder.isEmpty() ? places::archiveFolder() : folder) {
    setObjectName(u"Courses"_qs);
    setWindowTitle(u"Courses précédentes"_qs);
    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(u"Courses gardées dans %1"_qs.arg(places::shown(folder_)), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName(u"TabCourses"_qs);
    table_->setAccessibleName(u"Courses précédentes, la plus récente d'abord"_qs);
    table_->setHorizontalHeaderLabels({u"Date"_qs, u"Hippodrome"_qs, u"Course"_qs, u"Partants"_qs});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(u"&Ouvrir"_qs, QDialogButtonBox::AcceptRole);
    delete_ = buttons->addButton(u"&Supprimer…"_qs, QDialogButtonBox::ActionRole);
    buttons->addButton(u"Fermer"_qs, QDialogButtonBox::RejectRole);
    open_->setDefault(true);
    layout->addWidget(buttons);
    connect(open_, &QPushButton::clicked, this, &Courses::openChosen);
    connect(delete_, &QPushButton::clicked, this, &Courses::deleteChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &Courses::openChosen);
    auto* del = new QAction(this);
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(del, &QAction::triggered, this, &Courses::deleteChosen);
    addAction(del);
    resize(640, 420);
    fill();
}

void Courses::fill() {
    races_ = archivedRaces(folder_);
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(races_.size()));
    for (size_t i = 0; i < races_.size(); ++i) {
        const ArchivedRace& r = races_[i];
        const int row = static_cast<int>(i);
        table_->setItem(row, Date, cell(r.date.isValid() ? QVariant(r.date) : QVariant(), i));
        table_->setItem(row, Hippodrome, cell(r.hippodrome, i));
        const QString name =
            r.runners < 0 ? u"%1 (illisible)"_qs.arg(QFileInfo(r.path).fileName()) : r.name;
        table_->setItem(row, Name, cell(name, i));
        table_->setItem(row, Runners, cell(r.runners < 0 ? QVariant() : QVariant(r.runners), i));
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(Date, Qt::DescendingOrder); // the latest first
    table_->resizeColumnsToContents();
    if (!races_.empty())
        table_->selectRow(0);
    open_->setEnabled(!races_.empty());
    delete_->setEnabled(!races_.empty());
    table_->setFocus();
}

const ArchivedRace* Courses::chosen() const {
    const int row = table_->currentRow();
    if (row < 0 || !table_->item(row, 0))
        return nullptr;
    return &races_[table_->item(row, 0)->data(RaceIndex).toULongLong()];
}

void Courses::openChosen() {
    const ArchivedRace* race = chosen();
    if (race && openArchived(state_.raceDay(), *race, folder_, dialogs_)) {
        state_.sheetEdited();
        accept();
    }
}

void Courses::deleteChosen() {
    if (const ArchivedRace* race = chosen(); race && deleteArchived(*race, dialogs_))
        fill();
}
