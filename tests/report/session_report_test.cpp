// The written report read back as its reader meets it: pages, text layer,
// fonts, and the failures a user can cause.
#include "poppler.h"
#include "report_text.h"
#include "session_report_pdf.h"

#include <gtest/gtest.h>

#include <numeric>
#include <regex>
#include <sstream>
#include <string>

namespace {

using kestrix::PTXSessionInfo;
namespace SessionReportPDF = kestrix::SessionReportPDF;

PTXSessionInfo sessionAt48k(const std::string &name)
{
    PTXSessionInfo info;
    info.sessionName = name;
    info.sampleRate = "48000";
    info.bitDepth = "24-bit";
    info.tempo = "120 BPM";
    info.tempoChanges = true;
    return info;
}

kestrix::PTXMemoryLocation marker(int64_t number, const std::string &name, uint64_t startTime)
{
    kestrix::PTXMemoryLocation location;
    location.number = number;
    location.name = name;
    location.timeProperties = "marker";
    location.startTime = startTime;
    location.colorR = 200;
    return location;
}

int pageCount(const std::string &pdf)
{
    std::smatch match;
    const std::string info = reporttest::pdfInfo(pdf);
    return std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(match[1]) : -1;
}

TEST(SessionReport, LongReportIsPaginatedLetterWithFootersRunningHeaderAndCutTexts)
{
    PTXSessionInfo info = sessionAt48k("");
    for (int i = 0; i < 150; ++i) {
        kestrix::PTXClipInfo clip;
        clip.name = "Take " + std::to_string(i);
        clip.sampleLength = 48000;
        info.clips.push_back(clip);
    }
    kestrix::PTXTrackInfo track;
    track.name = "A very long track name that cannot possibly fit its column of the table";
    track.comment = "\u96e8\u65e5\u6708\u6c34\u91d1\u96e8\u65e5\u6708\u6c34\u91d1\u96e8\u65e5\u6708\u6c34\u91d1";
    info.tracks.push_back(track);
    info.memoryLocations = {marker(1, "Verse", 65 * 48000), marker(2, "Bridge", 3725 * 48000),
                            marker(3, "Almost", 59 * 48000 + 47999)};
    const std::string pdf = reporttest::tempFolder() + "/Mix Report.pdf";
    const auto written = SessionReportPDF::write(info, pdf);
    ASSERT_TRUE(written) << written.error().description;

    const std::string pdfInfo = reporttest::pdfInfo(pdf);
    EXPECT_NE(pdfInfo.find("Page size:       612 x 792 pts"), std::string::npos) << pdfInfo;
    const int pages = pageCount(pdf);
    EXPECT_EQ(pages, written.value());
    ASSERT_GE(pages, 3);
    const std::string header = "Kestrix Session Report \u2014 (unnamed session)";
    std::vector<std::string> texts;  // each page's
    for (int page = 1; page <= pages; ++page) {
        const std::string text = reporttest::pageText(pdf, page);
        // The number ends the page, centred: the footer line starts with spaces.
        EXPECT_TRUE(std::regex_search(text, std::regex("\n {20,}Page " + std::to_string(page) + "\\s*$")))
            << "page " << page << ":\n" << text;
        EXPECT_EQ(text.find(header) != std::string::npos, page > 1) << "page " << page << ":\n" << text;
        texts.push_back(text);
    }
    // Every clip is listed once, none lost at a page break, and the column
    // titles come again on the pages the table continues on.
    const std::string all = reporttest::documentText(pdf);
    for (int i = 0; i < 150; ++i)
        EXPECT_NE(all.find("Take " + std::to_string(i) + "\n"), std::string::npos) << i;
    EXPECT_NE(texts[1].find("Audio File"), std::string::npos);
    const std::string &first = texts[0];
    const std::string layout = std::accumulate(texts.begin(), texts.end(), std::string());
    EXPECT_NE(first.find("120 BPM (changes)"), std::string::npos);
    EXPECT_NE(first.find("(unnamed session)"), std::string::npos) << first;

    // Texts too long for their column end in an ellipsis.
    EXPECT_EQ(layout.find("of the table"), std::string::npos) << layout;
    EXPECT_TRUE(std::regex_search(first, std::regex("A very long track name\\S* [^\n]*\u2026"))) << first;
    // The comment column (120 points) holds fewer than the 15 CJK characters.
    EXPECT_EQ(layout.find(track.comment), std::string::npos) << layout;
    EXPECT_NE(first.find("\u96e8\u65e5\u6708"), std::string::npos) << first;
    EXPECT_NE(first.find("\u2026"), first.rfind("\u2026")) << first;
    // The memory locations come last, with their start times.
    const std::string &last = texts.back();
    EXPECT_TRUE(std::regex_search(last, std::regex("Verse +Marker +1:05\n"))) << last;
    EXPECT_TRUE(std::regex_search(last, std::regex("Bridge +Marker +1:02:05\n"))) << last;
    EXPECT_TRUE(std::regex_search(last, std::regex("Almost +Marker +1:00\n"))) << last;
}

TEST(SessionReport, NamesInEveryScriptComeBackAsWrittenFromEmbeddedFonts)
{
    const std::vector<std::string> names = {
        "Caf\u00e9 \u00c9lan na\u00efve",          // Latin with accents
        "\u96e8\u65e5\u6708\u6c34\u91d1",           // CJK that share glyphs with radicals
        "\u30dc\u30fc\u30ab\u30eb \ud55c\uad6d\uc5b4",  // kana and hangul
        "\U0001F3B8 Guitar \U0001F941",             // emoji outside the BMP
        "\u0628\u062d\u062b",                        // Arabic, joined and shaped right to left
        "\ua9a7\ua9ba\ua9ad",                        // Javanese, which no installed font covers
    };
    PTXSessionInfo info = sessionAt48k("Scripts");
    for (const std::string &name : names) {
        kestrix::PTXTrackInfo track;
        track.name = name;
        info.tracks.push_back(track);
    }
    const std::string pdf = reporttest::tempFolder() + "/Scripts.pdf";
    ASSERT_TRUE(SessionReportPDF::write(info, pdf));

    // pdftotext wraps right-to-left runs in embedding marks.
    const std::string text = std::regex_replace(reporttest::documentText(pdf), std::regex("\u202B|\u202C"), "");
    for (const std::string &name : names)
        EXPECT_NE(text.find(name), std::string::npos) << name << " missing from:\n" << text;
    const std::string fonts = reporttest::pdfFonts(pdf);
    // Below the table's two title lines, every font says "yes" to embedded.
    size_t fontRows = 0;
    std::istringstream lines(fonts);
    std::string line;
    for (int skip = 0; skip < 2 && std::getline(lines, line); ++skip) {
    }
    while (std::getline(lines, line)) {
        ++fontRows;
        EXPECT_TRUE(std::regex_search(line, std::regex(" yes +yes +yes +\\d+ +0$"))) << line;
    }
    // The main font, a CJK font and an emoji font at least.
    EXPECT_GE(fontRows, 3u) << fonts;
}

TEST(SessionReportText, ProposedNameAndClockTexts)
{
    using namespace kestrix::report;
    EXPECT_EQ(proposedReportFileName("/Sessions/Mix.ptx"), "Mix Report.pdf");
    EXPECT_EQ(proposedReportFileName("Mix.v2.ptx"), "Mix.v2 Report.pdf");
    EXPECT_EQ(proposedReportFileName("/Sessions/.hidden"), ".hidden Report.pdf");
    EXPECT_EQ(clockText(3599 * 48000, 48000), "59:59");
    EXPECT_EQ(lengthText(72000, 48000), "0:01.500");
    // A rate the file does not state counts samples as seconds.
    PTXSessionInfo info;
    info.sampleRate = "Unknown";
    EXPECT_EQ(samplesPerSecond(info), 1);
    EXPECT_EQ(clockText(65, samplesPerSecond(info)), "1:05");
}

} // namespace
