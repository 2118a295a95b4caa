// What the import command would do in the key file window: how many items it
// would import and whether it can. Choosing the command bumps importPulse,
// which the key window reacts to.
#ifndef KESTRIX_VIEWS_WINDOW_ACTIVE_IMPORT_CONTEXT_H
#define KESTRIX_VIEWS_WINDOW_ACTIVE_IMPORT_CONTEXT_H

#include <QObject>
#include <QString>

namespace kestrix {

class ActiveImportContext : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int trackCount() const { return trackCount_; }
    bool importEnabled() const { return importEnabled_; }
    int importPulse() const { return importPulse_; }

    void setTrackCount(int count);
    void setImportEnabled(bool enabled);
    // The import command was chosen.
    void pulse();

signals:
    void trackCountChanged(int count);
    void importEnabledChanged(bool enabled);
    void importPulseChanged(int pulse);

private:
    int trackCount_ = 0;
    bool importEnabled_ = false;
    int importPulse_ = 0;
};

// The import menu item's label for the number of items it would import.
QString importMenuTitle(int trackCount);

} // namespace kestrix

#endif
