// The libsndfile backend of AudioFile.
#include "audio_file.h"

#include <sndfile.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace kestrix {

namespace {

QString channelMapLabel(int position)
{
    switch (position) {
    case SF_CHANNEL_MAP_MONO: return QStringLiteral("C");
    case SF_CHANNEL_MAP_LEFT: case SF_CHANNEL_MAP_FRONT_LEFT: return QStringLiteral("L");
    case SF_CHANNEL_MAP_RIGHT: case SF_CHANNEL_MAP_FRONT_RIGHT: return QStringLiteral("R");
    case SF_CHANNEL_MAP_CENTER: case SF_CHANNEL_MAP_FRONT_CENTER: return QStringLiteral("C");
    case SF_CHANNEL_MAP_LFE: return QStringLiteral("LFE");
    case SF_CHANNEL_MAP_REAR_LEFT: return QStringLiteral("Ls");
    case SF_CHANNEL_MAP_REAR_RIGHT: return QStringLiteral("Rs");
    case SF_CHANNEL_MAP_REAR_CENTER: return QStringLiteral("Cs");
    case SF_CHANNEL_MAP_FRONT_LEFT_OF_CENTER: return QStringLiteral("Lc");
    case SF_CHANNEL_MAP_FRONT_RIGHT_OF_CENTER: return QStringLiteral("Rc");
    case SF_CHANNEL_MAP_SIDE_LEFT: return QStringLiteral("Lss");
    case SF_CHANNEL_MAP_SIDE_RIGHT: return QStringLiteral("Rss");
    case SF_CHANNEL_MAP_TOP_FRONT_LEFT: return QStringLiteral("Ltf");
    case SF_CHANNEL_MAP_TOP_FRONT_RIGHT: return QStringLiteral("Rtf");
    case SF_CHANNEL_MAP_TOP_REAR_LEFT: return QStringLiteral("Ltr");
    case SF_CHANNEL_MAP_TOP_REAR_RIGHT: return QStringLiteral("Rtr");
    default: return {};
    }
}

class SndfileAudioFile final : public AudioFile {
public:
    SndfileAudioFile(SNDFILE *file, const SF_INFO &info, QString name)
        : file_(file), info_(info), name_(std::move(name))
    {
    }
    ~SndfileAudioFile() override { sf_close(file_); }

    double sampleRate() const override { return info_.samplerate; }
    int channelCount() const override { return info_.channels; }
    uint64_t frameLength() const override { return uint64_t(info_.frames); }

    QStringList channelLabels() const override
    {
        std::vector<int> map(size_t(info_.channels));
        if (sf_command(file_, SFC_GET_CHANNEL_MAP_INFO, map.data(), int(map.size() * sizeof(int))) != SF_TRUE)
            return {};
        QStringList labels;
        for (int position : map) {
            QString label = channelMapLabel(position);
            if (label.isEmpty())
                return {};
            labels << label;
        }
        return labels;
    }

    AudioStatus seek(uint64_t frame) override
    {
        if (sf_seek(file_, sf_count_t(frame), SEEK_SET) < 0)
            return fileError(QStringLiteral("Could not seek in “%1”: %2").arg(name_, QString::fromUtf8(sf_strerror(file_))));
        return std::nullopt;
    }

    AudioResult<uint32_t> read(std::span<float *const> destinations, uint32_t frames) override
    {
        const int channels = info_.channels;
        if (channels == 1) {
            if (destinations.empty() || !destinations[0])
                return skip(frames);
            return checked(sf_readf_float(file_, destinations[0], frames));
        }
        // Interleaved chunks, spread over the planes.
        constexpr uint32_t kChunkFrames = 16384;
        if (scratch_.empty())
            scratch_.resize(size_t(kChunkFrames) * size_t(channels));
        uint32_t done = 0;
        while (done < frames) {
            const sf_count_t wanted = std::min(kChunkFrames, frames - done);
            const sf_count_t got = sf_readf_float(file_, scratch_.data(), wanted);
            if (got < 0 || sf_error(file_) != SF_ERR_NO_ERROR)
                return readError();
            for (int c = 0; c < channels && c < int(destinations.size()); ++c) {
                float *out = destinations[size_t(c)];
                if (!out)
                    continue;
                out += done;
                const float *in = scratch_.data() + c;
                for (sf_count_t f = 0; f < got; ++f)
                    out[f] = in[f * channels];
            }
            done += uint32_t(got);
            if (got < wanted)
                break;
        }
        return done;
    }

private:
    AudioResult<uint32_t> checked(sf_count_t got)
    {
        if (got < 0 || sf_error(file_) != SF_ERR_NO_ERROR)
            return readError();
        return uint32_t(got);
    }

    AudioResult<uint32_t> skip(uint32_t frames)
    {
        const sf_count_t from = sf_seek(file_, 0, SEEK_CUR);
        const sf_count_t to = std::min<sf_count_t>(from + frames, info_.frames);
        if (from < 0 || sf_seek(file_, to, SEEK_SET) < 0)
            return readError();
        return uint32_t(to - from);
    }

    AudioError readError() const
    {
        return fileError(QStringLiteral("Could not read “%1”: %2").arg(name_, QString::fromUtf8(sf_strerror(file_))));
    }

    SNDFILE *file_;
    SF_INFO info_;
    QString name_;
    std::vector<float> scratch_;
};

} // namespace

AudioResult<std::unique_ptr<AudioFile>> openWithSndfile(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    const QString name = QFileInfo(path).fileName();
    if (!file)
        return fileError(QStringLiteral("Could not open “%1”: %2").arg(name, QString::fromUtf8(sf_strerror(nullptr))));
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0) {
        sf_close(file);
        return fileError(QStringLiteral("Could not open “%1”: the file reports no usable audio format").arg(name));
    }
    return std::unique_ptr<AudioFile>(new SndfileAudioFile(file, info, name));
}

} // namespace kestrix
