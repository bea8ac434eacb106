// Bank and program files written by the plug-in and read back by hand, and files made by hand read by
// the plug-in: sizes, headers, round trips and the files it must refuse.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "fx_bytes.h"
#include "host/plugin_program.h"
#include "plugin_test_host.h"
#include "support/temp_folder.h"

namespace {

constexpr std::int32_t kId = 0x52615333;

class FxFiles : public ::testing::Test {
protected:
    static std::unique_ptr<ProductPlugin> makePlugin()
    {
        return std::make_unique<ProductPlugin>(&InProcessHost::callback);
    }
    // The header both kinds of file begin with; its size field holds the true count of the bytes after it.
    static void expectHeader(const FxBytes& file, const char* kind, std::int32_t count)
    {
        EXPECT_EQ(file.textAt(0, 4), "CcnK");
        EXPECT_EQ(file.bigEndianAt(4), static_cast<std::int32_t>(file.bytes.size()) - 8);
        EXPECT_EQ(file.textAt(8, 4), kind);
        EXPECT_EQ(file.bigEndianAt(12), 1);
        EXPECT_EQ(file.textAt(16, 4), "RaS3");
        EXPECT_EQ(file.bigEndianAt(20), 1);
        EXPECT_EQ(file.bigEndianAt(24), count);
    }
    // Loads a bank made by hand into a fresh plug-in.
    std::unique_ptr<ProductPlugin> loaded(const FxBytes& bank)
    {
        bank.save(folder.file("made.fxb"));
        auto plugin = makePlugin();
        plugin->setProgram(9);
        InProcessHost::requests().clear();
        EXPECT_TRUE(plugin->loadBankFile(folder.file("made.fxb").c_str()));
        EXPECT_EQ(plugin->getProgram(), 0);
        EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
        return plugin;
    }

    TempFolder folder{"fx-files"};
};

} // namespace

TEST_F(FxFiles, BankRoundTripWithTheFreshLayoutAndTrueSizes)
{
    auto source = makePlugin();
    std::string path = folder.file("mine.fxb");
    ASSERT_TRUE(source->saveBankFile(path.c_str()));
    FxBytes fresh = FxBytes::load(path);
    ASSERT_EQ(fresh.bytes.size(), 14560u);
    expectHeader(fresh, "FBCh", 64);
    EXPECT_EQ(fresh.textAt(28, 128), std::string(128, '\0'));
    EXPECT_EQ(fresh.bigEndianAt(156), 14400);
    EXPECT_EQ(fresh.floatAt(160), 3.0f);
    EXPECT_EQ(fresh.textAt(164, 5), std::string("Init", 5));

    for (int p = 0; p < 64; ++p) {
        source->setProgram(p);
        std::string name = "Bank " + std::to_string(p);
        source->setProgramName(const_cast<char*>(name.c_str()));
        for (int i = 0; i < 53; ++i)
            source->setParameter(i, static_cast<float>((p * 53 + i) % 97) / 97.0f * 0.5f);
    }
    ASSERT_TRUE(source->saveBankFile(path.c_str()));
    auto target = loaded(FxBytes::load(path));
    // Bit for bit, except program 0, whose values went through the engine's range mapping once more.
    for (int p = 0; p < 64; ++p) {
        EXPECT_STREQ(target->getProgramRecord(p)->getName(), source->getProgramRecord(p)->getName()) << p;
        for (int i = 0; i < 53; ++i) {
            float a = source->getProgramRecord(p)->getValue(i), b = target->getProgramRecord(p)->getValue(i);
            if (p == 0)
                EXPECT_FLOAT_EQ(a, b) << i;
            else
                EXPECT_EQ(a, b) << p << " " << i;
        }
    }
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(target->getParameter(i), source->getProgramRecord(0)->getValue(i)) << i;
}

TEST_F(FxFiles, HandMadeBanksAreReadInStep)
{
    // More programs than 64: the first 64 are read.
    auto plugin = loaded(FxBytes::bank(kId, 100, "P", 0.5f));
    EXPECT_STREQ(plugin->getProgramRecord(63)->getName(), "P63");
    EXPECT_EQ(plugin->getProgramRecord(63)->getValue(52), 0.5f);
    // None: nothing read, and still the first program selected.
    plugin = loaded(FxBytes::bank(kId, 0, "P", 0.5f));
    EXPECT_STREQ(plugin->getProgramRecord(5)->getName(), "Init");
    // Another plug-in's id: every program keeps its name, with all values 0.
    plugin = loaded(FxBytes::bank(0x41424344, 64, "Other ", 0.9f));
    for (int p = 0; p < 64; ++p) {
        EXPECT_EQ(std::string(plugin->getProgramRecord(p)->getName()), "Other " + std::to_string(p));
        for (int i = 0; i < 53; ++i)
            ASSERT_EQ(plugin->getProgramRecord(p)->getValue(i), 0.0f) << p << " " << i;
    }
}

TEST_F(FxFiles, RefusedBanksChangeNothing)
{
    auto plugin = makePlugin();
    plugin->setProgram(4);
    plugin->setProgramName(const_cast<char*>("Mine"));
    plugin->setParameter(31, 0.75f);

    FxBytes badMagic = FxBytes::bank(kId, 64, "Bad", 0.1f);
    badMagic.bytes[3] = 'X';
    badMagic.save(folder.file("magic.fxb"));
    FxBytes negative;
    negative.bankHeader(kId, -1);
    negative.record("Bad", 0.1f);
    negative.save(folder.file("negative.fxb"));
    FxBytes programFile;
    programFile.bankHeader(kId, 64, "FPCh");
    programFile.record("Bad", 0.1f);
    programFile.save(folder.file("preset.fxb"));
    FxBytes shortFile;
    shortFile.chars("CcnK", 4);
    shortFile.save(folder.file("short.fxb"));

    InProcessHost::requests().clear();
    for (const char* name : {"magic.fxb", "negative.fxb", "preset.fxb", "short.fxb", "missing.fxb", ""})
        EXPECT_FALSE(plugin->loadBankFile(folder.file(name).c_str())) << name;
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 0u);
    EXPECT_EQ(plugin->getProgram(), 4);
    EXPECT_STREQ(plugin->getProgramRecord(4)->getName(), "Mine");
    EXPECT_EQ(plugin->getProgramRecord(4)->getValue(31), 0.75f);
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "Init");
}

TEST_F(FxFiles, FactoryBankNameCarriesTheBankLetter)
{
    auto plugin = makePlugin();
    std::string bankPath = plugin->getBankPath();
    std::string expectedEnd = std::string("RavenSootData/") + plugin->getModuleName() + "Presets.fxb";
    ASSERT_GE(bankPath.size(), expectedEnd.size());
    EXPECT_EQ(bankPath.substr(bankPath.size() - expectedEnd.size()), expectedEnd);
    EXPECT_EQ(plugin->getBankCount(), 1);

    std::filesystem::path data = std::filesystem::path(plugin->getModuleFolder()) / "RavenSootData";
    std::filesystem::create_directories(data);
    FxBytes::bank(kId, 1, "Letter B", 0.5f).save((data / (std::string(plugin->getModuleName()) + "PresetsB.fxb")).string());
    EXPECT_TRUE(plugin->loadFactoryBank(1));
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "Letter B0");
    for (int letter : {2, -1, 26})
        EXPECT_FALSE(plugin->loadFactoryBank(letter)) << letter;
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

TEST_F(FxFiles, WarmPadIsNamedAfterTheFileAnd289Bytes)
{
    auto plugin = makePlugin();
    plugin->setProgram(6);
    plugin->setParameter(29, 1.0f);
    plugin->setParameter(31, 0.625f);
    std::string path = folder.file("Warm Pad.fxp");
    ASSERT_TRUE(plugin->saveProgramFile(path.c_str()));
    EXPECT_STREQ(plugin->getProgramRecord(6)->getName(), "Warm Pad");

    FxBytes file = FxBytes::load(path);
    ASSERT_EQ(file.bytes.size(), 289u);
    expectHeader(file, "FPCh", 53);
    EXPECT_EQ(file.textAt(28, 28), std::string("Warm Pad") + std::string(20, '\0'));
    EXPECT_EQ(file.bigEndianAt(56), 289 - 60);
    EXPECT_EQ(file.floatAt(60), 3.0f);
    EXPECT_EQ(file.textAt(64, 9), std::string("Warm Pad", 9));
    EXPECT_EQ(file.floatAt(60 + 4 + 9 + 4 + 31 * 4), 0.625f);

    auto other = makePlugin();
    other->setProgram(2);
    InProcessHost::requests().clear();
    ASSERT_TRUE(other->loadProgramFile(path.c_str()));
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
    EXPECT_STREQ(other->getProgramRecord(2)->getName(), "Warm Pad");
    EXPECT_EQ(other->getParameter(31), 0.625f);
    EXPECT_EQ(other->getParameter(29), 1.0f);
}

TEST_F(FxFiles, ProgramNamesFromPathsWithoutOrWithMisleadingDots)
{
    std::filesystem::create_directories(folder.path / "my.presets");
    auto plugin = makePlugin();
    ASSERT_TRUE(plugin->saveProgramFile(folder.file("my.presets/NoDot").c_str()));
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "");
    ASSERT_TRUE(plugin->saveProgramFile(folder.file("my.presets/a.b.fxp").c_str()));
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "a.b");

    // 30 characters: the header's 28-byte field holds no terminator, the record the whole name.
    std::string longName(30, 'L');
    std::string path = folder.file(longName + ".fxp");
    ASSERT_TRUE(plugin->saveProgramFile(path.c_str()));
    FxBytes file = FxBytes::load(path);
    EXPECT_EQ(file.textAt(28, 28), std::string(28, 'L'));
    EXPECT_EQ(file.bigEndianAt(56), static_cast<std::int32_t>(file.bytes.size()) - 60);
    EXPECT_EQ(file.bytes.size(), 60u + 4 + 31 + 4 + 212);

    EXPECT_FALSE(plugin->saveProgramFile(folder.file("missing/Kept.fxp").c_str()));
    EXPECT_EQ(std::string(plugin->getProgramRecord(0)->getName()), longName);
}

TEST_F(FxFiles, RefusedProgramFilesLeaveTheCurrentProgramUntouched)
{
    auto plugin = makePlugin();
    plugin->setProgram(3);
    plugin->setProgramName(const_cast<char*>("Current"));
    plugin->setParameter(31, 0.75f);
    ASSERT_TRUE(plugin->saveBankFile(folder.file("bank.fxb").c_str()));
    // A program file (a bank header cut to its 60 bytes) whose record counts 60 values.
    FxBytes badCount;
    badCount.bankHeader(kId, 53, "FPCh");
    badCount.bytes.resize(60);
    badCount.record("Broken", 0.5f, 60);
    badCount.save(folder.file("count.fxp"));

    InProcessHost::requests().clear();
    for (const char* name : {"bank.fxb", "count.fxp", "missing.fxp"})
        EXPECT_FALSE(plugin->loadProgramFile(folder.file(name).c_str())) << name;
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 0u);
    EXPECT_STREQ(plugin->getProgramRecord(3)->getName(), "Current");
    EXPECT_EQ(plugin->getProgramRecord(3)->getValue(31), 0.75f);
    EXPECT_EQ(plugin->getParameter(31), 0.75f);
}
