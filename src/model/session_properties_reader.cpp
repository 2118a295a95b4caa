// Session scalars as display texts.
#include "display_text.h"
#include "session_readers.h"

namespace kestrix {

namespace {

struct Tempo {
    std::string text;
    bool changes = false;
};

// A fixed tempo wins over the tempo map; an empty map means 120 BPM.
Tempo readTempo(const ptx_session *s)
{
    if (ptx_session_has_fixed_tempo(s) != 0)
        return {tempoText(ptx_session_fixed_tempo(s)), false};
    const int count = ptx_session_tempo_count(s);
    if (count < 1)
        return {"120 BPM", false};
    return {tempoText(ptx_session_tempo_bpm(s, 0)), count > 1};
}

} // namespace

void readSessionProperties(const ptx_session *s, PTXSessionInfo &info)
{
    const uint8_t frameRateCode = ptx_session_frame_rate_code(s);
    info.sampleRate = sampleRateText(ptx_session_sample_rate(s));
    info.bitDepth = bitDepthText(ptx_session_bit_depth(s), ptx_session_is_float(s) != 0);
    info.audioFormat = audioFormatText(ptx_session_audio_format(s));
    info.interleaved = interleavedText(ptx_session_interleaved(s));
    info.panDepth = panDepthText(ptx_session_pan_depth(s));
    info.frameRate = frameRateText(frameRateCode);
    info.sessionStart = sessionStartText(frameRateCode, ptx_session_start(s));
    info.sessionLength = sessionLengthText(ptx_session_length_text(s));

    Tempo tempo = readTempo(s);
    info.tempo = std::move(tempo.text);
    info.tempoChanges = tempo.changes;

    const int meters = ptx_session_meter_count(s);
    info.meter = meters < 1 ? "4/4" : meterText(ptx_session_meter_numerator(s, 0), ptx_session_meter_denominator(s, 0));
    info.meterChanges = meters > 1;

    info.mainCounterFormat = ptx_session_main_counter_format(s);
    info.debugInfo.clear();
}

} // namespace kestrix
