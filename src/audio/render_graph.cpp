#include "render_graph.h"

#include <algorithm>
#include <cstring>

namespace kestrix {

void RenderGraph::configure(std::vector<InputBuffer> inputs, int outputs, std::span<const float> levels)
{
    inputs_ = std::move(inputs);
    const size_t count = inputs_.size();
    mixer_.configure(int(count), outputs);
    mixer_.setLevels(levels);
    desired_.assign(count, PlayerControl{});
    for (auto &slot : slots_)
        slot = desired_;
    states_.assign(count, PlayerState{});
    back_ = 0;
    middle_.store(1, std::memory_order_relaxed);
    front_ = 2;
    completedGenerations_ = std::make_unique<std::atomic<uint64_t>[]>(count);
    clock_.store(0, std::memory_order_release);
}

void RenderGraph::stopPlayers()
{
    for (PlayerControl &control : desired_) {
        ++control.epoch;
        control.scheduled = false;
        control.playing = false;
    }
}

void RenderGraph::schedule(int input, uint32_t startFrame, uint64_t generation)
{
    PlayerControl &control = desired_[size_t(input)];
    ++control.epoch;
    control.startFrame = startFrame;
    control.generation = generation;
    control.scheduled = true;
}

void RenderGraph::setPlaying(bool playing)
{
    for (PlayerControl &control : desired_)
        control.playing = playing;
}

void RenderGraph::publish()
{
    std::copy(desired_.begin(), desired_.end(), slots_[size_t(back_)].begin());
    back_ = middle_.exchange(back_ | kDirty, std::memory_order_acq_rel) & kIndexMask;
}

void RenderGraph::takeUpPublishedControls() noexcept
{
    if (middle_.load(std::memory_order_acquire) & kDirty)
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndexMask;
    const std::vector<PlayerControl> &controls = slots_[size_t(front_)];
    for (size_t i = 0; i < states_.size(); ++i) {
        if (states_[i].epoch == controls[i].epoch)
            continue;
        states_[i] = PlayerState{controls[i].epoch, std::min(controls[i].startFrame, inputs_[i].frames), false, 0};
    }
}

void RenderGraph::render(float *interleaved, uint32_t frames) noexcept
{
    const size_t outputs = size_t(mixer_.outputCount());
    if (states_.empty()) {
        std::memset(interleaved, 0, size_t(frames) * outputs * sizeof(float));
        return;
    }
    takeUpPublishedControls();
    while (frames > 0) {
        const uint32_t block = std::min(frames, MatrixMixer::kBlockFrames);
        renderBlock(interleaved, block);
        interleaved += size_t(block) * outputs;
        frames -= block;
    }
    const uint64_t epochBits = uint64_t(states_[0].epoch) & ((uint64_t(1) << (64 - kClockFrameBits)) - 1);
    const uint64_t frameBits = states_[0].playedFrames & ((uint64_t(1) << kClockFrameBits) - 1);
    clock_.store(epochBits << kClockFrameBits | frameBits, std::memory_order_release);
}

void RenderGraph::renderBlock(float *interleaved, uint32_t frames) noexcept
{
    const std::vector<PlayerControl> &controls = slots_[size_t(front_)];
    mixer_.beginBlock(frames);
    for (size_t i = 0; i < states_.size(); ++i) {
        const PlayerControl &control = controls[i];
        PlayerState &state = states_[i];
        if (!control.playing)
            continue;
        state.playedFrames += frames;
        if (!control.scheduled || state.finished)
            continue;
        const uint32_t count = std::min(frames, inputs_[i].frames - state.cursor);
        mixer_.add(int(i), inputs_[i].samples + state.cursor, count);
        state.cursor += count;
        if (state.cursor == inputs_[i].frames) {
            state.finished = true;
            completedGenerations_[i].store(control.generation, std::memory_order_release);
        }
    }
    mixer_.endBlock(interleaved, frames);
}

uint64_t RenderGraph::completedGeneration(int input) const
{
    return completedGenerations_[size_t(input)].load(std::memory_order_acquire);
}

std::optional<uint64_t> RenderGraph::playerFrames() const
{
    if (desired_.empty())
        return std::nullopt;
    const uint64_t clock = clock_.load(std::memory_order_acquire);
    const uint64_t expectedEpoch = uint64_t(desired_[0].epoch) & ((uint64_t(1) << (64 - kClockFrameBits)) - 1);
    if (clock >> kClockFrameBits != expectedEpoch)
        return std::nullopt;
    return clock & ((uint64_t(1) << kClockFrameBits) - 1);
}

} // namespace kestrix
