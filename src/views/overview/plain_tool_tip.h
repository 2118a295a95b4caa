// Names, comments and paths come from session files and file systems that
// anybody may have written. Qt shows a tool tip that looks like HTML as rich
// text, so such texts are handed to it escaped, to be shown as they are.
#ifndef KESTRIX_VIEWS_OVERVIEW_PLAIN_TOOL_TIP_H
#define KESTRIX_VIEWS_OVERVIEW_PLAIN_TOOL_TIP_H

#include <QString>
#include <QTextDocument>

namespace kestrix {

// Empty stays empty, so that no tool tip is shown.
inline QString plainToolTip(const QString &text)
{
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

} // namespace kestrix

#endif
