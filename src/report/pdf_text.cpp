#include "pdf_text.h"

#include "utf8_cell_text.h"

#include <pango/pangocairo.h>

#include <vector>

namespace kestrix::report {

namespace {

constexpr const char *kFamily = "DejaVu Sans";
constexpr const char *kEllipsis = "\u2026";
// Texts up to this many bytes are kept converted; names rarely repeat, the
// column titles and type texts do.
constexpr size_t kCachedTextBytes = 24;
constexpr size_t kCacheEntries = 2048;

struct FontSpec {
    double points;
    PangoWeight weight;
};

constexpr FontSpec kFonts[] = {
    {18, PANGO_WEIGHT_BOLD},      // title
    {11, PANGO_WEIGHT_NORMAL},    // sub
    {12, PANGO_WEIGHT_SEMIBOLD},  // section
    {9, PANGO_WEIGHT_SEMIBOLD},   // header
    {9, PANGO_WEIGHT_NORMAL},     // body
    {8, PANGO_WEIGHT_NORMAL},     // small
};
static_assert(std::size(kFonts) == size_t(ReportFont::count));

} // namespace

PdfText::PdfText(cairo_t *cr)
    : cr_(cr)
{
    // A font map of its own rather than the thread's default: its caches go
    // with the report instead of living on in a background thread.
    fontMap_ = pango_cairo_font_map_new();
    PangoFontMap *map = fontMap_;
    context_ = pango_font_map_create_context(map);
    // One unit is one point, and metrics are the outlines' own, unhinted, so
    // what is measured here is what the PDF shows.
    pango_cairo_context_set_resolution(context_, 72);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_cairo_update_context(cr_, context_);

    layout_ = pango_layout_new(context_);
    pango_layout_set_single_paragraph_mode(layout_, TRUE);

    for (size_t i = 0; i < faces_.size(); ++i) {
        Face &face = faces_[i];
        face.description = pango_font_description_new();
        pango_font_description_set_family(face.description, kFamily);
        pango_font_description_set_weight(face.description, kFonts[i].weight);
        pango_font_description_set_absolute_size(face.description, kFonts[i].points * PANGO_SCALE);
        face.font = pango_font_map_load_font(map, context_, face.description);
        if (face.font)
            face.scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(face.font));
        if (face.scaled && cairo_scaled_font_status(face.scaled) == CAIRO_STATUS_SUCCESS) {
            cairo_font_extents_t extents;
            cairo_scaled_font_extents(face.scaled, &extents);
            face.ascent = extents.ascent;
            face.descent = extents.descent;
            face.ellipsisWidth = convert(kEllipsis, face).width;
        } else {
            face.scaled = nullptr;  // every text then goes through Pango
            face.ascent = kFonts[i].points * 0.93;
            face.descent = kFonts[i].points * 0.24;
        }
    }
}

PdfText::~PdfText()
{
    for (Face &face : faces_) {
        if (face.font)
            g_object_unref(face.font);
        pango_font_description_free(face.description);
    }
    g_object_unref(layout_);
    g_object_unref(context_);
    g_object_unref(fontMap_);
}

void PdfText::draw(std::string_view text, ReportFont font, const Box &box, Align align)
{
    const CellText cell = cellText(text);
    if (cell.utf8.empty() || box.width <= 0)
        return;
    const Face &face = faces_[size_t(font)];
    if (cell.plain && face.scaled) {
        const Run &run = plainRun(cell.utf8, font);
        if (run.complete) {
            drawRun(run, cell.utf8, face, box, align);
            return;
        }
    }
    drawWithPango(cell.utf8, face, box, align);
}

double PdfText::baseline(const Face &face, const Box &box)
{
    return box.y + (box.height - (face.ascent + face.descent)) / 2 + face.ascent;
}

void PdfText::drawRun(const Run &run, const std::string &utf8, const Face &face, const Box &box, Align align)
{
    if (run.width <= box.width) {
        const double x = align == Align::centre ? box.x + (box.width - run.width) / 2 : box.x;
        showRun(run, utf8, face, x, baseline(face, box));
        return;
    }
    const std::string cut = truncated(run, utf8, face, box.width);
    showRun(convert(cut, face), cut, face, box.x, baseline(face, box));
}

const PdfText::Run &PdfText::plainRun(const std::string &utf8, ReportFont font)
{
    if (utf8.size() > kCachedTextBytes) {
        scratch_ = convert(utf8, faces_[size_t(font)]);
        return scratch_;
    }
    std::string key(1, char('a' + int(font)));
    key += utf8;
    if (const auto found = cache_.find(key); found != cache_.end())
        return found->second;
    Run run = convert(utf8, faces_[size_t(font)]);
    if (cache_.size() < kCacheEntries)
        return cache_.emplace(std::move(key), std::move(run)).first->second;
    scratch_ = std::move(run);
    return scratch_;
}

PdfText::Run PdfText::convert(const std::string &utf8, const Face &face)
{
    Run run;
    cairo_glyph_t *glyphs = nullptr;
    int glyphCount = 0;
    cairo_text_cluster_t *clusters = nullptr;
    int clusterCount = 0;
    if (cairo_scaled_font_text_to_glyphs(face.scaled, 0, 0, utf8.data(), int(utf8.size()), &glyphs, &glyphCount,
                                         &clusters, &clusterCount, &run.flags) != CAIRO_STATUS_SUCCESS)
        return run;
    run.glyphs.assign(glyphs, glyphs + glyphCount);
    run.clusters.assign(clusters, clusters + clusterCount);
    cairo_glyph_free(glyphs);
    cairo_text_cluster_free(clusters);
    run.complete = true;
    for (const cairo_glyph_t &glyph : run.glyphs)
        run.complete = run.complete && glyph.index != 0;  // glyph 0 is the font's "missing" box
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(face.scaled, run.glyphs.data(), glyphCount, &extents);
    run.width = extents.x_advance;
    return run;
}

void PdfText::showRun(const Run &run, const std::string &utf8, const Face &face, double x, double baseline)
{
    std::vector<cairo_glyph_t> placed(run.glyphs);
    for (cairo_glyph_t &glyph : placed) {
        glyph.x += x;
        glyph.y += baseline;
    }
    cairo_set_scaled_font(cr_, face.scaled);
    // With the clusters, the PDF maps every glyph back to its characters.
    cairo_show_text_glyphs(cr_, utf8.data(), int(utf8.size()), placed.data(), int(placed.size()),
                           run.clusters.data(), int(run.clusters.size()), run.flags);
}

std::string PdfText::truncated(const Run &run, const std::string &utf8, const Face &face, double width) const
{
    size_t bytes = 0;
    size_t glyph = 0;
    size_t fitting = 0;
    // The clusters before one are as wide as that cluster's first glyph's
    // position (the run starts at 0).
    for (const cairo_text_cluster_t &cluster : run.clusters) {
        if (glyph >= run.glyphs.size() || run.glyphs[glyph].x + face.ellipsisWidth > width)
            break;
        fitting = bytes;
        bytes += size_t(cluster.num_bytes);
        glyph += size_t(cluster.num_glyphs);
    }
    std::string cut = utf8.substr(0, fitting);
    while (!cut.empty() && cut.back() == ' ')
        cut.pop_back();
    return cut + kEllipsis;
}

void PdfText::drawWithPango(const std::string &utf8, const Face &face, const Box &box, Align align)
{
    pango_layout_set_font_description(layout_, face.description);
    pango_layout_set_text(layout_, utf8.data(), int(utf8.size()));
    // No installed font covers some character: Pango would draw its code as
    // hex digits, which would land in the text layer as text. The main
    // font's missing-glyph boxes keep the characters themselves there.
    if (pango_layout_get_unknown_glyphs_count(layout_) > 0 && face.scaled) {
        drawRun(convert(utf8, face), utf8, face, box, align);
        return;
    }
    if (layoutWidth() > box.width)
        fitWithEllipsis(utf8, box.width);
    const double width = layoutWidth();
    const double x = align == Align::centre ? box.x + (box.width - width) / 2 : box.x;
    // On the main font's baseline, so that mixed rows line up.
    cairo_move_to(cr_, x, baseline(face, box) - pango_layout_get_baseline(layout_) / double(PANGO_SCALE));
    pango_cairo_show_layout(cr_, layout_);
}

double PdfText::layoutWidth() const
{
    int width = 0;
    pango_layout_get_size(layout_, &width, nullptr);
    return width / double(PANGO_SCALE);
}

void PdfText::fitWithEllipsis(const std::string &utf8, double width)
{
    // Our own ellipsis rather than Pango's: Pango maps its ellipsis glyph to
    // all the characters it hides, so the text layer would hold text nobody
    // sees on the page. The cut falls on a character boundary Pango allows
    // (never inside a cluster), found by halving.
    pango_layout_set_text(layout_, utf8.data(), int(utf8.size()));
    int count = 0;
    const PangoLogAttr *attrs = pango_layout_get_log_attrs_readonly(layout_, &count);
    std::vector<size_t> cuts;  // byte offsets where the text may end
    const char *text = pango_layout_get_text(layout_);
    const char *p = text;
    for (int i = 0; i < count && size_t(p - text) <= utf8.size(); ++i, p = g_utf8_next_char(p))
        if (attrs[i].is_cursor_position)
            cuts.push_back(size_t(p - text));
    const auto fits = [&](size_t bytes) {
        std::string candidate = utf8.substr(0, bytes);
        while (!candidate.empty() && candidate.back() == ' ')
            candidate.pop_back();
        candidate += kEllipsis;
        pango_layout_set_text(layout_, candidate.data(), int(candidate.size()));
        return layoutWidth() <= width;
    };
    size_t low = 0, high = cuts.size();  // cuts[low] fits (0 bytes does by decree), cuts[high] does not
    while (high - low > 1) {
        const size_t middle = (low + high) / 2;
        (fits(cuts[middle]) ? low : high) = middle;
    }
    fits(cuts.empty() ? 0 : cuts[low]);
}

} // namespace kestrix::report
