// The name and email the forms remember between uses, in the preferences
// under "ContactInfo.firstName", "ContactInfo.lastName" and "ContactInfo.email".
#ifndef KESTRIX_FEEDBACK_CONTACT_INFO_H
#define KESTRIX_FEEDBACK_CONTACT_INFO_H

#include <QString>

namespace kestrix::feedback {

struct ContactInfo {
    QString firstName;
    QString lastName;
    QString email;

    // Missing or non-text values read as empty; long ones are cut to the
    // fields' limits.
    static ContactInfo load();
    void store() const;
};

} // namespace kestrix::feedback

#endif
