// The race sheet's own boxes: the race (name, date, hippodrome, distance,
// discipline, start), today's going and how the history feeds the runners.
#include "comparisonboxes.h"
#include "corrections.h"
#include "coursedujour.h"
#include "labelled.h"
#include "sheetedit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Tab leaves the date for the next box, as in every other box of the window,
// instead of stepping through day, month and year. A date typed as written,
// "08/12/2026": the "/" after a part that filled itself (and moved on to the
// next) is not a second move.
class DateBox : public QDateEdit {
  public:
    using QDateEdit::QDateEdit;

  protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return QDateEdit::event(e);
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab);
        const bool separator = key->text() == u"/" || key->text() == u"." || key->text() == u"-";
        if (separator && movedOn_) {
            movedOn_ = false;
            return true;
        }
        const Section before = currentSection();
        const bool done = QDateEdit::event(e);
        movedOn_ = !separator && currentSection() != before;
        return done;
    }

  private:
    bool movedOn_ = false;
};

} // namespace

void CourseDuJour::addRaceBoxes(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    name_ =
        labelled(row, u"&Course :"_qs, new QLineEdit(this), "TnomCourse", u"Nom de la course"_qs);
    name_->setPlaceholderText(u"nom de la course (facultatif)"_qs);
    name_->setMinimumWidth(150);
    row->setStretchFactor(name_, 2);
    date_ = labelled(row, u"&Date :"_qs, new DateBox(this), "TdateCourse", u"Date de la course"_qs);
    date_->setDisplayFormat(u"dd/MM/yyyy"_qs);
    date_->setCalendarPopup(true);
    hippodrome_ =
        labelled(row, u"&Hippodrome :"_qs, new QLineEdit(this), "Thippodrome", u"Hippodrome"_qs);
    row->setStretchFactor(hippodrome_, 1);
    distance_ = labelled(row, u"D&istance (m) :"_qs, new QLineEdit(this), "TdistanceCourse",
                         u"Distance de la course en mètres"_qs);
    distance_->setMaximumWidth(70);
    distance_->setToolTip(u"Chaque cheval est compté pour cette distance, à partir "
                          "de sa course de référence"_qs);
    discipline_ = labelled(row, u"Disci&pline :"_qs, new QComboBox(this), "CdisciplineCourse",
                           u"Discipline de la course"_qs);
    discipline_->addItems({Flat, Jumps, TrotHarness, TrotMounted});
    start_ = labelled(row, u"Dépar&t :"_qs, new QComboBox(this), "CdepartCourse",
                      u"Départ de la course (trot)"_qs);
    start_->addItems(
        {QString(), calc::startName(calc::Start::Autostart), calc::startName(calc::Start::Volte)});
    layout->addLayout(row);
    // The second row: today's going, and how the history feeds the runners.
    row = new QHBoxLayout;
    going_ = labelled(row, u"Te&rrain :"_qs, new QComboBox(this), "CterrainCourse",
                      u"Terrain de la course (plat, obstacle)"_qs);
    going_->addItem(QString());
    for (int g = 0; g < scale::GoingCount; ++g)
        going_->addItem(scale::goingName(static_cast<scale::Going>(g)));
    going_->setToolTip(u"Le terrain du jour : les corrections de terrain du "
                       "barème comparent celui de chaque course de référence"_qs);
    layout->addLayout(row);
    connect(name_, &QLineEdit::editingFinished, this, &CourseDuJour::raceEdited);
    connect(hippodrome_, &QLineEdit::editingFinished, this, &CourseDuJour::raceEdited);
    connect(distance_, &QLineEdit::editingFinished, this, &CourseDuJour::raceEdited);
    connect(date_, &QDateEdit::dateChanged, this, &CourseDuJour::raceEdited);
    connect(discipline_, &QComboBox::currentIndexChanged, this, &CourseDuJour::raceEdited);
    connect(start_, &QComboBox::currentIndexChanged, this, &CourseDuJour::raceEdited);
    connect(going_, &QComboBox::currentIndexChanged, this, &CourseDuJour::raceEdited);
    comparison_ = new ComparisonBoxes(this);
    row->addSpacing(12);
    row->addWidget(comparison_, 1);
    connect(comparison_, &ComparisonBoxes::edited, this, &CourseDuJour::raceEdited);
}

void CourseDuJour::raceEdited() {
    RaceSheet race;
    race.name = name_->text();
    race.date = date_->date();
    race.hippodrome = hippodrome_->text();
    race.distance = distance_->text();
    race.discipline = discipline_->currentText();
    race.start = isTrot(race.discipline) ? start_->currentText() : QString();
    race.going = isTrot(race.discipline) ? QString() : going_->currentText();
    comparison_->applyTo(race);
    if (editRace(day_, race, rules(), dialogs_))
        state_.sheetEdited();
    else
        refresh(); // a distance refused: the sheet's own shown again
}
