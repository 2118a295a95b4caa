#include "attachment.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace kestrix::feedback {

QString attachmentTypeRefusal()
{
    return QStringLiteral("Attachment must be .ptx, .zip, .png, or .jpg.");
}

QString attachmentSizeRefusal()
{
    return QStringLiteral("Attachment is too large. The server rejects files over 4 MB.");
}

std::optional<QString> attachmentRefusal(const QString &path)
{
    static const QStringList allowed{QStringLiteral("ptx"), QStringLiteral("zip"), QStringLiteral("png"),
                                     QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("txt")};
    const QFileInfo info(path);
    if (!allowed.contains(info.suffix().toLower()))
        return attachmentTypeRefusal();
    if (info.exists() && info.size() > kMaxAttachmentBytes)
        return attachmentSizeRefusal();
    return std::nullopt;
}

AttachmentRead readAttachment(const QString &path)
{
    // A pipe or device would block the reader or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(QFile::encodeName(path).toStdString()), error))
        return UnreadableAttachment{};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UnreadableAttachment{};
    const QByteArray bytes = file.read(kMaxAttachmentBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return UnreadableAttachment{};
    if (bytes.size() > kMaxAttachmentBytes)
        return attachmentSizeRefusal();
    return AttachmentContents{QFileInfo(path).fileName(), bytes};
}

} // namespace kestrix::feedback
