// One running Kestrix per user and display: the first launch claims the
// instance by a lock file in the user's private folder and listens on a socket
// beside it; a later launch hands the files it was given to that instance and
// quits.
#ifndef KESTRIX_APP_SINGLE_INSTANCE_H
#define KESTRIX_APP_SINGLE_INSTANCE_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

namespace kestrix {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Longer hand-overs are cut off; no list of paths comes near it.
    static constexpr qsizetype kMaximumMessageSize = 4 * 1024 * 1024;
    // How long a launch keeps trying to reach an instance that holds the
    // claim but is not listening yet (or is quitting).
    static constexpr int kClaimTimeoutMs = 5000;

    enum class Claim {
        Instance,   // this process is the instance (listening when it could)
        HandedOver, // the running instance took the files
        NoAnswer,   // another process holds the claim but never answered
    };

    // The instance listens at `socketPath` and holds the lock file
    // `socketPath + ".lock"`. An empty path has no place to meet other
    // launches: every claim makes an instance that does not listen.
    explicit SingleInstance(QString socketPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // "kestrix-<display>" in a folder only this user can open: the runtime
    // folder, or one of the user's own in the temporary folder. Empty, with a
    // log line, when neither is private.
    static QString defaultSocketPath();

    // Becomes the instance or hands the files to the one that is, retrying
    // for at most kClaimTimeoutMs.
    Claim claim(const QStringList &absolutePaths);

    // One attempt: true when a running instance of this user took the files
    // (which may be none: a plain second launch).
    bool handOver(const QStringList &absolutePaths) const;
    // Takes the claim and starts taking hand-overs; false when another
    // process holds the claim or the socket cannot be made.
    bool listen();

signals:
    void filesReceived(const QStringList &absolutePaths);

private:
    enum class Lock { Taken, HeldElsewhere, Unavailable };

    Lock takeLock();
    bool startListening();
    QString serverName() const;
    void acceptConnection();

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};

} // namespace kestrix

#endif
