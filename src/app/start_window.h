// The start window: a fixed-size welcome panel titled "Kestrix" without
// minimise or maximise buttons, centred on the screen.
#ifndef KESTRIX_APP_START_WINDOW_H
#define KESTRIX_APP_START_WINDOW_H

#include <QMainWindow>

namespace kestrix {

class ContentView;
class RecentFiles;

class StartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StartWindow(RecentFiles &recents, QWidget *parent = nullptr);

    ContentView *contentView() const { return contentView_; }

    // Fixes the window at the size its content asks for and centres it.
    // Called once the menu bar is in place, since it adds to the height.
    void fitAndCentre();

private:
    ContentView *contentView_ = nullptr;
};

} // namespace kestrix

#endif
