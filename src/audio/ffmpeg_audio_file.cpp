// The FFmpeg backend of AudioFile, for the compressed formats libsndfile
// does not read (AAC, M4A). The file is decoded completely when it is
// opened, which gives the exact frame count and frame-accurate seeking.
#include "audio_file.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace kestrix {

namespace {

QString ffmpegMessage(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

struct FormatContextDeleter {
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct CodecContextDeleter {
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct ResamplerDeleter {
    void operator()(SwrContext *context) const { swr_free(&context); }
};
struct PacketDeleter {
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FrameDeleter {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};

class FfmpegAudioFile final : public AudioFile {
public:
    FfmpegAudioFile(double sampleRate, std::vector<std::vector<float>> planes)
        : sampleRate_(sampleRate), planes_(std::move(planes))
    {
    }

    double sampleRate() const override { return sampleRate_; }
    int channelCount() const override { return int(planes_.size()); }
    uint64_t frameLength() const override { return planes_.empty() ? 0 : planes_[0].size(); }

    AudioStatus seek(uint64_t frame) override
    {
        position_ = std::min(frame, frameLength());
        return std::nullopt;
    }

    AudioResult<uint32_t> read(std::span<float *const> destinations, uint32_t frames) override
    {
        const auto count = uint32_t(std::min<uint64_t>(frames, frameLength() - position_));
        for (size_t c = 0; c < planes_.size() && c < destinations.size(); ++c) {
            if (destinations[c])
                std::memcpy(destinations[c], planes_[c].data() + position_, count * sizeof(float));
        }
        position_ += count;
        return count;
    }

private:
    double sampleRate_;
    std::vector<std::vector<float>> planes_;
    uint64_t position_ = 0;
};

class Decoder {
public:
    explicit Decoder(QString name) : name_(std::move(name)) {}

    AudioResult<std::unique_ptr<AudioFile>> decode(const QString &path)
    {
        AVFormatContext *rawFormat = nullptr;
        if (int code = avformat_open_input(&rawFormat, QFile::encodeName(path).constData(), nullptr, nullptr); code < 0)
            return failure(code);
        format_.reset(rawFormat);
        if (int code = avformat_find_stream_info(format_.get(), nullptr); code < 0)
            return failure(code);
        const AVCodec *codec = nullptr;
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream_ < 0 || !codec)
            return fileError(QStringLiteral("Could not open “%1”: it holds no audio stream").arg(name_));
        codec_.reset(avcodec_alloc_context3(codec));
        if (!codec_)
            return failure(AVERROR(ENOMEM));
        if (int code = avcodec_parameters_to_context(codec_.get(), format_->streams[stream_]->codecpar); code < 0)
            return failure(code);
        if (int code = avcodec_open2(codec_.get(), codec, nullptr); code < 0)
            return failure(code);
        const int channels = codec_->ch_layout.nb_channels;
        if (channels <= 0 || codec_->sample_rate <= 0)
            return fileError(QStringLiteral("Could not open “%1”: the file reports no usable audio format").arg(name_));
        planes_.resize(size_t(channels));

        SwrContext *rawResampler = nullptr;
        if (int code = swr_alloc_set_opts2(&rawResampler, &codec_->ch_layout, AV_SAMPLE_FMT_FLTP, codec_->sample_rate,
                                           &codec_->ch_layout, codec_->sample_fmt, codec_->sample_rate, 0, nullptr);
            code < 0)
            return failure(code);
        resampler_.reset(rawResampler);
        if (int code = swr_init(resampler_.get()); code < 0)
            return failure(code);

        std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        if (!packet || !frame_)
            return failure(AVERROR(ENOMEM));
        while (true) {
            int code = av_read_frame(format_.get(), packet.get());
            if (code == AVERROR_EOF)
                break;
            if (code < 0)
                return failure(code);
            if (packet->stream_index == stream_)
                code = avcodec_send_packet(codec_.get(), packet.get());
            av_packet_unref(packet.get());
            if (code < 0 && code != AVERROR(EAGAIN))
                return failure(code);
            if (AudioStatus error = drainFrames())
                return *error;
        }
        avcodec_send_packet(codec_.get(), nullptr);
        if (AudioStatus error = drainFrames())
            return *error;
        return std::unique_ptr<AudioFile>(new FfmpegAudioFile(codec_->sample_rate, std::move(planes_)));
    }

private:
    AudioStatus drainFrames()
    {
        while (true) {
            const int code = avcodec_receive_frame(codec_.get(), frame_.get());
            if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
                return std::nullopt;
            if (code < 0)
                return failure(code);
            const size_t start = planes_[0].size();
            if (start + size_t(frame_->nb_samples) > std::numeric_limits<uint32_t>::max())
                return fileError(QStringLiteral("“%1” is too long to play").arg(name_));
            std::vector<uint8_t *> outputs;
            for (auto &plane : planes_) {
                plane.resize(start + size_t(frame_->nb_samples));
                outputs.push_back(reinterpret_cast<uint8_t *>(plane.data() + start));
            }
            const int converted = swr_convert(resampler_.get(), outputs.data(), frame_->nb_samples,
                                              const_cast<const uint8_t **>(frame_->extended_data), frame_->nb_samples);
            av_frame_unref(frame_.get());
            if (converted < 0)
                return failure(converted);
            for (auto &plane : planes_)
                plane.resize(start + size_t(converted));
        }
    }

    AudioError failure(int code) const
    {
        return fileError(QStringLiteral("Could not open “%1”: %2").arg(name_, ffmpegMessage(code)));
    }

    QString name_;
    std::unique_ptr<AVFormatContext, FormatContextDeleter> format_;
    std::unique_ptr<AVCodecContext, CodecContextDeleter> codec_;
    std::unique_ptr<SwrContext, ResamplerDeleter> resampler_;
    std::unique_ptr<AVFrame, FrameDeleter> frame_;
    int stream_ = -1;
    std::vector<std::vector<float>> planes_;
};

} // namespace

AudioResult<std::unique_ptr<AudioFile>> openWithFfmpeg(const QString &path)
{
    return Decoder(QFileInfo(path).fileName()).decode(path);
}

} // namespace kestrix
