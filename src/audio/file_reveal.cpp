#include "file_reveal.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kestrix {
namespace {

void openContainingFolder(const QString &path, const std::function<void()> &failed)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath())))
        return;
    if (failed)
        failed();
}

} // namespace

void revealInFileManager(const QString &path, std::function<void()> failed)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openContainingFolder(absolute, failed);
        return;
    }
    QDBusMessage showItems = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    showItems << QStringList{QUrl::fromLocalFile(absolute).toString()} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(showItems), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [absolute, failed = std::move(failed)](QDBusPendingCallWatcher *call) {
                         call->deleteLater();
                         if (QDBusPendingReply<>(*call).isError())
                             openContainingFolder(absolute, failed);
                     });
}

} // namespace kestrix
