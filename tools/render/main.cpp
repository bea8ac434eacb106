// ravensoot-render: runs audio files through the built plug-in module as a VST 2.x host would.
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/render/help_text.h"
#include "tools/render/output_format.h"
#include "tools/render/plugin_instance.h"
#include "tools/render/plugin_listing.h"
#include "tools/render/plugin_module.h"
#include "tools/render/render_options.h"
#include "tools/render/renderer.h"
#include "tools/render/sound_setup.h"
#include "tools/render/tool_error.h"

namespace {

void onSignal(int)
{
    Renderer::interrupt();
}

void printSummary(const RenderOptions& options, const RenderSummary& summary)
{
    double seconds = static_cast<double>(summary.outputFrames) / summary.sampleRate;
    std::printf("%s -> %s (%s, %d ch, %d Hz, %.2f s): input peak %s dBFS, RMS %s dBFS; "
                "output peak %s dBFS, RMS %s dBFS\n",
                options.input.c_str(), options.output.c_str(), OutputFormat::describe(summary.outputFormat).c_str(),
                summary.outputChannels, summary.sampleRate, seconds,
                SignalLevel::text(summary.input.peakDb()).c_str(), SignalLevel::text(summary.input.rmsDb()).c_str(),
                SignalLevel::text(summary.output.peakDb()).c_str(), SignalLevel::text(summary.output.rmsDb()).c_str());
}

int run(int argc, char** argv)
{
    RenderOptions options = OptionParser::parse(argc, argv);
    if (options.help) {
        std::fputs(kRenderHelp, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("ravensoot-render %s (Raven Soot 3)\n", RAVENSOOT_VERSION);
        return 0;
    }
    PluginModule module(options.modulePath.empty() ? PluginModule::besideTool() : options.modulePath);
    PluginInstance plugin(module);
    SoundSetup::apply(plugin, options);
    if (options.listPrograms)
        PluginListing::programs(plugin, stdout);
    if (options.listParams)
        PluginListing::parameters(plugin, stdout);
    if (options.wantsListing())
        return 0;

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    RenderSummary summary = Renderer::run(plugin, options);
    if (!options.quiet)
        printSummary(options, summary);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const ToolError& error) {
        std::fprintf(stderr, "ravensoot-render: %s\n", error.message.c_str());
        return error.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ravensoot-render: %s\n", error.what());
        return kExitFailure;
    }
}
