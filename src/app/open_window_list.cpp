#include "open_window_list.h"

#include "native_path.h"
#include "per_file_settings.h"

#include <QMetaType>

#include <cmath>

namespace kestrix {

namespace {

const QString kPath = QStringLiteral("path");
const QString kX = QStringLiteral("x");
const QString kY = QStringLiteral("y");
const QString kWidth = QStringLiteral("width");
const QString kHeight = QStringLiteral("height");

// Numbers only: a string that happens to hold digits is not a frame value.
std::optional<int> integerAt(const QVariantMap &entry, const QString &key)
{
    const QVariant value = entry.value(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        // Beyond any screen: not a frame the window system gave us.
        if (!std::isfinite(number) || std::abs(number) > kLargestFrameCoordinate)
            return std::nullopt;
        return int(std::lround(number));
    }
    default:
        return std::nullopt;
    }
}

std::optional<QRect> frameOf(const QVariantMap &entry)
{
    const std::optional<int> x = integerAt(entry, kX);
    const std::optional<int> y = integerAt(entry, kY);
    const std::optional<int> width = integerAt(entry, kWidth);
    const std::optional<int> height = integerAt(entry, kHeight);
    if (!x || !y || !width || !height)
        return std::nullopt;
    return QRect(*x, *y, *width, *height);
}

} // namespace

QVariantList encodeOpenWindowList(const QList<OpenWindowEntry> &entries)
{
    QVariantList list;
    for (const OpenWindowEntry &entry : entries) {
        QVariantMap dictionary{{kPath, pathToPreference(entry.path)}};
        if (entry.frame) {
            dictionary.insert(kX, double(entry.frame->x()));
            dictionary.insert(kY, double(entry.frame->y()));
            dictionary.insert(kWidth, double(entry.frame->width()));
            dictionary.insert(kHeight, double(entry.frame->height()));
        }
        list.append(dictionary);
    }
    return list;
}

std::optional<QList<OpenWindowEntry>> decodeOpenWindowList(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    const QVariantList list = stored.toList();
    for (const QVariant &item : list) {
        if (item.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
    }
    QList<OpenWindowEntry> entries;
    for (const QVariant &item : list) {
        const QVariantMap dictionary = item.toMap();
        if (const std::optional<QString> path = pathFromPreference(dictionary.value(kPath)))
            entries.append({*path, frameOf(dictionary)});
    }
    return entries;
}

} // namespace kestrix
