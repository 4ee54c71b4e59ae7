#include "arrivaldialog.h"

#include "chancesfit.h"

#include "numbers.h"

#include <numeric>

#include "arrival.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Number, Name, PlaceColumn, Margin, ColumnCount };

} // namespace

ArrivalDialog::ArrivalDialog(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    const RaceSheet& sheet = state_.raceDay().sheet;
    setWindowTitle(
        u"Arrivée — %1"_qs.arg(sheet.name.isEmpty() ? u"course du jour"_qs : sheet.name));
    auto* layout = new QVBoxLayout(this);
    auto* help =
        new QLabel(u"Place : 1, 2, 3…, ou D (disqualifié), A (arrêté), T (tombé), 0 (non "
                   "placé). Écart : sur le cheval placé juste devant, en longueurs (2, 1,5, "
                   "1 1/2, 3/4) ou en mots (nez, courte tête, tête, encolure…)."_qs,
                   this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* form = new QFormLayout;
    winner_ = new QLineEdit(this);
    winner_->setObjectName(u"TtempsGagnant"_qs);
    winner_->setAccessibleName(u"Temps du gagnant"_qs);
    winner_->setPlaceholderText(u"3'15\"40"_qs);
    form->addRow(u"&Temps du gagnant :"_qs, winner_);
    layout->addLayout(form);
    addTable(layout);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"&Enregistrer l'arrivée"_qs);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Annuler"_qs);
    connect(buttons, &QDialogButtonBox::accepted, this, &ArrivalDialog::record);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 160 + 30 * table_->rowCount());
}

void ArrivalDialog::addTable(QVBoxLayout* layout) {
    const RaceSheet& sheet = state_.raceDay().sheet;
    table_ = new QTableWidget(static_cast<int>(sheet.runners.size()), ColumnCount, this);
    table_->setObjectName(u"TableArrivee"_qs);
    table_->setAccessibleName(u"Place et écart de chaque partant"_qs);
    table_->setHorizontalHeaderLabels({u"N°"_qs, u"Cheval"_qs, u"Place"_qs, u"Écart"_qs});
    table_->verticalHeader()->hide();
    table_->setTabKeyNavigation(true);
    order_.resize(sheet.runners.size());
    std::iota(order_.begin(), order_.end(), size_t(0));
    const auto number = [&](size_t i) {
        return numbers::textToNumber(sheet.runners[i].number).value_or(1e9); // none: last
    };
    std::stable_sort(order_.begin(), order_.end(),
                     [&](size_t a, size_t b) { return number(a) < number(b); });
    for (int row = 0; row < table_->rowCount(); ++row) {
        const Runner& r = sheet.runners[order_[static_cast<size_t>(row)]];
        for (const auto& [column, text] : {std::pair{Number, r.number}, {Name, r.name}}) {
            // Not enabled, so that moving from cell to cell (Tab in an editor too)
            // passes over it; its text in the usual colour all the same.
            auto* item = new QTableWidgetItem(text);
            item->setFlags(Qt::NoItemFlags);
            item->setForeground(palette().text());
            table_->setItem(row, column, item);
        }
        table_->setItem(row, PlaceColumn, new QTableWidgetItem);
        table_->setItem(row, Margin, new QTableWidgetItem);
    }
    table_->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    // Tab goes from place to margin to the next runner's place: the number and
    // the name are read, never typed.
    table_->setTabKeyNavigation(false);
    table_->installEventFilter(this);
    if (table_->rowCount() > 0)
        table_->setCurrentCell(0, PlaceColumn);
    layout->addWidget(table_, 1);
}

bool ArrivalDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != table_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return QDialog::eventFilter(watched, event);
    // Place, margin, next place…; past the last margin, on to the buttons.
    const int step = key == Qt::Key_Tab ? 1 : -1;
    const int at = table_->currentRow() * 2 + (table_->currentColumn() == Margin ? 1 : 0) + step;
    if (at < 0 || at >= table_->rowCount() * 2)
        return QDialog::eventFilter(watched, event);
    table_->setCurrentCell(at / 2, at % 2 ? Margin : PlaceColumn);
    return true;
}

void ArrivalDialog::record() {
    std::vector<ArrivalEntry> entries(order_.size());
    for (int row = 0; row < table_->rowCount(); ++row)
        entries[order_[static_cast<size_t>(row)]] = {table_->item(row, PlaceColumn)->text(),
                                                     table_->item(row, Margin)->text()};
    if (!recordArrival(state_.history(), state_.raceDay().sheet, winner_->text(), entries,
                       state_.scale(), dialogs_))
        return;
    // A race more with its arrival: the chances' τ fitted on it too.
    if (const Refitted r = refitChances(state_, QDate::currentDate()); !r.message.isEmpty())
        dialogs_.warn(r.message);
    accept();
}
