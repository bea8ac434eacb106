// The plug-in frame's program bank: selecting, naming, copying, host chunks, bank and program files.
#include "host/plugin_base.h"

#include <cstdio>
#include <cstring>

#include "engine/engine_base.h"
#include "host/bank_file.h"
#include "host/chunk_stream.h"
#include "host/plugin_editor_link.h"
#include "host/plugin_program.h"
#include "params/fixed_text.h"

PluginProgram* PluginBase::getProgramRecord(int index) const
{
    return validProgram(index) ? programs[index] : nullptr;
}

void PluginBase::setProgram(VstInt32 index)
{
    if (!engine || !validProgram(index))
        return;
    waitForProcessing();
    curProgram = index;
    engine->setConstraint(false);
    int count = programs[index]->getCount() < numParams ? programs[index]->getCount() : numParams;
    for (int i = 0; i < count; ++i)
        setParameter(i, programs[index]->getValue(i));
    engine->setConstraint(true);
    if (editorLink)
        editorLink->updateAllControls();
    updateDisplay();
}

void PluginBase::setProgramName(char* name)
{
    if (validProgram(curProgram))
        programs[curProgram]->setName(name);
}

void PluginBase::getProgramName(char* name)
{
    if (!name)
        return;
    name[0] = '\0';
    if (!validProgram(curProgram))
        return;
    const char* stored = programs[curProgram]->getName();
    if (std::strcmp(stored, "Init") == 0)
        std::snprintf(name, PluginProgram::kNameBytes, "Init %d", static_cast<int>(curProgram + 1));
    else
        copyFixedText(name, PluginProgram::kNameBytes, stored);
}

bool PluginBase::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    if (!text || !validProgram(index))
        return false;
    copyFixedText(text, PluginProgram::kNameBytes, programs[index]->getName());
    return true;
}

bool PluginBase::copyProgram(VstInt32 destination)
{
    if (!validProgram(destination) || !validProgram(curProgram))
        return false;
    programs[destination]->copyFrom(*programs[curProgram]);
    return true;
}

void PluginBase::previousProgram()
{
    setProgram(curProgram > 0 ? curProgram - 1 : 0);
}

void PluginBase::nextProgram()
{
    setProgram(curProgram < kMaxPrograms - 1 ? curProgram + 1 : kMaxPrograms - 1);
}

void PluginBase::clearCurrentProgram()
{
    if (!validProgram(curProgram))
        return;
    programs[curProgram]->clear();
    setProgram(curProgram);
}

void PluginBase::captureEngineValues(PluginProgram& program)
{
    if (!engine)
        return;
    for (int i = 0; i < program.getCount(); ++i)
        program.setValue(i, engine->getParameter(i));
}

VstInt32 PluginBase::getChunk(void** data, bool isPreset)
{
    if (!data || !chunkBuffer || !validProgram(curProgram))
        return 0;
    captureEngineValues(*programs[curProgram]);
    ChunkStream stream;
    stream.openMemoryWrite(chunkBuffer, ChunkStream::kCapacity);
    if (isPreset) {
        programs[curProgram]->write(stream);
    } else {
        for (PluginProgram* program : programs) {
            if (program)
                program->write(stream);
        }
    }
    *data = chunkBuffer;
    VstInt32 size = static_cast<VstInt32>(stream.position());
    stream.close();
    return size;
}

VstInt32 PluginBase::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    if (!data || byteSize <= 0 || !engine || !validProgram(curProgram))
        return 0;
    ChunkStream stream;
    stream.openMemoryRead(data, static_cast<std::uint32_t>(byteSize));
    engine->setConstraint(false);
    if (isPreset) {
        programs[curProgram]->read(stream, fxId);
    } else {
        for (PluginProgram* program : programs) {
            if (program)
                program->read(stream, fxId);
        }
    }
    engine->setConstraint(true);
    VstInt32 consumed = static_cast<VstInt32>(stream.position());
    setProgram(curProgram);
    return consumed;
}

bool PluginBase::loadBankFile(const char* path)
{
    ChunkStream stream;
    if (!path || !stream.openFileRead(path))
        return false;
    std::int32_t fileId = 0;
    std::int32_t count = 0;
    if (!BankFile::readBankHeader(stream, fileId, count) || count < 0)
        return false;
    if (count > kMaxPrograms)
        count = kMaxPrograms;
    // A record that fails does not stop the others: each is consumed whole, so the next starts in step.
    for (int i = 0; i < count; ++i) {
        if (programs[i])
            programs[i]->read(stream, fileId);
    }
    stream.close();
    setProgram(0);
    return true;
}

bool PluginBase::loadFactoryBank(int bank)
{
    std::size_t length = std::strlen(bankPath);
    if (bank < 0 || bank >= 26 || length < 4 || length + 1 >= sizeof(bankPath))
        return false;
    // "…/RavenSoot3Presets.fxb" becomes "…/RavenSoot3PresetsA.fxb" for bank 0.
    char path[kPathSize];
    std::memcpy(path, bankPath, length - 4);
    path[length - 4] = static_cast<char>('A' + bank);
    std::memcpy(path + length - 3, bankPath + length - 4, 5);
    return loadBankFile(path);
}

bool PluginBase::saveBankFile(const char* path)
{
    if (!path || !validProgram(curProgram))
        return false;
    captureEngineValues(*programs[curProgram]);
    ChunkStream stream;
    if (!stream.openFileWrite(path))
        return false;
    BankFile::writeBank(stream, programs, kMaxPrograms, fxId);
    return stream.close();
}

bool PluginBase::loadProgramFile(const char* path)
{
    if (!path || !validProgram(curProgram))
        return false;
    ChunkStream stream;
    std::int32_t fileId = 0;
    if (!stream.openFileRead(path) || !BankFile::readProgramHeader(stream, fileId))
        return false;
    // Read over the current program, and put it back as it was when the record is refused.
    PluginProgram& current = *programs[curProgram];
    PluginProgram before(current.getCount(), current.getId());
    before.copyFrom(current);
    if (!current.read(stream, fileId)) {
        current.copyFrom(before);
        return false;
    }
    stream.close();
    setProgram(curProgram);
    return true;
}

bool PluginBase::saveProgramFile(const char* path)
{
    if (!path || !validProgram(curProgram))
        return false;
    PluginProgram& current = *programs[curProgram];
    captureEngineValues(current);
    ChunkStream stream;
    if (!stream.openFileWrite(path))
        return false;
    char oldName[PluginProgram::kNameBytes];
    copyFixedText(oldName, sizeof(oldName), current.getName());
    char name[PluginProgram::kNameBytes];
    BankFile::programNameFromPath(path, name, sizeof(name));
    current.setName(name);
    BankFile::writeProgram(stream, current, fxId);
    if (!stream.close()) {
        current.setName(oldName);
        return false;
    }
    return true;
}
