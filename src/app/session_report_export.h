// File > Export Session Report…: asks where to save the focused session's
// report, writes it on a background thread, then opens it with the desktop's
// PDF viewer or says why it could not be written.
#ifndef KESTRIX_APP_SESSION_REPORT_EXPORT_H
#define KESTRIX_APP_SESSION_REPORT_EXPORT_H

#include "session_info.h"

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace kestrix {

// "<folder>/Mix Report.pdf" for "<folder>/Mix.ptx".
QString proposedReportPath(const QString &sessionFilePath);

// One report written off the main thread. It reports on the main thread and
// then deletes itself.
class SessionReportExport : public QObject {
    Q_OBJECT
public:
    // A window that has not finished loading (or failed to) hands no
    // session: the file is then read on the background thread, and a file
    // that cannot be read fails with the reader's error.
    SessionReportExport(QString sessionFile, std::shared_ptr<const PTXSessionInfo> session, QString destination,
                        QObject *parent = nullptr);

    void start();

signals:
    void written(const QString &destination);
    void failed(const QString &description);

private:
    QString sessionFile_;
    std::shared_ptr<const PTXSessionInfo> session_;
    QString destination_;
};

// The whole command for one window's file.
void exportSessionReport(QWidget *window, const QString &sessionFile, std::shared_ptr<const PTXSessionInfo> session);

} // namespace kestrix

#endif
