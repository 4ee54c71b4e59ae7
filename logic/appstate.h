#pragma once
// What the windows share: the scale in force and the day's race sheet. Made once
// at start and passed to the windows that need it; each follows `changed` to show
// what another window did.

#include "corrections.h"
#include "dialogs.h"
#include "racedayfile.h"
#include "scale.h"
#include "store.h"

#include <QObject>
#include <QString>

class AppState : public QObject {
    Q_OBJECT
  public:
    // The scale kept in the user's settings at `settingsPath`, and the day's sheet.
    AppState(QString settingsPath, RaceDay day);

    const scale::Scale& scale() const { return scale_; }
    const QString& settingsPath() const { return settingsPath_; }
    // A scale chosen (and written to the settings by the dialog).
    void setScale(const scale::Scale& chosen);
    // The corrections table, kept in the same settings; chosen in the same dialog.
    const calc::CorrectionTable& corrections() const { return corrections_; }
    void setCorrections(const calc::CorrectionTable& chosen);

    // "Ajouter aussi à la liste des chevaux", kept in the same settings; on unless
    // the user unticked it.
    bool alsoList() const { return alsoList_; }
    // Whether it was written (a message otherwise).
    QString setAlsoList(bool on);

    RaceDay& raceDay() { return day_; }
    // A window changed the sheet (and its file): the others show it, and each
    // runner's reference race is recorded in the horses' history.
    void sheetEdited();
    // A runner corrected on the sheet (before `sheetEdited`): its reference race
    // as it was leaves the history when it is no longer the runner's.
    void runnerCorrected(const Runner& before, const Runner& after);

    // The horses' history, opened at start (closed in tests: nothing recorded).
    history::Store& history() { return history_; }
    // Opens the history at `path`, and feeds the sheet's runners from it (the
    // sheet written through `dialogs`, which outlive the state); what the user
    // must be told (a file set aside, a failure), or nothing.
    QString openHistory(const QString& path, const QDateTime& now, Dialogs& dialogs);
    // Each runner's reference chosen anew among its comparable runs.
    void feedFromHistory();

  signals:
    void changed();
    // The history could not be written: the message for the user.
    void historyFailed(const QString& message);

  private:
    QString settingsPath_;
    scale::Scale scale_;
    calc::CorrectionTable corrections_;
    bool alsoList_ = true;
    RaceDay day_;
    history::Store history_;
    Dialogs* dialogs_ = nullptr; // set with the history: none, nothing fed
};
