// The player window's content: what is loaded (name, rate, channels,
// length, bit depth, the multi-mono group), one waveform per channel with
// its label, the play control, the position counter and the progress, and
// the load error when there is one. Draws what its AudioPlayerModel holds.
#ifndef KESTRIX_VIEWS_PLAYER_AUDIO_PLAYER_VIEW_H
#define KESTRIX_VIEWS_PLAYER_AUDIO_PLAYER_VIEW_H

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>

class QLabel;
class QToolButton;

namespace kestrix {

class AudioPlayerModel;

class AudioPlayerView : public QWidget {
    Q_OBJECT
public:
    explicit AudioPlayerView(AudioPlayerModel *model, QWidget *parent = nullptr);

    AudioPlayerModel *model() const { return model_; }

private:
    void modelChanged();

    AudioPlayerModel *model_;
    QLabel *title_;
    QLabel *details_;
    QWidget *waveforms_;
    QToolButton *playButton_;
    QLabel *position_;
    QLabel *error_;
};

// Opens a window of its own that plays `paths` (a clip region of them when
// `region` is given) and stops when it closes.
AudioPlayerView *openPlayerWindow(const QStringList &paths, std::optional<std::pair<uint64_t, uint64_t>> region,
                                  QWidget *parent);

} // namespace kestrix

#endif
