// The frame: dirty views painted once and only where they are, transparent repaints, containers'
// coordinates and presses passed through disabled views.
#include "gui/c_draw_context.h"
#include "gui/c_on_off_button.h"
#include "gui/c_view_container.h"
#include "toolkit_fixture.h"

namespace {

// A control that fills itself with a colour from its value and counts its draws and presses.
class Swatch : public CControl {
public:
    explicit Swatch(const CRect& size) : CControl(size) {}
    void draw(CDrawContext* context) override
    {
        draws++;
        context->setFillColor(CColor{uint8_t(value * 255.0f), 0, 0, 255});
        context->fillRect(size);
        setDirty(false);
    }
    void mouse(CDrawContext* context, CPoint& where, int32_t) override
    {
        pressedAt = where;
        CPoint location;
        context->getMouseLocation(location);
        locationSeen = location;
    }
    int draws = 0;
    CPoint pressedAt{-1, -1};
    CPoint locationSeen{-1, -1};
};

TEST_F(ToolkitTest, OnlyDirtyViewsArePaintedAndOnlyTheirAreaIsShown)
{
    auto* left = add(new Swatch(CRect(10, 10, 50, 50)));
    auto* right = add(new Swatch(CRect(200, 10, 240, 50)));
    run();
    EXPECT_EQ(left->draws, 1);
    EXPECT_EQ(right->draws, 1);
    int presents = window->presentCount();
    run();
    EXPECT_EQ(window->presentCount(), presents);

    right->setValue(1.0f);
    run();
    EXPECT_EQ(left->draws, 1);
    EXPECT_EQ(right->draws, 2);
    EXPECT_EQ(window->lastPresentedArea(), CRect(200, 10, 240, 50));
    EXPECT_EQ(window->screen().pixel(220, 30), PixelBuffer::pack(255, 0, 0, 255));

    // Setting the same value again is no change to paint.
    right->setValue(1.0f);
    run();
    EXPECT_EQ(right->draws, 2);
}

TEST_F(ToolkitTest, ATransparentControlIsRepaintedOverWhatIsBeneathIt)
{
    CBitmap* backdrop = twoFrames(400, 150, CColor{0, 0, 200, 255}, CColor{0, 0, 200, 255});
    frame->setBackground(backdrop);
    backdrop->dropReference();
    // Half-transparent white frames: the pressed look must not pile up on the released one.
    auto* strip = new CBitmap(20, 40);
    strip->getPixels().fill(CRect(0, 0, 20, 20), PixelBuffer::pack(64, 64, 64, 64), strip->getPixels().bounds());
    strip->getPixels().fill(CRect(0, 20, 20, 40), PixelBuffer::pack(128, 128, 128, 128), strip->getPixels().bounds());
    auto* button = add(new COnOffButton(CRect(10, 10, 30, 30), &listener, 1, strip));
    strip->dropReference();
    run();
    uint32_t released = window->screen().pixel(15, 15);
    EXPECT_EQ(released, PixelBuffer::over(PixelBuffer::pack(0, 0, 200, 255), PixelBuffer::pack(64, 64, 64, 64)));
    button->setValue(1.0f);
    run();
    button->setValue(0.0f);
    run();
    EXPECT_EQ(window->screen().pixel(15, 15), released);
}

TEST_F(ToolkitTest, ContainersPlaceChildrenInTheirOwnCoordinates)
{
    auto* page = add(new CViewContainer(CRect(100, 50, 300, 250), frame));
    page->setBackgroundColor(CColor{0, 80, 0, 255});
    auto* swatch = new Swatch(CRect(30, 20, 60, 40));
    page->addView(swatch);
    EXPECT_EQ(swatch->getFrame(), frame);
    CPoint corner(30, 20);
    page->localToFrame(corner);
    EXPECT_EQ(corner, CPoint(130, 70));
    EXPECT_EQ(swatch->getFrameRect(), CRect(130, 70, 160, 90));
    swatch->setValue(1.0f);
    run();
    EXPECT_EQ(window->screen().pixel(131, 71), PixelBuffer::pack(255, 0, 0, 255));
    EXPECT_EQ(window->screen().pixel(129, 71), PixelBuffer::pack(0, 80, 0, 255));

    window->click(135, 75);
    run();
    EXPECT_EQ(swatch->pressedAt, CPoint(35, 25));
    EXPECT_EQ(swatch->locationSeen, CPoint(35, 25));
    // Outside every child: the page takes the press and nothing happens.
    window->click(290, 240);
    run();
    EXPECT_EQ(swatch->pressedAt, CPoint(35, 25));
    // A page taken out of the frame keeps its children but leaves the screen.
    frame->removeView(page, false);
    run();
    EXPECT_EQ(window->screen().pixel(131, 71), PixelBuffer::pack(212, 208, 200, 255));
    page->dropReference();
}

TEST_F(ToolkitTest, DisabledViewsLetThePressThroughToWhatIsBelow)
{
    auto* below = add(new Swatch(CRect(10, 10, 50, 50)));
    auto* above = add(new Swatch(CRect(10, 10, 50, 50)));
    above->setMouseEnabled(false);
    window->click(20, 20);
    run();
    EXPECT_EQ(below->pressedAt, CPoint(20, 20));
    EXPECT_EQ(above->pressedAt, CPoint(-1, -1));
}

}  // namespace
