// The text rules both feedback forms share: what counts as a character, how
// fields are cut to the service's limits, and what passes as an email address.
#ifndef KESTRIX_FEEDBACK_FEEDBACK_TEXT_H
#define KESTRIX_FEEDBACK_FEEDBACK_TEXT_H

#include <QString>

namespace kestrix::feedback {

constexpr qsizetype kMaxNameCharacters = 100;
constexpr qsizetype kMaxEmailCharacters = 320;
constexpr qsizetype kMaxDescriptionCharacters = 10000;

// Characters as a reader sees them (grapheme clusters): an emoji or a letter
// with its accent counts once, so cutting never splits one.
qsizetype characterCount(const QString &text);
// The first `limit` characters of `text`.
QString leftCharacters(const QString &text, qsizetype limit);
// Trimmed of white space and newlines, then cut to `limit` characters.
QString trimmedAndCut(const QString &text, qsizetype limit);

// At most 320 characters after trimming; an "@" that is not first; after the
// first "@" a "." and no "." at the end.
bool isValidEmail(const QString &text);

// The description's counter under the text: "<count> / 10000".
QString characterCounterText(const QString &description);
bool isOverDescriptionLimit(const QString &description);

} // namespace kestrix::feedback

#endif
