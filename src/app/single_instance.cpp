#include "single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>
#include <optional>

namespace kestrix {

namespace {

constexpr int kTimeoutMs = 2000;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

QByteArray encode(const QStringList &paths)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(kStreamVersion);
    stream << paths;
    return bytes;
}

std::optional<QStringList> decode(const QByteArray &bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(kStreamVersion);
    QStringList paths;
    stream >> paths;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
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
    return QStringLiteral("kestrix-") + QString::fromLatin1(QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex().left(16));
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
