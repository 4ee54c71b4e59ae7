#include "entryrow.h"

#include "racetable.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>

namespace {

using F = RunnerField;

struct BoxText {
    F field;
    const char* title; // as a placeholder and an accessible name
    int width;         // in average characters
};
constexpr BoxText Boxes[] = {
    {F::Number, "N°", 3},
    {F::Name, "Cheval", 14},
    {F::ReferenceDistance, "Dist. réf.", 6},
    {F::Time, "Chrono réf.", 7},
    {F::ReferenceWeight, "Poids réf.", 5},
    {F::Margin, "Longueurs", 7},
    {F::ReferenceDate, "Date réf.", 9},
    {F::ReferenceHippodrome, "Hippodrome réf.", 11},
    {F::ReferenceDiscipline, "Discipline réf.", 9},
    {F::ReferenceStart, "Départ réf.", 8},
    {F::ReferenceShoeing, "Ferrure réf.", 6},
    {F::ReferenceRecul, "Recul réf.", 7},
    {F::DayWeight, "Poids du jour", 5},
    {F::DayShoeing, "Ferrure du jour", 6},
    {F::DayRecul, "Recul du jour", 8},
};

const BoxText& textOf(F field) {
    return *std::find_if(std::begin(Boxes), std::end(Boxes),
                         [field](const BoxText& b) { return b.field == field; });
}

// A condition's names, the first empty (not given).
QStringList choicesOf(F field) {
    switch (field) {
    case F::ReferenceDiscipline:
        return {QString(), Flat, Jumps, TrotHarness, TrotMounted};
    case F::ReferenceStart:
        return {QString(), calc::startName(calc::Start::Autostart),
                calc::startName(calc::Start::Volte)};
    case F::ReferenceShoeing:
    case F::DayShoeing: {
        QStringList out{QString()};
        for (auto s :
             {calc::Shoeing::Shod, calc::Shoeing::D4, calc::Shoeing::DA, calc::Shoeing::DP})
            out << calc::shoeingName(s);
        return out;
    }
    default:
        return {};
    }
}

QString textIn(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return static_cast<const QComboBox*>(box)->currentText();
}

} // namespace

EntryRow::EntryRow(QWidget* parent) : QWidget(parent) {
    setObjectName(u"LigneNouveauPartant"_qs);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(u"&Nouveau partant :"_qs, this);
    row->addWidget(label);
    for (F field : entryFields()) {
        QWidget* box = makeBox(field);
        boxes_.emplace_back(field, box);
        row->addWidget(box, textOf(field).width);
        box->installEventFilter(this);
    }
    label->setBuddy(boxes_.front().second);
    base_ = new QComboBox(this);
    base_->setObjectName(u"CbaseCourse"_qs);
    base_->setAccessibleName(u"Base de l'estimation des partants tapés"_qs);
    base_->addItems({racetable::timeSource(false), racetable::timeSource(true)});
    base_->setToolTip(u"Gardée d'un cheval au suivant"_qs);
    base_->installEventFilter(this);
    row->addWidget(base_);
    setToolTip(u"Tab passe d'une case à la suivante ; Entrée met le cheval sur la feuille. "
               "Un cheval de l'historique : son nom suffit, ses courses comparables le "
               "calculent."_qs);
}

QWidget* EntryRow::makeBox(RunnerField field) {
    const BoxText& t = textOf(field);
    const QString title = QString::fromUtf8(t.title);
    QWidget* box;
    if (const QStringList choices = choicesOf(field); !choices.isEmpty()) {
        auto* combo = new QComboBox(this);
        combo->addItems(choices);
        combo->setPlaceholderText(title); // nothing chosen: not given
        combo->setCurrentIndex(-1);
        box = combo;
    } else {
        auto* line = new QLineEdit(this);
        line->setPlaceholderText(title);
        box = line;
    }
    box->setAccessibleName(u"Nouveau partant : "_qs + title);
    box->setToolTip(title);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * t.width + 12);
    if (field == F::Name || field == F::ReferenceHippodrome) {
        auto* names = new QStringListModel(this);
        auto* completer = new QCompleter(names, this);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        static_cast<QLineEdit*>(box)->setCompleter(completer);
        (field == F::Name ? horses_ : hippodromes_) = names;
        if (field == F::Name)
            name_ = static_cast<QLineEdit*>(box);
    }
    return box;
}

void EntryRow::showFor(const QString& discipline) {
    for (const auto& [field, box] : boxes_)
        box->setVisible(entryShown(field, discipline));
}

void EntryRow::setHorses(const QStringList& names, const QStringList& hippodromes) {
    horses_->setStringList(names);
    hippodromes_->setStringList(hippodromes);
}

TypedRunner EntryRow::typed() const {
    TypedRunner out;
    for (const auto& [field, box] : boxes_)
        if (!box->isHidden())
            out.emplace_back(field, textIn(box));
    return out;
}

bool EntryRow::withLengths() const {
    return base_->currentIndex() == 1;
}

void EntryRow::clearForNext() {
    for (const auto& [field, box] : boxes_) {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            line->clear();
        else
            static_cast<QComboBox*>(box)->setCurrentIndex(-1);
    }
    boxes_.front().second->setFocus();
}

QWidget* EntryRow::firstTodayBox() const {
    for (const auto& [field, box] : boxes_)
        if ((field == F::DayWeight || field == F::DayShoeing) && !box->isHidden())
            return box;
    return nullptr;
}

bool EntryRow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit entered();
        return true;
    }
    // A horse the history knows, no reference typed: on to today's boxes.
    if (key == Qt::Key_Tab && watched == name_ &&
        horses_->stringList().contains(name_->text().trimmed(), Qt::CaseInsensitive) &&
        textIn(boxes_[2].second).isEmpty() && textIn(boxes_[3].second).isEmpty())
        if (QWidget* today = firstTodayBox()) {
            today->setFocus(Qt::TabFocusReason);
            return true;
        }
    return QWidget::eventFilter(watched, event);
}
