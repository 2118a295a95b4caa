// Draws one line of text into a box on a cairo context, tail-truncated with
// "…" to the box's width and vertically centred in it. Plain texts go through
// cairo's glyph path with the main font; the rest (scripts that need shaping,
// characters the main font lacks, emoji) are laid out by Pango with
// fontconfig's fallback. Both paths keep the exact text in the PDF's text
// layer.
#ifndef KESTRIX_REPORT_PDF_TEXT_H
#define KESTRIX_REPORT_PDF_TEXT_H

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <cairo.h>

typedef struct _PangoContext PangoContext;
typedef struct _PangoFont PangoFont;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoLayout PangoLayout;

namespace kestrix::report {

enum class ReportFont { title, sub, section, header, body, small, count };

enum class Align { left, centre };

struct Box {
    double x, y, width, height;
};

class PdfText {
public:
    explicit PdfText(cairo_t *cr);
    ~PdfText();
    PdfText(const PdfText &) = delete;
    PdfText &operator=(const PdfText &) = delete;

    // In the current source colour.
    void draw(std::string_view text, ReportFont font, const Box &box, Align align = Align::left);

private:
    struct Face {
        PangoFontDescription *description = nullptr;
        PangoFont *font = nullptr;            // owns `scaled`
        cairo_scaled_font_t *scaled = nullptr;
        double ascent = 0, descent = 0;
        double ellipsisWidth = 0;
    };
    // Glyphs of a plain text at the origin, as cairo converted them.
    struct Run {
        std::vector<cairo_glyph_t> glyphs;
        std::vector<cairo_text_cluster_t> clusters;
        cairo_text_cluster_flags_t flags{};
        double width = 0;
        bool complete = false;  // every character has a glyph in the main font
    };

    const Run &plainRun(const std::string &utf8, ReportFont font);
    Run convert(const std::string &utf8, const Face &face);
    void showRun(const Run &run, const std::string &utf8, const Face &face, double x, double baseline);
    // The longest prefix of `run`'s text that fits `width` with "…" after it.
    std::string truncated(const Run &run, const std::string &utf8, const Face &face, double width) const;
    static double baseline(const Face &face, const Box &box);
    void drawRun(const Run &run, const std::string &utf8, const Face &face, const Box &box, Align align);
    void drawWithPango(const std::string &utf8, const Face &face, const Box &box, Align align);
    double layoutWidth() const;
    // Leaves in the layout the longest start of `utf8` that fits `width`
    // with "…" after it.
    void fitWithEllipsis(const std::string &utf8, double width);

    cairo_t *cr_;
    PangoFontMap *fontMap_ = nullptr;
    PangoContext *context_ = nullptr;
    PangoLayout *layout_ = nullptr;
    std::array<Face, size_t(ReportFont::count)> faces_;
    // Short texts that repeat (column titles, track types, formats), kept
    // converted; bounded so that a session of unique names cannot grow it.
    std::unordered_map<std::string, Run> cache_;
    Run scratch_;
};

} // namespace kestrix::report

#endif
