// The top of the view tree: owns the platform window and its back buffer, routes input, paints dirty views.
#pragma once

#include "gui/c_view_container.h"
#include "gui/frame_owner.h"
#include "gui/pixel_buffer.h"
#include "gui/platform/platform_window.h"

#include <memory>
#include <vector>

class CDrawContext;

class CFrame : public CViewContainer, private PlatformEventHandler {
public:
    // parentWindow is the host's window handle; editor may be null (a frame on its own, as in tests).
    CFrame(const CRect& size, void* parentWindow, FrameOwner* editor);
    ~CFrame() override;

    // Creates the back buffer and the window inside the host's; false only without a back buffer (no size).
    // When the platform cannot make the window the frame works without one: nothing shows, no input comes.
    bool open();
    // Whether the frame has a window on screen.
    bool isOpen() const;
    // Takes pending input (unless a modal loop runs, which polls for itself, or takeInput is false), paints
    // what is dirty and shows it.
    void idle(bool takeInput = true);
    // Paints every dirty view into the back buffer and shows the changed pixels.
    void paintDirtyViews();
    // Repaints everything at the next paint.
    void redraw() { setDirty(true); }
    // Marks an area of the frame to be painted again.
    void invalidRect(const CRect& area);

    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }
    void setFocusView(CView* view) { focusView = view; }
    CView* getFocusView() const { return focusView; }

    FrameOwner* getEditor() const { return editor; }
    void* getParentWindow() const { return parentWindow; }
    int getKnobMode() const;
    // The editor's paced pass, or a plain idle for a frame without an editor.
    void doIdleStuff();
    void beginEdit(int index);
    void endEdit(int index);

    // The pointer now (frame coordinates); while the frame is closing no button reads as held.
    int32_t getCurrentMouseButtons();
    void getCurrentMouseLocation(CPoint& where);
    // A wheel turn at the pointer; true when a view used it.
    bool onWheel(float distance);
    using CViewContainer::onWheel;

    // A modal loop (a control's drag, a menu) runs while at least one ModalLoop lives.
    class ModalLoop {
    public:
        explicit ModalLoop(CFrame* frame) : frame(frame)
        {
            if (frame != nullptr)
                frame->modalDepth++;
        }
        ~ModalLoop()
        {
            if (frame != nullptr)
                frame->modalDepth--;
        }
        ModalLoop(const ModalLoop&) = delete;
        ModalLoop& operator=(const ModalLoop&) = delete;

    private:
        CFrame* frame;
    };
    bool isModalLoopRunning() const { return modalDepth > 0; }
    // Set when the host's close waits for a modal loop: loops and menus see the buttons released and end.
    void setClosing(bool state) { closing = state; }
    bool isClosing() const { return closing; }

    std::unique_ptr<PlatformPopup> openPopup(const CRect& area);
    PixelBuffer& getBackBuffer() { return backBuffer; }
    PlatformWindow* getPlatformWindow() const { return window.get(); }
    CDrawContext* getDrawContext() const { return context; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CFrame"; }
    // The frame's own coordinates are the frame's.
    CPoint& localToFrame(CPoint& point) const override { return point; }

private:
    void handlePlatformEvent(const PlatformEvent& event) override;
    void paintArea(const CRect& area);

    void* parentWindow;
    FrameOwner* editor;
    std::unique_ptr<PlatformWindow> window;
    PixelBuffer backBuffer;
    CDrawContext* context = nullptr;
    std::vector<CRect> pendingAreas;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    int modalDepth = 0;
    bool closing = false;
};
