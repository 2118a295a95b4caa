// The toolbar's output-device picker: "System Default" and one entry per
// output device, with a check mark at the one playback uses.
#ifndef KESTRIX_VIEWS_WINDOW_AUDIO_DEVICE_PICKER_H
#define KESTRIX_VIEWS_WINDOW_AUDIO_DEVICE_PICKER_H

#include <QToolButton>

class QActionGroup;
class QMenu;

namespace kestrix {

class AudioDeviceManager;

class AudioDevicePicker : public QToolButton {
    Q_OBJECT
public:
    explicit AudioDevicePicker(AudioDeviceManager &devices, QWidget *parent = nullptr);

    static QString systemDefaultText();

private:
    void rebuild();
    // Checks the entry of the active choice; entries stay, as one of them
    // may be the one being triggered.
    void showSelection();

    AudioDeviceManager &devices_;
    QMenu *menu_;
    QActionGroup *choices_;
};

} // namespace kestrix

#endif
