// A small scene of toolkit controls, set by scripted input and written to gui_demo.png in the build folder.
#include "gui/c_anim_knob.h"
#include "gui/c_draw_context.h"
#include "gui/c_kick_button.h"
#include "gui/c_on_off_button.h"
#include "gui/c_option_menu.h"
#include "gui/c_slider.h"
#include "gui/c_vu_meter.h"
#include "gui/png_writer.h"
#include "toolkit_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

float coverage(float distanceInside)
{
    return std::min(1.0f, std::max(0.0f, distanceInside + 0.5f));
}

void paint(PixelBuffer& pixels, int32_t x, int32_t y, CColor color, float amount)
{
    if (amount > 0.0f)
        pixels.blendCoverage(x, y, color, uint8_t(amount * 255.0f + 0.5f), pixels.bounds());
}

// A strip of knob pictures: a dark cap, a grey track and a lit arc up to the value, a pointer line.
CBitmap* knobStrip(int32_t frames, int32_t side)
{
    auto* strip = new CBitmap(side, side * frames);
    PixelBuffer& pixels = strip->getPixels();
    float centre = float(side) * 0.5f, outer = centre - 1.0f, cap = centre - 8.0f;
    for (int32_t f = 0; f < frames; ++f) {
        float value = float(f) / float(frames - 1);
        float end = (225.0f - 270.0f * value) * kPi / 180.0f;
        for (int32_t y = 0; y < side; ++y) {
            for (int32_t x = 0; x < side; ++x) {
                float dx = float(x) + 0.5f - centre, dy = centre - (float(y) + 0.5f);
                float d = std::sqrt(dx * dx + dy * dy);
                float angle = std::atan2(dy, dx);
                float sweep = 225.0f - angle * 180.0f / kPi;
                if (sweep < 0.0f)
                    sweep += 360.0f;
                int32_t py = f * side + y;
                float ring = std::min(coverage(outer - d), coverage(d - (outer - 5.0f)));
                if (sweep <= 270.0f) {
                    bool lit = sweep <= 270.0f * value;
                    paint(pixels, x, py, lit ? CColor{255, 150, 40, 255} : CColor{70, 70, 78, 255}, ring);
                }
                paint(pixels, x, py, CColor{42, 42, 48, 255}, coverage(cap - d));
                paint(pixels, x, py, CColor{58, 58, 66, 255}, coverage(cap - 3.0f - d));
                // The pointer: a short thick line from near the centre towards the value's angle.
                float ux = std::cos(end), uy = std::sin(end);
                float along = dx * ux + dy * uy, across = std::fabs(-dx * uy + dy * ux);
                if (along > cap * 0.35f && along < cap - 2.0f)
                    paint(pixels, x, py, CColor{240, 240, 240, 255}, coverage(1.6f - across));
            }
        }
    }
    return strip;
}

// A rounded rectangle of one colour, anti-aliased.
CBitmap* filled(int32_t width, int32_t height, CColor color, int32_t radius)
{
    auto* bitmap = new CBitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            float cx = std::clamp(float(x) + 0.5f, float(radius), float(width - radius));
            float cy = std::clamp(float(y) + 0.5f, float(radius), float(height - radius));
            float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            paint(bitmap->getPixels(), x, y, color, coverage(float(radius) - std::sqrt(dx * dx + dy * dy)));
        }
    }
    return bitmap;
}

// A button's strip: the released face above the pressed one (both taken over).
CBitmap* stacked(CBitmap* released, CBitmap* pressed)
{
    auto* strip = new CBitmap(released->getWidth(), released->getHeight() * 2);
    CRect face(0, 0, released->getWidth(), released->getHeight());
    strip->getPixels().copy(released->getPixels(), face, CPoint(), strip->getPixels().bounds());
    face.offset(0, released->getHeight());
    strip->getPixels().copy(pressed->getPixels(), face, CPoint(), strip->getPixels().bounds());
    released->dropReference();
    pressed->dropReference();
    return strip;
}

CBitmap* background(int32_t width, int32_t height)
{
    auto* bitmap = new CBitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t shade = uint8_t(34 + 16 * y / height);
        bitmap->getPixels().fill(CRect(0, y, width, y + 1), PixelBuffer::pack(shade, shade, uint8_t(shade + 6), 255),
                                 bitmap->getPixels().bounds());
    }
    return bitmap;
}

TEST_F(ToolkitTest, DemoSceneRendersTheControlsIntoAPng)
{
    CBitmap* back = background(400, 300);
    frame->setBackground(back);
    back->dropReference();

    CBitmap* strip = knobStrip(61, 64);
    auto* knobA = add(new CAnimKnob(CRect(30, 50, 94, 114), &listener, 1, 61, 64, strip));
    auto* knobB = add(new CAnimKnob(CRect(120, 50, 184, 114), &listener, 2, 61, 64, strip));
    strip->dropReference();

    CBitmap* ledStrip
        = stacked(filled(24, 24, CColor{60, 30, 20, 255}, 12), filled(24, 24, CColor{255, 120, 30, 255}, 12));
    auto* power = add(new COnOffButton(CRect(50, 150, 74, 174), &listener, 3, ledStrip));
    ledStrip->dropReference();

    CBitmap* track = filled(6, 140, CColor{20, 20, 24, 255}, 3);
    auto* trackView = new CView(CRect(237, 40, 243, 180));
    trackView->setBackground(track);
    track->dropReference();
    add(trackView);
    CBitmap* handle = filled(28, 14, CColor{220, 220, 228, 255}, 4);
    auto* slider = add(new CSlider(CRect(226, 33, 254, 187), &listener, 4, CPoint(0, 0), 154, handle, nullptr));
    handle->dropReference();

    CBitmap* meterOn = new CBitmap(12, 140);
    CBitmap* meterOff = new CBitmap(12, 140);
    for (int32_t s = 0; s < 20; ++s) {
        CRect segment(0, s * 7, 12, s * 7 + 5);
        CColor hot = s < 4 ? CColor{240, 60, 40, 255} : s < 8 ? CColor{240, 200, 40, 255} : CColor{60, 220, 90, 255};
        meterOn->getPixels().fill(segment, PixelBuffer::opaque(hot), meterOn->getPixels().bounds());
        meterOff->getPixels().fill(segment, PixelBuffer::pack(45, 45, 50, 255), meterOff->getPixels().bounds());
    }
    auto* meter = add(new CVuMeter(CRect(300, 40, 312, 180), meterOn, meterOff, 20));
    meterOn->dropReference();
    meterOff->dropReference();
    CBitmap* kickStrip
        = stacked(filled(24, 24, CColor{90, 90, 100, 255}, 5), filled(24, 24, CColor{230, 230, 240, 255}, 5));
    add(new CKickButton(CRect(120, 150, 144, 174), &listener, 5, 24, kickStrip));
    kickStrip->dropReference();

    // The user turns the first knob up 130 px, switches the power on, drags the slider near the top.
    window->press(62, 82).move(62, -48).release().click(62, 162).press(240, 180).move(240, 70).release();
    run();
    knobB->setValue(0.25f);
    meter->setValue(0.62f);
    run();
    EXPECT_FLOAT_EQ(knobA->getValue(), 0.65f);
    EXPECT_EQ(power->getValue(), 1.0f);
    EXPECT_GT(slider->getValue(), 0.7f);

    CDrawContext* context = frame->getDrawContext();
    context->setFontColor(CColor{210, 210, 220, 255});
    context->setFontSize(12);
    const char* labels[] = {"Drive", "Tone", "Power", "Kick", "Mix", "Level"};
    CRect places[] = {CRect(30, 118, 94, 134),  CRect(120, 118, 184, 134), CRect(30, 178, 94, 194),
                      CRect(100, 178, 164, 194), CRect(220, 188, 260, 204), CRect(286, 188, 326, 204)};
    for (int i = 0; i < 6; ++i)
        context->drawString(labels[i], places[i]);
    frame->paintDirtyViews();

    // The menu a right click would open, drawn as the user sees it above the window.
    auto* menu = new COptionMenu(CRect(), &listener, 6, nullptr,
                                 COptionMenu::kNoDrawStyle | COptionMenu::kCheckCurrentStyle);
    for (const char* text : {"Display Value", "MIDI Learn", "-", "Linear", "Circular"})
        menu->addEntry(text);
    menu->setCurrent(3);
    window->move(290, 235).dismissMenu();
    EXPECT_EQ(menu->popup(frame, CPoint(250, 205)), -1);
    menu->dropReference();

    PixelBuffer scene = window->screen();
    CRect popupArea = window->lastPopupArea();
    scene.copy(window->lastPopupImage(), popupArea, CPoint(), scene.bounds());
    std::string path = std::string(RAVENSOOT_BINARY_DIR) + "/gui_demo.png";
    ASSERT_TRUE(PngWriter::write(scene, path));

    // The lit arc reaches past the top of the first knob and not on the second.
    EXPECT_GT(PixelBuffer::redOf(scene.pixel(62, 53)), 200);
    EXPECT_LT(PixelBuffer::redOf(scene.pixel(152, 53)), 120);
    EXPECT_EQ(scene.pixel(62, 162), PixelBuffer::pack(255, 120, 30, 255));
    EXPECT_EQ(scene.pixel(306, 50), PixelBuffer::pack(45, 45, 50, 255));
    EXPECT_EQ(scene.pixel(306, 177), PixelBuffer::pack(60, 220, 90, 255));
}

}  // namespace
