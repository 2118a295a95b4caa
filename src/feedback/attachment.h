// The bug report's optional file: which files may be chosen, and reading the
// chosen one when the report is sent.
#ifndef KESTRIX_FEEDBACK_ATTACHMENT_H
#define KESTRIX_FEEDBACK_ATTACHMENT_H

#include "feedback_request.h"

#include <QString>

#include <optional>
#include <variant>

namespace kestrix::feedback {

// The service refuses larger files.
constexpr qint64 kMaxAttachmentBytes = 4 * 1024 * 1024;

QString attachmentTypeRefusal();
QString attachmentSizeRefusal();

// Why `path` cannot be attached (its extension, or more than 4 MB), or
// nothing when it can. A file whose size cannot be read passes.
std::optional<QString> attachmentRefusal(const QString &path);

// Reading the attachment at send time: its contents; nothing when it cannot
// be read (the report goes without it); or the size refusal when it has grown
// past the limit since it was chosen. Never reads more than the limit and a byte.
struct UnreadableAttachment {};
using AttachmentRead = std::variant<AttachmentContents, UnreadableAttachment, QString>;
AttachmentRead readAttachment(const QString &path);

} // namespace kestrix::feedback

#endif
