#include "demo_audio.h"

#include "demo_time.h"

#include <utility>

namespace demo {

namespace {

// A-minor material: A1 C2 E2 for the bass, Am and F chords above.
constexpr int kA1 = 33, kC2 = 36, kE2 = 40, kA2 = 45;
constexpr int kF3 = 53, kA3 = 57, kC4 = 60, kE4 = 64;

AudioFile mono(std::string name, int bitDepth, Signal signal)
{
    return {std::move(name), bitDepth, {std::move(signal)}};
}

// One bar: kick on 1, 3 and the "and" of 3, snare on 2 and 4, eighth-note
// hats that lean to the right.
AudioFile drumLoop()
{
    const double bar = secondsOfBeats(kBeatsPerBar);
    Signal left = silence(bar);
    Signal right = silence(bar);
    Noise leftNoise(11), rightNoise(12);
    for (double beat : {0.0, 2.0, 2.5}) {
        addKick(left, secondsOfBeats(beat), 0.55);
        addKick(right, secondsOfBeats(beat), 0.55);
    }
    for (double beat : {1.0, 3.0}) {
        addSnare(left, secondsOfBeats(beat), 0.40, leftNoise);
        addSnare(right, secondsOfBeats(beat), 0.45, rightNoise);
    }
    for (int eighth = 0; eighth < 2 * kBeatsPerBar; ++eighth) {
        const double accent = eighth % 2 == 0 ? 1.0 : 0.6;
        addHat(left, secondsOfBeats(eighth / 2.0), 0.25 * accent, leftNoise);
        addHat(right, secondsOfBeats(eighth / 2.0), 0.45 * accent, rightNoise);
    }
    return {"Drum Loop.wav", 24, {std::move(left), std::move(right)}};
}

AudioFile singleHit(std::string name, void (*hit)(Signal &, Noise &))
{
    Signal s = silence(1.0);
    Noise noise(21);
    hit(s, noise);
    return mono(std::move(name), 24, std::move(s));
}

// A1 A1 C2 E2, one per beat.
AudioFile bassLine()
{
    Signal s = silence(secondsOfBeats(kBeatsPerBar));
    const int notes[] = {kA1, kA1, kC2, kE2};
    for (int beat = 0; beat < kBeatsPerBar; ++beat)
        addNote(s, secondsOfBeats(beat), secondsOfBeats(0.9), noteHz(notes[beat]), 0.35, {0.004, 0.35}, 4);
    return mono("Bass.wav", 24, std::move(s));
}

// Am, then F, struck like a piano.
AudioFile pianoChords()
{
    Signal s = silence(2.5);
    for (int note : {kA3, kC4, kE4})
        addNote(s, 0.0, 1.25, noteHz(note), 0.15, {0.003, 0.6}, 5);
    for (int note : {kF3, kA3, kC4})
        addNote(s, 1.25, 1.25, noteHz(note), 0.15, {0.003, 0.6}, 5);
    return mono("Piano.wav", 16, std::move(s));
}

// Fmaj7 with every note doubled slightly out of tune, swelling in slowly.
AudioFile pad()
{
    Signal s = silence(2.5);
    for (int note : {kF3, kA3, kC4, kE4})
        for (double detune : {0.997, 1.003})
            addNote(s, 0.0, 2.5, noteHz(note) * detune, 0.06, {0.8, 3.0}, 6);
    fadeEdges(s, 0.0, 0.5);
    return mono("Pad.wav", 16, std::move(s));
}

// A low boom: a kick, a falling sine and a burst of noise together.
AudioFile impact()
{
    Signal s = silence(1.5);
    Noise noise(31);
    addKick(s, 0.0, 0.4);
    addGlide(s, 0.0, 1.5, 70.0, 30.0, 0.35, {0.002, 0.5});
    addSnare(s, 0.0, 0.2, noise);
    return mono("Impact.wav", 16, std::move(s));
}

// A rising sweep with its octave that swells up to its end.
AudioFile riser()
{
    Signal s = silence(1.5);
    addGlide(s, 0.0, 1.5, 220.0, 1760.0, 0.4, {1.45, 0.05});
    addGlide(s, 0.0, 1.5, 440.0, 3520.0, 0.15, {1.45, 0.05});
    return mono("Riser.wav", 16, std::move(s));
}

// Wind-like noise around the room, a soft drone in the centre and a rumble
// in the LFE.
AudioFile ambienceChannel(std::string_view channel, uint32_t seed)
{
    Signal s = silence(1.5);
    Noise noise(seed);
    if (channel == "LFE") {
        addNote(s, 0.0, 1.5, 40.0, 0.3, {0.3, 5.0});
        addNoiseBed(s, 0.05, 0.995, noise);
    } else {
        addNoiseBed(s, 0.08, 0.97, noise);
        if (channel == "C")
            addNote(s, 0.0, 1.5, noteHz(kA2), 0.05, {0.5, 5.0}, 3);
    }
    fadeEdges(s, 0.2, 0.2);
    return mono(ambienceChannelName(channel) + ".wav", 16, std::move(s));
}

} // namespace

std::string ambienceChannelName(std::string_view channel)
{
    return "Ambience." + std::string(channel);
}

std::vector<AudioFile> renderDemoAudio()
{
    std::vector<AudioFile> files = {
        drumLoop(),
        singleHit("Kick.wav", [](Signal &s, Noise &) { addKick(s, 0.0, 0.8); }),
        singleHit("Snare.wav", [](Signal &s, Noise &noise) { addSnare(s, 0.0, 0.7, noise); }),
        bassLine(),
        pianoChords(),
        pad(),
        impact(),
        riser(),
    };
    uint32_t seed = 41;
    for (std::string_view channel : kAmbienceChannels)
        files.push_back(ambienceChannel(channel, seed++));
    return files;
}

} // namespace demo
