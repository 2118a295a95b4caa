#include "single_instance.h"

#include <QCryptographicHash>
#include <QByteArrayView>
#include <QDebug>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>

#include <memory>
#include <optional>

namespace kestrix {

namespace {

constexpr int kTimeoutMs = 2000;

// A hand-over is the magic line followed by each path in UTF-8, each ended
// by a NUL byte, which no path contains.
constexpr QByteArrayView kMagic = "kestrix-open 1\n";

QByteArray encode(const QStringList &paths)
{
    QByteArray bytes(kMagic.data(), kMagic.size());
    for (const QString &path : paths)
        bytes.append(path.toUtf8()).append('\0');
    return bytes;
}

std::optional<QStringList> decode(const QByteArray &bytes)
{
    if (!bytes.startsWith(kMagic) || (bytes.size() > kMagic.size() && !bytes.endsWith('\0')))
        return std::nullopt;
    QStringList paths;
    const QByteArrayView body = QByteArrayView(bytes).sliced(kMagic.size());
    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype end = body.indexOf('\0', start);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString path = utf8(body.sliced(start, end - start));
        if (utf8.hasError() || path.isEmpty())
            return std::nullopt;
        paths.append(path);
        start = end + 1;
    }
    return paths;
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject *parent)
    : QObject(parent)
    , serverName_(std::move(serverName))
{
}

QString SingleInstance::defaultServerName()
{
    const QByteArray home = QDir::homePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("kestrix-") + QString::fromLatin1(digest.left(16));
}

bool SingleInstance::handOver(const QStringList &absolutePaths) const
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write(encode(absolutePaths));
    bool delivered = true;
    while (delivered && socket.bytesToWrite() > 0)
        delivered = socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return delivered;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    if (server_->listen(serverName_))
        return true;
    // Left behind by an instance that crashed: nobody answered handOver.
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(serverName_);
        if (server_->listen(serverName_))
            return true;
    }
    qWarning().noquote() << "[App] Later launches cannot hand over their files:" << server_->errorString();
    return false;
}

void SingleInstance::acceptConnection()
{
    struct Incoming {
        QByteArray bytes;
        bool rejected = false;
    };
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        auto incoming = std::make_shared<Incoming>();
        const auto take = [socket, incoming] {
            if (incoming->rejected)
                return;
            incoming->bytes.append(socket->readAll());
            if (incoming->bytes.size() > kMaximumMessageSize) {
                qWarning().noquote() << "[App] Ignoring an oversized hand-over from another launch";
                incoming->rejected = true;
                incoming->bytes.clear();
                socket->abort();
            }
        };
        connect(socket, &QLocalSocket::readyRead, socket, take);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, incoming, take] {
            take();
            socket->deleteLater();
            if (incoming->rejected)
                return;
            if (const std::optional<QStringList> paths = decode(incoming->bytes))
                emit filesReceived(*paths);
            else
                qWarning().noquote() << "[App] Ignoring an unreadable hand-over from another launch";
        });
    }
}

} // namespace kestrix
