// The play control and mini waveform at the right end of an audio-file or
// clip row, fed by the shared inline player: the player's waveform and
// progress while the row owns it, else the row's cached waveform.
#ifndef KESTRIX_VIEWS_PLAYER_WAVEFORM_CELL_H
#define KESTRIX_VIEWS_PLAYER_WAVEFORM_CELL_H

#include "inline_audio_player.h"
#include "row_texts.h"

#include <QRect>

#include <cstdint>
#include <optional>

class QPainter;

namespace kestrix {

namespace waveform_cell {
inline constexpr int kWidth = 160;  // button, gap, 120-bucket waveform, padding
inline constexpr int kWaveformHeight = 14;
} // namespace waveform_cell

// The cell at the right end of `row`, and its parts.
QRect waveformCellRect(const QRect &row);
QRect playButtonRect(const QRect &cell);
QRect miniWaveformRect(const QRect &cell);

// `computed` is the row's waveform read before it played, shown when the
// player has none of the row.
void paintWaveformCell(QPainter &painter, const QRect &cell, const QString &itemId, bool selected, bool dark,
                       const InlineAudioPlayer &player, const std::vector<float> *computed = nullptr);

// What a row plays: its channels (labelled by suffix) when there are
// several, else its one file; a clip adds its region.
PlayableItem playableItem(const RowFacts &facts, std::optional<std::pair<uint64_t, uint64_t>> region);

// A click at `point` in the cell: the button toggles the row's item, the
// waveform seeks when the row owns the player. False when the click was
// not for the cell (or the waveform of a row that does not play).
bool clickWaveformCell(const QRect &cell, QPoint point, const QString &itemId, const PlayableItem &item,
                       InlineAudioPlayer &player);

} // namespace kestrix

#endif
