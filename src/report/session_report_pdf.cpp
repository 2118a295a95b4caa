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

#if defined(__SANITIZE_ADDRESS__)
// Two leaks inside Debian 12's libraries that no caller can avoid: cairo 1.16
// loses a small array while it finishes a PDF of several pages, and
// fontconfig loses a little of its configuration as it parses it. The leak
// checker's stacks end inside the libraries (built without frame pointers),
// so only the library can be named. The report creates no fontconfig
// objects, and holds its cairo surface and context in owners that destroy
// them; a leaked Pango object is still reported, from GLib's allocator.
// Every program that writes reports links this file.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libcairo.so\n"
           "leak:libfontconfig.so\n";
}
#endif
