// A view that owns an ordered list of child views placed in its own coordinates.
#pragma once

#include "gui/c_color.h"
#include "gui/c_view.h"

#include <vector>

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    // Drops the container's reference to every child.
    ~CViewContainer() override;

    // Takes over the caller's reference; the view is drawn after, and hit before, the views added earlier.
    bool addView(CView* view);
    // dropReference false hands the container's reference back to the caller (the view lives on).
    bool removeView(CView* view, bool dropReference = true);
    void removeAll(bool dropReference = true);
    bool isChild(const CView* view) const;
    int getNbViews() const { return int(children.size()); }
    CView* getView(int index) const;

    void setBackgroundColor(CColor color);
    CColor getBackgroundColor() const { return backgroundColor; }
    void setViewSize(const CRect& rect) override;

    // Background colour, background bitmap, then every child that meets the clip, clipped to the container.
    void draw(CDrawContext* context) override;
    // Passes the press to the last-added enabled child under the point, in the container's coordinates.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CViewContainer"; }
    void attached(CView* parent) override;
    bool isContainer() const override { return true; }

    // Frame rectangles of the views that want drawing; a dirty container stands for all its children.
    void collectDirtyAreas(std::vector<CRect>& areas) const;
    // The deepest enabled view under where (container coordinates), or null.
    CView* getViewAt(const CPoint& where) const;

private:
    // Hands an input event to the last-added enabled child under where, in the container's coordinates.
    template <typename Handler>
    bool passToChildAt(CDrawContext* context, const CPoint& where, Handler handler);
    void adoptFrame(CFrame* newFrame);
    void invalidateInFrame(const CView* view) const;

    std::vector<CView*> children;
    CColor backgroundColor = kBlackCColor;
    bool hasBackgroundColor = false;
};
