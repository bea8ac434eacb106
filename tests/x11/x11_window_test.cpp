// The X11 window on its own: presenting only the area asked for, and the pixel layouts the conversion serves.
// (Host calls in odd orders are checked through the module.)
#include "x11_fixture.h"

#include "gui/platform/x11/x11_pixel_format.h"
#include "gui/platform/x11/x11_window.h"

namespace {

struct IgnoringHandler : PlatformEventHandler {
    void handlePlatformEvent(const PlatformEvent&) override {}
};

class X11WindowTest : public X11Fixture {
protected:
    IgnoringHandler handler;
};

TEST_F(X11WindowTest, PresentsOnlyTheAreaAskedFor)
{
    X11Window window(handler);
    Window parent = makeParent(40, 40, 200, 200);
    ASSERT_TRUE(window.open(handle(parent), 120, 80));
    EXPECT_TRUE(window.usesSharedMemory());
    PixelBuffer red(120, 80, PixelBuffer::pack(200, 0, 0, 255));
    PixelBuffer blue(120, 80, PixelBuffer::pack(0, 0, 200, 255));
    window.present(red, red.bounds());
    window.pumpEvents(true);
    window.present(blue, CRect(10, 20, 30, 25));
    window.pumpEvents(true);
    PixelBuffer expected = red;
    expected.copy(blue, CRect(10, 20, 30, 25), CPoint(10, 20), expected.bounds());
    EXPECT_EQ(differences(readBack(window.windowId()), expected), 0);
    window.close();
}

TEST(X11PixelFormatTest, ServesSixteenBitAndByteSwappedLayoutsAndRefusesOthers)
{
    X11PixelFormat format;
    uint8_t bytes[8] = {};
    const uint32_t pixels[2] = {PixelBuffer::pack(255, 0, 0, 255), PixelBuffer::pack(0x12, 0x34, 0x56, 0x80)};

    ASSERT_TRUE(format.configure(16, true, 0xF800, 0x07E0, 0x001F));
    EXPECT_EQ(format.pixelOf(pixels[0]), 0xF800u);
    format.convertRow(pixels, bytes, 1);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0xF8);

    // A server of the other byte order with 32-bit ARGB: alpha forced, the most significant byte first.
    ASSERT_TRUE(format.configure(32, false, 0xFF0000, 0xFF00, 0xFF));
    format.convertRow(pixels, bytes, 2);
    const uint8_t expected[8] = {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x12, 0x34, 0x56};
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), std::vector<uint8_t>(expected, expected + 8));

    EXPECT_FALSE(format.configure(24, true, 0xFF0000, 0xFF00, 0xFF));
    EXPECT_FALSE(format.configure(32, true, 0xFF00FF, 0xFF00, 0xFF));
    EXPECT_FALSE(format.configure(32, true, 0xF0F000, 0xF00, 0xFF));
    EXPECT_FALSE(format.configure(16, true, 0xFF0000, 0xFF00, 0xFF));
}

}  // namespace
