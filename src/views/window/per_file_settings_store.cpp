#include "per_file_settings_store.h"

#include "preference_keys.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QSet>
#include <QSettings>

namespace kestrix {

namespace {

QByteArray toBytes(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace

PerFileSettingsStore::PerFileSettingsStore(QObject *parent)
    : QObject(parent)
{
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(kSaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, &PerFileSettingsStore::flush);
}

PerFileSettingsStore::~PerFileSettingsStore()
{
    flush();
}

PerFileSettingsStore &PerFileSettingsStore::shared()
{
    // Owned by the application object, so that it writes before the
    // application's name, which locates the preferences, is gone.
    static QPointer<PerFileSettingsStore> store;
    if (!store) {
        store = new PerFileSettingsStore(QCoreApplication::instance());
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, store.data(),
                &PerFileSettingsStore::flush);
    }
    return *store;
}

PerFileSettings PerFileSettingsStore::load(const QString &filePath) const
{
    const QString key = perFileSettingsKey(filePath);
    if (const auto pending = pending_.constFind(key); pending != pending_.cend())
        return *pending;
    const QByteArray bytes = QSettings().value(key).toByteArray();
    if (bytes.isEmpty())
        return {};
    return decodePerFileSettings(std::string_view(bytes.constData(), size_t(bytes.size()))).value_or(PerFileSettings{});
}

void PerFileSettingsStore::save(const QString &filePath, const PerFileSettings &settings)
{
    const QString key = perFileSettingsKey(filePath);
    pending_.insert(key, settings);
    pendingOrder_.removeOne(key);
    pendingOrder_.append(key);
    saveTimer_.start();
}

void PerFileSettingsStore::flush()
{
    saveTimer_.stop();
    if (pending_.isEmpty())
        return;
    QSettings settings;
    for (const QString &key : std::as_const(pendingOrder_))
        settings.setValue(key, toBytes(encodePerFileSettings(pending_.value(key))));
    forgetLeastRecentlyUsed(settings, pendingOrder_);
    pending_.clear();
    pendingOrder_.clear();
    settings.sync();
    if (settings.status() != QSettings::NoError && !failureReported_) {
        failureReported_ = true;
        qWarning().noquote() << "[App] The preferences cannot be written to" << settings.fileName();
        emit writeFailed(settings.fileName());
    }
}

void PerFileSettingsStore::forgetLeastRecentlyUsed(QSettings &settings, const QStringList &savedKeys)
{
    // Most recent first: what was just saved, then the order known so far,
    // then records written before the order was kept, oldest of all.
    QStringList order(savedKeys.crbegin(), savedKeys.crend());
    QSet<QString> seen(order.cbegin(), order.cend());
    QStringList known = settings.value(prefs::kPerFileRecentlyUsed).toStringList();
    known += settings.allKeys();
    for (const QString &key : std::as_const(known)) {
        if (key.startsWith(prefs::kPerFilePrefix) && !seen.contains(key) && settings.contains(key)) {
            seen.insert(key);
            order.append(key);
        }
    }
    while (order.size() > kMaximumRecords)
        settings.remove(order.takeLast());
    settings.setValue(prefs::kPerFileRecentlyUsed, order);
}

} // namespace kestrix
