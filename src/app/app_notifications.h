// The application-wide notifications the menu commands post. File windows
// act on them only while they are the key window.
#ifndef KESTRIX_APP_APP_NOTIFICATIONS_H
#define KESTRIX_APP_APP_NOTIFICATIONS_H

#include <QObject>

namespace kestrix {

class AppNotifications : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void refreshFile();
    void clearOverviewSelection();
    void universeZoomInHorizontal();
    void universeZoomOutHorizontal();
    void universeZoomInVertical();
    void universeZoomOutVertical();
};

} // namespace kestrix

#endif
