// Lays out the session report page by page on a cairo PDF surface. Each page
// is finished before the next begins, so memory does not grow with the
// number of rows.
#ifndef KESTRIX_REPORT_REPORT_RENDERER_H
#define KESTRIX_REPORT_REPORT_RENDERER_H

#include "pdf_text.h"
#include "session_info.h"

#include <cairo.h>

#include <span>
#include <string>

namespace kestrix::report {

struct Column {
    const char *title;
    double x;
    double width;
};

class ReportRenderer {
public:
    static constexpr double kPageWidth = 612;
    static constexpr double kPageHeight = 792;
    static constexpr double kMargin = 36;
    static constexpr double kContentWidth = kPageWidth - 2 * kMargin;
    static constexpr double kLastLine = 742;
    static constexpr double kFooterY = 760;
    static constexpr double kLineGap = 3;
    static constexpr double kSectionGap = 14;
    static constexpr double kRowHeight = 14;

    // `cr` draws on a PDF surface of 612 × 792 points whose first page is open.
    ReportRenderer(cairo_t *cr, const PTXSessionInfo &info, std::string generatedText);

    // Draws every section and ends the last page; returns the page count.
    int render();

private:
    void beginPage();
    void endPage();
    // Starts a new page when a block of `height` does not fit on this one.
    void makeRoom(double height);
    void drawFooter();

    void drawTitleBlock();
    void drawSessionSetup();
    void drawTracks();
    void drawAudioFiles();
    void drawClips();
    void drawPlugins();
    void drawPluginList(const char *title, const std::vector<std::string> &names);
    void drawMemoryLocations();

    void beginSection(const std::string &title);
    void endSection();
    // The column titles; repeated at the top of every page the table continues on.
    void beginTable(std::span<const Column> columns);
    void drawTableHeader();
    // Makes room for one row and returns its top.
    double nextRow();
    void cell(std::string_view text, const Column &column, double rowTop, double indent = 0);
    void colourMark(double x, double rowTop, double red, double green, double blue);
    void separator(double y);

    cairo_t *cr_;
    const PTXSessionInfo &info_;
    std::string generatedText_;
    std::string sessionName_;
    PdfText text_;
    double y_ = kMargin;
    int pageNumber_ = 0;
    bool isFirstPageOfDocument_ = true;
    std::span<const Column> table_;
};

} // namespace kestrix::report

#endif
