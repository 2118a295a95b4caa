// The real-time side of the engine: one player per input buffer feeding
// the matrix mixer. The main thread changes the players and publishes the
// change; the render thread takes up the latest published state at the
// start of a render, so that every player changes on the same frame and
// the channels stay sample-aligned. Rendering never allocates, locks or
// logs; what the main thread learns back (finished schedules, the first
// player's clock) it reads from atomics.
#ifndef KESTRIX_AUDIO_RENDER_GRAPH_H
#define KESTRIX_AUDIO_RENDER_GRAPH_H

#include "matrix_mixer.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace kestrix {

class RenderGraph {
public:
    struct InputBuffer {
        const float *samples = nullptr;
        uint32_t frames = 0;
    };

    // Main thread, while nothing renders: the inputs (which must outlive
    // the rendering), the output count and the mixer's levels. Every player
    // starts stopped with nothing scheduled.
    void configure(std::vector<InputBuffer> inputs, int outputs, std::span<const float> levels);
    int inputCount() const { return int(inputs_.size()); }
    int outputCount() const { return mixer_.outputCount(); }
    const MatrixMixer &mixer() const { return mixer_; }

    // Main thread: changes that take effect together once published.
    // Stops every player: its schedule is dropped and its clock reset.
    void stopPlayers();
    // Schedules an input's buffer from `startFrame` to its end.
    void schedule(int input, uint32_t startFrame, uint64_t generation);
    void setPlaying(bool playing);
    void publish();

    // Render thread: `frames` interleaved frames of every output.
    void render(float *interleaved, uint32_t frames) noexcept;

    // Main thread: the generation of the input's last schedule that played
    // to its end, 0 before any did.
    uint64_t completedGeneration(int input) const;
    // Main thread: frames the first player has played since it was last
    // stopped; none until the render thread has taken up that stop.
    std::optional<uint64_t> playerFrames() const;

private:
    struct PlayerControl {
        uint32_t epoch = 0;  // changes whenever the schedule is replaced
        uint32_t startFrame = 0;
        uint64_t generation = 0;
        bool scheduled = false;
        bool playing = false;
    };
    struct PlayerState {
        uint32_t epoch = 0;
        uint32_t cursor = 0;
        bool finished = false;
        uint64_t playedFrames = 0;
    };

    void takeUpPublishedControls() noexcept;
    void renderBlock(float *interleaved, uint32_t frames) noexcept;

    static constexpr int kDirty = 4;
    static constexpr int kIndexMask = 3;
    static constexpr int kClockFrameBits = 40;

    std::vector<InputBuffer> inputs_;
    MatrixMixer mixer_;

    // Main thread only.
    std::vector<PlayerControl> desired_;
    int back_ = 0;
    // A triple buffer hands the desired controls to the render thread.
    std::array<std::vector<PlayerControl>, 3> slots_;
    std::atomic<int> middle_{1};
    // Render thread only.
    int front_ = 2;
    std::vector<PlayerState> states_;

    std::unique_ptr<std::atomic<uint64_t>[]> completedGenerations_;
    std::atomic<uint64_t> clock_{0};  // epoch of the first player (low bits) above its played frames
};

} // namespace kestrix

#endif
