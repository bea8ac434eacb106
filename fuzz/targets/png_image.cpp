// Skin images (PNG) read by PngDecoder::decode: a decoded image fits the side limit and is properly
// premultiplied; a refused one leaves the pixels as they were.
#include <unistd.h>

#include <filesystem>

#include "fuzz/fuzz_target.h"
#include "gui/png_decoder.h"
#include "gui/png_writer.h"

void fuzzSeeds(FuzzSeeds& seeds)
{
    // One image of our writer with every alpha level, and the smallest images of the default skin.
    PixelBuffer ramp(16, 16);
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            uint32_t alpha = static_cast<uint32_t>(y * 16 + x);
            uint32_t channel = alpha * static_cast<uint32_t>(x) / 16u;
            ramp.row(y)[x] = (alpha << 24) | (channel << 16) | (channel / 2u << 8) | (alpha / 3u);
        }
    }
    std::string path = (std::filesystem::temp_directory_path() / ("ravensoot-seed-" + std::to_string(getpid()) + ".png")).string();
    PngWriter::write(ramp, path);
    seeds.addFile("ramp.png", path);
    std::filesystem::remove(path);
    std::string skin = RAVENSOOT_SOURCE_DIR "/data/RavenSootData/Skins/default/";
    for (const char* name : {"LevelMeterOff.png", "XYCursor.png", "FaderHandle.png", "LfoSelect1.png"})
        seeds.addFile(name, skin + name);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    PixelBuffer pixels(1, 1, 0x12345678u);
    if (!PngDecoder::decode(data, size, pixels)) {
        FUZZ_CHECK(pixels.width() == 1 && pixels.height() == 1 && pixels.pixel(0, 0) == 0x12345678u);
        return;
    }
    FUZZ_CHECK(pixels.width() >= 1 && pixels.width() <= PngDecoder::kMaxSide);
    FUZZ_CHECK(pixels.height() >= 1 && pixels.height() <= PngDecoder::kMaxSide);
    for (int32_t y = 0; y < pixels.height(); ++y) {
        const uint32_t* row = pixels.row(y);
        for (int32_t x = 0; x < pixels.width(); ++x) {
            uint32_t alpha = row[x] >> 24;
            FUZZ_CHECK((row[x] & 0xffu) <= alpha && (row[x] >> 8 & 0xffu) <= alpha && (row[x] >> 16 & 0xffu) <= alpha);
        }
    }
}
