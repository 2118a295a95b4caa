// The toolbar's device picker, bound to a device manager.
#include "audio_device_manager.h"
#include "audio_device_picker.h"
#include "audio_playback_log.h"
#include "fake_device_source.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::FakeDeviceSource;
using audiotest::makeDevice;

namespace {

// The menu's entries, a checked one marked with "*".
QStringList entries(const AudioDevicePicker &picker)
{
    QStringList out;
    for (const QAction *action : picker.menu()->actions()) {
        if (!action->isSeparator())
            out << (action->isChecked() ? "*" : "") + action->text();
    }
    return out;
}

QAction *entry(const AudioDevicePicker &picker, const QString &text)
{
    for (QAction *action : picker.menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

TEST(AudioDevicePicker, ChecksTheActiveChoiceAndSelects)
{
    AudioPlaybackLog log;
    auto source = std::make_unique<FakeDeviceSource>();
    FakeDeviceSource &fake = *source;
    const AudioOutputDevice speakers = makeDevice("speakers", {"L", "R"});
    const AudioOutputDevice surround = makeDevice("surround", {"L", "R", "C", "LFE", "Ls", "Rs"});
    fake.devices = {speakers, surround};
    fake.defaultDevice = speakers;
    AudioDeviceManager devices(std::move(source), log);

    AudioDevicePicker picker(devices);
    EXPECT_EQ(entries(picker), (QStringList{"*System Default", "speakers Out", "surround Out"}));
    EXPECT_EQ(picker.text(), "System Default");

    entry(picker, "surround Out")->trigger();
    ASSERT_TRUE(devices.selectedDevice());
    EXPECT_EQ(devices.selectedDevice()->uid, "surround");
    EXPECT_EQ(entries(picker), (QStringList{"System Default", "speakers Out", "*surround Out"}));
    EXPECT_EQ(picker.text(), "surround Out");

    // A picked device that goes away falls back to the system default; a
    // new one is listed.
    fake.change({speakers, makeDevice("usb", {"L", "R"})}, speakers);
    EXPECT_FALSE(devices.selectedDevice());
    EXPECT_EQ(entries(picker), (QStringList{"*System Default", "speakers Out", "usb Out"}));
    EXPECT_EQ(picker.text(), "System Default");

    // Selected from elsewhere (another window's picker).
    devices.selectDevice(speakers);
    EXPECT_EQ(entries(picker), (QStringList{"System Default", "*speakers Out", "usb Out"}));
}
