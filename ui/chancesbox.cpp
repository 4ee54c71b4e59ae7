#include "chancesbox.h"

#include "chancesfit.h"
#include "qtdialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ChancesBox::ChancesBox(Settings& settings, QWidget* parent)
    : QGroupBox(u"Chances"_qs, parent), settings_(settings) {
    setObjectName(u"GrpChances"_qs);
    auto* layout = new QVBoxLayout(this);
    const char* names[] = {"LblTauTrot", "LblTauPlat", "LblTauObstacle"};
    for (size_t f = 0; f < lines_.size(); ++f) {
        lines_[f] = new QLabel(this);
        lines_[f]->setObjectName(QString::fromLatin1(names[f]));
        layout->addWidget(lines_[f]);
    }
    blend_ = new QLabel(this);
    blend_->setObjectName(u"LblChanceCombinee"_qs);
    blend_->setWordWrap(true);
    layout->addWidget(blend_);
    when_ = new QLabel(this);
    when_->setWordWrap(true);
    layout->addWidget(when_);
    refit_ = new QPushButton(u"A&juster sur mes courses"_qs, this);
    refit_->setObjectName(u"BtnAjusterTau"_qs);
    refit_->setAccessibleName(u"Ajuster les τ des chances sur mes courses"_qs);
    refit_->setToolTip(u"Chaque course de l'historique avec son arrivée, sa feuille "
                       "recalculée comme le matin de la course : le τ qui rend ses gagnants "
                       "les plus probables."_qs);
    refit_->setAutoDefault(false);
    refit_->hide();
    layout->addWidget(refit_);
    connect(refit_, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString why = refitting_();
        QApplication::restoreOverrideCursor();
        showFits();
        if (!why.isEmpty())
            QtDialogs(this).warn(why);
    });
    connect(&settings_, &Settings::changed, this, [this](Settings::Key key) {
        if (key == Settings::Key::Chances)
            showFits();
    });
    showFits();
}

void ChancesBox::setRefit(std::function<QString()> refit) {
    refitting_ = std::move(refit);
    refit_->setVisible(bool(refitting_));
}

void ChancesBox::showFits() {
    for (size_t f = 0; f < lines_.size(); ++f)
        lines_[f]->setText(fitLine(settings_.fits(), static_cast<chances::Family>(f)));
    blend_->setText(blendLine(settings_.blend()));
    when_->setText(settings_.fitted().isValid()
                       ? u"Ajustés le %1 sur vos courses arrivées."_qs.arg(
                             settings_.fitted().toString(u"dd/MM/yyyy"_qs))
                       : u"Pas encore ajustés : ils le seront après un import ou une arrivée "
                         "qui apporte des résultats."_qs);
}
