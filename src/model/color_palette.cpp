#include "color_palette.h"

#include <array>

namespace kestrix {

namespace {

using Entry = PTXColorPalette::Entry;
using Row = std::array<Entry, PTXColorPalette::kEntriesPerRow>;

constexpr std::array<Row, PTXColorPalette::kRows> kPalette = {{
    {{{44, 0, 252},   {80, 16, 224},  {120, 16, 200}, {160, 16, 176}, {196, 16, 136}, {208, 16, 80},
      {216, 24, 24},  {204, 48, 16},  {189, 30, 13},  {208, 104, 16}, {208, 160, 16}, {208, 208, 16},
      {128, 208, 16}, {64, 208, 24},  {32, 200, 32},  {28, 198, 14},  {24, 192, 80},  {24, 184, 136},
      {24, 176, 176}, {24, 144, 208}, {24, 104, 224}, {32, 64, 232},  {40, 32, 208}}},
    {{{32, 0, 184},   {60, 12, 164},  {88, 12, 144},  {116, 12, 128}, {144, 12, 100}, {152, 12, 60},
      {156, 16, 16},  {148, 36, 12},  {138, 22, 10},  {152, 76, 12},  {152, 116, 12}, {152, 152, 12},
      {92, 152, 12},  {48, 152, 16},  {24, 144, 24},  {20, 144, 10},  {16, 140, 60},  {16, 136, 100},
      {16, 128, 128}, {16, 104, 152}, {16, 76, 164},  {24, 48, 168},  {28, 24, 152}}},
    {{{20, 0, 120},   {40, 8, 104},   {60, 8, 92},    {76, 8, 80},    {96, 8, 64},    {100, 8, 40},
      {104, 12, 12},  {96, 24, 8},    {88, 16, 6},    {100, 48, 8},   {100, 76, 8},   {100, 100, 8},
      {60, 100, 8},   {32, 100, 12},  {16, 96, 16},   {12, 96, 6},    {8, 92, 40},    {8, 88, 64},
      {8, 84, 84},    {8, 68, 100},   {8, 48, 108},   {16, 32, 112},  {20, 16, 100}}},
}};

constexpr unsigned kColumnsPerIndexRow = 24;

// Rows and entries counted from 1, as the palette is described.
constexpr Entry at(int row, int entry) { return kPalette[row - 1][entry - 1]; }

} // namespace

std::optional<Entry> PTXColorPalette::color(uint16_t index)
{
    const unsigned row = index / kColumnsPerIndexRow;
    const unsigned column = index % kColumnsPerIndexRow;
    // Index 65534 lands in row 2730, so the row check covers "no colour" too.
    if (row < 1 || row > unsigned(kRows) || column < 1 || column > unsigned(kEntriesPerRow))
        return std::nullopt;
    return at(int(row), int(column));
}

std::optional<Entry> PTXColorPalette::defaultColor(PTXTrackType type)
{
    switch (type) {
    case PTXTrackType::audio: return at(2, 21);
    case PTXTrackType::midi: return at(1, 4);
    case PTXTrackType::aux: return at(3, 13);
    case PTXTrackType::masterFader: return at(3, 7);
    case PTXTrackType::instrument: return at(3, 11);
    case PTXTrackType::video: return at(3, 19);
    case PTXTrackType::vca: return at(1, 1);
    case PTXTrackType::folder: return at(2, 21);
    case PTXTrackType::unknown: break;
    }
    return std::nullopt;
}

} // namespace kestrix
