// The matrix mixer's level semantics.
#include "matrix_mixer.h"

#include <gtest/gtest.h>

using namespace kestrix;

TEST(MatrixMixer, GainsInputOutputAndMasterVolumes)
{
    MatrixMixer mixer;
    mixer.configure(2, 3);
    // Rows: input 0, input 1, output volumes; the last column is the input volume.
    const std::vector<float> levels = {
        0.5f, 1.0f, 0.0f,  2.0f,   // input 0, volume 2
        0.25f, 0.0f, 1.0f, 0.5f,   // input 1, volume 0.5
        1.0f, 0.5f, 4.0f,  0.25f,  // output volumes, master 0.25
    };
    ASSERT_TRUE(mixer.setLevels(levels));
    EXPECT_FALSE(mixer.setLevels(std::vector<float>(6, 1.0f))) << "2×3 needs 3×4 levels";
    EXPECT_EQ(mixer.levels(), levels);

    const std::vector<float> in0 = {1.0f, -0.5f};
    const std::vector<float> in1 = {0.2f, 0.4f};
    mixer.beginBlock(2);
    mixer.add(0, in0.data(), 2);
    mixer.add(1, in1.data(), 1);  // input 1 ends after one frame
    std::vector<float> out(6, -1.0f);
    mixer.endBlock(out.data(), 2);

    const auto expected = [](float a, float b, float gain0, float gain1, float outputVolume) {
        return 0.25f * outputVolume * (2.0f * gain0 * a + 0.5f * gain1 * b);
    };
    EXPECT_NEAR(out[0], expected(1.0f, 0.2f, 0.5f, 0.25f, 1.0f), 1e-6);
    EXPECT_NEAR(out[1], expected(1.0f, 0.2f, 1.0f, 0.0f, 0.5f), 1e-6);
    EXPECT_NEAR(out[2], expected(1.0f, 0.2f, 0.0f, 1.0f, 4.0f), 1e-6);
    EXPECT_NEAR(out[3], expected(-0.5f, 0.0f, 0.5f, 0.25f, 1.0f), 1e-6);
    EXPECT_NEAR(out[5], 0.0f, 1e-6);

    // A new block starts from silence.
    mixer.beginBlock(2);
    mixer.endBlock(out.data(), 2);
    EXPECT_EQ(out, std::vector<float>(6, 0.0f));
}

TEST(MatrixMixer, LevelsForARoutingCopyTheSharedCrosspoints)
{
    GainMatrix routing(3, 2);
    routing.gain(0, 0) = 0.7f;
    routing.gain(1, 1) = 0.3f;
    routing.gain(2, 0) = 0.9f;  // no such input in a 2-input mixer
    const std::vector<float> levels = MatrixMixer::levelsFor(routing, 2, 3);
    EXPECT_EQ(levels, (std::vector<float>{0.7f, 0.0f, 0.0f, 1.0f,  //
                                          0.0f, 0.3f, 0.0f, 1.0f,  //
                                          1.0f, 1.0f, 1.0f, 1.0f}));
}
