#include "bilanwindow.h"

#include "bilancharts.h"
#include "chancesfit.h"
#include "racedayfile.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

QDateEdit* dateBox(const char* name, const QString& accessible, const QDate& date) {
    auto* box = new QDateEdit(date);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessible);
    box->setDisplayFormat(u"dd/MM/yyyy"_qs);
    box->setCalendarPopup(true);
    return box;
}

} // namespace

void showBilan(AppState& state, QWidget* over) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Refitted done = refitChances(state, QDate::currentDate());
    QApplication::restoreOverrideCursor();
    if (!done.bilan.result.ok() || !state.history().isOpen()) {
        QtDialogs(over).warn(done.message);
        return;
    }
    BilanWindow window(state, std::move(done.bilan), done.message, over);
    window.exec();
}

BilanWindow::BilanWindow(AppState& state, Bilan bilan, const QString& said, QWidget* parent)
    : QDialog(parent), state_(state), bilan_(std::move(bilan)) {
    setObjectName(u"Bilan"_qs);
    setWindowTitle(u"Bilan de la feuille"_qs);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters());
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(u"TblBilan"_qs);
    table_->setAccessibleName(u"Les mesures du bilan"_qs);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* charts = new QHBoxLayout;
    calibration_ = new CalibrationChart(this);
    return_ = new ReturnChart(this);
    charts->addWidget(calibration_, 2);
    charts->addWidget(return_, 3);
    auto* top = new QHBoxLayout;
    top->addWidget(table_, 3);
    top->addLayout(charts, 4);
    layout->addLayout(top, 1);
    auto* note = new QLabel(
        (said.isEmpty() ? QString() : said + u'\n') +
            u"Chaque course arrivée de l'historique, sa feuille recalculée comme le matin de la "
            "course. Les chances y sont au τ en vigueur, ajusté sur ces mêmes courses : elles "
            "en paraissent un peu meilleures. Un retour passé ne promet aucun retour futur."_qs,
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Fermer"_qs);
    auto* exporting = buttons->addButton(u"&Exporter en CSV…"_qs, QDialogButtonBox::ActionRole);
    exporting->setObjectName(u"BtnExporterBilan"_qs);
    connect(exporting, &QPushButton::clicked, this, &BilanWindow::exportCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(1180, 680);
    measure();
}

QLayout* BilanWindow::filters() {
    QDate first = QDate::currentDate(), last = first;
    if (!bilan_.races.empty())
        first = bilan_.races.front().date, last = bilan_.races.back().date;
    from_ = dateBox("DateDepuis", u"Depuis le"_qs, first);
    to_ = dateBox("DateJusqua", u"Jusqu'au"_qs, last);
    discipline_ = new QComboBox(this);
    discipline_->setObjectName(u"CboDisciplineBilan"_qs);
    discipline_->setAccessibleName(u"Discipline"_qs);
    discipline_->addItems({u"toutes"_qs, TrotHarness, TrotMounted, Flat, Jumps});
    auto* row = new QHBoxLayout;
    const std::pair<QString, QWidget*> labelled[] = {
        {u"&Depuis le"_qs, from_}, {u"&Jusqu'au"_qs, to_}, {u"D&iscipline"_qs, discipline_}};
    for (const auto& [text, box] : labelled) {
        auto* label = new QLabel(text, this);
        label->setBuddy(box);
        row->addWidget(label);
        row->addWidget(box);
    }
    row->addStretch();
    connect(from_, &QDateEdit::dateChanged, this, &BilanWindow::measure);
    connect(to_, &QDateEdit::dateChanged, this, &BilanWindow::measure);
    connect(discipline_, &QComboBox::currentIndexChanged, this, &BilanWindow::measure);
    return row;
}

BilanFilter BilanWindow::filter() const {
    return {from_->date(), to_->date(),
            discipline_->currentIndex() > 0 ? discipline_->currentText() : QString()};
}

void BilanWindow::measure() {
    figures_ = figuresOf(bilan_, filter(), {state_.settings().fits(), state_.settings().blend()});
    const std::vector<QStringList> rows = bilanRows(figures_);
    table_->setHorizontalHeaderLabels(rows.front());
    table_->setRowCount(int(rows.size()) - 1);
    for (size_t r = 1; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table_->setItem(int(r) - 1, c, new QTableWidgetItem(rows[r][c]));
    table_->resizeColumnsToContents();
    calibration_->setBins(figures_.sheet.bins, figures_.combined
                                                   ? std::optional(figures_.combined->bins)
                                                   : std::nullopt);
    return_->setBets(figures_.sheet.first, figures_.sheet.value);
}

void BilanWindow::exportCsv() {
    const QString path = chosenCsvPath(this, u"Exporter le bilan"_qs, u"bilan.csv"_qs);
    if (!path.isEmpty())
        writeExport(path, bilanCsv(figures_), u"Bilan exporté dans %1"_qs, dialogs_);
}
