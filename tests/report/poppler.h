// Reads a written PDF back with poppler-utils, as a user's viewer would.
#ifndef KESTRIX_TEST_REPORT_POPPLER_H
#define KESTRIX_TEST_REPORT_POPPLER_H

#include <string>

namespace reporttest {

// `pdfinfo`'s text.
std::string pdfInfo(const std::string &pdf);
// `pdftotext -layout` of one page (counted from 1).
std::string pageText(const std::string &pdf, int page);
// `pdftotext` of the whole document, reading order.
std::string documentText(const std::string &pdf);
// `pdffonts`'s table.
std::string pdfFonts(const std::string &pdf);

// A fresh temporary folder, removed with the others when the test process ends.
std::string tempFolder();

} // namespace reporttest

#endif
