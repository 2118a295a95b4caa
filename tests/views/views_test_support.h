// Hand-built sessions and small helpers for driving the views.
#ifndef KESTRIX_TESTS_VIEWS_VIEWS_TEST_SUPPORT_H
#define KESTRIX_TESTS_VIEWS_VIEWS_TEST_SUPPORT_H

#include "overview_data.h"
#include "session_info.h"

#include <QString>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace viewstest {

kestrix::PTXClipInfo clip(std::string name, int64_t sourceFile = -1, uint64_t position = 0);
kestrix::PTXTrackInfo track(std::string name, std::vector<kestrix::PTXClipInfo> clips = {},
                            std::optional<std::string> parent = std::nullopt,
                            kestrix::PTXTrackType type = kestrix::PTXTrackType::audio);
kestrix::PTXTrackInfo folder(std::string name, std::optional<std::string> parent = std::nullopt);
kestrix::PTXAudioFile audioFile(std::string name, std::string path = {}, std::string typeTag = "WAVE");

// The session's data as a window hands it to the overview.
kestrix::OverviewData overviewData(kestrix::PTXSessionInfo session, kestrix::AudioFileStatus files = {});

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000);

} // namespace viewstest

namespace kestrix {
void PrintTo(const SelectableItem &item, std::ostream *out);
} // namespace kestrix

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

#endif
