// The module driven only through its entry point, as a host drives it: construction, the record,
// the dispatcher's answers and the texts it hands over.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
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

TEST(PluginEntryPoint, AHostAnsweringVersionZeroGetsNoPlugin)
{
    ASSERT_NE(builtModule().entry(), nullptr);
    TestHost host(builtModule());
    host.setVersionAnswer(0);
    EXPECT_FALSE(host.open());
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].opcode, audioMasterVersion);
    EXPECT_FALSE(host.requests()[0].hadEffect);
}

TEST(PluginEntryPoint, BothNamesReachTheSameEntry)
{
    EXPECT_NE(builtModule().symbol("VSTPluginMain"), nullptr);
    EXPECT_NE(builtModule().symbol("main"), nullptr);
}

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
    EXPECT_EQ(std::memcmp(&e->uniqueID, "3SaR", 4), 0);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_EQ(e->processDoubleReplacing, nullptr);
}

TEST_F(PluginEntry, ConstructionCallsTheHostOnlyForVersionAndDisplay)
{
    // One update from selecting program 0, and one more from loading the factory bank if it is there.
    std::string module = RAVENSOOT_MODULE_PATH;
    std::string bank = module.substr(0, module.rfind('/')) + "/RavenSootData/RavenSoot3PresetsA.fxb";
    std::size_t updates = std::filesystem::exists(bank) ? 2 : 1;
    std::vector<HostRequest> seen = host.requests();
    ASSERT_EQ(seen.size(), 1 + updates);
    EXPECT_EQ(seen[0].opcode, audioMasterVersion);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].opcode, audioMasterUpdateDisplay);

    host.clearRequests();
    host.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(host.count(audioMasterWantMidi), 1u);
    EXPECT_EQ(host.count(audioMasterGetTime), 1u);
    host.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(host.count(audioMasterWantMidi), 1u);
}

TEST(PluginEntryPoint, FactoryBankIsReadAtConstruction)
{
    ModuleCopy copy("entry-factory-bank", true);
    FxBytes bank;
    bank.bankHeader(0x52615333, 64);
    for (int i = 0; i < 64; ++i)
        bank.record(("Factory " + std::to_string(i)).c_str(), 0.25f);
    ASSERT_TRUE(bank.save(copy.dataFile("RavenSoot3PresetsA.fxb")));
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

TEST(PluginEntryPoint, MissingDataFolderLeavesSixtyFourInitPrograms)
{
    ModuleCopy copy("entry-no-data", false);
    VstModule module(copy.path);
    ASSERT_TRUE(module.loaded()) << module.error();
    TestHost host(module);
    ASSERT_TRUE(host.open());
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(host.text(effGetProgramNameIndexed, i), "Init") << i;
    EXPECT_EQ(host.text(effGetProgramName), "Init 1");
    host.setParameter(29, 1.0f); // MasterOn
    host.setParameter(31, 1.0f); // MasterVolume
    host.dispatch(effMainsChanged, 0, 1);
    std::vector<float> in(256, 0.5f), outL(256), outR(256);
    host.processReplacing(in.data(), in.data(), outL.data(), outR.data(), 256);
    EXPECT_FLOAT_EQ(outL[255], 0.5f);
    EXPECT_EQ(host.close(), 1);
}

TEST(PluginEntryPoint, CloseRightAfterMainIsSafe)
{
    TestHost host(builtModule());
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.close(), 1);
    EXPECT_FALSE(host.isOpen());
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
    TestHost host(bareModule());
    ASSERT_TRUE(host.open());
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

    EXPECT_EQ(host.dispatch(effCopyProgram, 64), 0);
    EXPECT_EQ(host.dispatch(effCopyProgram, 3), 1);
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 3, 0, 24), longName.substr(0, 23));
    EXPECT_EQ(host.dispatch(effGetNumProgramCategories), 1);
}

TEST_F(PluginEntry, ParameterTexts)
{
    EXPECT_EQ(host.text(effGetParamName, 0, 0, 32), "BpFilterOn");
    EXPECT_EQ(host.text(effGetParamName, 52, 0, 32), "Unused5");
    EXPECT_EQ(host.text(effGetParamLabel, 1, 0, 32), "Hz");
    EXPECT_EQ(host.text(effGetParamLabel, 0, 0, 32), "");
    host.setParameter(13, 0.5f);
    EXPECT_FALSE(host.text(effGetParamDisplay, 13, 0, 32).empty());
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
    EXPECT_EQ(host.dispatch(effGetVendorVersion), 1);
    EXPECT_EQ(host.dispatch(effGetVstVersion), 2300);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(host.dispatch(effKeysRequired), 1);
    EXPECT_EQ(host.dispatch(effGetVu), 0);
    EXPECT_EQ(host.dispatch(effGetPlugCategory), 0);
    EXPECT_EQ(host.dispatch(effGetTailSize), 0);
    EXPECT_EQ(host.dispatch(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(host.dispatch(effSetTotalSampleToProcess, 0, 777), 777);
    EXPECT_EQ(host.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(host.dispatch(effOpen), 0);
    EXPECT_EQ(host.dispatch(effSetBypass, 0, 1), 0);
    EXPECT_EQ(host.dispatch(effGetErrorText), 0);
    EXPECT_EQ(host.dispatch(77), 0);
    EXPECT_EQ(host.dispatch(123456), 0);

    EXPECT_EQ(host.canDo("receiveVstEvents"), 1);
    EXPECT_EQ(host.canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(host.canDo("receiveVstTimeInfo"), 1);
    EXPECT_EQ(host.canDo("sendVstMidiEvent"), -1);
    EXPECT_EQ(host.canDo("bypass"), -1);
    EXPECT_EQ(host.canDo(""), -1);
    EXPECT_EQ(host.canDo("ReceiveVstEvents"), -1);
    EXPECT_EQ(host.canDo("receiveVstEventsX"), -1);
}

TEST_F(PluginEntry, PinPropertiesForTheTwoOutputs)
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
    EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 65, nullptr, 0.0f), -1) << "no editor window is open";
    EXPECT_EQ(host.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 0);
    EXPECT_EQ(host.dispatch(effVendorSpecific, 1, 2, nullptr, 1.0f), 0);
}

TEST_F(PluginEntry, SpeakerArrangementRequestClearsBothPointers)
{
    void* in = host.record();
    void* out = host.record();
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);
}
