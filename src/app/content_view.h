// The start window's content: on the left what Kestrix does, on the right the
// recent sessions, the open button and the version.
#ifndef KESTRIX_APP_CONTENT_VIEW_H
#define KESTRIX_APP_CONTENT_VIEW_H

#include <QWidget>

class QLabel;
class QStackedWidget;
class QVBoxLayout;

namespace kestrix {

class RecentFiles;

class ContentView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeftPaneWidth = 280;
    static constexpr int kRightPaneWidth = 300;

    explicit ContentView(RecentFiles &recents, QWidget *parent = nullptr);

signals:
    void recentFileChosen(const QString &filePath);
    void openPanelRequested();

private:
    QWidget *makeLeftPane();
    QWidget *makeRightPane();
    void rebuildRecentRows();

    RecentFiles &recents_;
    QStackedWidget *recentArea_ = nullptr;
    QWidget *recentRowsPage_ = nullptr;
    QLabel *noRecentSessions_ = nullptr;
    QVBoxLayout *recentRows_ = nullptr;
};

} // namespace kestrix

#endif
