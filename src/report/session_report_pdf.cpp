#include "session_report_pdf.h"

#include "report_renderer.h"
#include "report_text.h"

#include <cairo-pdf.h>

#include <cstdio>
#include <memory>

namespace kestrix::SessionReportPDF {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t *cr) const { cairo_destroy(cr); }
};

} // namespace

Result<int, Error> write(const PTXSessionInfo &info, const std::string &destination, std::time_t generatedAt)
{
    using report::ReportRenderer;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_pdf_surface_create(destination.c_str(), ReportRenderer::kPageWidth, ReportRenderer::kPageHeight));
    // cairo opens the file as it creates the surface; a failed surface wrote nothing.
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return Error{kErrorDomain, Error::couldNotOpen, "Could not open PDF context at " + destination};
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE,
                                   ("Kestrix Session Report \u2014 " + report::sessionDisplayName(info)).c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Kestrix");

    int pages = 0;
    {
        std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
        ReportRenderer renderer(cr.get(), info, report::generatedDateText(generatedAt));
        pages = renderer.render();
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        // A full disk or a vanished folder: a truncated PDF is no report.
        std::remove(destination.c_str());
        return Error{kErrorDomain, Error::couldNotWrite, "Could not write PDF at " + destination};
    }
    return pages;
}

} // namespace kestrix::SessionReportPDF
