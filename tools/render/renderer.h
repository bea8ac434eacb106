// Runs an audio file through the plug-in block by block and writes the result, with the tail appended.
#pragma once

#include <string>

#include "tools/render/signal_level.h"

struct RenderOptions;
class PluginInstance;

struct RenderSummary {
    long long inputFrames = 0;
    long long outputFrames = 0;
    int sampleRate = 0;
    int outputChannels = 0;
    int outputFormat = 0;
    SignalLevel input;
    SignalLevel output;
};

class Renderer {
public:
    // Throws a run failure naming the file that failed; the output is then left as it was.
    // The plug-in must be prepared for nothing yet: the input decides the sample rate.
    static RenderSummary run(PluginInstance& plugin, const RenderOptions& options);
    // Asks a running render to stop at the next block boundary (safe from a signal handler).
    static void interrupt();
};
