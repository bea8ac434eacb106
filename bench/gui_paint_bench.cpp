// What painting costs: a full redraw of an editor-sized frame, one knob repainted, and plain blending.
#include "gui/c_anim_knob.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/pixel_buffer.h"

#include <benchmark/benchmark.h>

namespace {

CBitmap* opaquePicture(int32_t width, int32_t height)
{
    auto* bitmap = new CBitmap(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            bitmap->getPixels().row(y)[x] = PixelBuffer::pack(uint8_t(x), uint8_t(y), 90, 255);
    return bitmap;
}

// Knob frames with soft edges, so blending does real work.
CBitmap* knobStrip(int32_t frames, int32_t side)
{
    auto* strip = new CBitmap(side, side * frames);
    for (int32_t y = 0; y < side * frames; ++y)
        for (int32_t x = 0; x < side; ++x) {
            uint8_t alpha = uint8_t((x * 7 + y) % 256);
            strip->getPixels().row(y)[x] = PixelBuffer::pack(uint8_t(alpha / 2), uint8_t(alpha / 3), 0, alpha);
        }
    return strip;
}

// An 800 × 600 editor with 48 animated knobs of 64 × 64 pixels over a background picture.
struct Editor {
    CFrame* frame;
    std::vector<CAnimKnob*> knobs;

    Editor()
    {
        frame = new CFrame(CRect(0, 0, 800, 600), nullptr, nullptr);
        frame->open();
        CBitmap* back = opaquePicture(800, 600);
        frame->setBackground(back);
        back->dropReference();
        CBitmap* strip = knobStrip(61, 64);
        for (int32_t i = 0; i < 48; ++i) {
            int32_t x = 20 + (i % 8) * 96, y = 20 + (i / 8) * 96;
            auto* knob = new CAnimKnob(CRect(x, y, x + 64, y + 64), nullptr, i, 61, 64, strip);
            frame->addView(knob);
            knobs.push_back(knob);
        }
        strip->dropReference();
        frame->idle();
    }
    ~Editor() { frame->dropReference(); }
};

void fullRedraw(benchmark::State& state)
{
    Editor editor;
    for (auto _ : state) {
        editor.frame->redraw();
        editor.frame->paintDirtyViews();
    }
}
BENCHMARK(fullRedraw)->Unit(benchmark::kMillisecond);

void oneKnobRepainted(benchmark::State& state)
{
    Editor editor;
    float value = 0.0f;
    for (auto _ : state) {
        value = value > 0.9f ? 0.0f : value + 0.05f;
        editor.knobs[20]->setValue(value);
        editor.frame->paintDirtyViews();
    }
}
BENCHMARK(oneKnobRepainted)->Unit(benchmark::kMicrosecond);

void blendPerPixel(benchmark::State& state)
{
    CBitmap* source = knobStrip(1, 256);
    PixelBuffer target(256, 256, PixelBuffer::pack(10, 20, 30, 255));
    for (auto _ : state) {
        target.blend(source->getPixels(), target.bounds(), CPoint(), 255, target.bounds());
        benchmark::DoNotOptimize(target.row(0));
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
    source->dropReference();
}
BENCHMARK(blendPerPixel);

}  // namespace
