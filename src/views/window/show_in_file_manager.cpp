#include "show_in_file_manager.h"

#include "file_reveal.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace kestrix {

void showInFileManager(const QString &filePath, QWidget *parent)
{
    revealInFileManager(filePath, [filePath, parent = QPointer<QWidget>(parent)] {
        QMessageBox::warning(parent, QStringLiteral("Kestrix"),
                             QObject::tr("The file manager could not show \"%1\".").arg(filePath));
    });
}

} // namespace kestrix
