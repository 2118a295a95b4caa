#include "audio_device_picker.h"

#include "audio_device_manager.h"
#include "menu_text.h"

#include <QActionGroup>
#include <QMenu>

namespace kestrix {

AudioDevicePicker::AudioDevicePicker(AudioDeviceManager &devices, QWidget *parent)
    : QToolButton(parent), devices_(devices), menu_(new QMenu(this)), choices_(new QActionGroup(this))
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setToolTip(tr("Output device for multi-mono playback"));
    setMenu(menu_);
    choices_->setExclusive(true);
    connect(&devices_, &AudioDeviceManager::outputDevicesChanged, this, &AudioDevicePicker::rebuild);
    connect(&devices_, &AudioDeviceManager::selectedDeviceChanged, this, &AudioDevicePicker::showSelection);
    rebuild();
}

QString AudioDevicePicker::systemDefaultText()
{
    return tr("System Default");
}

void AudioDevicePicker::rebuild()
{
    menu_->clear();  // deletes the entries, which leaves the group empty

    QAction *systemDefault = menu_->addAction(systemDefaultText());
    systemDefault->setCheckable(true);
    choices_->addAction(systemDefault);
    connect(systemDefault, &QAction::triggered, this, [this] { devices_.selectDevice(std::nullopt); });
    menu_->addSeparator();

    for (const AudioOutputDevice &device : devices_.outputDevices()) {
        QAction *action = menu_->addAction(menuText(device.name));
        action->setCheckable(true);
        action->setData(device.id);
        action->setToolTip(QStringLiteral("%1 ch, %2 Hz, %3")
                               .arg(device.outputChannelCount)
                               .arg(device.sampleRate, 0, 'f', 0)
                               .arg(device.channelLabels.join(QLatin1String(" "))));
        choices_->addAction(action);
        connect(action, &QAction::triggered, this, [this, device] { devices_.selectDevice(device); });
    }
    showSelection();
}

void AudioDevicePicker::showSelection()
{
    const std::optional<AudioOutputDevice> &selected = devices_.selectedDevice();
    for (QAction *action : choices_->actions()) {
        const QVariant id = action->data();
        action->setChecked(selected ? id.isValid() && id.toUInt() == selected->id : !id.isValid());
    }
    setText(selected ? menuText(selected->name) : systemDefaultText());
}

} // namespace kestrix
