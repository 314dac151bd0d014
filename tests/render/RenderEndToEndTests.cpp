// Whole renders through the real processor, driven through the renderer's command line.

#include "AudioFiles.h"
#include "PluginProcessor.h"
#include "RenderCommand.h"
#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

namespace
{
struct RenderRun
{
    int status = -1;
    std::string out, err;
};

// A folder of its own for every test, inside the test process's temporary HOME.
class RenderEndToEnd : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder = juce::File (testsupport::temporaryHome()).getChildFile ("render").getChildFile (test->name());
        folder.deleteRecursively();
        ASSERT_TRUE (folder.createDirectory());
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }

    RenderRun run (const juce::StringArray& arguments) const
    {
        std::ostringstream out, err;
        render::Console console { out, err, false };
        RenderRun result;
        result.status = render::runCommandLine (arguments, console);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    static render::AudioData read (const juce::File& source)
    {
        render::AudioData data;
        const auto result = render::readAudioFile (source, data);
        EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
        return data;
    }

    static void write (const juce::File& target, const juce::AudioBuffer<float>& audio, double rate, int bits = 32)
    {
        const auto result = render::writeWavFile (target, audio, rate, bits);
        ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    }

    static juce::AudioBuffer<float> impulse (int channels, int length, int position, float height)
    {
        juce::AudioBuffer<float> audio (channels, length);
        audio.clear();
        for (int ch = 0; ch < channels; ++ch)
            audio.setSample (ch, position, height);
        return audio;
    }

    // A smooth pulse, well inside the band of every oversampler, centred on `position`.
    static juce::AudioBuffer<float> pulse (int length, int position)
    {
        juce::AudioBuffer<float> audio (1, length);
        audio.clear();
        for (int i = -16; i <= 16; ++i)
            audio.setSample (0, position + i, 0.02f * (0.5f + 0.5f * std::cos (juce::MathConstants<float>::pi * (float) i / 16.0f)));
        return audio;
    }

    static int peakIndex (const juce::AudioBuffer<float>& audio)
    {
        const auto* samples = audio.getReadPointer (0);
        return static_cast<int> (std::max_element (samples, samples + audio.getNumSamples(),
                                                   [] (float a, float b) { return std::abs (a) < std::abs (b); })
                                 - samples);
    }

    juce::File folder;
};
} // namespace

TEST_F (RenderEndToEnd, rendersTheDemoSignalAndSummarisesIt)
{
    const auto output = file ("demo.wav");
    const auto result = run ({ "--out", output.getFullPathName(), "--preset", "Silver Glue" });
    ASSERT_EQ (result.status, 0) << result.err;
    EXPECT_TRUE (result.err.empty()) << result.err;

    const auto audio = read (output);
    EXPECT_EQ (audio.sampleRate, 48000.0);
    EXPECT_EQ (audio.samples.getNumChannels(), 2);
    EXPECT_EQ (audio.samples.getNumSamples(), 6 * 48000 + juce::roundToInt (0.65 * 48000));
    EXPECT_GT (audio.samples.getMagnitude (0, 0, audio.samples.getNumSamples()), 0.05f);

    for (const auto* expected : { "length", "48000 Hz", "latency   6 samples", "oversamp. 4x", "Silver Glue", "input     peak",
                                  "output    peak", "largest gain reduction" })
        EXPECT_NE (result.out.find (expected), std::string::npos) << expected << " in\n" << result.out;

    // The folder holds the output and nothing else: no temporary file left over.
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (RenderEndToEnd, theJsonSummaryIsOneObject)
{
    const auto result = run ({ "--out", file ("demo.wav").getFullPathName(), "--rate", "44100", "--json",
                               "--set", "oversampling=16x", "--set", "opto=100%", "--set", "drive=80%" });
    ASSERT_EQ (result.status, 0) << result.err;

    const auto summary = juce::JSON::parse (juce::String (result.out));
    ASSERT_TRUE (summary.isObject()) << result.out;
    EXPECT_EQ ((double) summary["sampleRate"], 44100.0);
    EXPECT_EQ ((int) summary["channels"], 2);
    EXPECT_EQ ((int) summary["latencySamples"], 6);
    EXPECT_EQ (summary["oversampling"].toString(), "16x");
    EXPECT_EQ ((int) summary["lengthSamples"], 6 * 44100 + juce::roundToInt (0.65 * 44100));
    EXPECT_TRUE ((bool) summary["latencyCompensated"]);
    EXPECT_GT ((double) summary["largestGainReductionDb"], 1.0);
    EXPECT_LT ((double) summary["inputPeakDb"], 0.0);
    for (const auto* key : { "inputRmsDb", "outputPeakDb", "outputRmsDb", "lengthSeconds", "blockSize", "settings" })
        EXPECT_TRUE (summary.hasProperty (key)) << key;
}

TEST_F (RenderEndToEnd, aWavFileComesBackThroughAPresetAsTheProcessorMakesIt)
{
    juce::AudioBuffer<float> input (1, 20000);
    juce::Random random (5);
    for (int i = 0; i < input.getNumSamples(); ++i)
        input.setSample (0, i, 0.5f * std::sin (0.03f * (float) i) + 0.1f * (random.nextFloat() - 0.5f));
    const auto source = file ("mono.wav");
    write (source, input, 44100.0);

    const auto output = file ("processed.wav");
    const auto result = run ({ "--in", source.getFullPathName(), "--out", output.getFullPathName(),
                               "--preset", "3", "--block", "300" });
    ASSERT_EQ (result.status, 0) << result.err;
    const auto rendered = read (output);
    ASSERT_EQ (rendered.samples.getNumChannels(), 1);
    EXPECT_EQ (rendered.sampleRate, 44100.0);

    // The same through a processor driven by hand: preset 3, mono, blocks of 300.
    VeskSchematicPluginAudioProcessor processor;
    processor.setCurrentProgram (3);
    juce::AudioProcessor::BusesLayout mono;
    mono.inputBuses.add (juce::AudioChannelSet::mono());
    mono.outputBuses.add (juce::AudioChannelSet::mono());
    ASSERT_TRUE (processor.setBusesLayout (mono));
    processor.prepareToPlay (44100.0, 300);
    const int latency = processor.getLatencySamples();
    const int total = input.getNumSamples() + juce::roundToInt (0.65 * 44100.0) + latency;
    juce::AudioBuffer<float> stream (1, total);
    stream.clear();
    stream.copyFrom (0, 0, input, 0, 0, input.getNumSamples());
    juce::MidiBuffer midi;
    for (int start = 0; start < total; start += 300)
    {
        juce::AudioBuffer<float> block (stream.getArrayOfWritePointers(), 1, start, juce::jmin (300, total - start));
        processor.processBlock (block, midi);
    }

    ASSERT_EQ (rendered.samples.getNumSamples(), total - latency);
    for (int i = 0; i < rendered.samples.getNumSamples(); ++i)
        ASSERT_EQ (rendered.samples.getSample (0, i), stream.getSample (0, i + latency)) << "sample " << i;
}

TEST_F (RenderEndToEnd, readsAiffAndWritesIntegerSamples)
{
    juce::AudioBuffer<float> input (2, 4800);
    for (int i = 0; i < input.getNumSamples(); ++i)
        for (int ch = 0; ch < 2; ++ch)
            input.setSample (ch, i, 0.25f * std::sin (0.05f * (float) (i * (ch + 1))));

    const auto source = file ("stereo.aiff");
    {
        juce::AiffAudioFormat aiff;
        auto stream = source.createOutputStream();
        ASSERT_NE (stream, nullptr);
        std::unique_ptr<juce::AudioFormatWriter> writer (aiff.createWriterFor (stream.get(), 96000.0, 2, 24, {}, 0));
        ASSERT_NE (writer, nullptr);
        stream.release();
        ASSERT_TRUE (writer->writeFromAudioSampleBuffer (input, 0, input.getNumSamples()));
    }

    for (const int bits : { 16, 24 })
    {
        const auto output = file ("out" + juce::String (bits) + ".wav");
        const auto result = run ({ "--in", source.getFullPathName(), "--out", output.getFullPathName(),
                                   "--bits", juce::String (bits), "--set", "power=off", "--no-latency-compensation" });
        ASSERT_EQ (result.status, 0) << result.err;

        std::unique_ptr<juce::AudioFormatReader> reader (juce::WavAudioFormat().createReaderFor (output.createInputStream().release(), true));
        ASSERT_NE (reader, nullptr);
        EXPECT_EQ ((int) reader->bitsPerSample, bits);
        EXPECT_FALSE (reader->usesFloatingPointData);
        EXPECT_EQ (reader->sampleRate, 96000.0);

        // Power off passes the input through untouched, without the latency the host was told
        // about, so the raw stream differs from the input only by the word length.
        const auto rendered = read (output);
        for (int i = 0; i < input.getNumSamples(); i += 97)
            EXPECT_NEAR (rendered.samples.getSample (1, i), input.getSample (1, i), bits == 16 ? 1.0e-4f : 1.0e-6f);
    }
}

TEST_F (RenderEndToEnd, latencyCompensationLinesTheOutputUpWithTheInput)
{
    const int position = 6000; // past the mixer's 50 ms ramp
    const auto source = file ("impulse.wav");
    write (source, impulse (1, 12000, position, 0.5f), 48000.0);
    const auto pulseSource = file ("pulse.wav");
    write (pulseSource, pulse (12000, position), 48000.0);

    const int latencies[] = { 0, 4, 6, 6, 6 };
    const char* factors[] = { "1x", "2x", "4x", "8x", "16x" };

    for (int choice = 0; choice < 5; ++choice)
    {
        const auto factor = juce::String ("oversampling=") + factors[choice];

        // The dry path alone: the impulse lands on its own index, exactly.
        const auto dry = file ("dry.wav");
        ASSERT_EQ (run ({ "--in", source.getFullPathName(), "--out", dry.getFullPathName(), "--set", factor, "--set", "mix=0" }).status, 0);
        const auto dryAudio = read (dry);
        EXPECT_EQ (peakIndex (dryAudio.samples), position) << factors[choice];
        EXPECT_EQ (dryAudio.samples.getSample (0, position), 0.5f) << factors[choice];

        // The wet path: the pulse's peak lands on its own index.
        const auto wet = file ("wet.wav");
        ASSERT_EQ (run ({ "--in", pulseSource.getFullPathName(), "--out", wet.getFullPathName(), "--set", factor }).status, 0);
        EXPECT_EQ (peakIndex (read (wet).samples), position) << factors[choice];

        // The raw stream keeps the latency.
        const auto raw = file ("raw.wav");
        ASSERT_EQ (run ({ "--in", source.getFullPathName(), "--out", raw.getFullPathName(), "--set", factor, "--set", "mix=0",
                          "--no-latency-compensation" })
                       .status,
                   0);
        EXPECT_EQ (peakIndex (read (raw).samples), position + latencies[choice]) << factors[choice];
    }
}

TEST_F (RenderEndToEnd, aSavedStateRendersLikeTheSettingsItCameFrom)
{
    const auto state = file ("settings.state");
    const auto direct = file ("direct.wav");
    const auto fromState = file ("from-state.wav");

    ASSERT_EQ (run ({ "--out", direct.getFullPathName(), "--rate", "22050", "--set", "drive=35%", "--set", "opto=0.6",
                      "--set", "oversampling=2x", "--save-state", state.getFullPathName() })
                   .status,
               0);
    ASSERT_TRUE (state.existsAsFile());

    const auto result = run ({ "--out", fromState.getFullPathName(), "--rate", "22050", "--state", state.getFullPathName(), "--json" });
    ASSERT_EQ (result.status, 0) << result.err;
    EXPECT_EQ (juce::JSON::parse (juce::String (result.out))["oversampling"].toString(), "2x");

    const auto a = read (direct), b = read (fromState);
    ASSERT_EQ (a.samples.getNumSamples(), b.samples.getNumSamples());
    for (int i = 0; i < a.samples.getNumSamples(); ++i)
        ASSERT_EQ (a.samples.getSample (0, i), b.samples.getSample (0, i)) << "sample " << i;
}

TEST_F (RenderEndToEnd, aUserPresetAndTheProgramTravelThroughTheState)
{
    const auto presetsFolder = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile ("Vesk Plugins");
    presetsFolder.deleteRecursively();

    {
        // A preset stored from the editor, in this test's documents folder.
        VeskSchematicPluginAudioProcessor editorSide;
        ASSERT_TRUE (setParameterFromPlainValue (editorSide.apvts, "drive", 0.42f));
        ASSERT_TRUE (setParameterFromPlainValue (editorSide.apvts, "oversampling", 1.0f));
        editorSide.storeUserPreset ("Hot Tape");
    }

    const auto first = file ("first.state"), second = file ("second.state");
    auto result = run ({ "--out", file ("a.wav").getFullPathName(), "--rate", "8000", "--preset", "5",
                         "--user-preset", "hot tape", "--save-state", first.getFullPathName(), "--json" });
    ASSERT_EQ (result.status, 0) << result.err;
    const auto summary = juce::JSON::parse (juce::String (result.out));
    EXPECT_EQ (summary["userPreset"].toString(), "Hot Tape");
    EXPECT_EQ (summary["oversampling"].toString(), "2x");

    // The state carries the program, the user preset's name and its values.
    juce::MemoryBlock saved;
    ASSERT_TRUE (first.loadFileAsData (saved));
    const auto xml = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getStringAttribute ("currentProgram"), "5");
    EXPECT_EQ (xml->getStringAttribute ("currentUserPresetName"), "Hot Tape");
    const auto* drive = xml->getChildByAttribute ("id", "drive");
    ASSERT_NE (drive, nullptr);
    EXPECT_NEAR (drive->getDoubleAttribute ("value"), 0.42, 1.0e-6);

    // Restored and saved again, nothing is lost.
    result = run ({ "--out", file ("b.wav").getFullPathName(), "--rate", "8000", "--state", first.getFullPathName(),
                    "--save-state", second.getFullPathName() });
    ASSERT_EQ (result.status, 0) << result.err;
    juce::MemoryBlock savedAgain;
    ASSERT_TRUE (second.loadFileAsData (savedAgain));
    EXPECT_EQ (savedAgain, saved);

    // A name that is not stored is refused before anything is rendered.
    result = run ({ "--out", file ("c.wav").getFullPathName(), "--user-preset", "Cold Tape" });
    EXPECT_EQ (result.status, 1);
    EXPECT_NE (result.err.find ("unknown user preset \"Cold Tape\"; the user presets are: Hot Tape"), std::string::npos) << result.err;
    EXPECT_FALSE (file ("c.wav").exists());

    presetsFolder.deleteRecursively();
}

TEST_F (RenderEndToEnd, badInputIsRefusedWithAMessageAndNoOutputFile)
{
    const auto text = file ("notes.txt");
    ASSERT_TRUE (text.replaceWithText ("these are not samples"));
    const auto unreadable = file ("locked.wav");
    write (unreadable, impulse (1, 100, 10, 0.5f), 48000.0);
    ASSERT_TRUE (unreadable.setReadOnly (true));
    ::chmod (unreadable.getFullPathName().toRawUTF8(), 0);
    const bool canStillRead = unreadable.createInputStream() != nullptr; // true when run as root

    const auto goodState = file ("good.state");
    ASSERT_EQ (run ({ "--out", file ("seed.wav").getFullPathName(), "--rate", "8000", "--save-state", goodState.getFullPathName() }).status, 0);
    file ("seed.wav").deleteFile();
    juce::MemoryBlock truncatedState;
    goodState.loadFileAsData (truncatedState);
    truncatedState.setSize (truncatedState.getSize() / 2);
    const auto truncated = file ("truncated.state");
    ASSERT_TRUE (truncated.replaceWithData (truncatedState.getData(), truncatedState.getSize()));
    const auto foreignXml = file ("foreign.state");
    {
        juce::MemoryBlock block;
        juce::AudioProcessor::copyXmlToBinary (juce::XmlElement ("SOMETHING_ELSE"), block);
        ASSERT_TRUE (foreignXml.replaceWithData (block.getData(), block.getSize()));
    }

    struct
    {
        const char* name;
        juce::StringArray arguments;
        const char* message;
        int status;
    } const cases[] = {
        { "missing input", { "--in", file ("absent.wav").getFullPathName() }, "no such file", 1 },
        { "input is a folder", { "--in", folder.getFullPathName() }, "it is a folder", 1 },
        { "unknown format", { "--in", text.getFullPathName() }, "not a WAV or AIFF file", 1 },
        { "unknown parameter", { "--set", "warmth=3" }, "unknown parameter \"warmth\"", 1 },
        { "unreadable text", { "--set", "mix=lots" }, "parameter \"mix\" cannot read \"lots\"", 1 },
        { "unreadable trailing text", { "--set", "input=3 volts" }, "parameter \"input\" cannot read \"3 volts\"", 1 },
        { "unknown choice", { "--set", "oversampling=32x" }, "parameter \"oversampling\" cannot read \"32x\"", 1 },
        { "unknown preset name", { "--preset", "Loud Please" }, "unknown preset \"Loud Please\"", 1 },
        { "unknown preset number", { "--preset", "33" }, "unknown preset \"33\"", 1 },
        { "block too small", { "--block", "0" }, "--block must be a whole number from 1 to 8192", 2 },
        { "block too large", { "--block", "8193" }, "--block must be a whole number from 1 to 8192", 2 },
        { "state file of text", { "--state", text.getFullPathName() }, "is not a state block", 1 },
        { "truncated state", { "--state", truncated.getFullPathName() }, "is not a state block", 1 },
        { "state of another kind", { "--state", foreignXml.getFullPathName() }, "is not a state block", 1 },
        { "missing state file", { "--state", file ("absent.state").getFullPathName() }, "no such file", 1 },
        { "output folder missing", { "--rate", "8000" }, "does not exist", 1 },
        { "state target folder missing", { "--save-state", file ("no-such-folder").getChildFile ("s.state").getFullPathName() }, "does not exist", 1 },
    };

    for (const auto& c : cases)
    {
        const bool isOutputCase = juce::String (c.name) == "output folder missing";
        const auto output = isOutputCase ? file ("no-such-folder").getChildFile ("out.wav") : file ("out.wav");
        auto arguments = c.arguments;
        arguments.add ("--out");
        arguments.add (output.getFullPathName());

        const auto result = run (arguments);
        EXPECT_EQ (result.status, c.status) << c.name;
        EXPECT_NE (result.err.find (c.message), std::string::npos) << c.name << ": " << result.err;
        EXPECT_FALSE (output.exists()) << c.name;
        EXPECT_TRUE (result.out.empty()) << c.name;
    }

    if (! canStillRead)
    {
        const auto result = run ({ "--in", unreadable.getFullPathName(), "--out", file ("out.wav").getFullPathName() });
        EXPECT_EQ (result.status, 1);
        EXPECT_NE (result.err.find ("cannot read input file"), std::string::npos) << result.err;
        EXPECT_FALSE (file ("out.wav").exists());
    }
    ::chmod (unreadable.getFullPathName().toRawUTF8(), 0644);

    // Nothing but the test's own files: no temporary file of a failed render is left.
    juce::StringArray names;
    for (const auto& child : folder.findChildFiles (juce::File::findFilesAndDirectories, false))
        names.add (child.getFileName());
    names.sort (false);
    EXPECT_EQ (names.joinIntoString (","), "foreign.state,good.state,locked.wav,notes.txt,truncated.state");
}

TEST_F (RenderEndToEnd, theExecutableReportsThroughItsExitStatus)
{
    juce::ChildProcess help;
    ASSERT_TRUE (help.start (juce::StringArray { VESK_RENDER_EXECUTABLE, "--help" }));
    const auto helpText = help.readAllProcessOutput();
    ASSERT_TRUE (help.waitForProcessToFinish (60000)); // the exit code is only known then
    EXPECT_EQ (help.getExitCode(), 0u);
    EXPECT_TRUE (helpText.contains ("--no-latency-compensation"));

    juce::ChildProcess bad;
    const auto output = file ("never.wav");
    ASSERT_TRUE (bad.start (juce::StringArray { VESK_RENDER_EXECUTABLE, "--out", output.getFullPathName(), "--block", "0" }));
    const auto message = bad.readAllProcessOutput();
    ASSERT_TRUE (bad.waitForProcessToFinish (60000));
    EXPECT_EQ (bad.getExitCode(), 2u);
    EXPECT_TRUE (message.contains ("--block must be a whole number from 1 to 8192")) << message;
    EXPECT_FALSE (output.exists());
}
