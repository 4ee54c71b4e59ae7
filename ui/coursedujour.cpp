#include "coursedujour.h"

#include "racetable.h"

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int SortKey = Qt::UserRole;         // what a column sorts by
constexpr int RunnerIndex = Qt::UserRole + 1; // the runner's place in the sheet

// Sorts by the number or text kept under SortKey, so that "10" comes after "9"
// and times sort as times.
class Cell : public QTableWidgetItem {
  public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(SortKey), b = other.data(SortKey);
        if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double)
            return a.toDouble() < b.toDouble();
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
            return a.typeId() == QMetaType::Double; // numbers before empty cells
        return QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

// A cell's number, for sorting: the French decimal comma read as a point.
QVariant numberOf(const QString& text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? QVariant(value) : QVariant(text);
}

} // namespace

CourseDuJour::CourseDuJour(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), day_(state.raceDay()) {
    setObjectName(QStringLiteral("CourseDuJour"));
    setWindowTitle(QStringLiteral("Course du jour"));
    setWindowIcon(QIcon(QStringLiteral(":/orvanto.ico")));
    setAttribute(Qt::WA_DeleteOnClose); // the sheet itself stays, in the logic and its file
    auto* layout = new QVBoxLayout(this);
    addRaceBoxes(layout);
    addTable(layout);
    addCommands(layout);
    resize(980, 380);
    refresh();
    connect(&state_, &AppState::changed, this, &CourseDuJour::refresh);
}

void CourseDuJour::addRaceBoxes(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("&Course :"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("TnomCourse"));
    name_->setAccessibleName(QStringLiteral("Nom de la course"));
    name_->setPlaceholderText(QStringLiteral("nom de la course (facultatif)"));
    nameLabel->setBuddy(name_);
    auto* dateLabel = new QLabel(QStringLiteral("&Date :"), this);
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("TdateCourse"));
    date_->setAccessibleName(QStringLiteral("Date de la course"));
    date_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date_->setCalendarPopup(true);
    dateLabel->setBuddy(date_);
    distance_ = new QLabel(this);
    distance_->setObjectName(QStringLiteral("LdistanceCourse"));
    row->addWidget(nameLabel);
    row->addWidget(name_, 1);
    row->addWidget(dateLabel);
    row->addWidget(date_);
    row->addSpacing(12);
    row->addWidget(distance_);
    layout->addLayout(row);
    connect(name_, &QLineEdit::editingFinished, this, &CourseDuJour::raceEdited);
    connect(date_, &QDateEdit::dateChanged, this, &CourseDuJour::raceEdited);
}

void CourseDuJour::addTable(QVBoxLayout* layout) {
    table_ = new QTableWidget(0, racetable::ColumnCount, this);
    table_->setObjectName(QStringLiteral("TabCourse"));
    table_->setAccessibleName(QStringLiteral("Partants, du plus rapide au plus lent"));
    table_->setHorizontalHeaderLabels(racetable::header());
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->horizontalHeader()->setSectionsClickable(true);
    // Fastest first until the user sorts by another column.
    table_->horizontalHeader()->setSortIndicator(racetable::Rank, Qt::AscendingOrder);
    table_->horizontalHeader()->setToolTip(QStringLiteral("Cliquer sur un titre trie le tableau"));
    layout->addWidget(table_, 1);

    const auto action = [this](const QString& text, const QKeySequence& keys, auto handler) {
        auto* a = new QAction(text, this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, handler);
        addAction(a);
        return a;
    };
    remove_ = action(QStringLiteral("Retirer le cheval"), QKeySequence(Qt::Key_Delete),
                     &CourseDuJour::removeSelected);
    copy_ = action(QStringLiteral("Copier"), QKeySequence::Copy, &CourseDuJour::copyRows);
    export_ = action(QStringLiteral("Exporter en CSV…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                     &CourseDuJour::exportCsv);
    newRace_ = action(QStringLiteral("Nouvelle course"), QKeySequence(Qt::CTRL | Qt::Key_N),
                      &CourseDuJour::startNewRace);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, &CourseDuJour::showMenu);
}

void CourseDuJour::addCommands(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* help = new QLabel(
        QStringLiteral("Écart en longueurs au barème de chaque cheval (colonne « Barème »). Suppr "
                       "retire le cheval "
                       "choisi ; Ctrl+C copie le tableau (ou les lignes choisies) pour un "
                       "tableur."),
        this);
    help->setWordWrap(true);
    row->addWidget(help, 1);
    for (QAction* a : {newRace_, export_}) {
        auto* b = new QPushButton(a->text(), this);
        b->setToolTip(a->text() + u" ("_qs + a->shortcut().toString(QKeySequence::NativeText) +
                      u')');
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
        row->addWidget(b);
    }
    layout->addLayout(row);
}

void CourseDuJour::refresh() {
    const RaceSheet& sheet = day_.sheet;
    const QSignalBlocker blockName(name_), blockDate(date_);
    name_->setText(sheet.name);
    date_->setDate(sheet.date.isValid() ? sheet.date : QDate::currentDate());
    distance_->setText(sheet.runners.empty()
                           ? QStringLiteral("Distance : (celle du premier cheval ajouté)")
                           : QStringLiteral("Distance : %1 m").arg(sheet.distance()));

    const int sortColumn = table_->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder order = table_->horizontalHeader()->sortIndicatorOrder();
    table_->setSortingEnabled(false);
    const std::vector<RankedRunner> ranked = ::ranked(sheet);
    const std::vector<QStringList> rows = racetable::rows(sheet);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        fillRow(static_cast<int>(i), rows[i], ranked[i]);
    table_->resizeColumnsToContents();
    // Room for the sort arrow beside each title.
    for (int c = 0; c < racetable::ColumnCount; ++c)
        table_->setColumnWidth(c, table_->columnWidth(c) + 14);
    table_->setSortingEnabled(true);
    table_->sortByColumn(sortColumn, order);
    const bool any = !rows.empty();
    copy_->setEnabled(any);
    export_->setEnabled(any);
    remove_->setEnabled(any);
}

void CourseDuJour::fillRow(int row, const QStringList& cells, const RankedRunner& ranked) {
    const Runner& runner = day_.sheet.runners[ranked.index];
    for (int c = 0; c < racetable::ColumnCount; ++c) {
        auto* item = new Cell(cells[c]);
        switch (c) {
        case racetable::Name:
        case racetable::Going:
        case racetable::EstimateTime:
        case racetable::ReductionTime:
        case racetable::Scale:
            item->setData(SortKey, cells[c]);
            break;
        case racetable::Estimate:
            item->setData(SortKey, runner.estimateHundredths);
            break;
        case racetable::Reduction:
            item->setData(SortKey, numberOf(cells[racetable::ReductionSeconds]));
            break;
        default:
            item->setData(SortKey, numberOf(cells[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        item->setData(RunnerIndex, static_cast<qulonglong>(ranked.index));
        table_->setItem(row, c, item);
    }
}

void CourseDuJour::showMenu(const QPoint& position) {
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Commandes de la course du jour"));
    menu.addActions({remove_, copy_, export_});
    menu.addSeparator();
    menu.addAction(newRace_);
    menu.exec(table_->viewport()->mapToGlobal(position));
}

void CourseDuJour::raceEdited() {
    if (renameRace(day_, name_->text(), date_->date(), dialogs_))
        state_.sheetEdited();
}

std::vector<size_t> CourseDuJour::selectedRunners() const {
    std::vector<size_t> out;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, 0) && table_->item(row, 0)->isSelected())
            out.push_back(table_->item(row, 0)->data(RunnerIndex).toULongLong());
    return out;
}

void CourseDuJour::removeSelected() {
    removeRunners(day_, selectedRunners(), dialogs_);
    state_.sheetEdited();
}

void CourseDuJour::startNewRace() {
    if (newRace(day_, dialogs_))
        state_.sheetEdited();
}

void CourseDuJour::copyRows() {
    // The rows as the table shows them: its order, the chosen ones or every one.
    std::vector<QStringList> rows;
    const std::vector<size_t> chosen = selectedRunners();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const size_t index = table_->item(row, 0)->data(RunnerIndex).toULongLong();
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), index) == chosen.end())
            continue;
        QStringList cells;
        for (int c = 0; c < racetable::ColumnCount; ++c)
            cells << table_->item(row, c)->text();
        rows.push_back(cells);
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), racetable::clipboardText(rows));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CourseDuJour::exportCsv() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exporter en CSV"),
                                     QDir(documents).filePath(QStringLiteral("course-du-jour.csv")),
                                     QStringLiteral("Fichiers CSV (*.csv)"));
    if (path.isEmpty())
        return;
    exportRaceDay(day_, path, dialogs_);
}
