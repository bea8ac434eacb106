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

std::string tempPath(const char* name)
{
    return std::string(RAVENSOOT_BINARY_DIR) + "/" + name;
}

TEST(PngDecoder, RgbaIsPremultipliedWithTruncationAndTransparentPixelsBecomeZero)
{
    PngRecipe recipe;
    recipe.width = 4;
    recipe.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    recipe.rows = {{200, 100, 50, 128, 255, 255, 255, 255, 90, 80, 70, 0, 1, 2, 3, 1}};
    PixelBuffer pixels = decoded(recipe);
    ASSERT_EQ(pixels.width(), 4);
    EXPECT_EQ(pixels.pixel(0, 0), expected(200, 100, 50, 128));
    // Opaque white loses a step to the ÷256 rule; it is kept as designed.
    EXPECT_EQ(pixels.pixel(1, 0), PixelBuffer::pack(254, 254, 254, 255));
    EXPECT_EQ(pixels.pixel(2, 0), 0u);
    EXPECT_EQ(pixels.pixel(3, 0), expected(1, 2, 3, 1));
}

TEST(PngDecoder, RgbWithoutAlphaGetsAnOpaqueAlphaAndRowsStayTopDown)
{
    PngRecipe recipe;
    recipe.width = 2;
    recipe.height = 2;
    recipe.rows = {{10, 20, 30, 40, 50, 60}, {70, 80, 90, 250, 251, 252}};
    PixelBuffer pixels = decoded(recipe);
    EXPECT_EQ(pixels.pixel(0, 0), expected(10, 20, 30, 255));
    EXPECT_EQ(pixels.pixel(1, 0), expected(40, 50, 60, 255));
    EXPECT_EQ(pixels.pixel(0, 1), expected(70, 80, 90, 255));
    EXPECT_EQ(pixels.pixel(1, 1), expected(250, 251, 252, 255));
}

TEST(PngDecoder, PaletteWithTransparencyChunkExpandsToColoursAndAlpha)
{
    PngRecipe recipe;
    recipe.width = 4;
    recipe.colorType = PNG_COLOR_TYPE_PALETTE;
    recipe.bitDepth = 4;
    recipe.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {100, 150, 200}};
    recipe.paletteAlpha = {255, 128, 0};  // the fourth entry has no alpha given: opaque
    recipe.rows = {{0x01, 0x23}};
    PixelBuffer pixels = decoded(recipe);
    EXPECT_EQ(pixels.pixel(0, 0), expected(255, 0, 0, 255));
    EXPECT_EQ(pixels.pixel(1, 0), expected(0, 255, 0, 128));
    EXPECT_EQ(pixels.pixel(2, 0), 0u);
    EXPECT_EQ(pixels.pixel(3, 0), expected(100, 150, 200, 255));
}

TEST(PngDecoder, LowBitGreyIsScaledToEightBitsAndSpreadToThreeChannels)
{
    PngRecipe recipe;
    recipe.width = 4;
    recipe.colorType = PNG_COLOR_TYPE_GRAY;
    recipe.bitDepth = 2;
    recipe.rows = {{0x1b}};  // levels 0, 1, 2, 3
    PixelBuffer pixels = decoded(recipe);
    EXPECT_EQ(pixels.pixel(0, 0), expected(0, 0, 0, 255));
    EXPECT_EQ(pixels.pixel(1, 0), expected(85, 85, 85, 255));
    EXPECT_EQ(pixels.pixel(2, 0), expected(170, 170, 170, 255));
    EXPECT_EQ(pixels.pixel(3, 0), expected(255, 255, 255, 255));
}

TEST(PngDecoder, GreyWithAlphaAndGreyColourKey)
{
    PngRecipe withAlpha;
    withAlpha.width = 2;
    withAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    withAlpha.rows = {{200, 100, 33, 255}};
    PixelBuffer pixels = decoded(withAlpha);
    EXPECT_EQ(pixels.pixel(0, 0), expected(200, 200, 200, 100));
    EXPECT_EQ(pixels.pixel(1, 0), expected(33, 33, 33, 255));

    PngRecipe keyed;
    keyed.width = 2;
    keyed.colorType = PNG_COLOR_TYPE_GRAY;
    keyed.colorKey = true;
    keyed.key.gray = 7;
    keyed.rows = {{7, 8}};
    pixels = decoded(keyed);
    EXPECT_EQ(pixels.pixel(0, 0), 0u);
    EXPECT_EQ(pixels.pixel(1, 0), expected(8, 8, 8, 255));
}

TEST(PngDecoder, SixteenBitSamplesKeepTheirHighByteAndRgbColourKeyBecomesTransparent)
{
    PngRecipe deep;
    deep.width = 1;
    deep.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    deep.bitDepth = 16;
    deep.rows = {{0x12, 0xab, 0x80, 0xff, 0xfe, 0x01, 0xc0, 0x00}};
    PixelBuffer pixels = decoded(deep);
    EXPECT_EQ(pixels.pixel(0, 0), expected(0x12, 0x80, 0xfe, 0xc0));

    PngRecipe keyed;
    keyed.width = 2;
    keyed.colorKey = true;
    keyed.key.red = 1;
    keyed.key.green = 2;
    keyed.key.blue = 3;
    keyed.rows = {{1, 2, 3, 1, 2, 4}};
    pixels = decoded(keyed);
    EXPECT_EQ(pixels.pixel(0, 0), 0u);
    EXPECT_EQ(pixels.pixel(1, 0), expected(1, 2, 4, 255));
}

TEST(PngDecoder, InterlacedImagesDecodeLikePlainOnes)
{
    PngRecipe recipe;
    recipe.width = 9;
    recipe.height = 9;
    recipe.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < 9; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 9; ++x)
            row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x * y), uint8_t(100 + x + y)});
        recipe.rows.push_back(row);
    }
    PixelBuffer plain = decoded(recipe);
    recipe.interlaced = true;
    PixelBuffer interlaced = decoded(recipe);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(plain.pixel(x, y), interlaced.pixel(x, y));
    EXPECT_EQ(plain.pixel(8, 8), expected(160, 160, 64, 116));
}

TEST(PngDecoder, SidesAbove8192AreRefusedAndUpTo8192Accepted)
{
    auto oneRow = [](int width) {
        PngRecipe recipe;
        recipe.width = width;
        recipe.colorType = PNG_COLOR_TYPE_GRAY;
        recipe.rows = {std::vector<uint8_t>(size_t(width), 9)};
        return recipe;
    };
    PixelBuffer pixels;
    std::vector<uint8_t> wide = encodePng(oneRow(8193));
    EXPECT_FALSE(PngDecoder::decode(wide.data(), wide.size(), pixels));
    EXPECT_TRUE(pixels.empty());
    PngRecipe tall;
    tall.height = 8193;
    tall.colorType = PNG_COLOR_TYPE_GRAY;
    tall.rows.assign(8193, std::vector<uint8_t>(1, 9));
    std::vector<uint8_t> tallFile = encodePng(tall);
    EXPECT_FALSE(PngDecoder::decode(tallFile.data(), tallFile.size(), pixels));
    std::vector<uint8_t> widest = encodePng(oneRow(8192));
    EXPECT_TRUE(PngDecoder::decode(widest.data(), widest.size(), pixels));
    EXPECT_EQ(pixels.width(), 8192);
}

TEST(PngDecoder, TruncatedOrForeignDataFailsAndLeavesABitmapThatDrawsNothing)
{
    PngRecipe recipe;
    recipe.width = 3;
    recipe.height = 3;
    recipe.rows.assign(3, std::vector<uint8_t>(9, 77));
    std::vector<uint8_t> file = encodePng(recipe);
    std::vector<uint8_t> cut(file.begin(), file.begin() + long(file.size() - 20));
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.loadFromMemory(cut.data(), cut.size()));
    EXPECT_FALSE(bitmap.isLoaded());
    const char text[] = "GIF89a not a png at all";
    EXPECT_FALSE(bitmap.loadFromMemory(reinterpret_cast<const uint8_t*>(text), sizeof(text)));
    EXPECT_FALSE(bitmap.loadFromMemory(nullptr, 0));
    // A bad CRC is as fatal as a short file.
    std::vector<uint8_t> corrupt = file;
    corrupt[45] ^= 0x55;
    EXPECT_FALSE(bitmap.loadFromMemory(corrupt.data(), corrupt.size()));

    PixelBuffer target(4, 4, 0x11223344u);
    CDrawContext context(nullptr, &target);
    bitmap.draw(&context, CRect(0, 0, 4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.pixel(x, y), 0x11223344u);
}

TEST(PngDecoder, FilesLoadAndAFailedLoadKeepsThePreviousPixels)
{
    PixelBuffer picture(3, 2, PixelBuffer::pack(10, 20, 30, 255));
    std::string path = tempPath("png_decoder_roundtrip.png");
    ASSERT_TRUE(PngWriter::write(picture, path));
    CBitmap bitmap(path.c_str());
    ASSERT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 3);
    EXPECT_EQ(bitmap.getHeight(), 2);
    EXPECT_EQ(bitmap.getPixels().pixel(2, 1), expected(10, 20, 30, 255));
    EXPECT_FALSE(bitmap.loadFromFile(tempPath("no_such_image.png").c_str()));
    EXPECT_EQ(bitmap.getWidth(), 3);
    std::remove(path.c_str());
}

}  // namespace
