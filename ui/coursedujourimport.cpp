// "Importer…" and "Importer un dossier…" in the sheet window: saved race files
// (or folders of them) chosen or dropped, their runners onto the sheet and their
// runs into the history, a progress bar with Annuler, then a summary.

#include "coursedujour.h"
#include "folderimport.h"
#include "places.h"
#include "restorecopy.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QStandardPaths>

namespace {

QStringList localFiles(const QMimeData* data) {
    QStringList paths;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}

// The progress bar of a long import; the window keeps drawing between steps.
class ProgressBar : public ImportProgress {
  public:
    explicit ProgressBar(QWidget* parent)
        : bar_(u"Import des fichiers…"_qs, u"Annuler"_qs, 0, 1, parent) {
        bar_.setWindowTitle(u"Importer"_qs);
        bar_.setWindowModality(Qt::WindowModal);
        bar_.setMinimumDuration(300); // a few files: no bar at all
        bar_.setAccessibleName(u"Avancement de l'import"_qs);
    }
    bool step(int done, int total) override {
        bar_.setMaximum(total);
        bar_.setValue(done);
        QCoreApplication::processEvents();
        return !bar_.wasCanceled();
    }

  private:
    QProgressDialog bar_;
};

} // namespace

void CourseDuJour::chooseFolderImport() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, u"Importer un dossier de fichiers de course"_qs,
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    if (!folder.isEmpty())
        importPaths({folder});
}

void CourseDuJour::restoreHistoryCopy() {
    if (const QString said = restoreCopy(state_, dialogs_, QDateTime::currentDateTime());
        !said.isEmpty())
        dialogs_.inform(said);
    refresh();
}

void CourseDuJour::chooseImport() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, u"Importer des fichiers de course"_qs,
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
        u"Fichiers de course (*.json *.csv *.txt);;Tous les fichiers (*)"_qs);
    if (!paths.isEmpty())
        importPaths(paths);
}

void CourseDuJour::importPaths(const QStringList& paths) {
    PathsImported done;
    {
        ProgressBar bar(this);
        done = ::importPaths(paths, state_, {places::archiveFolder(), QDate::currentDate()},
                             dialogs_, &bar);
    }
    refresh();
    const QString text = u"Import : %1"_qs.arg(done.text);
    done.anyRead ? dialogs_.inform(text) : dialogs_.warn(text);
}

void CourseDuJour::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CourseDuJour::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    importPaths(paths);
}
