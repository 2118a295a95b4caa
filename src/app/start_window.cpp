#include "start_window.h"

#include "content_view.h"

#include <QGuiApplication>
#include <QScreen>

namespace kestrix {

StartWindow::StartWindow(RecentFiles &recents, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Kestrix"));
    // Closing only hides it: it may be closed from inside a dialog's event
    // loop (a file handed over while the open dialog is up), and deleting it
    // there would take the dialog it is the parent of with it. The delegate
    // owns it and shows it again when asked.
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
