// Small synthesis helpers for the demo's audio: notes built from harmonics,
// drum hits made of pitch sweeps and noise bursts, and filtered noise beds.
// Times and lengths are in seconds at the demo's sample rate; every helper
// adds into the signal and stops at its end.
#ifndef KESTRIX_DEMO_SYNTH_H
#define KESTRIX_DEMO_SYNTH_H

#include <cstdint>
#include <vector>

namespace demo {

using Signal = std::vector<float>;

// Seeded white noise, so that every build generates the same files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    float next();  // -1..1

private:
    uint32_t state_;
};

struct Envelope {
    double attack = 0.005;  // seconds of linear rise
    double decay = 0.5;     // seconds for the level to fall to 1/e after the attack
};

double noteHz(int midiNote);

Signal silence(double seconds);

// A note of `harmonics` partials, partial k at level/k, ending with a short
// release at start + length.
void addNote(Signal &s, double start, double length, double hz, double level, Envelope envelope,
             int harmonics = 1);
// A sine whose pitch glides exponentially from fromHz to toHz.
void addGlide(Signal &s, double start, double length, double fromHz, double toHz, double level,
              Envelope envelope);
void addKick(Signal &s, double start, double level);
void addSnare(Signal &s, double start, double level, Noise &noise);
void addHat(Signal &s, double start, double level, Noise &noise);
// Low-passed noise over the whole signal at an RMS level of `level`;
// smoothing 0..1, higher is darker.
void addNoiseBed(Signal &s, double level, double smoothing, Noise &noise);
void fadeEdges(Signal &s, double fadeIn, double fadeOut);

} // namespace demo

#endif
