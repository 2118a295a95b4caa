#include "contact_info.h"

#include "feedback_text.h"

#include <QSettings>

namespace kestrix::feedback {

namespace {

const QString kFirstNameKey = QStringLiteral("ContactInfo.firstName");
const QString kLastNameKey = QStringLiteral("ContactInfo.lastName");
const QString kEmailKey = QStringLiteral("ContactInfo.email");

QString storedText(const QSettings &settings, const QString &key, qsizetype limit)
{
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    // A stored value no user could have typed is not worth scanning whole.
    if (text.size() > limit * 8)
        return {};
    return leftCharacters(text, limit);
}

} // namespace

ContactInfo ContactInfo::load()
{
    const QSettings settings;
    return {storedText(settings, kFirstNameKey, kMaxNameCharacters),
            storedText(settings, kLastNameKey, kMaxNameCharacters),
            storedText(settings, kEmailKey, kMaxEmailCharacters)};
}

void ContactInfo::store() const
{
    QSettings settings;
    settings.setValue(kFirstNameKey, firstName);
    settings.setValue(kLastNameKey, lastName);
    settings.setValue(kEmailKey, email);
}

} // namespace kestrix::feedback
