// Runs an audio file through the plug-in block by block and writes the result, with the tail appended.
#include "tools/render/renderer.h"

#include <cmath>
#include <csignal>
#include <vector>

#include "tools/render/output_format.h"
#include "tools/render/plugin_instance.h"
#include "tools/render/progress_bar.h"
#include "tools/render/render_options.h"
#include "tools/render/sound_file_reader.h"
#include "tools/render/sound_file_writer.h"
#include "tools/render/tool_error.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

} // namespace

void Renderer::interrupt()
{
    interrupted = 1;
}

RenderSummary Renderer::run(PluginInstance& plugin, const RenderOptions& options)
{
    SoundFileReader reader(options.input);
    RenderSummary summary;
    summary.sampleRate = reader.sampleRate();
    summary.inputFrames = reader.frames();
    long long tailFrames = std::llround(options.tailSeconds * reader.sampleRate());
    long long totalFrames = summary.inputFrames + tailFrames;
    int inChannels = reader.channels();
    summary.outputChannels = options.monoOutput ? 1 : 2;
    summary.outputFormat = OutputFormat::choose(options.output, options.bits, reader.format(),
                                                summary.outputChannels, reader.sampleRate());
    SoundFileWriter writer(options.output, summary.outputFormat, summary.outputChannels, reader.sampleRate());

    std::size_t block = static_cast<std::size_t>(options.blockSize);
    std::vector<float> interleavedIn(block * static_cast<std::size_t>(inChannels));
    std::vector<float> interleavedOut(block * static_cast<std::size_t>(summary.outputChannels));
    std::vector<float> left(block), right(block), outLeft(block), outRight(block);
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};

    plugin.prepare(static_cast<float>(reader.sampleRate()), options.blockSize);
    plugin.setTempo(options.tempo);
    plugin.start();
    ProgressBar progress(totalFrames, reader.sampleRate());
    long long done = 0;
    while (done < totalFrames) {
        if (interrupted)
            throw runFailure(options.output + ": interrupted; nothing written");
        long long remaining = totalFrames - done;
        std::size_t frames = remaining < static_cast<long long>(block) ? static_cast<std::size_t>(remaining) : block;
        std::size_t read = done < summary.inputFrames ? reader.read(interleavedIn.data(), frames) : 0;
        summary.input.add(interleavedIn.data(), read * static_cast<std::size_t>(inChannels));
        // Mono goes in as the same signal on both sides; past the file's end the tail is silence.
        for (std::size_t i = 0; i < frames; ++i) {
            bool fromFile = i < read;
            left[i] = fromFile ? interleavedIn[i * inChannels] : 0.0f;
            right[i] = fromFile ? interleavedIn[i * inChannels + inChannels - 1] : 0.0f;
        }
        plugin.process(inputs, outputs, static_cast<int>(frames));
        for (std::size_t i = 0; i < frames; ++i) {
            if (summary.outputChannels == 1) {
                interleavedOut[i] = (outLeft[i] + outRight[i]) * 0.5f;
            } else {
                interleavedOut[2 * i] = outLeft[i];
                interleavedOut[2 * i + 1] = outRight[i];
            }
        }
        summary.output.add(interleavedOut.data(), frames * static_cast<std::size_t>(summary.outputChannels));
        writer.write(interleavedOut.data(), frames);
        done += static_cast<long long>(frames);
        progress.update(done);
    }
    plugin.stop();
    writer.commit();
    summary.outputFrames = totalFrames;
    return summary;
}
