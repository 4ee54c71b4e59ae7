// "Importer…" in the sheet window: saved race files chosen or dropped, their
// runners onto the sheet and their runs into the history, then a summary.

#include "coursedujour.h"
#include "importer.h"
#include "places.h"

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

} // namespace

void CourseDuJour::chooseImport() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, u"Importer des fichiers de course"_qs,
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
        u"Fichiers de course (*.json *.csv *.txt);;Tous les fichiers (*)"_qs);
    if (!paths.isEmpty())
        importPaths(paths);
}

void CourseDuJour::importPaths(const QStringList& paths) {
    const ImportSummary summary =
        importFiles(paths, state_, {places::archiveFolder(), QDate::currentDate()}, dialogs_);
    refresh();
    const QString text = u"Import : %1"_qs.arg(summary.text());
    summary.filesRead > 0 ? dialogs_.inform(text) : dialogs_.warn(text);
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
