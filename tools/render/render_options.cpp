// What one run of ravensoot-render was asked to do, read from its command line.
#include "tools/render/render_options.h"

#include <cstring>

#include "tools/render/number_text.h"
#include "tools/render/output_format.h"
#include "tools/render/tool_error.h"

namespace {

constexpr double kMinimumTempo = 20.0;
constexpr double kMaximumTempo = 999.0;
constexpr int kMaximumBlock = 65536;
constexpr double kMaximumTail = 3600.0;

class ArgumentList {
public:
    ArgumentList(int argc, const char* const* argv) : count(argc), values(argv) { }

    bool done() const { return next >= count; }
    std::string take() { return values[next++]; }

    // The value of "--name VALUE" or "--name=VALUE"; the option text has been taken already.
    std::string valueOf(const std::string& option, const std::string& inlineValue, bool hasInline)
    {
        if (hasInline)
            return inlineValue;
        if (done())
            throw usageError(option + ": needs a value");
        return take();
    }

private:
    int count;
    const char* const* values;
    int next = 1;
};

double numberIn(const std::string& option, const std::string& text, double low, double high)
{
    double value = 0.0;
    if (!parseNumber(text, value) || value < low || value > high)
        throw usageError(option + " " + text + ": not a number from " + std::to_string(static_cast<int>(low))
                         + " to " + std::to_string(static_cast<int>(high)));
    return value;
}

} // namespace

RenderOptions OptionParser::parse(int argc, const char* const* argv)
{
    RenderOptions options;
    std::vector<std::string> files;
    ArgumentList arguments(argc, argv);
    bool onlyFiles = false;
    while (!arguments.done()) {
        std::string argument = arguments.take();
        if (onlyFiles || argument == "-" || argument.empty() || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        std::string option = argument;
        std::string inlineValue;
        std::size_t equals = argument.find('=');
        bool hasInline = argument.compare(0, 2, "--") == 0 && equals != std::string::npos;
        if (hasInline) {
            option = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        auto value = [&]() { return arguments.valueOf(option, inlineValue, hasInline); };

        if (option == "-h" || option == "--help") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "-q" || option == "--quiet") {
            options.quiet = true;
        } else if (option == "--list-programs") {
            options.listPrograms = true;
        } else if (option == "--list-params") {
            options.listParams = true;
        } else if (option == "--mono") {
            options.monoOutput = true;
        } else if (option == "--module") {
            options.modulePath = value();
        } else if (option == "--program") {
            options.program = value();
        } else if (option == "--bank") {
            options.bankFile = value();
        } else if (option == "--preset") {
            options.presetFile = value();
        } else if (option == "--set") {
            std::string setting = value();
            std::size_t at = setting.find('=');
            if (at == std::string::npos || at == 0)
                throw usageError("--set " + setting + ": write NAME=VALUE");
            options.settings.emplace_back(setting.substr(0, at), setting.substr(at + 1));
        } else if (option == "--tempo") {
            options.tempo = numberIn(option, value(), kMinimumTempo, kMaximumTempo);
        } else if (option == "--block") {
            std::string text = value();
            double block = numberIn(option, text, 1.0, kMaximumBlock);
            if (block != static_cast<int>(block))
                throw usageError("--block " + text + ": not a whole number of frames");
            options.blockSize = static_cast<int>(block);
        } else if (option == "--tail") {
            options.tailSeconds = numberIn(option, value(), 0.0, kMaximumTail);
        } else if (option == "--bits") {
            options.bits = value();
            if (!OutputFormat::validBits(options.bits))
                throw usageError("--bits " + options.bits + ": use 16, 24, 32 or float");
        } else {
            throw usageError(argument + ": unknown option (see --help)");
        }
    }

    if (options.help || options.version)
        return options;
    if (options.wantsListing()) {
        if (!files.empty())
            throw usageError(files[0] + ": the list options take no files");
        return options;
    }
    if (files.size() != 2)
        throw usageError(files.empty() ? std::string("no input and output file given (see --help)")
                         : files.size() == 1 ? files[0] + ": no output file given"
                                             : files[2] + ": one input and one output file only");
    options.input = files[0];
    options.output = files[1];
    // Checked before anything is loaded: the output's format follows from its name.
    OutputFormat::check(options.output, options.bits);
    return options;
}
