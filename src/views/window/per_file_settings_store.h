// Where the per-file view settings live while the application runs. Window
// moves, resizes, zooms and scrolls come many times a second, and each write
// of the preferences rewrites the whole file, so changes are kept here and
// written together once things are quiet for a moment, when a window closes
// and when the application quits. Only the most recently used records are
// kept, so the preferences do not grow with every session ever opened.
#ifndef KESTRIX_VIEWS_WINDOW_PER_FILE_SETTINGS_STORE_H
#define KESTRIX_VIEWS_WINDOW_PER_FILE_SETTINGS_STORE_H

#include "per_file_settings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QSettings;

namespace kestrix {

class PerFileSettingsStore : public QObject {
    Q_OBJECT
public:
    static constexpr int kSaveDelayMs = 500;
    static constexpr qsizetype kMaximumRecords = 500;

    explicit PerFileSettingsStore(QObject *parent = nullptr);
    // Writes what is pending.
    ~PerFileSettingsStore() override;

    // The process-wide store of the main thread.
    static PerFileSettingsStore &shared();

    // The file's record: the pending one, else the stored one, else the
    // defaults (also when the stored bytes do not decode).
    PerFileSettings load(const QString &filePath) const;
    // Replaces the file's record; it is written a moment later.
    void save(const QString &filePath, const PerFileSettings &settings);
    // Writes every pending record now, then drops the least recently used
    // records beyond the most recent kMaximumRecords.
    void flush();
    bool hasPendingChanges() const { return !pending_.isEmpty(); }

signals:
    // The preferences could not be written. Said once per store: the user
    // needs to hear it once, not at every window move.
    void writeFailed(const QString &settingsFile);

private:
    void forgetLeastRecentlyUsed(QSettings &settings, const QStringList &savedKeys);

    QHash<QString, PerFileSettings> pending_; // by preferences key
    QStringList pendingOrder_;                // keys, least recently saved first
    QTimer saveTimer_;
    bool failureReported_ = false;
};

} // namespace kestrix

#endif
