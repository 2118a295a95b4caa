#include "single_instance.h"

#include "native_path.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrix {

namespace {

constexpr int kTimeoutMs = 2000;
constexpr int kClaimRetryMs = 25;
// Longer display names are hashed to keep the socket path within the
// 108 bytes a local socket address holds.
constexpr qsizetype kMaximumDisplayPart = 32;

// A hand-over is the magic line followed by each path's bytes (UTF-8 where
// the name is), each ended by a NUL byte, which no path contains.
constexpr QByteArrayView kMagic = "kestrix-open 1\n";

QByteArray encode(const QStringList &paths)
{
    QByteArray bytes(kMagic.data(), kMagic.size());
    for (const QString &path : paths)
        bytes.append(nativeBytesOfPath(path)).append('\0');
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
        if (end == start)
            return std::nullopt;
        paths.append(pathFromNativeBytes(body.sliced(start, end - start)));
        start = end + 1;
    }
    return paths;
}

QString sha256Hex(const QString &text, qsizetype length)
{
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(digest.left(length));
}

// The display this launch shows its windows on, as a safe file-name part:
// letters, digits, '.', '-' and '_' only.
QString displayNamePart()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("nodisplay");
    for (QChar &character : display) {
        const bool safe = character.unicode() < 128 &&
                          (character.isLetterOrNumber() || character == u'.' || character == u'-' || character == u'_');
        if (!safe)
            character = u'_';
    }
    return display.size() > kMaximumDisplayPart ? sha256Hex(display, kMaximumDisplayPart) : display;
}

#ifdef Q_OS_UNIX

// Owned by this user, a real folder rather than a link to one, and closed to
// everybody else.
bool isPrivateFolder(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

std::optional<QString> privateFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return runtime;
    if (!runtime.isEmpty())
        qWarning().noquote() << "[App] Ignoring XDG_RUNTIME_DIR" << runtime << "as it is not a folder only you can open";
    // Anybody can create names in the temporary folder, so one found there is
    // used only when it is already ours and private.
    const QString fallback = QDir::tempPath() + QStringLiteral("/kestrix-") + QString::number(::geteuid());
    ::mkdir(QFile::encodeName(fallback).constData(), S_IRWXU);
    if (isPrivateFolder(fallback))
        return fallback;
    qWarning().noquote() << "[App]" << fallback << "is not a folder only you can open;"
                         << "later launches will not hand their files to this one";
    return std::nullopt;
}

std::optional<uid_t> peerUserId(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials)
        return std::nullopt;
    return credentials.uid;
#else
    uid_t user = 0;
    gid_t group = 0;
    if (::getpeereid(int(descriptor), &user, &group) != 0)
        return std::nullopt;
    return user;
#endif
}

// The process at the other end runs as this user.
bool peerIsThisUser(const QLocalSocket &socket)
{
    const std::optional<uid_t> peer = peerUserId(socket.socketDescriptor());
    return peer && *peer == ::geteuid();
}

#else

// The temporary folder is the user's own on Windows.
std::optional<QString> privateFolder()
{
    return QDir::tempPath();
}

// A pipe made with QLocalServer::UserAccessOption admits only its user.
bool peerIsThisUser(const QLocalSocket &)
{
    return true;
}

#endif

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent)
    , socketPath_(std::move(socketPath))
{
}

SingleInstance::~SingleInstance()
{
    // Stop listening before the lock goes, so that the next instance finds no
    // socket of ours in use.
    if (server_)
        server_->close();
}

QString SingleInstance::defaultSocketPath()
{
    const std::optional<QString> folder = privateFolder();
    return folder ? *folder + QStringLiteral("/kestrix-") + displayNamePart() : QString();
}

SingleInstance::Claim SingleInstance::claim(const QStringList &absolutePaths)
{
    const QDeadlineTimer deadline(kClaimTimeoutMs);
    for (;;) {
        switch (takeLock()) {
        case Lock::Taken:
            startListening();
            return Claim::Instance;
        case Lock::Unavailable:
            return Claim::Instance;
        case Lock::HeldElsewhere:
            break;
        }
        // The holder may be starting (not listening yet) or quitting (the
        // lock is about to be free): try both again shortly.
        if (handOver(absolutePaths))
            return Claim::HandedOver;
        if (deadline.hasExpired())
            return Claim::NoAnswer;
        QThread::msleep(kClaimRetryMs);
    }
}

SingleInstance::Lock SingleInstance::takeLock()
{
    if (socketPath_.isEmpty())
        return Lock::Unavailable;
    if (!lock_)
        lock_ = std::make_unique<QLockFile>(socketPath_ + QStringLiteral(".lock"));
    // A lock left by a process that is gone is taken over.
    if (lock_->isLocked() || lock_->tryLock(0))
        return Lock::Taken;
    if (lock_->error() == QLockFile::LockFailedError)
        return Lock::HeldElsewhere;
    qWarning().noquote() << "[App] Cannot make the lock file" << lock_->fileName() << "so later launches"
                         << "will not hand their files to this one";
    return Lock::Unavailable;
}

bool SingleInstance::listen()
{
    return takeLock() == Lock::Taken && startListening();
}

bool SingleInstance::startListening()
{
    if (server_)
        return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    // Whoever holds the lock owns the name: a socket found there was left by
    // an instance that died.
    QLocalServer::removeServer(serverName());
    if (!server_->listen(serverName())) {
        qWarning().noquote() << "[App] Later launches cannot hand over their files:" << server_->errorString();
        return false;
    }
    qInfo().noquote() << "[App] Taking open requests from later launches at" << serverName();
    return true;
}

QString SingleInstance::serverName() const
{
#ifdef Q_OS_WIN
    // Pipe names are shared by all users of the machine and take no folders.
    return QStringLiteral("kestrix-") + sha256Hex(socketPath_, 32);
#else
    return socketPath_;
#endif
}

bool SingleInstance::handOver(const QStringList &absolutePaths) const
{
    if (socketPath_.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    if (!peerIsThisUser(socket)) {
        qWarning().noquote() << "[App] Not handing files over to" << serverName()
                             << "as another user listens there";
        socket.abort();
        return false;
    }
    socket.write(encode(absolutePaths));
    bool delivered = true;
    while (delivered && socket.bytesToWrite() > 0)
        delivered = socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return delivered;
}

void SingleInstance::acceptConnection()
{
    struct Incoming {
        QByteArray bytes;
        bool rejected = false;
    };
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        if (!peerIsThisUser(*socket)) {
            qWarning().noquote() << "[App] Refusing a hand-over from a process of another user";
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
