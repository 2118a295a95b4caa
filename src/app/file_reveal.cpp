#include "file_reveal.h"

#include "file_location.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

namespace kestrix {

namespace {

void openContainingFolder(const QString &filePath, const QPointer<QWidget> &parent)
{
    qInfo().noquote() << "[App] No file manager selected" << filePath << "- opening its folder";
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folderPath(filePath))))
        return;
    QMessageBox::warning(parent, QStringLiteral("Kestrix"),
                         QObject::tr("The file manager could not show \"%1\".").arg(filePath));
}

} // namespace

void revealInFileManager(const QString &filePath, QWidget *parent)
{
    const QPointer<QWidget> guardedParent(parent);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openContainingFolder(filePath, guardedParent);
        return;
    }
    QDBusMessage showItems = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    showItems << QStringList{QUrl::fromLocalFile(filePath).toString()} << QString();
    // Asynchronous, so a slow or absent file manager never blocks the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(showItems), qApp);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [filePath, guardedParent](QDBusPendingCallWatcher *call) {
                         call->deleteLater();
                         if (QDBusPendingReply<>(*call).isError())
                             openContainingFolder(filePath, guardedParent);
                     });
}

} // namespace kestrix
