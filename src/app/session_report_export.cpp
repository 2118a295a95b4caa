#include "session_report_export.h"

#include "report_text.h"
#include "session_loader.h"
#include "session_report_pdf.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>

namespace kestrix {

QString proposedReportPath(const QString &sessionFilePath)
{
    const QFileInfo session(sessionFilePath);
    const std::string name = report::proposedReportFileName(session.fileName().toStdString());
    return session.dir().filePath(QString::fromStdString(name));
}

SessionReportExport::SessionReportExport(QString sessionFile, std::shared_ptr<const PTXSessionInfo> session,
                                         QString destination, QObject *parent)
    : QObject(parent)
    , sessionFile_(std::move(sessionFile))
    , session_(std::move(session))
    , destination_(std::move(destination))
{
}

void SessionReportExport::start()
{
    // The object outlives the task: it deletes itself only once the result
    // has reached it, and the application waits for the pool before it goes.
    QThreadPool::globalInstance()->start([this, file = sessionFile_.toStdString(), session = session_,
                                          destination = destination_.toStdString()] {
        std::string error;
        if (session) {
            const auto written = SessionReportPDF::write(*session, destination);
            if (!written)
                error = written.error().description;
        } else {
            const auto loaded = loadSession(file);
            if (!loaded)
                error = loaded.error().description();
            else if (const auto written = SessionReportPDF::write(loaded.value(), destination); !written)
                error = written.error().description;
        }
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                if (error.empty())
                    emit written(destination_);
                else
                    emit failed(QString::fromStdString(error));
                deleteLater();
            },
            Qt::QueuedConnection);
    });
}

namespace {

// The save panel: PDF only, folders can be made, overwriting is confirmed.
QString askForDestination(QWidget *window, const QString &sessionFile)
{
    const QString proposed = proposedReportPath(sessionFile);
    QFileDialog dialog(window, QObject::tr("Export Session Report"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QObject::tr("PDF Document (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void exportSessionReport(QWidget *window, const QString &sessionFile, std::shared_ptr<const PTXSessionInfo> session)
{
    const QString destination = askForDestination(window, sessionFile);
    if (destination.isEmpty())
        return;
    auto *task = new SessionReportExport(sessionFile, std::move(session), destination, qApp);
    QPointer<QWidget> parent(window);
    QObject::connect(task, &SessionReportExport::written, qApp, [parent](const QString &path) {
        // A desktop without a PDF viewer still has the file: say where it is.
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            QMessageBox::information(parent.data(), QStringLiteral("Kestrix"),
                                     QObject::tr("The session report was saved to %1, but no application "
                                                 "could open it.")
                                         .arg(QDir::toNativeSeparators(path)));
    });
    QObject::connect(task, &SessionReportExport::failed, qApp, [parent](const QString &description) {
        QMessageBox alert(QMessageBox::Warning, QStringLiteral("Kestrix"),
                          QObject::tr("Could not export session report"), QMessageBox::Ok, parent.data());
        alert.setInformativeText(description);
        alert.exec();
    });
    task->start();
}

} // namespace kestrix
