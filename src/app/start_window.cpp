#include "start_window.h"

#include "content_view.h"

#include <QGuiApplication>
#include <QScreen>

namespace kestrix {

StartWindow::StartWindow(RecentFiles &recents, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Kestrix"));
    setAttribute(Qt::WA_DeleteOnClose);
    contentView_ = new ContentView(recents, this);
    setCentralWidget(contentView_);
}

void StartWindow::fitAndCentre()
{
    // The wrapped feature texts make the content's height depend on its width.
    contentView_->adjustSize();
    contentView_->setFixedSize(contentView_->size().expandedTo(QSize(1, 1)));
    adjustSize();
    setFixedSize(sizeHint());
    QRect frame(QPoint(0, 0), size());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace kestrix
