// "SkinParameters.txt" read when the editor opens: a skin folder holding the default skin's images and
// the input as its definition file, opened, idled, driven and closed by a fresh editor each time.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/c_effect_editor.h"
#include "engine/product_engine.h"
#include "fuzz/fuzz_target.h"
#include "host/plugin_base.h"
#include "host/product_program.h"

namespace {

namespace fs = std::filesystem;

// The default skin's images in a folder of our own (in memory where there is one), removed at the end.
struct SkinFolderCopy {
    fs::path root = fs::path(fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path())
        / ("ravensoot-fuzz-skin-" + std::to_string(getpid()));
    fs::path skin = root / "RavenSootData" / "Skins" / "default";

    SkinFolderCopy()
    {
        fs::create_directories(skin);
        for (const auto& entry : fs::directory_iterator(RAVENSOOT_SOURCE_DIR "/data/RavenSootData/Skins/default")) {
            if (entry.path().extension() == ".png")
                fs::copy_file(entry.path(), skin / entry.path().filename(), fs::copy_options::overwrite_existing);
        }
    }
    ~SkinFolderCopy() { fs::remove_all(root); }
};

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The plug-in frame with the product's engine and programs over the folder above; never destroyed, the
// run ends with the process.
class SkinPlugin : public PluginBase {
public:
    explicit SkinPlugin(const std::string& folder) : PluginBase(&quietHost, 64, 53)
    {
        engine = new ProductEngine(folder.c_str());
        engine->setSampleRate(44100.0f);
        for (PluginProgram*& program : programs)
            program = new ProductProgram;
        curProgram = 0;
        setProgram(0);
    }
    // A refused skin leaves an editor unusable for good: each input gets a new one.
    void renewEditor()
    {
        AEffEditor* old = editor;
        editorLink = nullptr;
        setEditor(nullptr);
        delete old;
        new CEffectEditor(this);
    }
};

SkinFolderCopy& folder()
{
    static SkinFolderCopy copy;
    return copy;
}

SkinPlugin& plugin()
{
    static SkinPlugin* made = new SkinPlugin(folder().root.string());
    return *made;
}

} // namespace

void fuzzSeeds(FuzzSeeds& seeds)
{
    std::string skin = RAVENSOOT_SOURCE_DIR "/data/RavenSootData/Skins/default/SkinParameters.txt";
    seeds.addFile("default.txt", skin);
    FuzzSeeds::Bytes bytes = FuzzSeeds::readFile(skin);
    // The same with Windows line ends, as a skin made there would have.
    FuzzSeeds::Bytes crlf;
    for (std::uint8_t c : bytes) {
        if (c == '\n')
            crlf.push_back('\r');
        crlf.push_back(c);
    }
    seeds.add("default-crlf.txt", crlf);
}

void fuzzInput(const std::uint8_t* data, std::size_t size)
{
    SkinPlugin& p = plugin();
    {
        std::ofstream out(folder().skin / "SkinParameters.txt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    p.renewEditor();
    AEffect* effect = p.getAeffect();
    auto dispatch = [effect](VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    };
    int window = 0;
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    if (dispatch(effEditOpen, 0, 0, &window) != 0) {
        // Every control the skin made takes a value, a program change and a redraw.
        for (int i = 0; i < 66; ++i)
            p.getEngine()->setParameter(i, static_cast<float>(i % 7) / 6.0f);
        p.flushParameterChanges();
        dispatch(effSetProgram, 0, 1, nullptr);
        dispatch(effEditIdle, 0, 0, nullptr);
        dispatch(effEditIdle, 0, 0, nullptr);
        dispatch(effEditClose, 0, 0, nullptr);
    }
    // Idle after close, as hosts do.
    dispatch(effEditIdle, 0, 0, nullptr);
}
