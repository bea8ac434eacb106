// Calls in the odd orders real hosts make, through the module's entry point: no crash, sound output,
// and (in the sanitizer build) no leak or bad access.
#include "reliability_host.h"

#include <cmath>
#include <limits>

namespace {

class HostAbuse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.open());
        switchEverythingOn(host);
    }

    // A block of the given size; answers the first bad output sample, or -1.
    int run(int frames)
    {
        StereoBlock block(frames);
        block.tone(position);
        position += frames;
        block.processReplacing(host);
        return block.firstBadOutput();
    }

    TestHost host{builtModule()};
    long position = 0;
};

} // namespace

TEST_F(HostAbuse, ProcessBeforeResumeAndMainsSwitchedTwice)
{
    EXPECT_EQ(run(512), -1);
    host.dispatch(effMainsChanged, 0, 0);
    host.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(run(512), -1);
    host.dispatch(effMainsChanged, 0, 1);
    host.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(run(512), -1);
}

TEST_F(HostAbuse, SampleRateAndBlockSizeChangeBetweenBlocks)
{
    host.dispatch(effMainsChanged, 0, 1);
    const float rates[] = {44100.0f, 8000.0f, 192000.0f, 22050.0f, 384000.0f, 1.0f, 0.0f, -48000.0f,
                           std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 96000.0f};
    const int sizes[] = {1, 8192, 64, 65, 63, 2, 4096, 1, 333};
    int n = 0;
    for (float rate : rates) {
        host.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        for (int frames : sizes) {
            host.dispatch(effSetBlockSize, 0, frames);
            ASSERT_EQ(run(frames), -1) << "rate " << rate << ", " << frames << " frames";
            // Some hosts change the rate without a suspend/resume around it.
            if (++n % 3 == 0)
                host.dispatch(effMainsChanged, 0, n % 2);
        }
    }
    // No frames at all, and no buffers: the host's mistake must not reach the plug-in's memory.
    host.processReplacing(nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(run(0), -1);
}

TEST_F(HostAbuse, ASecondOfOneFrameBlocksThenEightThousandFrames)
{
    host.dispatch(effMainsChanged, 0, 1);
    for (int i = 0; i < 44100; ++i)
        ASSERT_EQ(run(1), -1) << i;
    ASSERT_EQ(run(8192), -1);
}

TEST(HostAbuseScan, CloseRightAfterMainAsScannersDo)
{
    for (int i = 0; i < 50; ++i) {
        TestHost host(builtModule());
        ASSERT_TRUE(host.open());
        if (i % 2 == 1) {
            host.dispatch(effOpen);
            EXPECT_EQ(host.text(effGetEffectName), "Raven Soot 3");
            host.canDo("receiveVstEvents");
            host.dispatch(effGetVstVersion);
        }
        EXPECT_EQ(host.close(), 1);
    }
}

// The default skin's editor opened without a window (the headless layer), again and again, with audio,
// parameter and program changes while it is open, idles after the close and closes without an open.
TEST(HostAbuseEditor, OpenedAndClosedFiveHundredTimesWithIdleAfterCloseAndCloseWithoutOpen)
{
    TestHost host(builtModule());
    ASSERT_TRUE(host.open());
    EXPECT_TRUE(host.record()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_TRUE(rect->right == 900 && rect->bottom == 560);
    host.dispatch(effMainsChanged, 0, 1);
    host.dispatch(effEditClose);
    host.dispatch(effEditIdle);
    int window = 0;
    StereoBlock block(256);
    for (int i = 0; i < 500; ++i) {
        host.dispatch(effEditGetRect, 0, 0, &rect);
        EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 0), -1) << "no window yet";
        ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, &window), 1) << i;
        host.dispatch(effEditIdle);
        if (i % 25 == 0) {
            EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 0), 0) << "keys are left to the host";
            EXPECT_EQ(host.dispatch(effEditKeyUp, 'a', 0, nullptr, std::nanf("")), 0) << "NaN modifiers";
            EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 2), 1);
            host.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f);
            block.tone(i * 256L);
            block.processReplacing(host);
            ASSERT_EQ(block.firstBadOutput(), -1) << i;
            host.setParameter(i % 53, 0.5f);
            host.dispatch(effSetProgram, 0, i % 64);
            host.dispatch(effEditIdle);
        }
        host.dispatch(effEditClose);
        host.dispatch(effEditIdle);
        if (i % 100 == 0)
            host.dispatch(effEditClose);
    }
    EXPECT_EQ(host.close(), 1);
}
