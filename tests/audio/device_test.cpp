// Device channel labels, the device manager and the toolbar's device picker
// bound to it.
#include "audio_device_manager.h"
#include "audio_device_picker.h"
#include "audio_playback_log.h"
#include "channel_labels.h"
#include "fake_device_source.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::FakeDeviceSource;
using audiotest::FakeDevices;
using audiotest::makeDevice;

namespace {

// The picker's menu entries, a checked one marked with "*".
QStringList menuEntries(const AudioDevicePicker &picker)
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

TEST(ChannelLabels, DescriptionsThenLayoutTagThenFallback)
{
    const auto stereo = deriveChannelLabels(2, std::nullopt, {});
    EXPECT_EQ(stereo.labels, (QStringList{"L", "R"}));
    EXPECT_EQ(stereo.sources, (QStringList{"fallback", "fallback"}));

    const auto mpeg51c = deriveChannelLabels(6, 0x7B0006, {});
    EXPECT_EQ(mpeg51c.labels, (QStringList{"L", "C", "R", "Ls", "Rs", "LFE"}));
    EXPECT_EQ(mpeg51c.sources.first(), "tag");

    const auto discrete = deriveChannelLabels(10, kLayoutTagDiscreteInOrder | 10, {});
    EXPECT_EQ(discrete.labels, (QStringList{"L", "R", "Ch3", "Ch4", "Ch5", "Ch6", "Ch7", "Ch8", "Ch9", "Ch10"}));
    EXPECT_EQ(layoutTagName(kLayoutTagDiscreteInOrder | 10), "DiscreteInOrder|10");

    const auto described = deriveChannelLabels(4, 0x6C0004, {QString("C"), std::nullopt, QString("Lss")});
    EXPECT_EQ(described.labels, (QStringList{"C", "R", "Lss", "Rs"}));
    EXPECT_EQ(described.sources, (QStringList{"desc", "tag", "desc", "tag"}));

    // A layout with fewer channels than the device goes on with the count's labels.
    EXPECT_EQ(deriveChannelLabels(8, 0x650002, {}).labels, (QStringList{"L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss"}));
    EXPECT_EQ(fallbackDeviceLabels(1), QStringList{"C"});
    EXPECT_EQ(fallbackDeviceLabels(3), (QStringList{"L", "R", "Ch3"}));
    EXPECT_TRUE(deriveChannelLabels(0, std::nullopt, {}).labels.isEmpty());
}

TEST(AudioDeviceManager, ListsDevicesKeepsThePickAndFollowsChangesWithThePickerShowingEach)
{
    const AudioOutputDevice speakers = makeDevice("speakers", {"L", "R"});
    const AudioOutputDevice surround = makeDevice("surround", {"L", "R", "C", "LFE", "Ls", "Rs"});
    FakeDevices fixture({speakers, makeDevice("mic", {}), surround});
    AudioDeviceManager &devices = *fixture.manager;
    FakeDeviceSource &fake = *fixture.source;
    const AudioPlaybackLog &log = fixture.log;
    ASSERT_EQ(devices.outputDevices().size(), 2) << "a device without outputs is not listed";
    EXPECT_EQ(devices.activeDevice()->uid, "speakers");
    EXPECT_FALSE(devices.selectedDevice());
    AudioDevicePicker picker(devices);
    EXPECT_EQ(menuEntries(picker), (QStringList{"*System Default", "speakers Out", "surround Out"}));
    EXPECT_EQ(picker.text(), "System Default");

    QSignalSpy listChanges(&devices, &AudioDeviceManager::outputDevicesChanged);
    QSignalSpy defaultChanges(&devices, &AudioDeviceManager::defaultDeviceChanged);
    QSignalSpy pickChanges(&devices, &AudioDeviceManager::selectedDeviceChanged);

    entry(picker, "surround Out")->trigger();
    EXPECT_EQ(devices.activeDevice()->uid, "surround");
    EXPECT_EQ(menuEntries(picker), (QStringList{"System Default", "speakers Out", "*surround Out"}));
    EXPECT_EQ(picker.text(), "surround Out");
    EXPECT_EQ(pickChanges.count(), 1);
    const QStringList entries = log.entries();
    ASSERT_GE(entries.size(), 5);
    EXPECT_EQ(entries.mid(entries.size() - 4, 3).join('|').remove(' '), "was:none|now:surroundOut|(override=yes)");
    EXPECT_TRUE(entries.last().trimmed().startsWith("id=" + QString::number(surround.id) + ", 6 ch, 48000 Hz"));

    // The platform changes its default: the pick stays active.
    const AudioOutputDevice headphones = makeDevice("headphones", {"L", "R"});
    fake.change({speakers, surround, headphones}, headphones);
    EXPECT_EQ(std::make_tuple(listChanges.count(), defaultChanges.count(), devices.outputDevices().size()),
              std::make_tuple(1, 1, 3));
    EXPECT_EQ(std::make_pair(devices.defaultDevice()->uid, devices.activeDevice()->uid),
              std::make_pair(QString("headphones"), QString("surround")));

    // Back to the default: the next default change is the active device's.
    devices.selectDevice(std::nullopt);
    EXPECT_EQ(devices.activeDevice()->uid, "headphones");
    EXPECT_TRUE(log.entries()[log.entries().size() - 2].trimmed() == "(override=no — using system default)");
    fake.change({speakers, surround}, speakers);
    EXPECT_TRUE(log.entries().last().endsWith(
        "AudioDeviceManager: active device CHANGED from 'headphones Out' → 'speakers Out' (id="
        + QString::number(speakers.id) + ", 2 ch, 48000 Hz)"));
    // An unchanged platform announces nothing.
    fake.change(fake.devices, fake.defaultDevice);
    EXPECT_EQ(std::make_tuple(listChanges.count(), defaultChanges.count()), std::make_tuple(2, 2));

    // A pick that is unplugged gives way to the system default (the pick
    // made elsewhere, in another window's picker, shows here too); a new
    // device is listed.
    devices.selectDevice(surround);
    EXPECT_EQ(menuEntries(picker), (QStringList{"System Default", "speakers Out", "*surround Out"}));
    fake.change({speakers, makeDevice("usb", {"L", "R"})}, speakers);
    EXPECT_FALSE(devices.selectedDevice());
    EXPECT_EQ(devices.activeDevice()->uid, "speakers");
    EXPECT_EQ(log.entries().filter("is no longer available — using the system default").size(), 1);
    EXPECT_EQ(menuEntries(picker), (QStringList{"*System Default", "speakers Out", "usb Out"}));
    EXPECT_EQ(picker.text(), "System Default");
}
