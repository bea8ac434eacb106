// The animated knob's frame choice and the VU meter's segments and fall.
#include "gui/c_anim_knob.h"
#include "gui/c_draw_context.h"
#include "gui/c_vu_meter.h"
#include "toolkit_fixture.h"

namespace {

// A strip of frames, each filled with a colour that encodes its index.
CBitmap* numberedStrip(int32_t frames, int32_t width, int32_t frameHeight)
{
    auto* strip = new CBitmap(width, frames * frameHeight);
    for (int32_t i = 0; i < frames; ++i)
        strip->getPixels().fill(CRect(0, i * frameHeight, width, (i + 1) * frameHeight),
                                PixelBuffer::pack(uint8_t(i), 0, 0, 255), strip->getPixels().bounds());
    return strip;
}

TEST(CAnimKnob, FrameIndexLandsEveryExactStepOnItsFrameAndClampsOutsideValues)
{
    CAnimKnob knob(CRect(0, 0, 10, 10), nullptr, 0, 61, 10, nullptr);
    knob.setValue(0.0f);
    EXPECT_EQ(knob.frameIndex(), 0);
    knob.setValue(0.5f);
    EXPECT_EQ(knob.frameIndex(), 30);
    knob.setValue(1.0f);
    EXPECT_EQ(knob.frameIndex(), 60);
    knob.setValue(-0.25f);
    EXPECT_EQ(knob.frameIndex(), 0);
    knob.setValue(1.5f);
    EXPECT_EQ(knob.frameIndex(), 60);
    for (int k = 0; k <= 60; ++k) {
        knob.setValue(float(k) / 60.0f);
        ASSERT_EQ(knob.frameIndex(), k);
    }
    knob.setInverseBitmap(true);
    knob.setValue(0.0f);
    EXPECT_EQ(knob.frameIndex(), 60);
    knob.setValue(0.25f);
    EXPECT_EQ(knob.frameIndex(), 45);
}

TEST(CAnimKnob, DrawsTheChosenFrameAndAStripShorterThanAFrameDrawsOnlyWhatItHas)
{
    CBitmap* strip = numberedStrip(61, 10, 10);
    CAnimKnob knob(CRect(2, 2, 12, 12), nullptr, 0, 61, 10, strip);
    strip->dropReference();
    PixelBuffer target(14, 14, 0xff000000u);
    CDrawContext context(nullptr, &target);
    knob.setValue(0.5f);
    knob.draw(&context);
    EXPECT_EQ(target.pixel(7, 7), PixelBuffer::pack(30, 0, 0, 255));
    EXPECT_FALSE(knob.isDirty());

    CBitmap* stub = numberedStrip(1, 10, 4);
    CAnimKnob shortKnob(CRect(2, 2, 12, 12), nullptr, 0, 3, 10, stub);
    stub->dropReference();
    PixelBuffer other(14, 14, 0xff000000u);
    CDrawContext otherContext(nullptr, &other);
    shortKnob.setValue(1.0f);
    shortKnob.draw(&otherContext);
    EXPECT_EQ(other.pixel(7, 7), 0xff000000u);
    shortKnob.setValue(0.0f);
    shortKnob.draw(&otherContext);
    EXPECT_EQ(other.pixel(7, 5), PixelBuffer::pack(0, 0, 0, 255));
    EXPECT_EQ(other.pixel(7, 7), 0xff000000u);
}

class VuMeterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        on = new CBitmap(4, 100);
        on->getPixels().fill(CRect(0, 0, 4, 100), PixelBuffer::pack(255, 0, 0, 255), on->getPixels().bounds());
        off = new CBitmap(4, 100);
        off->getPixels().fill(CRect(0, 0, 4, 100), PixelBuffer::pack(0, 0, 80, 255), off->getPixels().bounds());
    }
    void TearDown() override
    {
        on->dropReference();
        off->dropReference();
    }
    int32_t litRows()
    {
        int32_t lit = 0;
        for (int32_t y = 0; y < 100; ++y)
            lit += target.pixel(1, y) == PixelBuffer::pack(255, 0, 0, 255);
        return lit;
    }
    CBitmap* on = nullptr;
    CBitmap* off = nullptr;
    PixelBuffer target{4, 100, 0xff000000u};
};

TEST_F(VuMeterTest, QuantisesToItsSegmentsLitFromTheBottom)
{
    CVuMeter meter(CRect(0, 0, 4, 100), on, off, 10);
    CDrawContext context(nullptr, &target);
    meter.setValue(0.44f);
    meter.draw(&context);
    EXPECT_EQ(litRows(), 40);
    EXPECT_EQ(target.pixel(1, 99), PixelBuffer::pack(255, 0, 0, 255));
    EXPECT_EQ(target.pixel(1, 0), PixelBuffer::pack(0, 0, 80, 255));
    meter.setValue(0.45f);
    meter.draw(&context);
    EXPECT_EQ(litRows(), 50);
    CVuMeter segments31(CRect(0, 0, 4, 100), on, off, 31);
    EXPECT_EQ(segments31.litLength(1.0f), 100);
    EXPECT_EQ(segments31.litLength(0.0f), 0);
    EXPECT_EQ(segments31.litLength(0.5f), int32_t(float(16) / 31.0f * 100.0f));
}

TEST_F(VuMeterTest, FallsByATenthPerRedrawAndRisesAtOnce)
{
    CVuMeter meter(CRect(0, 0, 4, 100), on, off, 10);
    CDrawContext context(nullptr, &target);
    meter.setValue(1.0f);
    meter.draw(&context);
    EXPECT_EQ(litRows(), 100);
    meter.setValue(0.0f);
    std::vector<int32_t> lit;
    for (int i = 0; i < 11; ++i) {
        EXPECT_TRUE(meter.isDirty() || i == 10);
        meter.draw(&context);
        lit.push_back(litRows());
    }
    EXPECT_EQ(lit, (std::vector<int32_t>{90, 80, 70, 60, 50, 40, 30, 20, 10, 0, 0}));
    EXPECT_FALSE(meter.isDirty());
    meter.setValue(0.7f);
    meter.draw(&context);
    EXPECT_EQ(litRows(), 70);
}

TEST_F(VuMeterTest, HorizontalMetersLightFromTheLeftAndOffScreenDrawingLooksTheSame)
{
    PixelBuffer direct(100, 4, 0xff000000u), viaOffscreen(100, 4, 0xff000000u);
    CBitmap wideOn(100, 4), wideOff(100, 4);
    wideOn.getPixels().fill(CRect(0, 0, 100, 4), PixelBuffer::pack(255, 0, 0, 255), CRect(0, 0, 100, 4));
    wideOff.getPixels().fill(CRect(0, 0, 100, 4), PixelBuffer::pack(0, 0, 80, 255), CRect(0, 0, 100, 4));
    CVuMeter meter(CRect(0, 0, 100, 4), &wideOn, &wideOff, 4, CVuMeter::kHorizontal);
    meter.setValue(0.5f);
    CDrawContext first(nullptr, &direct);
    meter.draw(&first);
    EXPECT_EQ(direct.pixel(49, 1), PixelBuffer::pack(255, 0, 0, 255));
    EXPECT_EQ(direct.pixel(50, 1), PixelBuffer::pack(0, 0, 80, 255));
    CVuMeter buffered(CRect(0, 0, 100, 4), &wideOn, &wideOff, 4, CVuMeter::kHorizontal);
    buffered.setUseOffscreen(true);
    buffered.setValue(0.5f);
    CDrawContext second(nullptr, &viaOffscreen);
    buffered.draw(&second);
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(direct.pixel(x, 1), viaOffscreen.pixel(x, 1));
}

}  // namespace
