// Bank and program files written by the plug-in and read back by hand, and files made by hand read by
// the plug-in: sizes, headers, round trips and the files it must refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "fx_bytes.h"
#include "host/plugin_program.h"
#include "plugin_test_host.h"
#include "support/temp_folder.h"

namespace {

std::unique_ptr<ProductPlugin> makePlugin()
{
    return std::make_unique<ProductPlugin>(&InProcessHost::callback);
}

void fill(ProductPlugin& plugin)
{
    for (int p = 0; p < 64; ++p) {
        plugin.setProgram(p);
        std::string name = "Bank " + std::to_string(p);
        plugin.setProgramName(const_cast<char*>(name.c_str()));
        for (int i = 0; i < 53; ++i)
            plugin.setParameter(i, static_cast<float>((p * 53 + i) % 97) / 97.0f * 0.5f);
    }
}

void expectSamePrograms(ProductPlugin& a, ProductPlugin& b, int skip = -1)
{
    for (int p = 0; p < 64; ++p) {
        PluginProgram* pa = a.getProgramRecord(p);
        PluginProgram* pb = b.getProgramRecord(p);
        EXPECT_STREQ(pa->getName(), pb->getName()) << p;
        for (int i = 0; i < 53; ++i) {
            if (p == skip)
                EXPECT_FLOAT_EQ(pa->getValue(i), pb->getValue(i)) << p << " " << i;
            else
                EXPECT_EQ(pa->getValue(i), pb->getValue(i)) << p << " " << i;
        }
    }
}

} // namespace

TEST(BankFiles, FreshBankIsLaidOutWithTrueSizes)
{
    TempFolder folder("bank-layout");
    auto plugin = makePlugin();
    std::string path = folder.file("fresh.fxb");
    ASSERT_TRUE(plugin->saveBankFile(path.c_str()));
    FxBytes file = FxBytes::load(path);
    ASSERT_EQ(file.bytes.size(), 14560u);
    EXPECT_EQ(std::memcmp(file.bytes.data(), "CcnK", 4), 0);
    EXPECT_EQ(file.bigEndianAt(4), 14560 - 8);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 8, "FBCh", 4), 0);
    EXPECT_EQ(file.bigEndianAt(12), 1);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 16, "RaS3", 4), 0);
    EXPECT_EQ(file.bigEndianAt(20), 1);
    EXPECT_EQ(file.bigEndianAt(24), 64);
    for (int i = 28; i < 156; ++i)
        ASSERT_EQ(file.bytes[static_cast<std::size_t>(i)], 0) << i;
    EXPECT_EQ(file.bigEndianAt(156), 14400);
    EXPECT_EQ(file.floatAt(160), 3.0f);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 164, "Init", 5), 0);
}

TEST(BankFiles, RoundTripRestoresAllProgramsAndSelectsTheFirst)
{
    TempFolder folder("bank-round-trip");
    auto source = makePlugin();
    fill(*source);
    std::string path = folder.file("mine.fxb");
    ASSERT_TRUE(source->saveBankFile(path.c_str()));

    auto target = makePlugin();
    target->setProgram(12);
    InProcessHost::requests().clear();
    ASSERT_TRUE(target->loadBankFile(path.c_str()));
    EXPECT_EQ(target->getProgram(), 0);
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
    expectSamePrograms(*source, *target, 0);
    for (int i = 0; i < 53; ++i)
        EXPECT_FLOAT_EQ(target->getParameter(i), source->getProgramRecord(0)->getValue(i)) << i;
}

TEST(BankFiles, ProgramCountsInTheHeader)
{
    TempFolder folder("bank-counts");
    FxBytes hundred;
    hundred.bankHeader(0x52615333, 100);
    for (int i = 0; i < 100; ++i)
        hundred.record(("P" + std::to_string(i)).c_str(), 0.5f);
    hundred.save(folder.file("hundred.fxb"));
    auto plugin = makePlugin();
    ASSERT_TRUE(plugin->loadBankFile(folder.file("hundred.fxb").c_str()));
    EXPECT_STREQ(plugin->getProgramRecord(63)->getName(), "P63");
    EXPECT_EQ(plugin->getProgramRecord(63)->getValue(52), 0.5f);

    FxBytes none;
    none.bankHeader(0x52615333, 0);
    none.save(folder.file("none.fxb"));
    plugin->setProgram(9);
    InProcessHost::requests().clear();
    ASSERT_TRUE(plugin->loadBankFile(folder.file("none.fxb").c_str()));
    EXPECT_EQ(plugin->getProgram(), 0);
    EXPECT_STREQ(plugin->getProgramRecord(5)->getName(), "P5");
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 1u);
}

TEST(BankFiles, ForeignHeaderIdKeepsNamesWithZeroValues)
{
    TempFolder folder("bank-foreign");
    FxBytes bank;
    bank.bankHeader(0x41424344, 64);
    for (int i = 0; i < 64; ++i)
        bank.record(("Other " + std::to_string(i)).c_str(), 0.9f);
    bank.save(folder.file("other.fxb"));
    auto plugin = makePlugin();
    ASSERT_TRUE(plugin->loadBankFile(folder.file("other.fxb").c_str()));
    for (int p = 0; p < 64; ++p) {
        EXPECT_EQ(std::string(plugin->getProgramRecord(p)->getName()), "Other " + std::to_string(p));
        for (int i = 0; i < 53; ++i)
            ASSERT_EQ(plugin->getProgramRecord(p)->getValue(i), 0.0f) << p << " " << i;
    }
}

TEST(BankFiles, RefusedFilesChangeNothing)
{
    TempFolder folder("bank-refused");
    auto plugin = makePlugin();
    plugin->setProgram(4);
    plugin->setProgramName(const_cast<char*>("Mine"));
    plugin->setParameter(31, 0.75f);

    FxBytes badMagic;
    badMagic.bankHeader(0x52615333, 64);
    std::memcpy(badMagic.bytes.data(), "CcnX", 4);
    badMagic.record("Bad", 0.1f);
    badMagic.save(folder.file("magic.fxb"));
    FxBytes negative;
    negative.bankHeader(0x52615333, -1);
    negative.record("Bad", 0.1f);
    negative.save(folder.file("negative.fxb"));
    FxBytes programFile;
    programFile.bankHeader(0x52615333, 64, "FPCh");
    programFile.record("Bad", 0.1f);
    programFile.save(folder.file("preset.fxb"));
    FxBytes shortFile;
    shortFile.chars("CcnK", 4);
    shortFile.save(folder.file("short.fxb"));

    InProcessHost::requests().clear();
    for (const char* name : {"magic.fxb", "negative.fxb", "preset.fxb", "short.fxb", "missing.fxb"})
        EXPECT_FALSE(plugin->loadBankFile(folder.file(name).c_str())) << name;
    EXPECT_FALSE(plugin->loadBankFile(folder.path.string().c_str()));
    EXPECT_EQ(InProcessHost::count(audioMasterUpdateDisplay), 0u);
    EXPECT_EQ(plugin->getProgram(), 4);
    EXPECT_STREQ(plugin->getProgramRecord(4)->getName(), "Mine");
    EXPECT_EQ(plugin->getProgramRecord(4)->getValue(31), 0.75f);
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "Init");
}

TEST(BankFiles, FactoryBankNameCarriesTheBankLetter)
{
    auto plugin = makePlugin();
    std::string bankPath = plugin->getBankPath();
    std::string expectedEnd = std::string("RavenSootData/") + plugin->getModuleName() + "Presets.fxb";
    ASSERT_GE(bankPath.size(), expectedEnd.size());
    EXPECT_EQ(bankPath.substr(bankPath.size() - expectedEnd.size()), expectedEnd);
    EXPECT_EQ(plugin->getBankCount(), 1);

    std::filesystem::path data = std::filesystem::path(plugin->getModuleFolder()) / "RavenSootData";
    std::filesystem::create_directories(data);
    FxBytes bank;
    bank.bankHeader(0x52615333, 1);
    bank.record("Letter B", 0.5f);
    std::string letterB = (data / (std::string(plugin->getModuleName()) + "PresetsB.fxb")).string();
    bank.save(letterB);
    EXPECT_TRUE(plugin->loadFactoryBank(1));
    EXPECT_STREQ(plugin->getProgramRecord(0)->getName(), "Letter B");
    EXPECT_FALSE(plugin->loadFactoryBank(2));
    EXPECT_FALSE(plugin->loadFactoryBank(-1));
    EXPECT_FALSE(plugin->loadFactoryBank(26));
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
}

TEST(ProgramFiles, WarmPadIsNamedAfterTheFileAnd289Bytes)
{
    TempFolder folder("program-warm-pad");
    auto plugin = makePlugin();
    plugin->setProgram(6);
    plugin->setParameter(29, 1.0f);
    plugin->setParameter(31, 0.625f);
    std::string path = folder.file("Warm Pad.fxp");
    ASSERT_TRUE(plugin->saveProgramFile(path.c_str()));
    EXPECT_STREQ(plugin->getProgramRecord(6)->getName(), "Warm Pad");

    FxBytes file = FxBytes::load(path);
    ASSERT_EQ(file.bytes.size(), 289u);
    EXPECT_EQ(std::memcmp(file.bytes.data(), "CcnK", 4), 0);
    EXPECT_EQ(file.bigEndianAt(4), 289 - 8);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 8, "FPCh", 4), 0);
    EXPECT_EQ(file.bigEndianAt(12), 1);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 16, "RaS3", 4), 0);
    EXPECT_EQ(file.bigEndianAt(20), 1);
    EXPECT_EQ(file.bigEndianAt(24), 53);
    char field[28] = "Warm Pad";
    EXPECT_EQ(std::memcmp(file.bytes.data() + 28, field, 28), 0);
    EXPECT_EQ(file.bigEndianAt(56), 289 - 60);
    EXPECT_EQ(file.floatAt(60), 3.0f);
    EXPECT_EQ(std::memcmp(file.bytes.data() + 64, "Warm Pad", 9), 0);
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

TEST(ProgramFiles, NamesFromPathsWithoutOrWithMisleadingDots)
{
    TempFolder folder("program-names");
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
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.bytes.data()) + 28, 28), std::string(28, 'L'));
    EXPECT_EQ(file.bigEndianAt(56), static_cast<std::int32_t>(file.bytes.size()) - 60);
    EXPECT_EQ(file.bytes.size(), 60u + 4 + 31 + 4 + 212);

    EXPECT_FALSE(plugin->saveProgramFile(folder.file("missing/Kept.fxp").c_str()));
    EXPECT_EQ(std::string(plugin->getProgramRecord(0)->getName()), longName);
}

TEST(ProgramFiles, RefusedFilesLeaveTheCurrentProgramUntouched)
{
    TempFolder folder("program-refused");
    auto plugin = makePlugin();
    plugin->setProgram(3);
    plugin->setProgramName(const_cast<char*>("Current"));
    plugin->setParameter(31, 0.75f);
    ASSERT_TRUE(plugin->saveBankFile(folder.file("bank.fxb").c_str()));

    FxBytes badCount;
    badCount.chars("CcnK", 4);
    badCount.bigEndian(0);
    badCount.chars("FPCh", 4);
    badCount.bigEndian(1);
    badCount.bigEndian(0x52615333);
    badCount.bigEndian(1);
    badCount.bigEndian(53);
    badCount.zeros(28);
    badCount.bigEndian(0);
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
