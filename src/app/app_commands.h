// The menus and their keyboard shortcuts. The menus are built once and shared
// by the menu bars of all windows, so every window offers the same commands
// and a change (a recent file, the import count) shows everywhere at once.
#ifndef KESTRIX_APP_APP_COMMANDS_H
#define KESTRIX_APP_APP_COMMANDS_H

#include <QObject>

#include <memory>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace kestrix {

class QuorvixApp;

class AppCommands : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kUserGuideAddress = "https://www.tarnwellaudio.com/kestrix/guide";

    explicit AppCommands(QuorvixApp &app);
    ~AppCommands() override;

    void installMenuBar(QMainWindow *window);

    QMenu *openRecentMenu() const { return openRecentMenu_.get(); }
    QAction *importAction() const { return importAction_; }

private:
    QMenu *addMenu(const QString &title);
    void buildApplicationMenu();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildHelpMenu();
    void rebuildOpenRecentMenu();
    void updateImportAction();
    void exportFocusedSessionReport();

    QuorvixApp &app_;
    std::vector<std::unique_ptr<QMenu>> menus_;
    std::unique_ptr<QMenu> openRecentMenu_;
    QAction *importAction_ = nullptr;
};

} // namespace kestrix

#endif
