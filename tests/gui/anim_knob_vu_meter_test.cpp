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
    for (int k = 0; k <= 60; ++k) {
        knob.setValue(float(k) / 60.0f);
        ASSERT_EQ(knob.frameIndex(), k);
    }
    const std::pair<float, int> outside[] = {{0.5f, 30}, {-0.25f, 0}, {1.5f, 60}};
    for (const auto& [value, frame] : outside) {
        knob.setValue(value);
        EXPECT_EQ(knob.frameIndex(), frame) << value;
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
    CBitmap* stub = numberedStrip(1, 10, 4);
    CAnimKnob knob(CRect(2, 2, 12, 12), nullptr, 0, 61, 10, strip);
    CAnimKnob shortKnob(CRect(2, 2, 12, 12), nullptr, 0, 3, 10, stub);
    strip->dropReference();
    stub->dropReference();
    PixelBuffer target(14, 14, 0xff000000u);
    CDrawContext context(nullptr, &target);
    knob.setValue(0.5f);
    knob.draw(&context);
    EXPECT_EQ(target.pixel(7, 7), PixelBuffer::pack(30, 0, 0, 255));
    EXPECT_FALSE(knob.isDirty());

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

const uint32_t kLit = PixelBuffer::pack(255, 0, 0, 255);
const uint32_t kUnlit = PixelBuffer::pack(0, 0, 80, 255);

// A meter of 100 pixels along its axis, lit red over dark blue.
struct Meter {
    explicit Meter(int32_t segments, int32_t style = CVuMeter::kVertical)
        : size(style == CVuMeter::kVertical ? CRect(0, 0, 4, 100) : CRect(0, 0, 100, 4)),
          on(size.width(), size.height()), off(size.width(), size.height()),
          meter(size, &on, &off, segments, style), target(size.width(), size.height(), 0xff000000u)
    {
        on.getPixels().fill(size, kLit, size);
        off.getPixels().fill(size, kUnlit, size);
    }
    int32_t lit(float value)
    {
        meter.setValue(value);
        return drawn();
    }
    int32_t drawn()
    {
        CDrawContext context(nullptr, &target);
        meter.draw(&context);
        int32_t count = 0;
        for (int32_t i = 0; i < 100; ++i)
            count += (size.height() == 100 ? target.pixel(1, i) : target.pixel(i, 1)) == kLit;
        return count;
    }
    CRect size;
    CBitmap on, off;
    CVuMeter meter;
    PixelBuffer target;
};

TEST(CVuMeter, QuantisesToItsSegmentsLitFromTheBottomOrTheLeft)
{
    Meter vertical(10);
    EXPECT_EQ(vertical.lit(0.44f), 40);
    EXPECT_EQ(vertical.target.pixel(1, 99), kLit);
    EXPECT_EQ(vertical.target.pixel(1, 0), kUnlit);
    EXPECT_EQ(vertical.lit(0.45f), 50);
    Meter segments31(31);
    EXPECT_EQ(segments31.meter.litLength(1.0f), 100);
    EXPECT_EQ(segments31.meter.litLength(0.0f), 0);
    EXPECT_EQ(segments31.meter.litLength(0.5f), int32_t(float(16) / 31.0f * 100.0f));

    Meter horizontal(4, CVuMeter::kHorizontal);
    EXPECT_EQ(horizontal.lit(0.5f), 50);
    EXPECT_EQ(horizontal.target.pixel(49, 1), kLit);
    // Drawn through an off-screen picture it looks the same.
    Meter buffered(4, CVuMeter::kHorizontal);
    buffered.meter.setUseOffscreen(true);
    buffered.lit(0.5f);
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(buffered.target.pixel(x, 1), horizontal.target.pixel(x, 1));
}

TEST(CVuMeter, FallsByATenthPerRedrawAndRisesAtOnce)
{
    Meter m(10);
    EXPECT_EQ(m.lit(1.0f), 100);
    m.meter.setValue(0.0f);
    std::vector<int32_t> lit;
    for (int i = 0; i < 11; ++i) {
        EXPECT_TRUE(m.meter.isDirty() || i == 10);
        lit.push_back(m.drawn());
    }
    EXPECT_EQ(lit, (std::vector<int32_t>{90, 80, 70, 60, 50, 40, 30, 20, 10, 0, 0}));
    EXPECT_FALSE(m.meter.isDirty());
    EXPECT_EQ(m.lit(0.7f), 70);
}

}  // namespace
