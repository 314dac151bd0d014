#include "RenderOptions.h"

namespace render
{
namespace
{
    bool isWholeNumber (const juce::String& text)
    {
        return text.isNotEmpty() && text.length() <= 9 && text.containsOnly ("0123456789");
    }

    juce::File fileFromArgument (const juce::String& path)
    {
        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }
} // namespace

juce::String helpText()
{
    return "vesk-q84d-render: renders audio through the Vesk Q84D optical saturator, block by block,\n"
           "exactly as a host runs the plug-in.\n"
           "\n"
           "Usage: vesk-q84d-render --out FILE [--in FILE] [options]\n"
           "\n"
           "Input and output\n"
           "  --in FILE                 WAV or AIFF file to process, mono or stereo. Without --in, a built-in\n"
           "                            stereo demo signal of 6 seconds is rendered: a sine sweep, a decaying\n"
           "                            low tone and noise bursts.\n"
           "  --rate HZ                 sample rate of the demo signal (default 48000); a file keeps its own.\n"
           "  --out FILE                the rendered WAV file (required). It is written to a temporary file\n"
           "                            first and moved into place only when complete.\n"
           "  --bits 16|24|32           sample format of the output: 32 is 32-bit float (default), 16 and 24\n"
           "                            are integer PCM, clipped at full scale.\n"
           "\n"
           "Settings, applied in this order\n"
           "  --state FILE              loads a saved plug-in state block (as a host saves it).\n"
           "  --preset NAME|NUMBER      applies a factory preset, by name (any letter case) or by number\n"
           "                            0..32; --list-presets shows them.\n"
           "  --user-preset NAME        recalls a user preset stored from the plug-in's editor, by name (any\n"
           "                            letter case), from the user presets file in the documents folder.\n"
           "  --set ID=TEXT             sets a parameter from text as the user types it, read by the\n"
           "                            parameter itself: input=-3, drive=40%, mix=50%, output=0 (the trim\n"
           "                            shown to the user), oversampling=16x, power=off. Repeatable; later\n"
           "                            settings win. IDs: input, drive, low, presence, air, opto, speed,\n"
           "                            mix, output, oversampling, power.\n"
           "  --save-state FILE         writes the plug-in's state block after the render, loadable with\n"
           "                            --state or by a host.\n"
           "\n"
           "Processing\n"
           "  --block N                 host block size, 1..8192 (default 512).\n"
           "  --no-latency-compensation keeps the raw output stream. By default the reported latency is\n"
           "                            removed from the start so the output lines up with the input sample\n"
           "                            for sample. Either way the 0.65 s tail is rendered after the input.\n"
           "\n"
           "Reporting\n"
           "  --json                    prints the summary as one JSON object instead of text.\n"
           "  --list-presets            lists the factory presets and exits.\n"
           "  --help                    shows this text and exits.\n"
           "\n"
           "A progress bar appears on stderr for renders longer than a second when stderr is a terminal.\n"
           "The summary (length, rate, latency, oversampling, input and output peak and RMS, largest gain\n"
           "reduction shown by the meter) goes to stdout.\n"
           "\n"
           "Exit status: 0 on success, 1 when an input, setting or file cannot be used, 2 for a command\n"
           "line that cannot be read. On failure no output file is left behind.\n";
}

ParsedCommandLine parseCommandLine (const juce::StringArray& arguments)
{
    ParsedCommandLine result;
    auto& options = result.options;

    const auto fail = [&result] (const juce::String& message)
    {
        result.error = message;
        return result;
    };

    for (int i = 0; i < arguments.size(); ++i)
    {
        auto name = arguments[i];
        juce::String value;
        bool hasValue = false;

        // --name=value and --name value are both accepted.
        if (name.startsWith ("--") && name.containsChar ('='))
        {
            value = name.fromFirstOccurrenceOf ("=", false, false);
            name = name.upToFirstOccurrenceOf ("=", false, false);
            hasValue = true;
        }

        const auto takeValue = [&] (const juce::String& what) -> bool
        {
            if (hasValue)
                return true;
            if (i + 1 >= arguments.size())
            {
                result.error = name + " needs " + what;
                return false;
            }
            value = arguments[++i];
            hasValue = true;
            return true;
        };

        const auto flag = [&] (bool& target) -> bool
        {
            if (hasValue)
            {
                result.error = name + " takes no value";
                return false;
            }
            target = true;
            return true;
        };

        if (name == "--help" || name == "-h")
        {
            if (! flag (options.showHelp))
                return result;
        }
        else if (name == "--list-presets")
        {
            if (! flag (options.listPresets))
                return result;
        }
        else if (name == "--json")
        {
            if (! flag (options.json))
                return result;
        }
        else if (name == "--no-latency-compensation")
        {
            bool raw = false;
            if (! flag (raw))
                return result;
            options.compensateLatency = false;
        }
        else if (name == "--in" || name == "--out" || name == "--state" || name == "--save-state")
        {
            if (! takeValue ("a file"))
                return result;
            if (value.trim().isEmpty())
                return fail (name + " needs a file");

            const auto file = fileFromArgument (value);
            if (name == "--in")
                options.input = file;
            else if (name == "--out")
                options.output = file;
            else if (name == "--state")
                options.stateFile = file;
            else
                options.saveStateFile = file;
        }
        else if (name == "--rate")
        {
            if (! takeValue ("a sample rate in Hz"))
                return result;
            const auto rate = value.getDoubleValue();
            if (! value.trim().containsOnly ("0123456789.") || rate < 8000.0 || rate > 768000.0)
                return fail ("--rate must be a sample rate from 8000 to 768000 Hz (got \"" + value + "\")");
            options.demoRate = rate;
            options.rateGiven = true;
        }
        else if (name == "--bits")
        {
            if (! takeValue ("16, 24 or 32"))
                return result;
            if (value != "16" && value != "24" && value != "32")
                return fail ("--bits must be 16, 24 or 32 (got \"" + value + "\")");
            options.bits = value.getIntValue();
        }
        else if (name == "--block")
        {
            if (! takeValue ("a block size"))
                return result;
            const auto trimmed = value.trim();
            const auto size = isWholeNumber (trimmed) ? trimmed.getIntValue() : -1;
            if (size < minimumBlockSize || size > maximumBlockSize)
                return fail ("--block must be a whole number from " + juce::String (minimumBlockSize) + " to "
                             + juce::String (maximumBlockSize) + " (got \"" + value + "\")");
            options.blockSize = size;
        }
        else if (name == "--preset")
        {
            if (! takeValue ("a preset name or number"))
                return result;
            if (value.trim().isEmpty())
                return fail ("--preset needs a preset name or number");
            options.preset = value.trim();
        }
        else if (name == "--user-preset")
        {
            if (! takeValue ("a user preset name"))
                return result;
            if (value.trim().isEmpty())
                return fail ("--user-preset needs a user preset name");
            options.userPreset = value.trim();
        }
        else if (name == "--set")
        {
            if (! takeValue ("ID=TEXT"))
                return result;
            if (! value.containsChar ('='))
                return fail ("--set needs ID=TEXT (got \"" + value + "\")");
            options.settings.push_back ({ value.upToFirstOccurrenceOf ("=", false, false).trim(),
                                          value.fromFirstOccurrenceOf ("=", false, false).trim() });
        }
        else
        {
            return fail ("unknown option \"" + arguments[i] + "\" (see --help)");
        }
    }

    if (options.showHelp || options.listPresets)
        return result;

    if (options.output == juce::File())
        return fail ("no output file given: use --out FILE (see --help)");

    if (options.rateGiven && options.input != juce::File())
        return fail ("--rate applies to the demo signal only; a file is rendered at its own rate");

    return result;
}
} // namespace render
