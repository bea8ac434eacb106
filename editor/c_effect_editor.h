// Raven Soot's editor: the product's control types, the list menus filled after loading, the LFO page
// switch, the value and program-name display, the level meters, randomize and the XY pad's targets.
#pragma once

#include "editor/c_skin_editor.h"

#include <cstdint>
#include <string>

class CSkinSelector;
class CXYPad;

class CEffectEditor : public CSkinEditor {
public:
    static constexpr int64_t kValueShowMs = 3000;
    static constexpr int64_t kMeterPeriodMs = 100;
    // One of the meters' 31 segments.
    static constexpr float kMeterThreshold = 0.032258064f;
    static constexpr float kMeterCurve = 0.36764705f;
    static constexpr size_t kDisplayTextSize = 256;

    explicit CEffectEditor(PluginBase* plugin);
    ~CEffectEditor() override;

    void idle() override;

    void onParameterUpdate(int index, float value) override;
    bool onControlChanged(int tag, float value, CDrawContext* context) override;
    void onSkinLoaded() override;
    void showProgramName() override;
    // Shown in the value display; the program name comes back after three seconds.
    void showMessage(const char* text) override;
    bool createProductControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag,
                              CViewContainer* container, int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;

    int getCurrentPage() const { return currentPage; }
    const std::string& getDisplayText() const { return displayText; }
    // The manual shipped in the data folder, as a file:// address.
    static constexpr const char* kManualPage = "Manual/index.html";

protected:
    const char* webAddress() const override;

private:
    CSkinSelector* selector(int index) const;
    CXYPad* pad() const;
    // The engine's target record for the morph selector's entry, or -1.
    int morphTarget(int selectorIndex) const;
    void updatePadTarget(bool xAxis);
    // Shows page p inside the main container and carries the page buttons onto it; a page that does not
    // exist is ignored.
    void showPage(int page);
    // stamp: the text's time becomes now.
    void showText(const char* text, bool stamp = true);
    void randomize();
    void updateMeters(int64_t now);
    void markDirty(int index);

    int currentPage = 0;
    std::string displayText;
    int64_t displayTime = 0;
    int64_t meterTime = 0;
    std::string manualAddress;
};
