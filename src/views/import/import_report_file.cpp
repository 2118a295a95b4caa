#include "import_report_file.h"

#include "import_report.h"

#include <QDir>
#include <QSaveFile>

namespace kestrix {

bool writeTextFileAtomically(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString writeProblemReport(const QString &report, const QString &sessionPath, std::time_t time, QString *error)
{
    const QString name = QString::fromStdString(import::reportFileName(sessionPath.toStdString(), time));
    const QString path = QDir(QDir::tempPath()).filePath(name);
    return writeTextFileAtomically(path, report, error) ? path : QString();
}

} // namespace kestrix
