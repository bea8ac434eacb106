// Raven Soot's editor hooks.
#include "editor/c_effect_editor.h"

#include "editor/c_level_meter.h"
#include "editor/c_range_bar.h"
#include "editor/c_skin_page_buttons.h"
#include "editor/c_skin_preset_selector.h"
#include "editor/c_skin_selector.h"
#include "editor/c_text_display.h"
#include "editor/c_xy_pad.h"
#include "editor/file_url.h"
#include "editor/skin_tables.h"
#include "engine/engine_base.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/c_view_container.h"
#include "gui/platform/platform_time.h"
#include "host/plugin_base.h"
#include "params/parameter_table.h"
#include "params/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr long kProcessingPolls = 1L << 30;

int32_t sat(int64_t value)
{
    return CRect::saturate(value);
}

uint8_t lowByte(int32_t value)
{
    return uint8_t(value & 0xff);
}

bool isListParameter(int index)
{
    return index == kMmFilterType || index == kLfo1Target || index == kLfo1Shape || index == kLfo2Target
        || index == kLfo2Shape || index == kMorphXParam || index == kMorphYParam;
}

}  // namespace

CEffectEditor::CEffectEditor(PluginBase* plugin) : CSkinEditor(plugin)
{
    currentPage = 0;
    if (EngineBase* engine = getEngine())
        manualAddress = FileUrl::fromPath(std::string(engine->getDataFolderPrefix()) + kManualPage);
}

CEffectEditor::~CEffectEditor() = default;

const char* CEffectEditor::webAddress() const
{
    return manualAddress.c_str();
}

void CEffectEditor::showMessage(const char* text)
{
    if (text != nullptr)
        showText(text);
}

CSkinSelector* CEffectEditor::selector(int index) const
{
    return dynamic_cast<CSkinSelector*>(getControl(index));
}

CXYPad* CEffectEditor::pad() const
{
    return dynamic_cast<CXYPad*>(getControl(kMorphSquare));
}

void CEffectEditor::markDirty(int index)
{
    if (CControl* control = getControl(index))
        control->setDirty(true);
}

bool CEffectEditor::createProductControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag,
                                         CViewContainer* container, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    EngineBase* engine = getEngine();
    const int64_t w = bitmap != nullptr ? bitmap->getWidth() : 0;
    const int64_t h = bitmap != nullptr ? bitmap->getHeight() : 0;
    const float value = engine->getParameter(tag);
    CControl* control = nullptr;
    bool withValue = true;

    if (std::strcmp(type, "MorphSquare") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 2), sat(x1 + w / 2), sat(y1 + h / 2));
        CColor line{lowByte(getSetting("XYLineR")), lowByte(getSetting("XYLineG")), lowByte(getSetting("XYLineB")),
                    lowByte(getSetting("XYLineA"))};
        CColor ground{lowByte(getSetting("XYBkgR")), lowByte(getSetting("XYBkgG")), lowByte(getSetting("XYBkgB")),
                      255};
        control = new CXYPad(r, this, tag, bitmap, getBitmap("XYCursor"), line, ground, getFrame(), getPlugin(),
                             kMorphXParam, kMorphYParam);
    } else if (std::strcmp(type, "RadioButton") == 0) {
        int32_t spacing = getSetting("LfoButtonSpace");
        auto* buttons = new CSkinPageButtons(CRect(x1, y1, x2, y2), this, tag, 2,
                                             spacing == SkinTables::kMissingSetting ? 0 : spacing);
        buttons->addButtonBitmap(getBitmap("LfoSelect1"));
        buttons->addButtonBitmap(getBitmap("LfoSelect2"));
        control = buttons;
    } else if (std::strcmp(type, "TextDisplay") == 0) {
        control = new CTextDisplay(CRect(x1, y1, x2, y2), this, tag, getBitmap("Background"), getFont("FontDisplay"));
    } else if (std::strcmp(type, "VersionDisplay") == 0) {
        char text[64] = "Version v";
        // "%1.2f" would follow the host's locale and show "v3,10" under a decimal comma.
        const size_t prefix = std::strlen(text);
        auto written = std::to_chars(text + prefix, text + sizeof text - 1, double(engine->getVersion()),
                                     std::chars_format::fixed, 2);
        *(written.ec == std::errc() ? written.ptr : text + prefix) = '\0';
        const int n = int(std::strlen(text));
        auto* display = new CTextDisplay(CRect(sat(int64_t(x2) - 6 * n), y1, x2, y2), this, tag,
                                         getBitmap("Background"), getFont("FontVersion"));
        display->setText(text);
        control = display;
        withValue = false;
    } else if (std::strcmp(type, "VSliderBar") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 2), sat(x1 + w / 2), sat(y1 + h / 2));
        control = new CRangeBar(r, this, tag, getBitmap("Background"), bitmap, engine, kBpFilterLow, kBpFilterHigh,
                                kBpFilterLink);
    } else {
        return false;
    }
    if (withValue)
        control->setValue(value);
    slot = control;
    container->addView(control);
    return true;
}

void CEffectEditor::onSkinLoaded()
{
    EngineBase* engine = getEngine();
    if (CSkinSelector* types = selector(kMmFilterType)) {
        types->setEntryCount(kFilterTypeCount);
        types->setEntries(kFilterTypeNames, kFilterTypeCount);
    }
    for (int index : {kMorphXParam, kLfo1Target, kMorphYParam, kLfo2Target}) {
        CSkinSelector* targets = selector(index);
        if (targets == nullptr)
            continue;
        targets->setEntryCount(kTargetCount);
        for (int i = 0; i < kTargetCount; ++i) {
            const Parameter* record = engine->parameter(kTargetList[i].parameter);
            targets->setEntry(record != nullptr ? record->shortName : "", i);
        }
    }
    int32_t smallWidth = getSetting("SelectorButtonWidthSmall");
    if (smallWidth != SkinTables::kMissingSetting && smallWidth >= 0)
        for (int index : {kMorphXParam, kMorphYParam})
            if (CSkinSelector* morph = selector(index))
                morph->setButtonWidth(smallWidth);
    for (int index : {kLfo1Shape, kLfo2Shape}) {
        if (CSkinSelector* shapes = selector(index)) {
            shapes->setEntryCount(kLfoShapeCount);
            shapes->setEntries(kLfoShapeNames, kLfoShapeCount);
        }
    }

    currentPage = 0;
    CViewContainer* main = getTables().getMainContainer();
    CViewContainer* first = getTables().getPageAt(0);
    if (main != nullptr && first != nullptr) {
        first->addReference();
        main->addView(first);
    }
    // The page buttons may have been left on another page: show the page they hold, with its button lit.
    if (CControl* buttons = getControl(kLfoSelect)) {
        int page = listIndexFromNormalized(buttons->getValue(), SkinTables::kMaxPages);
        showPage(page < getTables().getPageCount() ? page : 0);
    }

    onParameterUpdate(kMorphXParam, 0.0f);
    onParameterUpdate(kMorphYParam, 0.0f);
    meterTime = PlatformTime::nowMs();
    showProgramName();
}

int CEffectEditor::morphTarget(int selectorIndex) const
{
    CSkinSelector* morph = selector(selectorIndex);
    if (morph == nullptr || morph->getEntryCount() == 0)
        return -1;
    int entry = morph->getIndex();
    if (entry >= kTargetCount)
        return -1;
    int target = kTargetList[entry].parameter;
    return getEngine()->parameter(target) != nullptr ? target : -1;
}

void CEffectEditor::updatePadTarget(bool xAxis)
{
    CXYPad* xy = pad();
    if (xy == nullptr)
        return;
    int target = morphTarget(xAxis ? kMorphXParam : kMorphYParam);
    // Without its selector the axis stays without a target: parameter 0 would switch the band-pass.
    if (target < 0 && selector(xAxis ? kMorphXParam : kMorphYParam) != nullptr)
        return;
    if (xAxis)
        xy->setXTarget(target);
    else
        xy->setYTarget(target);
}

void CEffectEditor::showPage(int page)
{
    const SkinTables& tables = getTables();
    CViewContainer* main = tables.getMainContainer();
    CViewContainer* next = tables.getPageAt(page);
    if (main == nullptr || next == nullptr)
        return;
    auto* buttons = dynamic_cast<CSkinPageButtons*>(getControl(kLfoSelect));
    if (buttons != nullptr) {
        buttons->setSelected(page);
        auto* holder = dynamic_cast<CViewContainer*>(buttons->getParentView());
        if (holder != next) {
            if (holder != nullptr)
                holder->removeView(buttons, false);
            next->addView(buttons);
        }
    }
    CViewContainer* shown = tables.getPageAt(currentPage);
    if (shown != next) {
        if (shown != nullptr && main->isChild(shown))
            main->removeView(shown, true);
        if (!main->isChild(next)) {
            next->addReference();
            main->addView(next);
        }
    }
    next->setDirty(true);
    currentPage = page;
}

void CEffectEditor::onParameterUpdate(int index, float value)
{
    EngineBase* engine = getEngine();
    switch (index) {
    case kBpFilterLow:
    case kBpFilterHigh:
        markDirty(kBpFilterBar);
        break;
    case kMorphXParam:
    case kMorphYParam:
        updatePadTarget(index == kMorphXParam);
        break;
    case kLfoSelect:
        // Only a value that names a page switches: anything else leaves the page shown.
        if (value >= 0.0f && value <= 1.0f) {
            int page = int(value * 100.0f + 0.0001f);
            if (page < getTables().getPageCount())
                showPage(page);
        }
        break;
    case kMorphSquare: {
        int x = morphTarget(kMorphXParam);
        int y = morphTarget(kMorphYParam);
        if (x >= 0 && y >= 0) {
            if (CControl* cx = getControl(x))
                cx->setValue(engine->getParameter(x));
            if (CControl* cy = getControl(y))
                cy->setValue(engine->getParameter(y));
        }
        break;
    }
    default:
        break;
    }
    const Parameter* record = engine->parameter(index);
    if (isUserEdit() && record != nullptr && record->displayable) {
        char value[kValueTextSize];
        formatValue(*record, value, sizeof value);
        char text[kDisplayTextSize];
        std::snprintf(text, sizeof text, "%s %s", value, record->unit);
        showText(text);
    }
}

void CEffectEditor::showText(const char* text, bool stamp)
{
    displayText = text;
    if (stamp)
        displayTime = PlatformTime::nowMs();
    if (auto* display = dynamic_cast<CTextDisplay*>(getControl(kParamDisplay)))
        display->setText(text);
}

bool CEffectEditor::onControlChanged(int tag, float value, CDrawContext*)
{
    if (tag == kBpFilterLow || tag == kBpFilterHigh) {
        getPlugin()->setParameterAutomated(tag, value);
        return true;
    }
    if (isListParameter(tag))
        return value >= 1.0f;
    if (tag == kRandomize) {
        if (value == 1.0f)
            randomize();
        getPlugin()->setParameterAutomated(tag, value);
        return true;
    }
    if (tag == kMorphSquare) {
        // The pad has written its targets into the engine (or only closed its menu): its move ends any value
        // display, and both targets go to the program and the host.
        setUserEdit(false);
        for (int axis : {kMorphXParam, kMorphYParam}) {
            int target = morphTarget(axis);
            if (target >= 0)
                getPlugin()->setParameterAutomated(target, getEngine()->getParameter(target));
        }
        return true;
    }
    return false;
}

void CEffectEditor::randomize()
{
    EngineBase* engine = getEngine();
    doIdleStuff();
    engine->setBypass(true);
    // The audio thread may be inside a block that started before bypass was raised.
    for (long i = 0; i < kProcessingPolls && engine->isProcessing(); ++i) {
    }
    engine->randomize();
    for (int i = 0; i < engine->parameterCount(); ++i)
        if (Parameter* record = engine->parameter(i))
            record->snap();
    engine->resetUnits();
    // A master-off effect stays silent: bypass follows the master switch, it is not simply dropped.
    engine->setBypass(engine->getParameter(kMasterOn) < 0.5f);
    updatePadTarget(true);
    updatePadTarget(false);
    markDirty(kMorphSquare);
    markDirty(kBpFilterBar);
    updateAllControls();
}

void CEffectEditor::showProgramName()
{
    char name[80] = {};
    getPlugin()->getProgramName(name);
    name[sizeof name - 1] = '\0';
    showText(name);
    if (auto* presets = dynamic_cast<CSkinPresetSelector*>(getControl(kGlobalMenu)))
        presets->updateText();
}

void CEffectEditor::idle()
{
    if (getFrame() == nullptr || getEngine() == nullptr || !isOpen())
        return;
    const int64_t now = PlatformTime::nowMs();
    CSkinEditor::idle();
    if (!ready())
        return;

    char name[80] = {};
    getPlugin()->getProgramName(name);
    name[sizeof name - 1] = '\0';
    // More than three seconds: whole milliseconds, so exactly 3000 ms is not yet more.
    // The return keeps the time of the text it replaces: a name changed later shows at the next idle.
    if (displayText != name && now - displayTime > kValueShowMs)
        showText(name, false);
    if (auto* presets = dynamic_cast<CSkinPresetSelector*>(getControl(kGlobalMenu)))
        presets->updateText();
    updateMeters(now);
}

void CEffectEditor::updateMeters(int64_t now)
{
    auto* left = dynamic_cast<CLevelMeter*>(getControl(kLevelMeterL));
    auto* right = dynamic_cast<CLevelMeter*>(getControl(kLevelMeterR));
    if (left == nullptr || right == nullptr)
        return;
    EngineBase* engine = getEngine();
    float l = float(std::pow(double(engine->getPeakLeft()), double(kMeterCurve)));
    float r = float(std::pow(double(engine->getPeakRight()), double(kMeterCurve)));
    bool moved = std::fabs(l - left->getValue()) > kMeterThreshold || std::fabs(r - right->getValue()) > kMeterThreshold;
    if (moved && now - meterTime > kMeterPeriodMs) {
        meterTime = now;
        left->setValue(l);
        right->setValue(r);
    }
}
