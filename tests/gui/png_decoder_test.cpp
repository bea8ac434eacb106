// PNG decoding: every colour type libpng can write ends as the premultiplied BGRA the skins are drawn from.
#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/png_decoder.h"
#include "gui/png_writer.h"
#include "png_test_images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The documented rule, written out independently: colour × alpha ÷ 256 truncated, alpha 0 gives 0.
uint32_t expected(int red, int green, int blue, int alpha)
{
    if (alpha == 0)
        return 0;
    return PixelBuffer::pack(uint8_t(red * alpha / 256), uint8_t(green * alpha / 256), uint8_t(blue * alpha / 256),
                             uint8_t(alpha));
}

PixelBuffer decoded(const PngRecipe& recipe)
{
    std::vector<uint8_t> file = encodePng(recipe);
    EXPECT_FALSE(file.empty());
    PixelBuffer pixels;
    EXPECT_TRUE(PngDecoder::decode(file.data(), file.size(), pixels));
    return pixels;
}

PngRecipe recipe(int width, int colorType, int bitDepth, std::vector<uint8_t> row)
{
    PngRecipe r;
    r.width = width;
    r.colorType = colorType;
    r.bitDepth = bitDepth;
    r.rows = {std::move(row)};
    return r;
}

TEST(PngDecoder, EveryColourTypeDecodesToPremultipliedPixels)
{
    struct Case {
        const char* what;
        PngRecipe image;
        std::vector<uint32_t> pixels;
    };
    std::vector<Case> cases = {
        // Opaque white loses a step to the ÷256 rule (kept as designed); a transparent pixel becomes 0.
        {"RGBA",
         recipe(4, PNG_COLOR_TYPE_RGB_ALPHA, 8, {200, 100, 50, 128, 255, 255, 255, 255, 90, 80, 70, 0, 1, 2, 3, 1}),
         {expected(200, 100, 50, 128), PixelBuffer::pack(254, 254, 254, 255), 0, expected(1, 2, 3, 1)}},
        {"RGB gets an opaque alpha", recipe(2, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 250, 251, 252}),
         {expected(10, 20, 30, 255), expected(250, 251, 252, 255)}},
        {"2-bit grey is scaled to 8 bits", recipe(4, PNG_COLOR_TYPE_GRAY, 2, {0x1b}),
         {expected(0, 0, 0, 255), expected(85, 85, 85, 255), expected(170, 170, 170, 255),
          expected(255, 255, 255, 255)}},
        {"grey with alpha", recipe(2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 100, 33, 255}),
         {expected(200, 200, 200, 100), expected(33, 33, 33, 255)}},
        {"16 bits keep their high byte",
         recipe(1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x12, 0xab, 0x80, 0xff, 0xfe, 0x01, 0xc0, 0x00}),
         {expected(0x12, 0x80, 0xfe, 0xc0)}},
    };
    Case palette{"palette with a transparency chunk", recipe(4, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x23}),
                 {expected(255, 0, 0, 255), expected(0, 255, 0, 128), 0, expected(100, 150, 200, 255)}};
    palette.image.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {100, 150, 200}};
    palette.image.paletteAlpha = {255, 128, 0}; // the fourth entry has no alpha given: opaque
    Case greyKey{"grey colour key", recipe(2, PNG_COLOR_TYPE_GRAY, 8, {7, 8}), {0, expected(8, 8, 8, 255)}};
    greyKey.image.colorKey = true;
    greyKey.image.key.gray = 7;
    Case rgbKey{"RGB colour key", recipe(2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 1, 2, 4}), {0, expected(1, 2, 4, 255)}};
    rgbKey.image.colorKey = true;
    rgbKey.image.key.red = 1;
    rgbKey.image.key.green = 2;
    rgbKey.image.key.blue = 3;
    cases.insert(cases.end(), {palette, greyKey, rgbKey});

    for (const Case& c : cases) {
        PixelBuffer pixels = decoded(c.image);
        ASSERT_EQ(pixels.width(), int32_t(c.pixels.size())) << c.what;
        for (size_t x = 0; x < c.pixels.size(); ++x)
            EXPECT_EQ(pixels.pixel(int32_t(x), 0), c.pixels[x]) << c.what << ", pixel " << x;
    }
}

TEST(PngDecoder, InterlacedImagesDecodeLikePlainOnesWithRowsTopDown)
{
    PngRecipe image;
    image.width = 9;
    image.height = 9;
    image.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < 9; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 9; ++x)
            row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x * y), uint8_t(100 + x + y)});
        image.rows.push_back(row);
    }
    PixelBuffer plain = decoded(image);
    image.interlaced = true;
    PixelBuffer interlaced = decoded(image);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(plain.pixel(x, y), interlaced.pixel(x, y));
    EXPECT_EQ(plain.pixel(8, 1), expected(160, 20, 8, 109));
    EXPECT_EQ(plain.pixel(8, 8), expected(160, 160, 64, 116));
}

TEST(PngDecoder, SidesAbove8192AreRefusedAndUpTo8192Accepted)
{
    PixelBuffer pixels;
    for (int width : {8193, 8192}) {
        std::vector<uint8_t> row(size_t(width), 9);
        std::vector<uint8_t> file = encodePng(recipe(width, PNG_COLOR_TYPE_GRAY, 8, row));
        EXPECT_EQ(PngDecoder::decode(file.data(), file.size(), pixels), width == 8192);
        EXPECT_EQ(pixels.width(), width == 8192 ? 8192 : 0);
    }
    PngRecipe tall = recipe(1, PNG_COLOR_TYPE_GRAY, 8, {9});
    tall.height = 8193;
    tall.rows.assign(8193, std::vector<uint8_t>(1, 9));
    std::vector<uint8_t> tallFile = encodePng(tall);
    EXPECT_FALSE(PngDecoder::decode(tallFile.data(), tallFile.size(), pixels));
}

TEST(PngDecoder, TruncatedOrForeignDataFailsAndLeavesABitmapThatDrawsNothing)
{
    PngRecipe image = recipe(3, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(9, 77));
    image.height = 3;
    image.rows.assign(3, std::vector<uint8_t>(9, 77));
    std::vector<uint8_t> file = encodePng(image);
    std::vector<uint8_t> cut(file.begin(), file.begin() + long(file.size() - 20));
    // A bad CRC is as fatal as a short file.
    std::vector<uint8_t> corrupt = file;
    corrupt[45] ^= 0x55;
    const std::string text = "GIF89a not a png at all";
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.loadFromMemory(cut.data(), cut.size()));
    EXPECT_FALSE(bitmap.loadFromMemory(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_FALSE(bitmap.loadFromMemory(nullptr, 0));
    EXPECT_FALSE(bitmap.loadFromMemory(corrupt.data(), corrupt.size()));
    EXPECT_FALSE(bitmap.isLoaded());

    PixelBuffer target(4, 4, 0x11223344u);
    CDrawContext context(nullptr, &target);
    bitmap.draw(&context, CRect(0, 0, 4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.pixel(x, y), 0x11223344u);
}

TEST(PngDecoder, FilesLoadAndAFailedLoadKeepsThePreviousPixels)
{
    std::string path = std::string(RAVENSOOT_BINARY_DIR) + "/png_decoder_roundtrip.png";
    ASSERT_TRUE(PngWriter::write(PixelBuffer(3, 2, PixelBuffer::pack(10, 20, 30, 255)), path));
    CBitmap bitmap(path.c_str());
    ASSERT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 3);
    EXPECT_EQ(bitmap.getHeight(), 2);
    EXPECT_EQ(bitmap.getPixels().pixel(2, 1), expected(10, 20, 30, 255));
    EXPECT_FALSE(bitmap.loadFromFile((path + ".missing").c_str()));
    EXPECT_EQ(bitmap.getWidth(), 3);
    std::remove(path.c_str());
}

}  // namespace
