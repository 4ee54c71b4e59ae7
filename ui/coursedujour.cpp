#include "coursedujour.h"

#include "appwindows.h"
#include "bilanwindow.h"
#include "chancesfit.h"

#include "arrivaldialog.h"
#include "comparisonboxes.h"
#include "corrections.h"
#include "courses.h"
#include "entryrow.h"
#include "form1.h"
#include "horsecard.h"
#include "listimport.h"
#include "listline.h"
#include "places.h"
#include "racearchive.h"
#include "racetable.h"
#include "sheettable.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

CourseDuJour::CourseDuJour(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), day_(state.raceDay()) {
    setObjectName(u"CourseDuJour"_qs);
    setWindowTitle(u"Course du jour"_qs);
    setWindowIcon(QIcon(u":/orvanto.ico"_qs));
    setAttribute(Qt::WA_DeleteOnClose); // the sheet itself stays, in the logic and its file
    auto* layout = new QVBoxLayout(this);
    addRaceBoxes(layout);
    addTable(layout);
    addCommands(layout);
    resize(1100, 420);
    setAcceptDrops(true); // saved race files dropped here are imported
    refresh();
    connect(&state_, &AppState::changed, this, &CourseDuJour::refresh);
}

void CourseDuJour::addTable(QVBoxLayout* layout) {
    table_ = new SheetTable(this);
    table_->setOnEdit([this](size_t runner, RunnerField field, const QString& text) {
        editCell(runner, field, text);
    });
    layout->addWidget(table_, 1);
    entry_ = new EntryRow(this);
    connect(entry_, &EntryRow::entered, this, &CourseDuJour::addTyped);
    layout->addWidget(entry_);
    const auto action = [this](const QString& text, const QKeySequence& keys, auto handler) {
        auto* a = new QAction(text, this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, handler);
        addAction(a);
        return a;
    };
    remove_ = action(u"Retirer le cheval…"_qs, QKeySequence(Qt::Key_Delete),
                     &CourseDuJour::removeSelected);
    copy_ = action(u"Copier"_qs, QKeySequence::Copy, &CourseDuJour::copyRows);
    export_ = action(u"Exporter en CSV…"_qs, QKeySequence(Qt::CTRL | Qt::Key_E),
                     &CourseDuJour::exportCsv);
    newRace_ = action(u"Nouvelle course"_qs, QKeySequence(Qt::CTRL | Qt::Key_N),
                      &CourseDuJour::startNewRace);
    previous_ = action(u"Courses précédentes…"_qs, QKeySequence(Qt::CTRL | Qt::Key_O),
                       &CourseDuJour::showPreviousRaces);
    importList_ = action(u"Importer la liste des chevaux"_qs, QKeySequence(),
                         &CourseDuJour::importListIntoHistory);
    import_ =
        action(u"Importer…"_qs, QKeySequence(Qt::CTRL | Qt::Key_I), &CourseDuJour::chooseImport);
    importFolder_ =
        action(u"Importer un dossier…"_qs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
               &CourseDuJour::chooseFolderImport);
    restore_ =
        action(u"Restaurer une copie de l'historique…"_qs,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), &CourseDuJour::restoreHistoryCopy);
    arrival_ =
        action(u"Arrivée…"_qs, QKeySequence(Qt::CTRL | Qt::Key_R), &CourseDuJour::enterArrival);
    card_ = action(u"Fiche du cheval…"_qs, QKeySequence(Qt::CTRL | Qt::Key_H),
                   &CourseDuJour::showHorseCard);
    bilan_ = action(u"Bilan…"_qs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B),
                    [this] { showBilan(state_, this); });
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, &CourseDuJour::showMenu);
}

void CourseDuJour::addCommands(QVBoxLayout* layout) {
    alsoList_ = new QCheckBox(u"Ajouter aussi à la &liste des chevaux"_qs, this);
    alsoList_->setObjectName(u"ChkAussiListe"_qs);
    alsoList_->setToolTip(u"« Ajouter à la course du jour » et la ligne « Nouveau partant » "
                          "mettent aussi le cheval dans la liste des chevaux, sans redemander "
                          "son nom"_qs);
    alsoList_->setChecked(state_.alsoList());
    connect(alsoList_, &QCheckBox::toggled, this, [this](bool on) {
        if (const QString why = state_.settings().setAlsoList(on); !why.isEmpty())
            dialogs_.warn(why);
    });
    layout->addWidget(alsoList_);
    auto* row = new QHBoxLayout;
    auto* help = new QLabel(u"F2 ou la frappe modifie une case, Entrée la valide, Échap l'annule. "
                            "Suppr retire le cheval ; Ctrl+C copie les lignes pour un tableur."_qs,
                            this);
    help->setWordWrap(true);
    row->addWidget(help, 1);
    for (QAction* a : {import_, importFolder_, arrival_, newRace_, previous_, export_, bilan_}) {
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
    takeChancesInForce(day_.sheet, state_.settings());
    const RaceSheet& sheet = day_.sheet;
    {
        const QSignalBlocker b1(name_), b2(date_), b3(hippodrome_), b4(distance_), b5(discipline_),
            b6(start_), b7(going_);
        name_->setText(sheet.name);
        date_->setDate(sheet.date.isValid() ? sheet.date : QDate::currentDate());
        hippodrome_->setText(sheet.hippodrome);
        distance_->setText(sheet.distance);
        distance_->setPlaceholderText(u"du 1er cheval"_qs);
        discipline_->setCurrentText(sheet.discipline);
        start_->setCurrentText(sheet.start);
        start_->setEnabled(isTrot(sheet.discipline));
        going_->setCurrentText(sheet.going);
        going_->setEnabled(!isTrot(sheet.discipline));
        comparison_->show(sheet);
    }
    table_->show(sheet);
    entry_->showFor(sheet.discipline);
    // The completions read the history again when the sheet's runners or race
    // changed, not at every cell edited (a scan of every run).
    if (const auto key = std::pair{sheet.runners.size(), sheet.hippodrome}; key != completedFor_) {
        completedFor_ = key;
        completeEntry();
    }
    const bool any = !sheet.runners.empty();
    copy_->setEnabled(any);
    export_->setEnabled(any);
    arrival_->setEnabled(any);
    remove_->setEnabled(any);
}

void CourseDuJour::showMenu(const QPoint& position) {
    QMenu menu(this);
    menu.setAccessibleName(u"Commandes de la course du jour"_qs);
    menu.addActions({remove_, copy_, export_});
    menu.addSeparator();
    menu.addActions({newRace_, previous_});
    menu.addSeparator();
    menu.addActions({card_, arrival_, bilan_, import_, importFolder_, importList_});
    menu.addSeparator();
    menu.addAction(restore_);
    menu.exec(table_->viewport()->mapToGlobal(position));
}

void CourseDuJour::setCurrentCellOf(int row, int column) {
    table_->setCurrentCell(row, column);
}

Rules CourseDuJour::rules() const {
    return {state_.scale(), state_.corrections()};
}

void CourseDuJour::editCell(size_t runner, RunnerField field, const QString& text) {
    QString renamedFrom;
    if (runner >= day_.sheet.runners.size())
        return;
    const Runner before = day_.sheet.runners[runner];
    if (!editRunner(day_, runner, field, text, rules(), dialogs_, &renamedFrom))
        return;
    state_.runnerCorrected(before, day_.sheet.runners[runner]);
    state_.sheetEdited();
    if (!renamedFrom.isEmpty())
        emit horseRenamed(renamedFrom, day_.sheet.runners[runner].name);
}

void CourseDuJour::completeEntry() {
    history::Store& h = state_.history();
    QStringList hippodromes = h.hippodromes().names;
    if (!day_.sheet.hippodrome.isEmpty() && !hippodromes.contains(day_.sheet.hippodrome))
        hippodromes << day_.sheet.hippodrome; // today's, often the reference's too
    entry_->setHorses(h.horses(QString()).names, hippodromes);
}

void CourseDuJour::addTyped() {
    if (!addTypedRunner(day_, entry_->typed(), entry_->withLengths(), rules(), dialogs_))
        return;
    const Runner& r = day_.sheet.runners.back();
    if (alsoList_->isChecked() && !r.reduction.isEmpty()) {
        const QString line = listLine(r.reduction, r.race.referenceDistance, r.race.referenceWeight,
                                      r.name, r.going);
        if (const QString why = whyUnstorable(line); why.isEmpty())
            showForm1(state_, false)->addLine(line); // unsaved, as from "Ajouter à la liste"
        else
            dialogs_.warn(u"Le cheval n'a pas été ajouté à la liste des chevaux : %1"_qs.arg(why));
    }
    state_.sheetEdited();
    entry_->clearForNext();
}

void CourseDuJour::removeSelected() {
    if (removeRunners(day_, table_->chosenRunners(), dialogs_))
        state_.sheetEdited();
}

void CourseDuJour::startNewRace() {
    if (newRace(day_, places::archiveFolder(), QDate::currentDate(), dialogs_))
        state_.sheetEdited();
}

void CourseDuJour::showHorseCard() {
    const std::vector<size_t> chosen = table_->chosenRunners();
    const QString name = chosen.empty() ? QString() : day_.sheet.runners[chosen.front()].name;
    HorseCard card(state_, name, this);
    card.exec();
}

void CourseDuJour::enterArrival() {
    if (day_.sheet.runners.empty())
        return;
    ArrivalDialog dialog(state_, this);
    dialog.exec();
}

void CourseDuJour::importListIntoHistory() {
    importListFile(state_.history(), places::listFilePath(), dialogs_);
}

void CourseDuJour::showPreviousRaces() {
    Courses dialog(state_, this);
    dialog.exec();
}

void CourseDuJour::copyRows() {
    // The rows as the table shows them: its order, the chosen ones or every one.
    const bool several = table_->selectionModel()->selectedIndexes().size() > 1;
    auto* data = new QMimeData;
    data->setData(u"text/plain"_qs, racetable::clipboardText(table_->rowsShown(several)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CourseDuJour::exportCsv() {
    const QString path = chosenCsvPath(this, u"Exporter en CSV"_qs, u"course-du-jour.csv"_qs);
    if (path.isEmpty())
        return;
    exportRaceDay(day_, path, dialogs_); // at the τ in force: the sheet shown took it
}

void CourseDuJour::closeEvent(QCloseEvent* event) {
    if (mayCloseLastWindow(this))
        event->accept();
    else
        event->ignore();
}
