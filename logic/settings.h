#pragma once
// The user's settings, kept in one INI file: the scale, the corrections table,
// "Ajouter aussi à la liste des chevaux" and the chances' τ fitted. Read once at start; each change
// is written whole at once and told by one signal, whatever window made it.

#include "blend.h"
#include "chances.h"
#include "corrections.h"
#include "scale.h"

#include <QDate>
#include <QObject>
#include <QString>

class Settings : public QObject {
    Q_OBJECT
  public:
    enum class Key { Scale, Corrections, AlsoList, Chances };
    Q_ENUM(Key)

    // What the file at `path` holds; the defaults for what it lacks or cannot give.
    explicit Settings(QString path);
    const QString& path() const { return path_; }

    const scale::Scale& scale() const { return scale_; }
    const calc::CorrectionTable& corrections() const { return corrections_; }
    // On unless the user unticked it.
    bool alsoList() const { return alsoList_; }
    // The chances' τ fitted on the punter's races, and the day they were.
    const chances::Fits& fits() const { return fits_; }
    // The sheet's chances combined with the market's, fitted with them.
    const blend::Weights& blend() const { return blend_; }
    const QDate& fitted() const { return fitted_; }

    // Each writes the file and returns why it could not (in French), or nothing.
    // The scale and "also list" are in force even then (until the program
    // closes); a corrections table that could not be written is not taken.
    QString setScale(const scale::Scale& chosen);
    QString setCorrections(const calc::CorrectionTable& chosen);
    QString setAlsoList(bool on);
    QString setFits(const chances::Fits& fits, const blend::Weights& blend, const QDate& day);

  signals:
    void changed(Settings::Key key);

  private:
    QString path_;
    scale::Scale scale_;
    calc::CorrectionTable corrections_;
    bool alsoList_ = true;
    chances::Fits fits_ = {};
    blend::Weights blend_ = {};
    QDate fitted_;
};
