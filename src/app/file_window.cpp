#include "file_window.h"

#include "file_location.h"
#include "native_path.h"
#include "window/ptx_detail_view.h"

#include <QCloseEvent>

namespace kestrix {

FileWindow::FileWindow(const QString &filePath, QWidget *parent)
    : QMainWindow(parent)
    , filePath_(filePath)
{
    // Closing a window frees its session; the file's next open builds a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    // The file path first: a title set afterwards takes precedence over it,
    // while the path still gives the title bar its document icon.
    setWindowFilePath(filePath);
    setWindowTitle(fileNameWithoutExtension(displayablePath(filePath)));
    detailView_ = new PTXDetailView(filePath, this);
    detailView_->setMinimumSize(kMinimumContentSize);
    setCentralWidget(detailView_);
}

void FileWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    emit frameChanged();
}

void FileWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    emit frameChanged();
}

void FileWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit becameKey();
}

void FileWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closing();
}

} // namespace kestrix
