#include "feedback_text.h"

#include <QTextBoundaryFinder>

namespace kestrix::feedback {

namespace {

// The position in UTF-16 units after `limit` characters, or -1 when the text
// has no more than `limit` characters.
qsizetype positionAfter(const QString &text, qsizetype limit)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0) {
        ++count;
        if (count == limit)
            return finder.position() < text.size() ? finder.position() : -1;
    }
    return -1;
}

} // namespace

qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0)
        ++count;
    return count;
}

QString leftCharacters(const QString &text, qsizetype limit)
{
    if (limit <= 0)
        return {};
    // A character is at least one UTF-16 unit, so a short text is whole.
    if (text.size() <= limit)
        return text;
    const qsizetype end = positionAfter(text, limit);
    return end < 0 ? text : text.left(end);
}

QString trimmedAndCut(const QString &text, qsizetype limit)
{
    return leftCharacters(text.trimmed(), limit);
}

bool isValidEmail(const QString &text)
{
    const QString email = text.trimmed();
    if (characterCount(email) > kMaxEmailCharacters)
        return false;
    const qsizetype at = email.indexOf(u'@');
    if (at <= 0)
        return false;
    const QStringView domain = QStringView(email).mid(at + 1);
    return domain.contains(u'.') && !domain.endsWith(u'.');
}

QString characterCounterText(const QString &description)
{
    return QStringLiteral("%1 / %2").arg(characterCount(description)).arg(kMaxDescriptionCharacters);
}

bool isOverDescriptionLimit(const QString &description)
{
    return characterCount(description) > kMaxDescriptionCharacters;
}

} // namespace kestrix::feedback
