// The dark palette the screenshot tools draw with, standing in for the
// desktop's dark appearance.
#ifndef KESTRIX_TESTS_VIEWS_SCREENSHOT_PALETTE_H
#define KESTRIX_TESTS_VIEWS_SCREENSHOT_PALETTE_H

#include <QPalette>

QPalette darkPalette();

#endif
