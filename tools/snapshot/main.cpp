// ravensoot-snapshot: creates the plug-in in this process, opens its editor through the dispatcher as a
// host would (headless), applies a program and parameter values if asked, and writes the pixels to a PNG.
#include "editor/c_level_meter.h"
#include "engine/engine_base.h"
#include "gui/platform/headless/headless_clock.h"
#include "gui/platform/headless/headless_window.h"
#include "host/product_plugin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void usage(std::FILE* to)
{
    std::fputs("usage: ravensoot-snapshot [options] OUT.png\n"
               "Opens the Raven Soot 3 editor headless and writes what it shows.\n"
               "  --program N        select program N (0..63) first\n"
               "  --set NAME=VALUE   set a parameter by name to a normalized value (repeatable)\n"
               "  --level L          play a block of level L (0..1) so the meters have something to show\n"
               "  --meters           switch the level meters on\n"
               "  --help             this text\n",
               to);
}

int parameterIndex(EngineBase* engine, const std::string& name)
{
    for (int i = 0; i < engine->parameterCount(); ++i)
        if (name == engine->parameter(i)->name)
            return i;
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    int program = -1;
    float level = 0.0f;
    bool meters = false;
    std::vector<std::pair<std::string, float>> settings;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "--program" && i + 1 < argc) {
            program = std::atoi(argv[++i]);
        } else if (arg == "--level" && i + 1 < argc) {
            level = float(std::atof(argv[++i]));
        } else if (arg == "--meters") {
            meters = true;
        } else if (arg == "--set" && i + 1 < argc) {
            std::string pair = argv[++i];
            size_t equals = pair.find('=');
            if (equals == std::string::npos) {
                std::fprintf(stderr, "ravensoot-snapshot: --set needs NAME=VALUE, got \"%s\"\n", pair.c_str());
                return 2;
            }
            settings.emplace_back(pair.substr(0, equals), float(std::atof(pair.c_str() + equals + 1)));
        } else if (!arg.empty() && arg[0] != '-' && out.empty()) {
            out = arg;
        } else {
            usage(stderr);
            return 2;
        }
    }
    if (out.empty()) {
        usage(stderr);
        return 2;
    }

    auto* plugin = new ProductPlugin(&hostCallback);
    AEffect* effect = plugin->getAeffect();
    if ((effect->flags & effFlagsHasEditor) == 0) {
        std::fprintf(stderr, "ravensoot-snapshot: the plug-in has no editor (is RavenSootData beside the tool?)\n");
        delete plugin;
        return 1;
    }
    ERect* rect = nullptr;
    effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
    static int parentWindow = 0;
    if (effect->dispatcher(effect, effEditOpen, 0, 0, &parentWindow, 0.0f) == 0) {
        std::fprintf(stderr, "ravensoot-snapshot: the editor did not open (the skin could not be read)\n");
        delete plugin;
        return 1;
    }
    if (program >= 0)
        effect->dispatcher(effect, effSetProgram, 0, program, nullptr, 0.0f);
    for (const auto& setting : settings) {
        int index = parameterIndex(plugin->getEngine(), setting.first);
        if (index < 0) {
            std::fprintf(stderr, "ravensoot-snapshot: no parameter named \"%s\"\n", setting.first.c_str());
            effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
            delete plugin;
            return 2;
        }
        plugin->setParameter(index, setting.second);
    }
    if (level > 0.0f) {
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
        std::vector<float> in(4096), outL(4096), outR(4096);
        for (size_t n = 0; n < in.size(); ++n)
            in[n] = (n / 50) % 2 == 0 ? level : -level;
        float* ins[2] = {in.data(), in.data()};
        float* outs[2] = {outL.data(), outR.data()};
        effect->processReplacing(effect, ins, outs, VstInt32(in.size()));
    }
    CLevelMeter::setShown(meters);
    for (int i = 0; i < 3; ++i) {
        HeadlessClock::advance(200);
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    }
    // The rectangle belongs to the editor, which goes with the plug-in: keep its size before that.
    const int width = rect != nullptr ? rect->right - rect->left : 0;
    const int height = rect != nullptr ? rect->bottom - rect->top : 0;
    HeadlessWindow* window = HeadlessWindow::latest();
    bool written = window != nullptr && window->writePng(out);
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    delete plugin;
    if (!written) {
        std::fprintf(stderr, "ravensoot-snapshot: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("ravensoot-snapshot: %dx%d editor written to %s\n", width, height, out.c_str());
    return 0;
}
