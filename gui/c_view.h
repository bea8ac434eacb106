// The base of everything in the view tree: a rectangle in its parent's coordinates that draws and takes the mouse.
#pragma once

#include "gui/button_state.h"
#include "gui/c_point.h"
#include "gui/c_rect.h"
#include "gui/c_reference_counter.h"

#include <cstdint>

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    // Draws the background bitmap over the view's rectangle and marks the view clean.
    virtual void draw(CDrawContext* context);
    // where is in the parent's coordinates, as the view's rectangle; buttons may be kReadCurrentButtons.
    virtual void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons);
    // distance in wheel notches, positive away from the user; true when the view used it.
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);

    virtual void setDirty(bool state = true) { dirty = state; }
    virtual bool isDirty() const { return dirty; }
    void invalid() { setDirty(true); }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    // Takes a reference to bitmap and drops the one to the previous background.
    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }

    // Answers for its own class name and those of its bases ("CAnimKnob", "CKnob", "CControl", "CView").
    virtual bool isTypeOf(const char* name) const;
    virtual const char* getClassName() const { return "CView"; }

    // Told by the container that adds or removes the view.
    virtual void attached(CView* parent);
    virtual void removed(CView* parent);
    virtual bool isContainer() const { return false; }

    virtual void setViewSize(const CRect& rect);
    const CRect& getViewSize() const { return size; }
    void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    const CRect& getMouseableArea() const { return mouseableArea; }
    bool hitTest(const CPoint& where) const { return mouseableArea.pointInside(where); }

    CFrame* getFrame() const { return frame; }
    void setFrame(CFrame* newFrame) { frame = newFrame; }
    CView* getParentView() const { return parent; }
    // Converts a point from this view's own coordinates (a container's children's) to the frame's.
    virtual CPoint& localToFrame(CPoint& point) const;
    // The view's rectangle in frame coordinates.
    CRect getFrameRect() const;

protected:
    CRect size;
    CRect mouseableArea;
    CFrame* frame = nullptr;
    CView* parent = nullptr;
    CBitmap* background = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
};
