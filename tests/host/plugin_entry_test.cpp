// The module driven only through its entry point, as a host drives it: construction, the record,
// the dispatcher's answers and the texts it hands over.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "built_module.h"
#include "fx_bytes.h"
#include "module_copy.h"
#include "vst_host/test_host.h"

namespace {

class PluginEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(builtModule().loaded()) << builtModule().error();
        ASSERT_TRUE(host.open());
    }

    TestHost host{builtModule()};
};

} // namespace

TEST_F(PluginEntry, RecordDescribesTheEffect)
{
    AEffect* e = host.record();
    EXPECT_EQ(e->numPrograms, 64);
    EXPECT_EQ(e->numParams, 53);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    // 0x39: the editor registered, its skin beside the module.
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing | effFlagsProgramChunks);
    EXPECT_EQ(e->uniqueID, 0x52615333);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_EQ(e->processDoubleReplacing, nullptr);
}

TEST(PluginEntryPoint, ConstructionCallsTheHostOnlyForVersionAndDisplay)
{
    // A host answering version 0 gets no plug-in, and nothing but that question.
    TestHost refused(bareModule());
    refused.setVersionAnswer(0);
    EXPECT_FALSE(refused.open());
    ASSERT_EQ(refused.requests().size(), 1u);
    EXPECT_FALSE(refused.requests()[0].hadEffect);

    // Without a factory bank: one update, from selecting program 0.
    TestHost host(bareModule());
    ASSERT_TRUE(host.open());
    std::vector<HostRequest> seen = host.requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].opcode, audioMasterVersion);
    EXPECT_EQ(seen[1].opcode, audioMasterUpdateDisplay);

    host.clearRequests();
    host.dispatch(effMainsChanged, 0, 1);
    host.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(host.count(audioMasterWantMidi), 1u);
    EXPECT_EQ(host.count(audioMasterGetTime), 1u);
}

TEST(PluginEntryPoint, FactoryBankIsReadAtConstruction)
{
    ModuleCopy copy("entry-factory-bank", true);
    ASSERT_TRUE(FxBytes::bank(0x52615333, 64, "Factory ", 0.25f).save(copy.dataFile("RavenSoot3PresetsA.fxb")));
    {
        VstModule module(copy.path);
        ASSERT_TRUE(module.loaded()) << module.error();
        TestHost host(module);
        ASSERT_TRUE(host.open());
        EXPECT_EQ(host.count(audioMasterUpdateDisplay), 2u);
        EXPECT_EQ(host.count(audioMasterGetTime), 0u);
        EXPECT_EQ(host.text(effGetProgramName), "Factory 0");
        EXPECT_EQ(host.text(effGetProgramNameIndexed, 63), "Factory 63");
        EXPECT_EQ(host.getParameter(8), 0.25f);
    }
}

TEST(PluginEntryPoint, TwoInstancesInOneProcessRunIndependently)
{
    TestHost a(bareModule());
    TestHost b(bareModule());
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    ASSERT_NE(a.record(), b.record());
    a.dispatch(effSetProgram, 0, 5);
    a.setParameter(29, 1.0f);
    a.setParameter(31, 0.5f);
    EXPECT_EQ(b.dispatch(effGetProgram), 0);
    EXPECT_EQ(b.getParameter(31), 0.0f);
    EXPECT_EQ(a.getParameter(31), 0.5f);

    a.dispatch(effMainsChanged, 0, 1);
    b.dispatch(effMainsChanged, 0, 1);
    b.setParameter(29, 1.0f);
    b.setParameter(31, 1.0f);
    std::vector<float> in(512, 0.5f), aL(512), aR(512), bL(512), bR(512);
    for (int block = 0; block < 4; ++block) {
        a.processReplacing(in.data(), in.data(), aL.data(), aR.data(), 512);
        b.processReplacing(in.data(), in.data(), bL.data(), bR.data(), 512);
    }
    EXPECT_NEAR(aL[511], 0.5f * 0.150f, 0.001f); // volume 0.5: gain 0.5^2.737
    EXPECT_FLOAT_EQ(bL[511], 0.5f);
    EXPECT_EQ(a.close(), 1);
    b.processReplacing(in.data(), in.data(), bL.data(), bR.data(), 512);
    EXPECT_FLOAT_EQ(bR[100], 0.5f);
}

TEST(PluginEntryPoint, ProgramRequests)
{
    // Without a data folder: 64 programs named "Init", shown numbered while unrenamed.
    TestHost host(bareModule());
    ASSERT_TRUE(host.open());
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(host.text(effGetProgramNameIndexed, i), "Init") << i;
    EXPECT_EQ(host.text(effGetProgramName), "Init 1");
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    host.dispatch(effSetProgram, 0, 64);
    host.dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    host.clearRequests();
    EXPECT_EQ(host.dispatch(effSetProgram, 0, 63), 0);
    EXPECT_EQ(host.dispatch(effGetProgram), 63);
    EXPECT_EQ(host.count(audioMasterUpdateDisplay), 1u);

    EXPECT_EQ(host.text(effGetProgramName, 0, 0, 24), "Init 64");
    host.dispatch(effSetProgram, 0, 9);
    host.dispatch(effSetProgramName, 0, 0, const_cast<char*>("Init"));
    EXPECT_EQ(host.text(effGetProgramName), "Init 10");
    host.dispatch(effSetProgramName, 0, 0, const_cast<char*>("Init2"));
    EXPECT_EQ(host.text(effGetProgramName), "Init2");
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 9), "Init2");
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 0), "Init");
    char untouched[8] = "keep";
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 64, 0, untouched), 0);
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, -1, 0, untouched), 0);
    EXPECT_STREQ(untouched, "keep");

    // A long name stays whole in the program but reaches the host cut to its 24-byte buffer.
    std::string longName = "A program name much longer than any host buffer";
    host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    EXPECT_EQ(host.text(effGetProgramName, 0, 0, 24), longName.substr(0, 23));
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 9, 0, 24), longName.substr(0, 23));

    // A copy takes the name and the values.
    host.setParameter(31, 0.5f);
    EXPECT_EQ(host.dispatch(effCopyProgram, 64), 0);
    EXPECT_EQ(host.dispatch(effCopyProgram, -1), 0);
    EXPECT_EQ(host.dispatch(effCopyProgram, 3), 1);
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 3, 0, 24), longName.substr(0, 23));
    host.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(host.getParameter(31), 0.5f);
    EXPECT_EQ(host.dispatch(effGetNumProgramCategories), 1);
}

TEST_F(PluginEntry, ParameterTexts)
{
    EXPECT_EQ(host.text(effGetParamName, 0, 0, 32), "BpFilterOn");
    EXPECT_EQ(host.text(effGetParamName, 52, 0, 32), "Unused5");
    EXPECT_EQ(host.text(effGetParamLabel, 1, 0, 32), "Hz");
    EXPECT_EQ(host.text(effGetParamLabel, 0, 0, 32), "");
    // Host values through the parameter path to the texts a host shows: value text, then label.
    struct Shown {
        VstInt32 index;
        float hostValue;
        const char* display;
        const char* label;
    };
    const Shown shown[] = {
        {14, 0.03f, "3", ""}, {14, 0.036f, "4", ""}, {0, 1.0f, "1", ""}, {10, 0.999f, "99", "%"},
        {15, 0.0f, "0.0", "s"}, {28, 1.0f, "2000.0", "ms"}, {25, 0.0f, "60.0", "Hz"},
        {6, 0.0f, "0", ""}, {1, 0.0f, "20", "Hz"}, {2, 0.5f, "608", "Hz"},
        {18, 0.9f, "4059", "Hz"}, {18, 0.0f, "80", "Hz"},
        {27, 0.0f, " 0", "dB"}, {27, 0.5f, "-6", "dB"},
        {31, 1.0f, " 0", "dB"}, {31, 0.5f, "-16", "dB"}, {31, 0.0005f, "-inf", "dB"},
        {37, 0.0f, "0", ""}, {36, 0.5f, "4.0 Hz", ""}, {37, 1.0f, "1", ""},
        {36, 1.0f, "1/32T bars", ""}, {36, 0.5f, "1/1 bars", ""}, {36, 0.0f, "32/1* bars", ""},
    };
    for (const Shown& s : shown) {
        host.setParameter(s.index, s.hostValue);
        EXPECT_EQ(host.text(effGetParamDisplay, s.index, 0, 32), s.display) << s.index << " at " << s.hostValue;
        EXPECT_EQ(host.text(effGetParamLabel, s.index, 0, 32), s.label) << s.index;
    }
    for (int index : {-1, 66, 1000}) {
        EXPECT_EQ(host.text(effGetParamName, index, 0, 32), "") << index;
        EXPECT_EQ(host.text(effGetParamLabel, index, 0, 32), "") << index;
        EXPECT_EQ(host.text(effGetParamDisplay, index, 0, 32), "") << index;
        EXPECT_EQ(host.getParameter(index), 0.0f);
        host.setParameter(index, 1.0f);
    }
    EXPECT_EQ(host.dispatch(effCanBeAutomated, 5), 1);
}

TEST_F(PluginEntry, IdentityAndCapabilityAnswers)
{
    EXPECT_EQ(host.text(effGetEffectName, 0, 0, 32), "Raven Soot 3");
    EXPECT_EQ(host.text(effGetProductString, 0, 0, 64), "Raven Soot 3");
    EXPECT_EQ(host.text(effGetVendorString, 0, 0, 64), "Raven Audio");
    struct Answer {
        VstInt32 opcode;
        VstIntPtr value;
        VstIntPtr answer;
    };
    const Answer answers[] = {{effGetVendorVersion, 0, 1}, {effGetVstVersion, 0, 2300},
        {effIdentify, 0, 0x4E764566}, {effKeysRequired, 0, 1}, {effGetVu, 0, 0}, {effGetPlugCategory, 0, 0},
        {effGetTailSize, 0, 0}, {effGetCurrentMidiProgram, 0, -1}, {effSetTotalSampleToProcess, 777, 777},
        {effSetBlockSizeAndSampleRate, 512, 1}, {effOpen, 0, 0}, {effSetBypass, 1, 0}, {effGetErrorText, 0, 0},
        {77, 0, 0}, {123456, 0, 0}};
    for (const Answer& a : answers)
        EXPECT_EQ(host.dispatch(a.opcode, 0, a.value, nullptr, 48000.0f), a.answer) << a.opcode;
    for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo"})
        EXPECT_EQ(host.canDo(yes), 1) << yes;
    for (const char* no : {"sendVstMidiEvent", "bypass", "", "ReceiveVstEvents", "receiveVstEventsX"})
        EXPECT_EQ(host.canDo(no), -1) << no;
}

TEST_F(PluginEntry, RequestsThePluginDoesNotServeAnswerZeroAndTouchNothing)
{
    const VstInt32 unserved[] = {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep,
        effString2Parameter, effGetCurrentPosition, effGetDestinationBuffer, effOfflineNotify,
        effOfflinePrepare, effOfflineRun, effProcessVarIo, effSetSpeakerArrangement, effSetBypass,
        effGetErrorText, effIdle, effGetIcon, effSetViewPosition, effGetParameterProperties,
        effGetMidiProgramName, effGetMidiProgramCategory, effHasMidiProgramsChanged, effGetMidiKeyName,
        effBeginSetProgram, effEndSetProgram, effShellGetNextPlugin, effStartProcess, effStopProcess,
        effSetPanLaw, effBeginLoadBank, effBeginLoadProgram, 77, 1000, -1};
    host.clearRequests();
    for (VstInt32 opcode : unserved) {
        unsigned char buffer[256];
        std::memset(buffer, 0xA5, sizeof(buffer));
        buffer[sizeof(buffer) - 1] = 0;
        unsigned char before[sizeof(buffer)];
        std::memcpy(before, buffer, sizeof(buffer));
        EXPECT_EQ(host.dispatch(opcode, 1, 1, buffer, 1.0f), 0) << opcode;
        EXPECT_EQ(std::memcmp(buffer, before, sizeof(buffer)), 0) << opcode << " wrote into the host's buffer";
    }
    EXPECT_TRUE(host.requests().empty());
    EXPECT_EQ(host.dispatch(effGetProgram), 0);

    // An editor whose window is not open answers keys with -1.
    EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 65, nullptr, 0.0f), -1);
    EXPECT_EQ(host.dispatch(effEditKeyUp, 'a', 65, nullptr, 0.0f), -1);
}

TEST_F(PluginEntry, PinPropertiesForTheTwoOutputsAndNoSpeakerArrangement)
{
    VstPinProperties pin;
    std::memset(&pin, 0x7F, sizeof(pin));
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "RS 2");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(static_cast<unsigned char>(pin.shortLabel[0]), 0x7F); // the rest is left as the host passed it
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "RS 1");

    VstPinProperties untouched;
    std::memset(&untouched, 0x11, sizeof(untouched));
    VstPinProperties before = untouched;
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 2, 0, &untouched), 0);
    EXPECT_EQ(std::memcmp(&untouched, &before, sizeof(before)), 0);
    EXPECT_EQ(host.dispatch(effGetInputProperties, 0, 0, &untouched), 0);
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 0, 0, nullptr), 0);

    // The speaker arrangement request clears both of the host's pointers.
    void* in = host.record();
    void* out = host.record();
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_TRUE(in == nullptr && out == nullptr);
}

TEST(PluginEntryPoint, EditorWithoutItsSkinClaimsNoEditorAndNeverOpens)
{
    ModuleCopy copy("entry-no-skin", true);
    VstModule module(copy.path);
    ASSERT_TRUE(module.loaded()) << module.error();
    TestHost host(module);
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.record()->flags & effFlagsHasEditor, 0) << "the host shows its own parameter view";
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 0);
    EXPECT_EQ(rect->bottom - rect->top, 0);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, host.record()), 0);
    EXPECT_EQ(host.dispatch(effEditIdle), 0);
    EXPECT_EQ(host.dispatch(effEditClose), 0);
    EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 65, nullptr, 0.0f), -1) << "the window is not open";
    EXPECT_EQ(host.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 0);
    EXPECT_EQ(host.dispatch(effVendorSpecific, 1, 2, nullptr, 1.0f), 0);
}
