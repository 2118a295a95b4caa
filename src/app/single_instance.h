// One running Kestrix per user: a second launch hands the files it was given
// to the running instance over a local socket and quits.
#ifndef KESTRIX_APP_SINGLE_INSTANCE_H
#define KESTRIX_APP_SINGLE_INSTANCE_H

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace kestrix {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Longer hand-overs are cut off; no list of paths comes near it.
    static constexpr qsizetype kMaximumMessageSize = 4 * 1024 * 1024;

    explicit SingleInstance(QString serverName, QObject *parent = nullptr);

    // A name of this user's own, so that users never reach each other.
    static QString defaultServerName();

    // True when a running instance took the files (which may be none: a
    // plain second launch).
    bool handOver(const QStringList &absolutePaths) const;
    // Starts taking hand-overs; false when the name cannot be taken.
    bool listen();

signals:
    void filesReceived(const QStringList &absolutePaths);

private:
    void acceptConnection();

    QString serverName_;
    QLocalServer *server_ = nullptr;
};

} // namespace kestrix

#endif
