// The interface layer on its own: trampolines, request routing, host-buffer bounds and the editor seam.
#include "host/aeff_editor.h"
#include "host/audio_effect_x.h"
#include "plugin_test_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class ProbeEffect : public AudioEffectX {
public:
    explicit ProbeEffect(bool* destroyed = nullptr) : AudioEffectX(&InProcessHost::callback, 4, 3), destroyed(destroyed)
    { }
    ~ProbeEffect() override
    {
        if (destroyed)
            *destroyed = true;
    }
    void setProgramName(char* name) override { lastName = name; }
    void getParameterName(VstInt32, char* text) override { std::strcpy(text, std::string(60, 'q').c_str()); }
    void setParameter(VstInt32 index, float value) override
    {
        if (index >= 0 && index < 5)
            values[index] = value > 0.8f ? 0.8f : value; // a constraint the host must hear about
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < 5 ? values[index] : 0.0f; }
    VstInt32 canDo(char* text) override { return std::strcmp(text, "yes") == 0 ? 1 : -1; }

    bool* destroyed;
    std::string lastName;
    float values[5] = {};
};

class ProbeEditor : public AEffEditor {
public:
    explicit ProbeEditor(AudioEffect* effect) : AEffEditor(effect)
    {
        rect = {0, 0, 300, 400};
        effect->setEditor(this);
    }
    bool getRect(ERect** out) override
    {
        *out = &rect;
        return true;
    }
    bool open(void* parent) override
    {
        openedWith = parent;
        return true;
    }
    int onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return 1;
    }
    bool setKnobMode(int mode) override
    {
        knobMode = mode;
        return true;
    }

    ERect rect;
    void* openedWith = nullptr;
    VstKeyCode lastKey{};
    int knobMode = -1;
};

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f)
{
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// Itanium C++ ABI: a pointer to a virtual member holds 1 + the byte offset of its slot.
template <typename Member> long slotOf(Member member)
{
    struct Representation {
        std::uintptr_t ptr;
        std::ptrdiff_t adjustment;
    } r;
    static_assert(sizeof(r) == sizeof(member), "unexpected member pointer size");
    std::memcpy(&r, &member, sizeof(r));
    return static_cast<long>((r.ptr - 1) / sizeof(void*));
}

} // namespace

TEST(AudioEffect, TextsToTheHostAreBoundedAndHostTextsAreReadOnlyToTheirEnd)
{
    ProbeEffect effect;
    AEffect* e = effect.getAeffect();
    // (Program names cut to the host's 24 bytes are checked through the module's entry point.)
    char buffer[128];
    std::memset(buffer, 'Z', sizeof(buffer));
    dispatch(e, effGetParamName, 0, 0, buffer);
    EXPECT_EQ(std::string(buffer), std::string(31, 'q'));
    EXPECT_EQ(buffer[32], 'Z');

    // 64 bytes without a terminator, then more text: only the 64 bytes may be looked at.
    char hostName[80];
    std::memset(hostName, 'n', 64);
    std::strcpy(hostName + 64, "tail");
    dispatch(e, effSetProgramName, 0, 0, hostName);
    EXPECT_EQ(effect.lastName, std::string(64, 'n'));

    dispatch(e, effGetProgramName, 0, 0, nullptr); // no buffer: nothing happens
    EXPECT_EQ(dispatch(e, effCanDo, 0, 0, const_cast<char*>("yes")), 1);
    EXPECT_EQ(dispatch(e, effCanDo, 0, 0, nullptr), -1);
}

TEST(AudioEffect, AutomationReachesTheHostOnlyForItsParametersWithTheHeldValue)
{
    ProbeEffect effect;
    InProcessHost::requests().clear();
    effect.setParameterAutomated(1, 0.95f);
    effect.setParameterAutomated(4, 0.5f); // beyond the host's three parameters
    effect.beginEdit(2);
    effect.endEdit(3);
    effect.endEdit(-1);
    std::vector<HostCall> calls = InProcessHost::requests();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[0].opt, 0.8f);
    EXPECT_EQ(calls[1].opcode, audioMasterBeginEdit);
    EXPECT_EQ(effect.values[4], 0.5f);
}

TEST(AudioEffect, EditorSeamRoutesRequestsAndCloseDeletesBoth)
{
    bool destroyed = false;
    ProbeEffect* effect = new ProbeEffect(&destroyed);
    AEffect* e = effect->getAeffect();
    ProbeEditor* editor = new ProbeEditor(effect);
    EXPECT_EQ(effect->getEditor(), editor);
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);

    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(e, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->rect);
    int parent = 0;
    EXPECT_EQ(dispatch(e, effEditOpen, 0, 0, &parent), 1);
    EXPECT_EQ(editor->openedWith, &parent);
    EXPECT_EQ(dispatch(e, effEditKeyDown, 'a', 0x141, nullptr, 258.0f), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, 0x41);
    EXPECT_EQ(editor->lastKey.modifier, 2);
    EXPECT_EQ(dispatch(e, effEditKeyUp, 'a'), 0);
    EXPECT_EQ(dispatch(e, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);

    effect->setEditor(nullptr);
    EXPECT_EQ(e->flags & effFlagsHasEditor, 0);
    effect->setEditor(editor);
    EXPECT_EQ(dispatch(e, effClose), 1); // the basic layer deletes the remaining editor
    EXPECT_TRUE(destroyed);
}

TEST(AudioEffect, VirtualOperationsKeepTheirSlotOrder)
{
    // Spot checks along both tables: each listed operation sits after the one listed before it.
    std::vector<long> basic = {
        slotOf(&AudioEffect::setParameter),
        slotOf(&AudioEffect::getParameter),
        slotOf(&AudioEffect::setParameterAutomated),
        slotOf(&AudioEffect::process),
        slotOf(&AudioEffect::processReplacing),
        slotOf(&AudioEffect::dispatcher),
        slotOf(&AudioEffect::open),
        slotOf(&AudioEffect::getChunk),
        slotOf(&AudioEffect::setChunk),
        slotOf(&AudioEffect::setSampleRate),
        slotOf(&AudioEffect::resume),
        slotOf(&AudioEffect::masterIdle),
        slotOf(&AudioEffect::long2string),
    };
    std::vector<long> extended = {
        slotOf(&AudioEffectX::getEditor),
        slotOf(&AudioEffectX::wantEvents),
        slotOf(&AudioEffectX::processEvents),
        slotOf(&AudioEffectX::getProgramNameIndexed),
        slotOf(&AudioEffectX::getOutputProperties),
        slotOf(&AudioEffectX::canHostDo),
        slotOf(&AudioEffectX::isSynth),
        slotOf(&AudioEffectX::noTail),
        slotOf(&AudioEffectX::updateDisplay),
        slotOf(&AudioEffectX::getEffectName),
        slotOf(&AudioEffectX::canDo),
        slotOf(&AudioEffectX::getVstVersion),
        slotOf(&AudioEffectX::beginEdit),
        slotOf(&AudioEffectX::matchArrangement),
    };
    EXPECT_EQ(basic.front(), 2); // the destructor takes the first two slots
    for (std::size_t i = 1; i < basic.size(); ++i)
        EXPECT_LT(basic[i - 1], basic[i]) << i;
    EXPECT_EQ(basic.back(), 46);
    EXPECT_EQ(extended.front(), 47);
    for (std::size_t i = 1; i < extended.size(); ++i)
        EXPECT_LT(extended[i - 1], extended[i]) << i;

    std::vector<long> editor = {
        slotOf(&AEffEditor::getRect),   slotOf(&AEffEditor::open),    slotOf(&AEffEditor::close),
        slotOf(&AEffEditor::idle),      slotOf(&AEffEditor::update),  slotOf(&AEffEditor::postUpdate),
        slotOf(&AEffEditor::onKeyDown), slotOf(&AEffEditor::onKeyUp), slotOf(&AEffEditor::setKnobMode),
        slotOf(&AEffEditor::onWheel),
    };
    for (std::size_t i = 0; i < editor.size(); ++i)
        EXPECT_EQ(editor[i], static_cast<long>(i) + 2);
}
