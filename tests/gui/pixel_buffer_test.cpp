// Pixel operations: premultiplied blending against a real-number reference, and clipping checked with guard
// pixels around the target for any rectangle and offset.
#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_offscreen_context.h"
#include "gui/pixel_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr uint32_t kGuard = 0xdeadbeefu;

// A target of width × height inside a block with a guard margin all round.
struct GuardedTarget {
    static constexpr int kMargin = 8;
    int width, height, stride;
    std::vector<uint32_t> block;
    PixelBuffer view;

    GuardedTarget(int width, int height)
        : width(width), height(height), stride(width + 2 * kMargin),
          block(size_t(stride) * size_t(height + 2 * kMargin), kGuard)
    {
        view = PixelBuffer::wrap(block.data() + kMargin * stride + kMargin, width, height, stride);
        view.fill(view.bounds(), 0xff000000u, view.bounds());
    }
    bool guardsIntact() const
    {
        for (int y = 0; y < height + 2 * kMargin; ++y)
            for (int x = 0; x < stride; ++x) {
                bool inside = y >= kMargin && y < kMargin + height && x >= kMargin && x < kMargin + width;
                if (!inside && block[size_t(y) * stride + x] != kGuard)
                    return false;
            }
        return true;
    }
};

uint8_t referenceOver(uint8_t source, uint8_t sourceAlpha, uint8_t destination)
{
    double value = source + destination * (255.0 - sourceAlpha) / 255.0;
    return uint8_t(std::min(255.0, std::floor(value + 0.5)));
}

TEST(PixelBuffer, SourceOverMatchesTheRealNumberFormulaForEveryAlpha)
{
    for (int alpha = 0; alpha <= 255; ++alpha) {
        for (int destination : {0, 1, 77, 128, 200, 255}) {
            uint8_t colour = uint8_t(alpha * 3 / 5);  // premultiplied: never above alpha
            uint32_t source = PixelBuffer::pack(colour, colour, colour, uint8_t(alpha));
            uint32_t below = PixelBuffer::pack(uint8_t(destination), 0, uint8_t(255 - destination), 255);
            uint32_t result = PixelBuffer::over(below, source);
            ASSERT_EQ(PixelBuffer::redOf(result), referenceOver(colour, uint8_t(alpha), uint8_t(destination)));
            ASSERT_EQ(PixelBuffer::blueOf(result), referenceOver(colour, uint8_t(alpha), uint8_t(255 - destination)));
            ASSERT_EQ(PixelBuffer::alphaOf(result), 255);
        }
    }
}

TEST(PixelBuffer, OpaqueSourcesReplaceTransparentOnesKeepAndOpacityScalesTheSource)
{
    PixelBuffer target(3, 1, PixelBuffer::pack(100, 100, 100, 255));
    PixelBuffer source(3, 1, 0);
    source.row(0)[0] = PixelBuffer::pack(10, 20, 30, 255);
    source.row(0)[1] = 0;
    source.row(0)[2] = PixelBuffer::pack(200, 0, 0, 255);
    target.blend(source, CRect(0, 0, 2, 1), CPoint(), 255, target.bounds());
    EXPECT_EQ(target.pixel(0, 0), PixelBuffer::pack(10, 20, 30, 255));
    EXPECT_EQ(target.pixel(1, 0), PixelBuffer::pack(100, 100, 100, 255));
    // Half opacity over grey: 200/2 + 100/2 (rounded), alpha stays opaque.
    target.blend(source, CRect(2, 0, 3, 1), CPoint(2, 0), 128, target.bounds());
    EXPECT_EQ(target.pixel(2, 0), PixelBuffer::pack(100 + 50, 50, 50, 255));
}

TEST(PixelBuffer, BitmapsAreBlendedSoTransparentCornersShowWhatIsBeneath)
{
    CBitmap round(2, 2);
    round.getPixels().row(0)[0] = 0;                                     // a transparent corner
    round.getPixels().row(0)[1] = PixelBuffer::pack(64, 0, 0, 128);      // half-covered red
    round.getPixels().row(1)[0] = PixelBuffer::pack(0, 0, 255, 255);
    round.getPixels().row(1)[1] = PixelBuffer::pack(0, 0, 255, 255);
    PixelBuffer target(2, 2, PixelBuffer::pack(0, 200, 0, 255));
    CDrawContext context(nullptr, &target);
    round.draw(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(target.pixel(0, 0), PixelBuffer::pack(0, 200, 0, 255));
    EXPECT_EQ(target.pixel(1, 0), PixelBuffer::pack(64, 100, 0, 255));
    EXPECT_EQ(target.pixel(0, 1), PixelBuffer::pack(0, 0, 255, 255));
    // Flagged as having no alpha, the picture covers what is beneath.
    round.setNoAlpha(true);
    round.draw(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(target.pixel(0, 0), PixelBuffer::pack(0, 0, 0, 255));
}

TEST(PixelBuffer, NoWriteLeavesTheTargetForAnyRectangleOrOffset)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-12, 32);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX};
    std::uniform_int_distribution<int> pick(0, 9);
    auto anyCoordinate = [&] { return pick(random) == 0 ? extremes[random() % 6] : coordinate(random); };
    PixelBuffer source(17, 13, PixelBuffer::pack(9, 9, 9, 200));
    for (int trial = 0; trial < 20000; ++trial) {
        GuardedTarget target(20, 15);
        CRect area(anyCoordinate(), anyCoordinate(), anyCoordinate(), anyCoordinate());
        CRect clip(anyCoordinate(), anyCoordinate(), anyCoordinate(), anyCoordinate());
        CPoint offset(anyCoordinate(), anyCoordinate());
        switch (trial % 5) {
        case 0:
            target.view.fill(area, 0x12345678u, clip);
            break;
        case 1:
            target.view.copy(source, area, offset, clip);
            break;
        case 2:
            target.view.blend(source, area, offset, uint8_t(trial), clip);
            break;
        case 3:
            target.view.plot(area.left, area.top, 0x12345678u, clip);
            target.view.blendCoverage(area.right, area.bottom, kWhiteCColor, 200, clip);
            break;
        default: {
            CDrawContext context(nullptr, &target.view);
            context.setOffset(offset);
            context.setLineWidth(1 + trial % 4);
            context.moveTo(CPoint(area.left, area.top));
            context.lineTo(CPoint(area.right, area.bottom));
            context.drawRect(area);
            context.fillRect(clip);
            context.drawPoint(CPoint(area.right, area.top), kWhiteCColor);
            context.drawString("Clip me", area);
            break;
        }
        }
        ASSERT_TRUE(target.guardsIntact()) << "trial " << trial;
    }
}

TEST(PixelBuffer, ASourceOnlyPartlyThereDrawsOnlyItsOverlap)
{
    PixelBuffer source(4, 4, PixelBuffer::pack(0, 0, 255, 255));
    GuardedTarget target(10, 10);
    // Asks for 6 × 6 pixels from (2, 2) of a 4 × 4 source: only a 2 × 2 block exists.
    target.view.copy(source, CRect(3, 3, 9, 9), CPoint(2, 2), target.view.bounds());
    int painted = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            painted += target.view.pixel(x, y) == PixelBuffer::pack(0, 0, 255, 255);
    EXPECT_EQ(painted, 4);
    EXPECT_EQ(target.view.pixel(3, 3), PixelBuffer::pack(0, 0, 255, 255));
    EXPECT_EQ(target.view.pixel(4, 4), PixelBuffer::pack(0, 0, 255, 255));
    EXPECT_EQ(target.view.pixel(5, 5), 0xff000000u);
    // A negative offset reads nothing before the source's first pixel.
    target.view.copy(source, CRect(0, 0, 3, 3), CPoint(-2, -2), target.view.bounds());
    EXPECT_EQ(target.view.pixel(1, 1), 0xff000000u);
    EXPECT_EQ(target.view.pixel(2, 2), PixelBuffer::pack(0, 0, 255, 255));
    EXPECT_TRUE(target.guardsIntact());
}

TEST(PixelBuffer, CopyingWithinOneBufferMovesTheOriginalPixels)
{
    PixelBuffer buffer(4, 1);
    for (int x = 0; x < 4; ++x)
        buffer.row(0)[x] = uint32_t(x + 1);
    buffer.copy(buffer, CRect(1, 0, 4, 1), CPoint(0, 0), buffer.bounds());
    EXPECT_EQ(buffer.pixel(1, 0), 1u);
    EXPECT_EQ(buffer.pixel(2, 0), 2u);
    EXPECT_EQ(buffer.pixel(3, 0), 3u);
}

TEST(OffscreenContext, DrawsIntoItsOwnPixelsAndCopiesThemWithASourceOffset)
{
    COffscreenContext offscreen(nullptr, 6, 4, CColor{10, 20, 30, 0});
    EXPECT_EQ(offscreen.getPixels().pixel(5, 3), PixelBuffer::pack(10, 20, 30, 255));
    offscreen.setFillColor(CColor{255, 0, 0, 255});
    offscreen.fillRect(CRect(2, 1, 4, 3));
    GuardedTarget screen(10, 10);
    CDrawContext context(nullptr, &screen.view);
    context.setOffset(CPoint(1, 1));
    // From (2, 1) of the off-screen picture on, into local (5, 5)-(8, 8): target pixels (6, 6) to (9, 9).
    offscreen.copyTo(&context, CRect(5, 5, 8, 8), CPoint(2, 1));
    EXPECT_EQ(screen.view.pixel(6, 6), PixelBuffer::pack(255, 0, 0, 255));
    EXPECT_EQ(screen.view.pixel(7, 7), PixelBuffer::pack(255, 0, 0, 255));
    EXPECT_EQ(screen.view.pixel(8, 8), PixelBuffer::pack(10, 20, 30, 255));
    EXPECT_EQ(screen.view.pixel(5, 5), 0xff000000u);
    // Copying past the screen's edge stops at the edge.
    offscreen.copyTo(&context, CRect(7, 7, 20, 20));
    EXPECT_TRUE(screen.guardsIntact());
}

TEST(DrawContext, LinesLeaveOutTheirLastPointAndRectanglesAreHalfOpen)
{
    PixelBuffer target(8, 8, 0xff000000u);
    CDrawContext context(nullptr, &target);
    context.setFrameColor(kWhiteCColor);
    context.moveTo(CPoint(1, 1));
    context.lineTo(CPoint(5, 1));
    EXPECT_EQ(target.pixel(4, 1), 0xffffffffu);
    EXPECT_EQ(target.pixel(5, 1), 0xff000000u);
    context.setFrameColor(CColor{0, 255, 0, 0});  // the fourth byte is ignored: drawn opaque
    context.drawRect(CRect(2, 3, 6, 7));
    EXPECT_EQ(target.pixel(2, 3), PixelBuffer::pack(0, 255, 0, 255));
    EXPECT_EQ(target.pixel(5, 6), PixelBuffer::pack(0, 255, 0, 255));
    EXPECT_EQ(target.pixel(6, 6), 0xff000000u);
    EXPECT_EQ(target.pixel(3, 4), 0xff000000u);
    context.setClipRect(CRect(0, 0, 3, 8));
    context.setFillColor(kWhiteCColor);
    context.fillRect(CRect(0, 7, 8, 8));
    EXPECT_EQ(target.pixel(2, 7), 0xffffffffu);
    EXPECT_EQ(target.pixel(3, 7), 0xff000000u);
}

}  // namespace
