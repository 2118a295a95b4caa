// The toolbar's device picker, bound to a device manager.
#include "audio_device_picker.h"
#include "fake_device_source.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::FakeDevices;
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
    const AudioOutputDevice speakers = makeDevice("speakers", {"L", "R"});
    const AudioOutputDevice surround = makeDevice("surround", {"L", "R", "C", "LFE", "Ls", "Rs"});
    FakeDevices fixture({speakers, surround});
    AudioDeviceManager &devices = *fixture.manager;

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
    fixture.source->change({speakers, makeDevice("usb", {"L", "R"})}, speakers);
    EXPECT_FALSE(devices.selectedDevice());
    EXPECT_EQ(entries(picker), (QStringList{"*System Default", "speakers Out", "usb Out"}));
    EXPECT_EQ(picker.text(), "System Default");

    // Selected from elsewhere (another window's picker).
    devices.selectDevice(speakers);
    EXPECT_EQ(entries(picker), (QStringList{"System Default", "*speakers Out", "usb Out"}));
}
