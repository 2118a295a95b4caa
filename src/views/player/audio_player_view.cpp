#include "audio_player_view.h"

#include "audio_player_model.h"
#include "mini_waveform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace kestrix {

namespace {

constexpr int kChannelHeight = 44;
constexpr int kLabelWidth = 44;

QString durationText(double seconds)
{
    return QStringLiteral("%1 s").arg(seconds, 0, 'f', 3);
}

// One waveform per channel, its label at the left, the playhead across all.
class ChannelWaveforms final : public QWidget {
public:
    explicit ChannelWaveforms(const AudioPlayerModel &model, QWidget *parent) : QWidget(parent), model_(model) {}

    QSize sizeHint() const override
    {
        return {600, std::max<int>(1, int(model_.channelSamples().size())) * kChannelHeight};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const bool dark = palette().color(QPalette::Window).lightnessF() < 0.5;
        const auto &channels = model_.channelSamples();
        const int rows = int(channels.size());
        if (rows == 0)
            return;
        const int height = std::max(8, this->height() / rows);
        for (int c = 0; c < rows; ++c) {
            const QRect row(0, c * height, width(), height);
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(row.adjusted(0, 0, -(width() - kLabelWidth), 0), Qt::AlignVCenter | Qt::AlignLeft,
                             model_.channelLabels().value(c));
            const QRectF wave = QRectF(row.adjusted(kLabelWidth, 3, 0, -3));
            // The playhead crosses every row at once, drawn below.
            paintMiniWaveform(painter, wave, channels[size_t(c)], 0, {false, dark});
        }
        if (model_.progress() > 0) {
            const double x = kLabelWidth + std::clamp(model_.progress(), 0.0, 1.0) * (width() - kLabelWidth);
            painter.fillRect(QRectF(std::min(x, double(width() - 1)), 0, 1, rows * height), QColor(255, 59, 48));
        }
    }

private:
    const AudioPlayerModel &model_;
};

} // namespace

AudioPlayerView::AudioPlayerView(AudioPlayerModel *model, QWidget *parent)
    : QWidget(parent), model_(model), title_(new QLabel), details_(new QLabel),
      waveforms_(new ChannelWaveforms(*model, this)), playButton_(new QToolButton), position_(new QLabel),
      error_(new QLabel)
{
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    details_->setForegroundRole(QPalette::PlaceholderText);
    error_->setWordWrap(true);
    error_->setStyleSheet(QStringLiteral("color: #d93025"));
    playButton_->setAutoRaise(true);
    position_->setFont(QFont(QStringLiteral("monospace")));
    position_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *controls = new QHBoxLayout;
    controls->addWidget(playButton_);
    controls->addWidget(position_);
    controls->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(details_);
    layout->addWidget(waveforms_, 1);
    layout->addLayout(controls);
    layout->addWidget(error_);

    connect(playButton_, &QToolButton::clicked, model_, &AudioPlayerModel::togglePlayPause);
    connect(model_, &AudioPlayerModel::changed, this, &AudioPlayerView::modelChanged);
    modelChanged();
}

void AudioPlayerView::modelChanged()
{
    const std::optional<WAVInfo> &info = model_->fileInfo();
    title_->setText(info ? info->fileName : QStringLiteral("Nothing loaded"));
    if (info) {
        QString text = QStringLiteral("%1 Hz · %2 ch · %3 · %4-bit")
                           .arg(info->sampleRate, 0, 'f', 0)
                           .arg(info->channelCount)
                           .arg(durationText(model_->duration()))
                           .arg(info->bitDepth);
        if (info->multiMono)
            text += QStringLiteral(" · multi-mono “%1” (%2 files)").arg(info->multiMono->baseName).arg(info->multiMono->siblings.size());
        details_->setText(text);
    } else {
        details_->clear();
    }
    playButton_->setEnabled(info.has_value());
    playButton_->setIcon(style()->standardIcon(model_->isPlaying() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playButton_->setToolTip(model_->isPlaying() ? tr("Pause") : tr("Play"));
    position_->setText(model_->positionString());
    error_->setText(model_->error());
    error_->setVisible(!model_->error().isEmpty());
    waveforms_->updateGeometry();
    waveforms_->update();
}

AudioPlayerView *openPlayerWindow(const QStringList &paths, std::optional<std::pair<uint64_t, uint64_t>> region,
                                  QWidget *parent)
{
    auto *window = new QWidget(parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *model = new AudioPlayerModel(PlaybackBackend::platform(), window);
    auto *view = new AudioPlayerView(model, window);
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(view);
    // The model stops and deletes its temporary file as the window goes.
    if (region && region->second > 0)
        model->loadClip(paths, region->first, region->second);
    else
        model->load(paths);
    window->setWindowTitle(model->fileInfo() ? model->fileInfo()->fileName : QObject::tr("Player"));
    window->resize(640, 120 + int(std::max<size_t>(1, model->channelSamples().size())) * kChannelHeight);
    window->show();
    return view;
}

} // namespace kestrix
