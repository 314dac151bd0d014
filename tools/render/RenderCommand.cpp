#include "RenderCommand.h"

#include "AudioFiles.h"
#include "DemoSignal.h"
#include "OfflineRender.h"
#include "ProcessorSetup.h"

namespace render
{
namespace
{
    // Renders of less than a second finish before a bar would be worth looking at.
    constexpr double progressThresholdSeconds = 1.0;

    class ProgressBar
    {
    public:
        ProgressBar (std::ostream& stream, bool visible) : out (stream), shown (visible) {}

        void update (double fraction)
        {
            if (! shown)
                return;
            const int percent = juce::jlimit (0, 100, static_cast<int> (fraction * 100.0));
            if (percent == lastPercent)
                return;
            lastPercent = percent;
            const int filled = percent * width / 100;
            out << "\rrendering [" << std::string ((size_t) filled, '#') << std::string ((size_t) (width - filled), '.')
                << "] " << percent << "%" << std::flush;
        }

        void finish()
        {
            if (shown && lastPercent >= 0)
                out << "\r" << std::string (width + 20, ' ') << "\r" << std::flush;
        }

    private:
        static constexpr int width = 40;
        std::ostream& out;
        bool shown;
        int lastPercent = -1;
    };

    juce::var decibelsOrNull (float gain)
    {
        return gain > 0.0f ? juce::var (juce::Decibels::gainToDecibels (static_cast<double> (gain), -1000.0)) : juce::var();
    }

    juce::String decibelText (float gain)
    {
        return gain > 0.0f ? juce::String (juce::Decibels::gainToDecibels (gain, -1000.0f), 2) + " dBFS" : "-inf dBFS";
    }

    juce::String parameterText (juce::AudioProcessor& processor, const juce::String& id)
    {
        for (auto* parameter : processor.getParameters())
            if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
                if (withId->paramID == id)
                    return withId->getCurrentValueAsText();
        return {};
    }

    int fail (Console& console, const juce::String& message, int status = failure)
    {
        console.err << "vesk-q84d-render: " << message << std::endl;
        return status;
    }

    void listPresets (juce::AudioProcessor& processor, std::ostream& out)
    {
        for (int i = 0; i < processor.getNumPrograms(); ++i)
            out << juce::String (i).paddedLeft (' ', 2) << "  " << processor.getProgramName (i) << "\n";
    }
} // namespace

int runRenderer (const Options& options, Console& console)
{
    if (options.showHelp)
    {
        console.out << helpText();
        return success;
    }

    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    if (processor == nullptr)
        return fail (console, "the plug-in could not be created");

    if (options.listPresets)
    {
        listPresets (*processor, console.out);
        return success;
    }

    // Where the results go is checked before any work, so that a typing error costs nothing.
    for (const auto& target : { options.output, options.saveStateFile })
        if (target != juce::File())
            if (auto check = checkOutputTarget (target); check.failed())
                return fail (console, check.getErrorMessage());

    AppliedSettings applied;
    if (auto result = applySettings (*processor, options, applied); result.failed())
        return fail (console, result.getErrorMessage());

    AudioData input;
    const bool useDemo = options.input == juce::File();
    if (useDemo)
    {
        input.sampleRate = options.demoRate;
        input.samples = makeDemoSignal (options.demoRate);
    }
    else if (auto read = readAudioFile (options.input, input); read.failed())
    {
        return fail (console, read.getErrorMessage());
    }

    const double inputSeconds = input.samples.getNumSamples() / input.sampleRate;
    ProgressBar bar (console.err, console.errIsTerminal && inputSeconds > progressThresholdSeconds);

    RenderResult rendered;
    if (auto result = renderThrough (*processor, input.samples, input.sampleRate, options.blockSize,
                                     options.compensateLatency, rendered, [&bar] (double done) { bar.update (done); });
        result.failed())
    {
        bar.finish();
        return fail (console, result.getErrorMessage());
    }
    bar.finish();

    if (auto written = writeWavFile (options.output, rendered.audio, input.sampleRate, options.bits); written.failed())
        return fail (console, written.getErrorMessage());

    if (options.saveStateFile != juce::File())
    {
        juce::MemoryBlock state;
        processor->getStateInformation (state);
        if (auto written = writeBinaryFile (options.saveStateFile, state); written.failed())
        {
            // The command did not do all it was asked, so it leaves no output behind.
            options.output.deleteFile();
            return fail (console, written.getErrorMessage());
        }
    }

    const auto inputLevels = measureLevels (input.samples);
    const auto outputLevels = measureLevels (rendered.audio);
    const int numChannels = rendered.audio.getNumChannels();
    const int length = rendered.audio.getNumSamples();
    const auto oversampling = parameterText (*processor, "oversampling");
    const auto format = options.bits == 32 ? juce::String ("32-bit float WAV") : juce::String (options.bits) + "-bit WAV";

    if (options.json)
    {
        auto* summary = new juce::DynamicObject();
        summary->setProperty ("input", useDemo ? juce::var ("demo") : juce::var (options.input.getFullPathName()));
        summary->setProperty ("output", options.output.getFullPathName());
        summary->setProperty ("format", format);
        summary->setProperty ("sampleRate", input.sampleRate);
        summary->setProperty ("channels", numChannels);
        summary->setProperty ("lengthSamples", length);
        summary->setProperty ("lengthSeconds", length / input.sampleRate);
        summary->setProperty ("tailSeconds", processor->getTailLengthSeconds());
        summary->setProperty ("blockSize", options.blockSize);
        summary->setProperty ("latencySamples", rendered.latencySamples);
        summary->setProperty ("latencyCompensated", options.compensateLatency);
        summary->setProperty ("oversampling", oversampling);
        summary->setProperty ("preset", applied.presetName.isEmpty() ? juce::var() : juce::var (applied.presetName));
        summary->setProperty ("userPreset", applied.userPresetName.isEmpty() ? juce::var() : juce::var (applied.userPresetName));
        juce::Array<juce::var> changes;
        for (const auto& change : applied.changes)
            changes.add (change);
        summary->setProperty ("settings", changes);
        summary->setProperty ("inputPeakDb", decibelsOrNull (inputLevels.peak));
        summary->setProperty ("inputRmsDb", decibelsOrNull (inputLevels.rms));
        summary->setProperty ("outputPeakDb", decibelsOrNull (outputLevels.peak));
        summary->setProperty ("outputRmsDb", decibelsOrNull (outputLevels.rms));
        summary->setProperty ("largestGainReductionDb", rendered.largestGainReductionDb);
        console.out << juce::JSON::toString (juce::var (summary), true) << std::endl;
    }
    else
    {
        auto& out = console.out;
        out << "rendered  " << (useDemo ? juce::String ("demo signal") : options.input.getFullPathName())
            << " -> " << options.output.getFullPathName() << " (" << format << ")\n";
        out << "length    " << juce::String (length / input.sampleRate, 3) << " s (" << length << " samples, "
            << (numChannels == 1 ? "mono" : "stereo") << ", including the " << juce::String (processor->getTailLengthSeconds(), 2)
            << " s tail)\n";
        out << "rate      " << juce::String (input.sampleRate, 0) << " Hz, blocks of " << options.blockSize << "\n";
        out << "latency   " << rendered.latencySamples << " samples, "
            << (options.compensateLatency ? "removed from the start" : "kept in the output") << "\n";
        out << "oversamp. " << oversampling << "\n";
        if (applied.presetName.isNotEmpty())
            out << "preset    " << applied.presetName << "\n";
        if (applied.userPresetName.isNotEmpty())
            out << "preset    " << applied.userPresetName << " (user preset)\n";
        for (const auto& change : applied.changes)
            out << "set       " << change << "\n";
        out << "input     peak " << decibelText (inputLevels.peak) << ", RMS " << decibelText (inputLevels.rms) << "\n";
        out << "output    peak " << decibelText (outputLevels.peak) << ", RMS " << decibelText (outputLevels.rms) << "\n";
        out << "largest gain reduction " << juce::String (rendered.largestGainReductionDb, 2) << " dB\n";
        if (options.bits != 32 && outputLevels.peak > 1.0f)
            out << "note      the output peaks above full scale and is clipped in " << options.bits << "-bit samples\n";
        out << std::flush;
    }

    return success;
}

int runCommandLine (const juce::StringArray& arguments, Console& console)
{
    const auto parsed = parseCommandLine (arguments);
    if (! parsed.ok())
        return fail (console, parsed.error, commandLineError);
    return runRenderer (parsed.options, console);
}
} // namespace render
