#include "horsecard.h"

#include "cells.h"
#include "horsecardlogic.h"
#include "runtable.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A card's cell sorted by its run's date in the date column (written day first),
// by its text elsewhere.
class CardItem : public QTableWidgetItem {
  public:
    CardItem(const QString& text, const QDate& date) : QTableWidgetItem(text), date_(date) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* card = dynamic_cast<const CardItem*>(&other);
        if (card && date_.isValid() && card->date_.isValid())
            return date_ < card->date_;
        return QTableWidgetItem::operator<(other);
    }

  private:
    QDate date_;
};

const int RunId = Qt::UserRole;

} // namespace

HorseCard::HorseCard(AppState& state, const QString& horse, QWidget* parent)
    : QDialog(parent), state_(state) {
    auto* layout = new QVBoxLayout(this);
    auto* search = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(u"TnomCheval"_qs);
    name_->setAccessibleName(u"Nom du cheval cherché"_qs);
    auto* completer = new QCompleter(horsecard::knownHorses(state_), name_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    name_->setCompleter(completer);
    search->addRow(u"&Cheval :"_qs, name_);
    layout->addLayout(search);
    connect(name_, &QLineEdit::returnPressed, this, [this] { showHorse(name_->text()); });
    musique_ = new QLabel(this);
    musique_->setObjectName(u"Lmusique"_qs);
    musique_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(musique_);
    table_ = new QTableWidget(0, static_cast<int>(horsecard::header().size()), this);
    table_->setObjectName(u"TableCourses"_qs);
    table_->setAccessibleName(u"Courses du cheval"_qs);
    table_->setHorizontalHeaderLabels(horsecard::header());
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    // Newest first, as the runs come: those without a date last.
    table_->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    table_->setSortingEnabled(true);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &HorseCard::correctRun);
    layout->addWidget(table_, 1);
    addButtons(layout);
    resize(1100, 420);
    showHorse(horse);
}

void HorseCard::addButtons(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    const auto button = [&](const QString& text, auto handler, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    button(u"&Ajouter une course…"_qs, &HorseCard::addRun, "BtAjouterCourse");
    button(u"C&orriger…"_qs, &HorseCard::correctRun, "BtCorriger");
    button(u"&Supprimer…"_qs, &HorseCard::deleteRun, "BtSupprimer");
    pick_ = button(u"&Retenir pour la course du jour"_qs, &HorseCard::pickForToday, "BtRetenir");
    row->addStretch(1);
    button(u"&Fermer"_qs, &QDialog::accept, "BtFermer");
    layout->addLayout(row);
}

void HorseCard::showHorse(const QString& name) {
    const horsecard::Card card = horsecard::cardOf(state_, name, dialogs_);
    horse_ = card.horse;
    runs_ = card.runs;
    name_->setText(horse_);
    setWindowTitle(u"Fiche du cheval — %1"_qs.arg(horse_));
    musique_->setText(card.summary);
    pick_->setEnabled(card.onSheet);
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(card.rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const QStringList& cells = card.rows[static_cast<size_t>(i)];
        for (int c = 0; c < cells.size(); ++c) {
            const QDate date = c == 0 ? runs_[static_cast<size_t>(i)].date : QDate();
            auto* item = new CardItem(cells[c], date);
            item->setData(RunId, runs_[static_cast<size_t>(i)].id);
            table_->setItem(i, c, item);
        }
    }
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    if (table_->rowCount() > 0)
        table_->selectRow(0);
}

const history::Run* HorseCard::chosen() const {
    const QTableWidgetItem* item = table_->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    const qint64 id = item->data(RunId).toLongLong();
    for (const history::Run& r : runs_)
        if (r.id == id)
            return &r;
    return nullptr;
}

std::optional<history::Run> HorseCard::runForm(const history::Run& run, const QString& title) {
    QDialog form(this);
    form.setWindowTitle(title);
    auto* layout = new QFormLayout(&form);
    const QStringList header = history::runHeader();
    const QStringList cells = history::runRow(run);
    std::vector<QLineEdit*> boxes;
    for (qsizetype c = 0; c < header.size(); ++c) {
        auto* box = new QLineEdit(cells[c], &form);
        box->setAccessibleName(header[c]);
        // Where a run came from and its musique are not typed.
        box->setEnabled(header[c] != u"origine" && header[c] != u"musique");
        layout->addRow(header[c] + u" :"_qs, box);
        boxes.push_back(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Annuler"_qs);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    std::optional<history::Run> out;
    connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
        QStringList typed;
        for (QLineEdit* box : boxes)
            typed << box->text();
        if ((out = horsecard::typedRun(typed, run, dialogs_)))
            form.accept();
    });
    form.exec();
    return out;
}

void HorseCard::addRun() {
    history::Run run;
    run.horse = horse_;
    run.date = QDate::currentDate();
    run.discipline = history::disciplineOf(state_.raceDay().sheet.discipline);
    if (const auto typed = runForm(run, u"Ajouter une course de %1"_qs.arg(horse_))) {
        horsecard::addRun(state_, *typed, dialogs_);
        showHorse(horse_);
    }
}

void HorseCard::correctRun() {
    const history::Run* run = chosen();
    if (!run)
        return;
    if (const auto typed = runForm(*run, u"Corriger une course de %1"_qs.arg(horse_))) {
        horsecard::correctRun(state_, *typed, dialogs_);
        showHorse(horse_);
    }
}

void HorseCard::deleteRun() {
    if (const history::Run* run = chosen(); run && horsecard::deleteRun(state_, *run, dialogs_))
        showHorse(horse_);
}

void HorseCard::pickForToday() {
    if (const history::Run* run = chosen(); run && horsecard::pickForToday(state_, *run, dialogs_))
        showHorse(horse_);
}
