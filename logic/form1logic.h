#pragma once
// The list window's logic: the horse list and every decision of its commands
// (load, save, the two "Vider", closing with unsaved horses, remove, copy,
// export), taking its questions through Dialogs. The window only binds buttons,
// menu and keys to it.

#include "dialogs.h"
#include "horselistmodel.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A horse's name corrected.
struct Renamed {
    QString from, to;
};

class Form1Logic {
  public:
    explicit Form1Logic(Dialogs& dialogs) : dialogs_(dialogs) {}

    HorseListModel& model() { return model_; }
    const HorseListModel& model() const { return model_; }

    // "Ajouter à la liste" on the main window: adds `line`, asking first when the
    // same line is listed already.
    void AddLine(const QString& line);
    void bt_chargeliste_Click();
    // Whether the save succeeded (its message shown either way).
    bool btsave_Click();
    void Bt_videliste_Click();
    void Bt_videListefichier_Click();
    // Whether the window may close: with unsaved horses, only once they are
    // saved or the user chose to drop them.
    [[nodiscard]] bool QueryClose();

    // The list box's commands; `row` is the selected entry, or -1.
    // "Retirer la ligne": an unsaved entry at once; a saved one, after a question,
    // from the file too.
    void RemoveEntry(int row);
    // "Modifier le nom ou le terrain…": asks for both, prefilled; a saved entry is
    // changed in the file too, every other byte kept. The name, when it changed.
    std::optional<Renamed> CorrectEntry(int row);
    // A horse renamed elsewhere (on the race sheet): its entries renamed too, after
    // one question ("Oui" unless told otherwise), when the list holds it. Whether
    // they were.
    bool OfferRename(const QString& from, const QString& to);
    // For the clipboard: the selected entry, or every entry.
    [[nodiscard]] QByteArray CopyEntries(int row) const;
    void ExportCsv(const QString& path);

  private:
    // Shows the failure's message, if any; whether it succeeded. A file changed
    // since it was loaded or saved: says so and offers to load it again.
    bool succeeded(const FileResult& result);
    bool rewrite(int row, const std::optional<QString>& line);
    // Entry `row` changed to `line`, in the file too when it is saved.
    bool replace(int row, const QString& line);
    std::optional<int> entryNamed(const QString& name) const;

    Dialogs& dialogs_;
    HorseListModel model_;
};
