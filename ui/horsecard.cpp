#include "horsecard.h"

#include "cells.h"
#include "comparable.h"
#include "corrections.h"
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

// The card's columns: the run's own (the horse and the musique apart), and what
// its reduction becomes today, after the reduction.
QStringList cardHeader() {
    QStringList h = history::runHeader();
    h.removeAll(u"cheval"_qs);
    h.removeAll(u"musique"_qs);
    h.insert(h.indexOf(u"réduction"_qs) + 1, u"aujourd'hui"_qs);
    return h;
}

const int RunId = Qt::UserRole;

} // namespace

HorseCard::HorseCard(AppState& state, const QString& horse, QWidget* parent)
    : QDialog(parent), state_(state) {
    auto* layout = new QVBoxLayout(this);
    auto* search = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(u"TnomCheval"_qs);
    name_->setAccessibleName(u"Nom du cheval cherché"_qs);
    auto* completer = new QCompleter(state_.history().horses(QString()).names, name_);
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
    table_ = new QTableWidget(0, static_cast<int>(cardHeader().size()), this);
    table_->setObjectName(u"TableCourses"_qs);
    table_->setAccessibleName(u"Courses du cheval"_qs);
    table_->setHorizontalHeaderLabels(cardHeader());
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
    const auto button = [&](const QString& text, auto handler) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    button(u"&Ajouter une course…"_qs, &HorseCard::addRun);
    button(u"C&orriger…"_qs, &HorseCard::correctRun);
    button(u"&Supprimer…"_qs, &HorseCard::deleteRun);
    pick_ = button(u"&Retenir pour la course du jour"_qs, &HorseCard::pickForToday);
    row->addStretch(1);
    button(u"&Fermer"_qs, &QDialog::accept);
    layout->addLayout(row);
}

void HorseCard::showHorse(const QString& name) {
    const history::Runs runs = state_.history().runsOf(name);
    if (!runs.result.ok())
        dialogs_.warn(runs.result.message);
    horse_ = runs.runs.empty() ? name.simplified() : runs.runs.front().horse;
    runs_ = runs.runs;
    name_->setText(horse_);
    setWindowTitle(u"Fiche du cheval — %1"_qs.arg(horse_));
    const QString music = history::musique(runs_);
    musique_->setText(runs_.empty() ? u"Aucune course gardée pour ce cheval."_qs
                                    : u"%1 course(s) · musique : %2"_qs.arg(runs_.size())
                                          .arg(music.isEmpty() ? u"—"_qs : music));
    const RaceSheet& sheet = state_.raceDay().sheet;
    const auto onSheet = sheet.lastOf(horse_);
    pick_->setEnabled(onSheet.has_value());
    Runner base = onSheet ? sheet.runners[*onSheet] : Runner{};
    base.name = horse_;
    fillTable(base);
}

void HorseCard::fillTable(const Runner& base) {
    const RaceSheet& sheet = state_.raceDay().sheet;
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(runs_.size()));
    const QStringList header = cardHeader();
    for (int i = 0; i < table_->rowCount(); ++i) {
        const history::Run& run = runs_[static_cast<size_t>(i)];
        QStringList cells = history::runRow(run);
        cells.removeFirst(); // the horse
        cells.removeLast();  // its musique mark
        const auto today = todayReduction(run, base, sheet, {state_.scale(), state_.corrections()});
        cells.insert(header.indexOf(u"aujourd'hui"_qs),
                     today ? calc::punterHundredths(*today) : QString());
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(RunId, run.id);
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
        const history::RunRead read = history::runOfCells(header, typed);
        if (!read.run) {
            dialogs_.warn(u"Cette course ne peut pas être gardée : %1."_qs.arg(read.refused));
            return;
        }
        out = read.run;
        out->id = run.id;
        out->source = run.source;
        form.accept();
    });
    form.exec();
    return out;
}

void HorseCard::stored(const FileResult& result) {
    if (!result.ok())
        dialogs_.warn(result.message);
    state_.sheetEdited(); // the sheet's runners follow their runs
    showHorse(horse_);
}

void HorseCard::addRun() {
    history::Run run;
    run.horse = horse_;
    run.date = QDate::currentDate();
    run.discipline = state_.raceDay().sheet.discipline;
    if (const auto typed = runForm(run, u"Ajouter une course de %1"_qs.arg(horse_))) {
        const history::Added added = state_.history().add({*typed});
        if (added.result.ok() && added.known > 0)
            dialogs_.inform(u"Cette course était déjà gardée : elle est complétée."_qs);
        stored(added.result);
    }
}

void HorseCard::correctRun() {
    const history::Run* run = chosen();
    if (!run)
        return;
    if (const auto typed = runForm(*run, u"Corriger une course de %1"_qs.arg(horse_)))
        stored(state_.history().update(*typed));
}

void HorseCard::deleteRun() {
    const history::Run* run = chosen();
    if (!run)
        return;
    const QString what =
        run->date.isValid() ? run->date.toString(u"dd/MM/yyyy"_qs) : u"sans date"_qs;
    if (!dialogs_.askYesNo(
            u"Supprimer la course du %1 (%2, %3 m) de « %4 » ?"_qs.arg(what, run->hippodrome)
                .arg(run->distance)
                .arg(horse_)))
        return;
    stored(state_.history().remove(run->id));
}

void HorseCard::pickForToday() {
    const history::Run* run = chosen();
    RaceSheet& sheet = state_.raceDay().sheet;
    const auto onSheet = sheet.lastOf(horse_);
    if (!run || !onSheet)
        return;
    Runner& runner = sheet.runners[*onSheet];
    if (!isComparable(*run, runner, sheet)) {
        dialogs_.warn(u"Cette course n'est pas comparable à la course du jour "
                      "(discipline, distance à ±%1 %, %2 derniers mois, un chrono "
                      "ou une réduction)."_qs.arg(sheet.bandPercent)
                          .arg(sheet.months));
        return;
    }
    // Picked again: the sheet's rule chooses once more.
    runner.picked = runner.picked == run->id ? 0 : run->id;
    state_.sheetEdited();
    showHorse(horse_);
}
