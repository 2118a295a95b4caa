#include "report_renderer.h"

#include "color_palette.h"
#include "report_text.h"

#include <algorithm>
#include <cmath>

namespace kestrix::report {

namespace {

// The light appearance, whatever the desktop's theme: opaque greys on white.
struct Grey {
    double level;
};
constexpr Grey kLabel{0.11};
constexpr Grey kSecondary{0.45};
constexpr Grey kSeparator{0.85};
// A location or track without a colour of its own.
constexpr double kNoColour[] = {142 / 255.0, 142 / 255.0, 147 / 255.0};

constexpr double kTitleHeight = 24;
constexpr double kSubHeight = 16;
constexpr double kSectionTitleHeight = 18;
constexpr double kRunningHeaderHeight = 12;
constexpr double kFooterHeight = 12;
// Space between a cell's text and the next column.
constexpr double kCellPadding = 6;
constexpr double kMarkWidth = 6;
constexpr double kMarkHeight = 8;
constexpr double kMarkRadius = 1.5;
constexpr double kMarkSpace = kMarkWidth + 4;
// Folder nesting indents a track's name; deeper levels stay at the deepest.
constexpr double kNestingIndent = 10;
constexpr int kMaxNestingShown = 6;

constexpr Column kTrackColumns[] = {
    {"Name", 36, 200}, {"Type", 236, 70}, {"Format", 306, 60}, {"Inserts", 366, 90}, {"Comment", 456, 120}};
constexpr Column kAudioFileColumns[] = {{"Name", 36, 200}, {"Path", 236, 340}};
constexpr Column kClipColumns[] = {
    {"Name", 36, 220}, {"Audio File", 256, 200}, {"Offset", 456, 60}, {"Length", 516, 60}};
constexpr Column kMemoryLocationColumns[] = {
    {"#", 36, 30}, {"Name", 66, 220}, {"Type", 286, 60}, {"Start", 346, 110}};
constexpr Column kPluginColumn = {"", 48, 528};

void setGrey(cairo_t *cr, Grey grey)
{
    cairo_set_source_rgb(cr, grey.level, grey.level, grey.level);
}

std::string counted(const char *title, size_t count)
{
    return std::string(title) + " (" + std::to_string(count) + ")";
}

} // namespace

ReportRenderer::ReportRenderer(cairo_t *cr, const PTXSessionInfo &info, std::string generatedText)
    : cr_(cr)
    , info_(info)
    , generatedText_(std::move(generatedText))
    , sessionName_(sessionDisplayName(info))
    , text_(cr)
{
}

int ReportRenderer::render()
{
    // cairo's page space already grows downwards from the top edge.
    cairo_save(cr_);
    beginPage();
    drawTitleBlock();
    drawSessionSetup();
    drawTracks();
    drawAudioFiles();
    drawClips();
    drawPlugins();
    drawMemoryLocations();
    drawFooter();
    cairo_restore(cr_);
    endPage();
    return pageNumber_;
}

void ReportRenderer::beginPage()
{
    y_ = kMargin;
    ++pageNumber_;
    if (isFirstPageOfDocument_) {
        isFirstPageOfDocument_ = false;
        return;
    }
    setGrey(cr_, kSecondary);
    text_.draw("Kestrix Session Report \u2014 " + sessionName_, ReportFont::small,
               {kMargin, y_, kContentWidth, kRunningHeaderHeight});
    y_ += kRunningHeaderHeight + 2;
    separator(y_);
    y_ += 8;
    if (!table_.empty())
        drawTableHeader();
}

void ReportRenderer::endPage()
{
    cairo_show_page(cr_);
}

void ReportRenderer::makeRoom(double height)
{
    if (y_ + height <= kLastLine)
        return;
    drawFooter();
    endPage();
    beginPage();
}

void ReportRenderer::drawFooter()
{
    setGrey(cr_, kSecondary);
    text_.draw("Page " + std::to_string(pageNumber_), ReportFont::small, {kMargin, kFooterY, kContentWidth, kFooterHeight},
               Align::centre);
}

void ReportRenderer::drawTitleBlock()
{
    setGrey(cr_, kLabel);
    text_.draw("Kestrix Session Report", ReportFont::title, {kMargin, y_, kContentWidth, kTitleHeight});
    y_ += kTitleHeight;
    setGrey(cr_, kSecondary);
    text_.draw(sessionName_, ReportFont::sub, {kMargin, y_, kContentWidth, kSubHeight});
    y_ += kSubHeight;
    text_.draw("Generated " + generatedText_, ReportFont::small, {kMargin, y_, kContentWidth, kRowHeight});
    y_ += kRowHeight + kSectionGap;
}

void ReportRenderer::drawSessionSetup()
{
    const auto withChanges = [](const std::string &value, bool changes) {
        return changes ? value + " (changes)" : value;
    };
    const std::pair<const char *, std::string> pairs[] = {
        {"Sample Rate", info_.sampleRate},
        {"Bit Depth", info_.bitDepth},
        {"Audio Format", info_.audioFormat},
        {"Interleaved", info_.interleaved},
        {"Pan Depth", info_.panDepth},
        {"Frame Rate", info_.frameRate},
        {"Tempo", withChanges(info_.tempo, info_.tempoChanges)},
        {"Meter", withChanges(info_.meter, info_.meterChanges)},
    };
    beginSection("Session Setup");
    constexpr int kPerRow = 3;
    constexpr double kPairWidth = 180, kLabelWidth = 80, kValueWidth = 94;
    double top = 0;
    for (size_t i = 0; i < std::size(pairs); ++i) {
        const int column = int(i % kPerRow);
        if (column == 0)
            top = nextRow();
        const double x = kMargin + kPairWidth * column;
        setGrey(cr_, kSecondary);
        text_.draw(pairs[i].first, ReportFont::header, {x, top, kLabelWidth - kCellPadding, kRowHeight});
        setGrey(cr_, kLabel);
        text_.draw(pairs[i].second, ReportFont::body, {x + kLabelWidth, top, kValueWidth, kRowHeight});
    }
    endSection();
}

void ReportRenderer::drawTracks()
{
    beginSection(counted("Tracks", info_.tracks.size()));
    beginTable(kTrackColumns);
    for (const PTXTrackInfo &track : info_.tracks) {
        const double top = nextRow();
        const double indent = kNestingIndent * double(std::clamp<int64_t>(track.depth, 0, kMaxNestingShown));
        std::optional<PTXColorPalette::Entry> colour = PTXColorPalette::color(track.colorIndex);
        if (!colour)
            colour = PTXColorPalette::defaultColor(track.type);
        if (colour)
            colourMark(kTrackColumns[0].x + indent, top, colour->r / 255.0, colour->g / 255.0, colour->b / 255.0);
        else
            colourMark(kTrackColumns[0].x + indent, top, kNoColour[0], kNoColour[1], kNoColour[2]);
        std::string inserts;
        for (const PTXTrackPlugin &plugin : track.plugins) {
            // Enough for the column; a track's list from a file is not bounded.
            if (inserts.size() > 200)
                break;
            inserts += (inserts.empty() ? "" : ", ") + plugin.name;
        }
        cell(track.name, kTrackColumns[0], top, indent + kMarkSpace);
        cell(track.typeLabel(), kTrackColumns[1], top);
        cell(track.format.name, kTrackColumns[2], top);
        cell(inserts, kTrackColumns[3], top);
        cell(track.comment, kTrackColumns[4], top);
    }
    endSection();
}

void ReportRenderer::drawAudioFiles()
{
    beginSection(counted("Audio Files", info_.audioFiles.size()));
    beginTable(kAudioFileColumns);
    for (const PTXAudioFile &file : info_.audioFiles) {
        const double top = nextRow();
        cell(file.name, kAudioFileColumns[0], top);
        cell(file.path, kAudioFileColumns[1], top);
    }
    endSection();
}

void ReportRenderer::drawClips()
{
    const double rate = samplesPerSecond(info_);
    beginSection(counted("Clips", info_.clips.size()));
    beginTable(kClipColumns);
    for (const PTXClipInfo &clip : info_.clips) {
        const double top = nextRow();
        const bool hasFile = clip.sourceFileIndex >= 0 && size_t(clip.sourceFileIndex) < info_.audioFiles.size();
        cell(clip.name, kClipColumns[0], top);
        cell(hasFile ? info_.audioFiles[size_t(clip.sourceFileIndex)].name : std::string(), kClipColumns[1], top);
        cell(lengthText(clip.sampleOffset, rate), kClipColumns[2], top);
        cell(lengthText(clip.sampleLength, rate), kClipColumns[3], top);
    }
    endSection();
}

void ReportRenderer::drawPlugins()
{
    beginSection("Plugins (" + std::to_string(info_.activePlugins.size()) + " active, " +
                 std::to_string(info_.deactivatedPlugins.size()) + " inactive)");
    drawPluginList("Active", info_.activePlugins);
    drawPluginList("Inactive", info_.deactivatedPlugins);
    endSection();
}

void ReportRenderer::drawPluginList(const char *title, const std::vector<std::string> &names)
{
    // The sub-list's title stays with its first entry.
    makeRoom(2 * kRowHeight);
    setGrey(cr_, kSecondary);
    text_.draw(title, ReportFont::header, {kMargin, y_, kContentWidth, kRowHeight});
    y_ += kRowHeight;
    if (names.empty()) {
        setGrey(cr_, kSecondary);
        text_.draw("None", ReportFont::body, {kPluginColumn.x, nextRow(), kPluginColumn.width, kRowHeight});
    }
    for (const std::string &name : names)
        cell(name, kPluginColumn, nextRow());
    y_ += kLineGap;
}

void ReportRenderer::drawMemoryLocations()
{
    const double rate = samplesPerSecond(info_);
    beginSection(counted("Memory Locations", info_.memoryLocations.size()));
    beginTable(kMemoryLocationColumns);
    for (const PTXMemoryLocation &location : info_.memoryLocations) {
        const double top = nextRow();
        const Column &name = kMemoryLocationColumns[1];
        if (location.hasColor())
            colourMark(name.x, top, location.colorR / 255.0, location.colorG / 255.0, location.colorB / 255.0);
        else
            colourMark(name.x, top, kNoColour[0], kNoColour[1], kNoColour[2]);
        cell(std::to_string(location.number), kMemoryLocationColumns[0], top);
        cell(location.name, name, top, kMarkSpace);
        cell(memoryLocationTypeText(location), kMemoryLocationColumns[2], top);
        cell(clockText(location.startTime, rate), kMemoryLocationColumns[3], top);
    }
    endSection();
}

void ReportRenderer::beginSection(const std::string &title)
{
    // A title never ends a page: it keeps its separator and a row below it.
    makeRoom(kSectionTitleHeight + kLineGap + 2 * kRowHeight);
    setGrey(cr_, kLabel);
    text_.draw(title, ReportFont::section, {kMargin, y_, kContentWidth, kSectionTitleHeight});
    y_ += kSectionTitleHeight + 1;
    separator(y_);
    y_ += kLineGap;
}

void ReportRenderer::endSection()
{
    table_ = {};
    y_ += kSectionGap;
}

void ReportRenderer::beginTable(std::span<const Column> columns)
{
    table_ = columns;
    drawTableHeader();
}

void ReportRenderer::drawTableHeader()
{
    setGrey(cr_, kSecondary);
    for (const Column &column : table_)
        text_.draw(column.title, ReportFont::header, {column.x, y_, column.width - kCellPadding, kRowHeight});
    y_ += kRowHeight;
    separator(y_);
    y_ += kLineGap;
}

double ReportRenderer::nextRow()
{
    makeRoom(kRowHeight);
    const double top = y_;
    y_ += kRowHeight;
    return top;
}

void ReportRenderer::cell(std::string_view text, const Column &column, double rowTop, double indent)
{
    setGrey(cr_, kLabel);
    text_.draw(text, ReportFont::body, {column.x + indent, rowTop, column.width - indent - kCellPadding, kRowHeight});
}

void ReportRenderer::colourMark(double x, double rowTop, double red, double green, double blue)
{
    const double top = rowTop + (kRowHeight - kMarkHeight) / 2;
    const double r = kMarkRadius;
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + kMarkWidth - r, top + r, r, -M_PI / 2, 0);
    cairo_arc(cr_, x + kMarkWidth - r, top + kMarkHeight - r, r, 0, M_PI / 2);
    cairo_arc(cr_, x + r, top + kMarkHeight - r, r, M_PI / 2, M_PI);
    cairo_arc(cr_, x + r, top + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
    cairo_set_source_rgb(cr_, red, green, blue);
    cairo_fill(cr_);
}

void ReportRenderer::separator(double y)
{
    setGrey(cr_, kSeparator);
    cairo_set_line_width(cr_, 0.5);
    cairo_move_to(cr_, kMargin, y);
    cairo_line_to(cr_, kMargin + kContentWidth, y);
    cairo_stroke(cr_);
}

} // namespace kestrix::report
