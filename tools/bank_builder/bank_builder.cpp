// Turns the bank source into the product's 64 programs and writes them as a bank file with the
// plug-in's own record and bank writer, so the file has the very format the plug-in reads.
#include "tools/bank_builder/bank_builder.h"

#include "host/bank_file.h"
#include "host/chunk_stream.h"
#include "params/parameter_table.h"
#include "tools/bank_builder/setting_text.h"

namespace {

bool isRate(int index)
{
    return index == kLfo1Rate || index == kLfo2Rate;
}

} // namespace

bool BankBuilder::build(const BankSource& source)
{
    faults.clear();
    programs.clear();
    const std::vector<BankSource::Program>& entries = source.programs();
    if (entries.size() != static_cast<std::size_t>(kProgramCount))
        faults.push_back(source.path() + ": holds " + std::to_string(entries.size()) + " programs; a bank holds "
                         + std::to_string(kProgramCount));
    for (const BankSource::Program& entry : entries) {
        programs.push_back(std::make_unique<ProductProgram>());
        apply(source, entry, *programs.back());
    }
    return faults.empty();
}

void BankBuilder::apply(const BankSource& source, const BankSource::Program& from, ProductProgram& to)
{
    to.clear();
    to.setName(from.name.c_str());
    // The rates read as divisions or as Hz depending on the sync switches, so they come last.
    for (int pass = 0; pass < 2; ++pass) {
        SettingText::Context context;
        context.lfo1Synced = to.getValue(kLfo1Sync) > 0.5f;
        context.lfo2Synced = to.getValue(kLfo2Sync) > 0.5f;
        for (const BankSource::Setting& setting : from.settings) {
            if (isRate(setting.index) != (pass == 1))
                continue;
            float value = 0.0f;
            std::string reason;
            if (SettingText::hostValue(setting.index, setting.text, context, value, reason))
                to.setValue(setting.index, value);
            else
                faults.push_back(source.path() + ":" + std::to_string(setting.line) + ": "
                                 + kParameterTable[setting.index].name + " = " + setting.text + " " + reason);
        }
    }
    // Applying a program stores both edges as they are, so a crossed band would stay crossed.
    if (to.getValue(kBpFilterLow) > to.getValue(kBpFilterHigh))
        faults.push_back(source.path() + ":" + std::to_string(from.line) + ": \"" + from.name
                         + "\" has BpFilterLow above BpFilterHigh");
}

bool BankBuilder::write(const std::string& path) const
{
    if (programs.size() != static_cast<std::size_t>(kProgramCount))
        return false;
    std::vector<PluginProgram*> records;
    for (const std::unique_ptr<ProductProgram>& program : programs)
        records.push_back(program.get());
    ChunkStream stream;
    if (!stream.openFileWrite(path.c_str()))
        return false;
    BankFile::writeBank(stream, records.data(), kProgramCount, kProductId);
    return stream.close();
}
