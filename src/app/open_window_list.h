// The list of open file windows kept in the preferences so that they reopen
// at the next launch: front-most first, each a dictionary with "path", "x",
// "y", "width" and "height".
#ifndef KESTRIX_APP_OPEN_WINDOW_LIST_H
#define KESTRIX_APP_OPEN_WINDOW_LIST_H

#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>

#include <optional>

namespace kestrix {

struct OpenWindowEntry {
    QString path;
    std::optional<QRect> frame;
    bool operator==(const OpenWindowEntry &) const = default;
};

QVariantList encodeOpenWindowList(const QList<OpenWindowEntry> &entries);

// None unless the value is a list of dictionaries. Entries without a string
// "path" are left out; an entry gets a frame only when all four numbers are
// there. Whether the files still exist is for the caller to check.
std::optional<QList<OpenWindowEntry>> decodeOpenWindowList(const QVariant &stored);

} // namespace kestrix

#endif
