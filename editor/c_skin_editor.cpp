// The skinned editor: open/close, the generic control factory and the parameter traffic.
#include "editor/c_skin_editor.h"

#include "editor/c_global_menu.h"
#include "editor/c_level_meter.h"
#include "editor/c_skin_knob.h"
#include "editor/c_skin_preset_selector.h"
#include "editor/c_skin_selector.h"
#include "editor/c_skin_slider.h"
#include "editor/c_up_down_preset.h"
#include "editor/c_web_link.h"
#include "editor/skin_folder.h"
#include "editor/skin_loader.h"
#include "engine/engine_base.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/c_kick_button.h"
#include "gui/c_on_off_button.h"
#include "gui/platform/file_dialog.h"
#include "gui/platform/url_opener.h"
#include "host/plugin_base.h"

#include <cstring>
#include <memory>

namespace {

// The knobs' context menu goes out under the tag of the editor-only record "Dummy".
constexpr int32_t kKnobMenuTag = 64;
constexpr int32_t kSelectorCapacity = 100;
constexpr int32_t kSliderStyle = 64;

int32_t sat(int64_t value)
{
    return CRect::saturate(value);
}

// The platform's reason when it is short enough for a value display, else the short text given.
const char* fitted(const std::string& reason, const char* fallback)
{
    constexpr size_t kShortMessage = 24;
    return !reason.empty() && reason.size() <= kShortMessage ? reason.c_str() : fallback;
}

}  // namespace

CSkinEditor::CSkinEditor(PluginBase* owner) : AEffGUIEditor(owner), plugin(owner)
{
    userInterfaceThread.store(std::this_thread::get_id());
    rect = ERect{0, 0, 0, 0};
    EngineBase* engine = getEngine();
    SkinFolder folder;
    char path[SkinFolder::kPathSize];
    if (engine != nullptr && folder.set(engine->getDataFolderPrefix(), kSkinName)
        && folder.find("Background.png", path, sizeof path)) {
        auto* background = new CBitmap();
        if (background->loadFromFile(path) && background->getWidth() <= INT16_MAX
            && background->getHeight() <= INT16_MAX) {
            rect.right = int16_t(background->getWidth());
            rect.bottom = int16_t(background->getHeight());
            usable = true;
        }
        background->dropReference();
    }
    if (plugin != nullptr) {
        plugin->setEditorLink(this);
        if (!usable)
            plugin->hasEditor(false);
    }
}

CSkinEditor::~CSkinEditor()
{
    opened.store(false);
    tearDown();
    if (plugin != nullptr)
        plugin->setEditorLink(nullptr);
}

EngineBase* CSkinEditor::getEngine() const
{
    return plugin != nullptr ? plugin->getEngine() : nullptr;
}

bool CSkinEditor::ready() const
{
    return frame != nullptr && getEngine() != nullptr && opened.load() && usable;
}

bool CSkinEditor::onUserInterfaceThread() const
{
    return std::this_thread::get_id() == userInterfaceThread.load();
}

bool CSkinEditor::open(void* parentWindow)
{
    AEffGUIEditor::open(parentWindow);
    if (!usable || getEngine() == nullptr)
        return false;
    if (frame != nullptr)
        return opened.load();
    userInterfaceThread.store(std::this_thread::get_id());
    userEdit = false;
    mailbox.clear();
    refreshPending.store(false);
    const CRect size(0, 0, rect.right, rect.bottom);
    frame = new CFrame(size, parentWindow, this);
    if (!frame->open()) {
        tearDown();
        return false;
    }
    SkinLoader loader(tables, *getEngine(), *this);
    if (!loader.load(kSkinName, frame, size)) {
        usable = false;
        tearDown();
        return false;
    }
    opened.store(true);
    frame->setBackground(tables.getBitmap("Background"));
    onSkinLoaded();
    frame->redraw();
    return true;
}

void CSkinEditor::close()
{
    if (deferCloseWhileBusy())
        return;
    opened.store(false);
    tearDown();
    AEffGUIEditor::close();
}

void CSkinEditor::tearDown()
{
    CViewContainer* main = tables.getMainContainer();
    if (frame != nullptr && main != nullptr)
        frame->removeView(main, true);
    if (main != nullptr)
        for (int i = 0; i < tables.getPageCount(); ++i)
            main->removeView(tables.getPageAt(i), true);
    if (frame != nullptr) {
        frame->dropReference();
        frame = nullptr;
    }
    tables.clear();
}

void CSkinEditor::idle()
{
    if (ready()) {
        takeMailbox();
        if (refreshPending.exchange(false))
            updateAllControls();
    }
    AEffGUIEditor::idle();
}

void CSkinEditor::takeMailbox()
{
    EngineBase* engine = getEngine();
    int count = engine->parameterCount();
    for (int i = 0; i < count && i < ParameterMailbox::kSlots; ++i) {
        float value;
        if (mailbox.take(i, value))
            applyParameter(i, value);
    }
}

void CSkinEditor::setParameter(int index, float value)
{
    if (index < 0 || index >= SkinTables::kMaxControls)
        return;
    if (!onUserInterfaceThread()) {
        // The audio thread never touches the view tree: the window may be closing meanwhile.
        if (opened.load())
            mailbox.post(index, value);
        return;
    }
    float stale;
    mailbox.take(index, stale);
    applyParameter(index, value);
}

void CSkinEditor::applyParameter(int index, float value)
{
    if (!ready() || index >= getEngine()->parameterCount())
        return;
    CControl* control = tables.getControl(index);
    if (control == nullptr)
        return;
    control->setValue(value);
    onParameterUpdate(index, value);
}

void CSkinEditor::updateAllControls()
{
    if (!onUserInterfaceThread()) {
        refreshPending.store(true);
        return;
    }
    if (!ready())
        return;
    userEdit = false;
    EngineBase* engine = getEngine();
    for (int i = 0; i < engine->parameterCount() && i < SkinTables::kMaxControls; ++i) {
        CControl* control = tables.getControl(i);
        if (control == nullptr)
            continue;
        control->setValue(engine->getParameter(i));
        control->setDirty(true);
    }
    showProgramName();
    postUpdate();
    doIdleStuff();
}

void CSkinEditor::valueChanged(CDrawContext* context, CControl* control)
{
    if (!ready() || control == nullptr)
        return;
    userEdit = true;
    const int tag = control->getTag();
    const float value = control->getValue();
    if (!onControlChanged(tag, value, context))
        plugin->setParameterAutomated(tag, value);
    control->setDirty(true);
}

int32_t CSkinEditor::controlModifierClicked(CDrawContext*, CControl*, int32_t)
{
    return 0;
}

bool CSkinEditor::chooseFile(bool save, const char* extension, std::string& path)
{
    FileDialogRequest request = save ? FileDialogRequest::save(extension) : FileDialogRequest::open(extension);
    request.parentWindow = getSystemWindow();
    std::unique_ptr<FileDialog> dialog = FileDialog::create();
    FileDialogResult answer = dialog->run(request, [this] { doIdleStuff(); });
    switch (answer.status) {
    case FileDialogResult::Status::kChosen:
        path = answer.path;
        return true;
    case FileDialogResult::Status::kCancelled:
        return false;
    case FileDialogResult::Status::kUnavailable:
        showMessage("Needs zenity or kdialog");
        return false;
    default:
        showMessage(fitted(answer.reason, "File dialog failed"));
        return false;
    }
}

void CSkinEditor::openAddress(const char* address)
{
    UrlOpenResult result = UrlOpener::create()->open(address, [this] { doIdleStuff(); });
    if (!result.opened)
        showMessage(fitted(result.reason, "Could not open link"));
}

void CSkinEditor::showMessage(const char*) {}

void CSkinEditor::onParameterUpdate(int, float) {}

bool CSkinEditor::onControlChanged(int, float, CDrawContext*)
{
    return false;
}

void CSkinEditor::onSkinLoaded() {}

void CSkinEditor::showProgramName() {}

bool CSkinEditor::createProductControl(CControl*&, const char*, CBitmap*, int32_t, CViewContainer*, int32_t, int32_t,
                                       int32_t, int32_t)
{
    return false;
}

void CSkinEditor::place(CControl*& slot, CControl* control, CViewContainer* container, float initial)
{
    control->setValue(initial);
    slot = control;
    container->addView(control);
}

bool CSkinEditor::createControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag,
                                CViewContainer* container, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    EngineBase* engine = getEngine();
    if (type == nullptr || container == nullptr || engine == nullptr)
        return false;
    const int64_t w = bitmap != nullptr ? bitmap->getWidth() : 0;
    const int64_t h = bitmap != nullptr ? bitmap->getHeight() : 0;
    const float value = engine->getParameter(tag);
    const CRect given(x1, y1, x2, y2);

    if (std::strcmp(type, "None") == 0) {
        slot = nullptr;
        return true;
    }
    if (std::strcmp(type, "Knob") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - w / 2), sat(x1 + w / 2), sat(y1 + w / 2));
        int32_t frames = w > 0 ? int32_t(h / w) : 0;
        place(slot, new CSkinKnob(r, this, tag, frames, int32_t(w), bitmap, CPoint(), engine, kKnobMenuTag),
              container, value);
        return true;
    }
    if (std::strcmp(type, "OnButton") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 4), sat(x1 + w / 2), sat(y1 + h / 4));
        place(slot, new COnOffButton(r, this, tag, bitmap), container, value);
        return true;
    }
    if (std::strcmp(type, "VSlider") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 2), sat(x2 + w / 2), sat(y2 + h / 2));
        CPoint inFrame = r.topLeft();
        container->localToFrame(inFrame);
        // The handle's centre travels from y1 to y2: the toolkit takes the handle's height off the travel.
        int32_t travel = sat(int64_t(y2) - y1 + h);
        place(slot,
              new CSkinSlider(r, this, tag, CPoint(), travel, bitmap, tables.getBitmap("Background"), inFrame,
                              kSliderStyle, engine),
              container, value);
        return true;
    }
    if (std::strcmp(type, "Selector") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 6), sat(x1 + w / 2), sat(y1 + h / 6));
        place(slot,
              new CSkinSelector(r, this, tag, bitmap, CSkinSelector::kDefaultButtonWidth, tables.getFontAt(0),
                                kSelectorCapacity, tables.getBitmap("Background")),
              container, value);
        return true;
    }
    if (std::strcmp(type, "PresetSelector") == 0) {
        auto* selector = new CSkinPresetSelector(given, this, tag, bitmap, tables.getFont("FontDisplay"), plugin, this);
        selector->updateText();
        place(slot, selector, container, value);
        return true;
    }
    if (std::strcmp(type, "KickButton") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 4), sat(x1 + w / 2), sat(y1 + h / 4));
        // One frame is as high as the control, whatever the bitmap's height leaves over.
        place(slot, new CKickButton(r, this, tag, r.height(), bitmap, CPoint()), container, value);
        return true;
    }
    if (std::strcmp(type, "VuMeter") == 0) {
        place(slot, new CLevelMeter(given, this, tag, bitmap, tables.getBitmap("LevelMeterOff")), container, 0.0f);
        return true;
    }
    if (std::strcmp(type, "PresetMenu") == 0) {
        place(slot, new CGlobalMenu(given, this, tag, plugin, this), container, 0.0f);
        return true;
    }
    if (std::strcmp(type, "UpDownPreset") == 0) {
        CRect r(sat(x1 - w / 2), sat(y1 - h / 6), sat(x1 + w / 2), sat(y1 + h / 6));
        place(slot, new CUpDownPreset(r, this, tag, bitmap, plugin), container, 0.0f);
        return true;
    }
    if (std::strcmp(type, "WebLink") == 0) {
        place(slot, new CWebLink(given, this, tag, webAddress(), plugin, this), container, 0.0f);
        return true;
    }
    return createProductControl(slot, type, bitmap, tag, container, x1, y1, x2, y2);
}
