// The built LV2 bundle, loaded from disk by lilv (the library most Linux hosts use) and
// by Debian's lv2ls and lv2info: its description, its latency report, its presets, its
// state through the wrapper, and its audio against the offline renderer.

#include "common/BuiltArtefacts.h"
#include "common/PluginFacts.h"
#include "common/Renderer.h"
#include "common/Subprocess.h"
#include "common/TestSignal.h"
#include "lv2/LilvHost.h"

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace
{
using namespace hosttest;

constexpr double sampleRate = 48000.0;

// The plain value the host sends for an output trim the user sees as shownDb.
float storedOutputTrim (float shownDb) { return shownDb - 9.98f; }

class Lv2Bundle : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bundle = std::make_unique<lilvhost::Bundle> (lv2Bundle(), pluginfacts::lv2Uri);
    }

    static void TearDownTestSuite() { bundle.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE (bundle->isLoaded()) << bundle->error();
    }

    // Null, with a failure, when lilv cannot instantiate the plug-in.
    static std::unique_ptr<lilvhost::Instance> instantiate (int blockLength = 512)
    {
        auto instance = std::make_unique<lilvhost::Instance> (*bundle, sampleRate, blockLength);
        if (instance->isReady())
            return instance;

        ADD_FAILURE() << instance->error();
        return {};
    }

    // Runs one short block so that queued changes reach the plug-in.
    static void runOneBlock (lilvhost::Instance& instance, int frames = 64)
    {
        std::vector<float> silence ((size_t) frames, 0.0f);
        std::vector<float> left ((size_t) frames), right ((size_t) frames);
        const float* in[] = { silence.data(), silence.data() };
        float* out[] = { left.data(), right.data() };
        instance.runBlock (in, out, frames);
    }

    static std::unique_ptr<lilvhost::Bundle> bundle;
};

std::unique_ptr<lilvhost::Bundle> Lv2Bundle::bundle;

//==============================================================================
TEST_F (Lv2Bundle, DescribesThePlugInUnderItsAbsoluteUri)
{
    const auto uri = bundle->getPluginUri();
    EXPECT_EQ (uri.rfind ("https://", 0), 0u) << uri;
    EXPECT_EQ (bundle->getName(), pluginfacts::name);
    EXPECT_TRUE (lilv_plugin_verify (bundle->getPlugin())) << "lilv finds the description incomplete";

    // The binary the description names is inside the bundle.
    const auto* library = lilv_plugin_get_library_uri (bundle->getPlugin());
    ASSERT_NE (library, nullptr);
    char* libraryPath = lilv_file_uri_parse (lilv_node_as_uri (library), nullptr);
    ASSERT_NE (libraryPath, nullptr);
    const std::filesystem::path binary (libraryPath);
    lilv_free (libraryPath);
    EXPECT_TRUE (std::filesystem::is_regular_file (binary)) << binary << " is missing";
    EXPECT_EQ (std::filesystem::canonical (binary.parent_path()), std::filesystem::canonical (lv2Bundle()));

    // Every feature it insists on is one a host can be expected to offer.
    for (const auto& feature : bundle->getRequiredFeatures())
        EXPECT_TRUE (feature == "http://lv2plug.in/ns/ext/urid#map"
                     || feature == "http://lv2plug.in/ns/ext/options#options"
                     || feature == "http://lv2plug.in/ns/ext/buf-size#boundedBlockLength")
            << "unexpected required feature " << feature;
}

TEST_F (Lv2Bundle, DeclaresTheElevenParametersWithTheirNamesAndRanges)
{
    const auto described = bundle->getParameters();
    ASSERT_EQ (described.size(), pluginfacts::parameters.size());

    std::map<std::string, lilvhost::DescribedParameter> byId;
    for (const auto& p : described)
        byId[p.id] = p;

    for (const auto& expected : pluginfacts::parameters)
    {
        SCOPED_TRACE (expected.id);
        const auto found = byId.find (expected.id);
        ASSERT_NE (found, byId.end()) << "the description has no parameter " << expected.id;
        const auto& p = found->second;

        EXPECT_EQ (p.uri, std::string (pluginfacts::lv2Uri) + ":" + expected.id);
        EXPECT_EQ (p.label, expected.name);
        ASSERT_TRUE (p.hasRange);
        // The description writes decimal text; six significant digits are all it keeps.
        EXPECT_NEAR (p.minimum, expected.minimum, 1.0e-4);
        EXPECT_NEAR (p.maximum, expected.maximum, 1.0e-4);
        EXPECT_NEAR (p.defaultValue, expected.defaultValue, 1.0e-4);
    }

    // A host offers these as a menu and sends the value of the entry chosen: the values
    // are plain values, in the parameter's own range, like everything else it sends.
    using Points = std::vector<std::pair<float, std::string>>;
    Points oversampling;
    for (size_t i = 0; i < pluginfacts::oversamplingTexts.size(); ++i)
        oversampling.emplace_back ((float) i, pluginfacts::oversamplingTexts[i]);
    EXPECT_EQ (byId["oversampling"].scalePoints, oversampling);
    EXPECT_EQ (byId["power"].scalePoints, (Points { { 0.0f, "Off" }, { 1.0f, "On" } }));
}

// Each entry of the oversampling menu, as a host sends it, selects its own factor.
TEST_F (Lv2Bundle, EachOversamplingMenuEntrySelectsItsFactor)
{
    for (const auto& p : bundle->getParameters())
    {
        if (p.id != "oversampling")
            continue;

        ASSERT_EQ (p.scalePoints.size(), pluginfacts::latencySamples.size());
        for (size_t i = 0; i < p.scalePoints.size(); ++i)
        {
            SCOPED_TRACE (p.scalePoints[i].second);
            auto instance = instantiate();
            ASSERT_NE (instance, nullptr);
            ASSERT_TRUE (instance->setParameter ("oversampling", p.scalePoints[i].first));
            runOneBlock (*instance);
            EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[i]);
        }
        return;
    }
    FAIL() << "the description has no oversampling parameter";
}

TEST_F (Lv2Bundle, HasStereoAudioPortsALatencyPortAndNoMidi)
{
    const auto* plugin = bundle->getPlugin();
    auto* world = bundle->getWorld();

    const auto count = [&] (const char* a, const char* b)
    {
        LilvNode* first = lilv_new_uri (world, a);
        LilvNode* second = lilv_new_uri (world, b);
        const auto n = lilv_plugin_get_num_ports_of_class (plugin, first, second, nullptr);
        lilv_node_free (first);
        lilv_node_free (second);
        return n;
    };

    EXPECT_EQ (count (LV2_CORE__AudioPort, LV2_CORE__InputPort), 2u);
    EXPECT_EQ (count (LV2_CORE__AudioPort, LV2_CORE__OutputPort), 2u);
    EXPECT_EQ (count (LV2_ATOM__AtomPort, LV2_CORE__InputPort), 1u);
    EXPECT_EQ (count (LV2_ATOM__AtomPort, LV2_CORE__OutputPort), 1u);

    LilvNode* latency = lilv_new_uri (world, LV2_CORE__latency);
    LilvNode* output = lilv_new_uri (world, LV2_CORE__OutputPort);
    const auto* latencyPort = lilv_plugin_get_port_by_designation (plugin, output, latency);
    EXPECT_NE (latencyPort, nullptr) << "no output port designated lv2:latency";
    EXPECT_TRUE (lilv_plugin_has_latency (plugin));
    lilv_node_free (latency);
    lilv_node_free (output);

    // Neither atom port carries MIDI.
    LilvNode* midiEvent = lilv_new_uri (world, LV2_MIDI__MidiEvent);
    LilvNode* atomClass = lilv_new_uri (world, LV2_ATOM__AtomPort);
    for (uint32_t i = 0; i < lilv_plugin_get_num_ports (plugin); ++i)
    {
        const auto* port = lilv_plugin_get_port_by_index (plugin, i);
        if (lilv_port_is_a (plugin, port, atomClass))
        {
            EXPECT_FALSE (lilv_port_supports_event (plugin, port, midiEvent))
                << "port " << lilv_node_as_string (lilv_port_get_symbol (plugin, port)) << " supports MIDI";
        }
    }
    lilv_node_free (midiEvent);
    lilv_node_free (atomClass);
}

TEST_F (Lv2Bundle, ExportsTheFactoryProgramsAsPresetsInOrder)
{
    const auto presets = bundle->getPresets();
    ASSERT_EQ (presets.size(), pluginfacts::programNames.size());

    for (size_t i = 0; i < presets.size(); ++i)
        EXPECT_EQ (presets[i].label, pluginfacts::programNames[i]) << presets[i].uri;
}

//==============================================================================
TEST_F (Lv2Bundle, LatencyPortReportsEachOversamplingFactor)
{
    for (int choice = 0; choice < 5; ++choice)
    {
        SCOPED_TRACE (pluginfacts::oversamplingTexts[(size_t) choice]);
        auto instance = instantiate();
        ASSERT_NE (instance, nullptr);
        ASSERT_TRUE (instance->setParameter ("oversampling", (float) choice));
        runOneBlock (*instance);
        EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[(size_t) choice]);
    }
}

TEST_F (Lv2Bundle, LatencyPortFollowsAChangeOfFactorWhileProcessing)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);
    runOneBlock (*instance);
    EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[2]) << "the default factor is 4x";

    for (const int choice : { 0, 4, 1, 3, 0, 2 })
    {
        SCOPED_TRACE (pluginfacts::oversamplingTexts[(size_t) choice]);
        ASSERT_TRUE (instance->setParameter ("oversampling", (float) choice));
        runOneBlock (*instance);
        EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[(size_t) choice]);
        runOneBlock (*instance);
        EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[(size_t) choice]);
    }
}

// With the mix at 0 the output is the dry path alone, which is delayed by exactly the
// latency the host was told: the report and the audio agree.
TEST_F (Lv2Bundle, DryPathIsDelayedByExactlyTheReportedLatency)
{
    const auto input = makeTestSignal (sampleRate, 0.3);
    const int settled = (int) (0.05 * sampleRate) + 64; // past the mixer's 50 ms ramp

    for (int choice = 0; choice < 5; ++choice)
    {
        SCOPED_TRACE (pluginfacts::oversamplingTexts[(size_t) choice]);
        auto instance = instantiate (256);
        ASSERT_NE (instance, nullptr);
        instance->setParameter ("oversampling", (float) choice);
        instance->setParameter ("mix", 0.0f);
        const auto output = instance->process (input, 256);

        const auto latency = (int) instance->latency();
        EXPECT_EQ (latency, pluginfacts::latencySamples[(size_t) choice]);

        int mismatches = 0;
        for (size_t c = 0; c < 2; ++c)
            for (int i = settled; i < input.numFrames(); ++i)
                if (output.channels[c][(size_t) i] != input.channels[c][(size_t) (i - latency)])
                    ++mismatches;
        EXPECT_EQ (mismatches, 0) << "the dry signal is not the input delayed by " << latency << " samples";
    }
}

TEST_F (Lv2Bundle, PowerOffPassesAudioThroughUntouched)
{
    const auto input = makeTestSignal (sampleRate, 0.3);
    auto instance = instantiate (512);
    ASSERT_NE (instance, nullptr);
    instance->setParameter ("power", 0.0f);
    instance->setParameter ("drive", 1.0f);
    instance->setParameter ("input", 12.0f);

    const auto output = instance->process (input, 512);
    const auto difference = compareAudio (input, output);
    EXPECT_TRUE (difference.identical) << difference.summary;
}

//==============================================================================
TEST_F (Lv2Bundle, PresetAppliesItsFactoryProgramThroughTheStateApi)
{
    const auto presets = bundle->getPresets();
    ASSERT_GT (presets.size(), (size_t) pluginfacts::masterLiftProgram);
    const auto& masterLift = presets[(size_t) pluginfacts::masterLiftProgram];
    ASSERT_EQ (masterLift.label, "Master Lift");

    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);
    std::string error;
    ASSERT_TRUE (instance->applyPreset (masterLift.uri, error)) << error;
    runOneBlock (*instance);

    // The plug-in tells the host its new values through patch:Set.
    const auto& reported = instance->reportedParameters();
    const std::map<std::string, float> expected { { "input", -1.0f }, { "drive", 0.14f }, { "low", 0.6f },
                                                  { "presence", 0.3f }, { "air", 1.2f }, { "opto", 0.2f },
                                                  { "speed", 0.18f }, { "mix", 0.95f },
                                                  { "output", storedOutputTrim (-0.2f) }, { "oversampling", 4.0f } };
    for (const auto& [id, value] : expected)
    {
        const auto found = reported.find (id);
        ASSERT_NE (found, reported.end()) << "no patch:Set for " << id << " after the preset";
        EXPECT_NEAR (found->second, value, 1.0e-5) << id;
    }

    runOneBlock (*instance);
    EXPECT_EQ (instance->latency(), (float) pluginfacts::latencySamples[4]) << "Master Lift runs at 16x";
}

// A host saves the plug-in's state with its session, as a Turtle file through lilv, and
// restores it into a new instance: the parameters and the sound come back.
TEST_F (Lv2Bundle, StateSurvivesTheWrapperAndASessionFile)
{
    const std::vector<std::pair<std::string, float>> settings {
        { "input", 4.5f }, { "drive", 0.42f }, { "low", -3.0f }, { "opto", 0.6f }, { "speed", 0.3f },
        { "mix", 0.7f }, { "output", storedOutputTrim (-2.0f) }, { "oversampling", 1.0f },
    };

    auto original = instantiate();
    ASSERT_NE (original, nullptr);
    for (const auto& [id, value] : settings)
        original->setParameter (id, value);
    runOneBlock (*original);

    LilvState* saved = original->saveState();
    ASSERT_NE (saved, nullptr);

    TemporaryFolder folder;
    auto& urids = bundle->getUrids();
    ASSERT_EQ (lilv_state_save (bundle->getWorld(), urids.mapFeatureData(), urids.unmapFeatureData(), saved,
                                "urn:vesk:session-state", folder.path().c_str(), "state.ttl"),
               0);
    lilv_state_free (saved);

    LilvNode* subject = lilv_new_uri (bundle->getWorld(), "urn:vesk:session-state");
    LilvState* loaded = lilv_state_new_from_file (bundle->getWorld(), urids.mapFeatureData(), subject,
                                                  folder.file ("state.ttl").c_str());
    lilv_node_free (subject);
    ASSERT_NE (loaded, nullptr) << "lilv cannot read the saved session file";

    auto restored = instantiate();
    ASSERT_NE (restored, nullptr);
    restored->restoreState (loaded);
    lilv_state_free (loaded);
    runOneBlock (*restored);

    for (const auto& [id, value] : settings)
    {
        const auto found = restored->reportedParameters().find (id);
        ASSERT_NE (found, restored->reportedParameters().end()) << id << " did not come back";
        EXPECT_NEAR (found->second, value, 1.0e-5) << id;
    }
    EXPECT_EQ (restored->latency(), (float) pluginfacts::latencySamples[1]) << "the restored 2x factor";

    // Same sound as an instance set up by hand, from the first sample on.
    auto reference = instantiate();
    ASSERT_NE (reference, nullptr);
    for (const auto& [id, value] : settings)
        reference->setParameter (id, value);
    runOneBlock (*reference);

    const auto input = makeTestSignal (sampleRate, 0.4);
    // Both have processed one silent block; start both from there.
    const auto difference = compareAudio (reference->process (input, 512), restored->process (input, 512));
    EXPECT_TRUE (difference.identical) << difference.summary;
}

//==============================================================================
// The command-line host against the same host in-process: the tool that the renderer
// comparison and the report use does what the library does.
TEST_F (Lv2Bundle, CommandLineHostRendersLikeTheLibrary)
{
    const auto program = lilvHostProgram();
    ASSERT_FALSE (program.empty());

    TemporaryFolder folder;
    const auto input = makeTestSignal (sampleRate, 0.4);
    std::string error;
    ASSERT_TRUE (writeWav (folder.file ("in.wav"), input, error)) << error;

    const auto run = runProcess ({ program, "--bundle", lv2Bundle(), "--in", folder.file ("in.wav"),
                                   "--out", folder.file ("out.wav"), "--block", "300",
                                   "--preset", "Mono Radio", "--set", "mix=0.4" },
                                 120.0);
    ASSERT_TRUE (run.succeeded()) << "vesk-lilv-host " << run.describe();

    Audio fromTool;
    ASSERT_TRUE (readWav (folder.file ("out.wav"), fromTool, error)) << error;

    auto instance = instantiate (300);
    ASSERT_NE (instance, nullptr);

    ASSERT_NE (instance, nullptr);
    const auto presets = bundle->getPresets();
    ASSERT_EQ (presets[28].label, "Mono Radio");
    ASSERT_TRUE (instance->applyPreset (presets[28].uri, error)) << error;
    instance->setParameter ("mix", 0.4f);

    const auto difference = compareAudio (instance->process (input, 300), fromTool);
    EXPECT_TRUE (difference.identical) << difference.summary;
    EXPECT_NE (run.output.find ("latency 4"), std::string::npos) << run.output;
}

//==============================================================================
// The lilv host's raw output against the offline renderer's raw output, sample for
// sample, for the same settings.
struct RendererCase
{
    const char* name;
    std::vector<std::pair<std::string, float>> plainValues; // what the LV2 host sends
    std::vector<std::pair<std::string, std::string>> texts; // what the renderer is told
    const char* preset;
    int blockLength;
    double sampleRate;
};

std::ostream& operator<< (std::ostream& os, const RendererCase& c) { return os << c.name; }

class Lv2AgainstRenderer : public Lv2Bundle, public testing::WithParamInterface<RendererCase>
{
};

TEST_P (Lv2AgainstRenderer, OutputEqualsTheOfflineRenderer)
{
    const auto& c = GetParam();
    if (renderer().empty())
        GTEST_SKIP() << "this build has no offline renderer (vesk-q84d-render); the comparison is pending";

    TemporaryFolder folder;
    const auto input = makeTestSignal (c.sampleRate, 0.6);
    std::string error;
    ASSERT_TRUE (writeWav (folder.file ("in.wav"), input, error)) << error;

    RenderRequest request;
    request.preset = c.preset != nullptr ? c.preset : "";
    request.settings = c.texts;
    request.blockLength = c.blockLength;
    Audio fromRenderer;
    ASSERT_TRUE (renderReference (request, folder.file ("in.wav"), folder.file ("renderer.wav"), fromRenderer, error))
        << error;

    // The host plays on through the tail as the renderer does.
    ASSERT_TRUE (writeWav (folder.file ("played.wav"), withSilenceAppended (input, fromRenderer.numFrames()), error)) << error;

    std::vector<std::string> command { lilvHostProgram(), "--bundle", lv2Bundle(),
                                       "--in", folder.file ("played.wav"), "--out", folder.file ("lv2.wav"),
                                       "--block", std::to_string (c.blockLength) };
    if (c.preset != nullptr)
        command.insert (command.end(), { "--preset", c.preset });
    for (const auto& [id, value] : c.plainValues)
    {
        std::ostringstream setting;
        setting.precision (9);
        setting << id << "=" << value;
        command.insert (command.end(), { "--set", setting.str() });
    }

    const auto run = runProcess (command, 300.0);
    ASSERT_TRUE (run.succeeded()) << "vesk-lilv-host " << run.describe();

    Audio fromLv2;
    ASSERT_TRUE (readWav (folder.file ("lv2.wav"), fromLv2, error)) << error;

    const auto difference = compareAudio (fromRenderer, fromLv2);
    EXPECT_TRUE (difference.identical) << difference.summary;
}

INSTANTIATE_TEST_SUITE_P (
    Settings,
    Lv2AgainstRenderer,
    testing::Values (
        RendererCase { "Defaults", {}, {}, nullptr, 512, 48000.0 },
        RendererCase { "OneTimesHalfMix",
                       { { "oversampling", 0.0f }, { "mix", 0.5f }, { "drive", 0.4f }, { "input", 6.0f } },
                       { { "oversampling", "1x" }, { "mix", "50%" }, { "drive", "40%" }, { "input", "6" } },
                       nullptr, 256, 48000.0 },
        RendererCase { "TwoTimesBandsAndLdr",
                       { { "oversampling", 1.0f }, { "opto", 0.7f }, { "speed", 0.3f }, { "low", 4.0f }, { "air", -3.0f } },
                       { { "oversampling", "2x" }, { "opto", "70%" }, { "speed", "30%" }, { "low", "4" }, { "air", "-3" } },
                       nullptr, 64, 44100.0 },
        RendererCase { "EightTimesOutputTrim",
                       { { "oversampling", 3.0f }, { "presence", 5.0f }, { "output", storedOutputTrim (-6.0f) } },
                       { { "oversampling", "8x" }, { "presence", "5" }, { "output", "-6" } },
                       nullptr, 1000, 48000.0 },
        RendererCase { "SixteenTimesOddBlocks",
                       { { "oversampling", 4.0f }, { "drive", 0.8f }, { "opto", 0.5f } },
                       { { "oversampling", "16x" }, { "drive", "80%" }, { "opto", "50%" } },
                       nullptr, 17, 48000.0 },
        RendererCase { "PresetSilverGlue", {}, {}, "Silver Glue", 512, 48000.0 },
        RendererCase { "PresetMonoRadio", {}, {}, "Mono Radio", 128, 48000.0 },
        RendererCase { "PresetMasterDensity", {}, {}, "Master Density", 480, 44100.0 },
        RendererCase { "PresetWithAChange", { { "mix", 0.25f } }, { { "mix", "25%" } }, "Drum Crush Parallel", 512, 48000.0 },
        RendererCase { "PowerOff", { { "power", 0.0f } }, { { "power", "Off" } }, nullptr, 512, 48000.0 }),
    [] (const testing::TestParamInfo<RendererCase>& testCase) { return std::string (testCase.param.name); });

//==============================================================================
// Debian's lilv-utils read the bundle from LV2_PATH the way every lilv host finds it.
class Lv2Tools : public testing::Test
{
protected:
    static std::string tool (const char* name)
    {
        const auto path = findOnPath (name);
        if (path.empty())
            ADD_FAILURE() << name << " is not installed: install Debian's lilv-utils package (scripts/install-deps.sh)";
        return path;
    }

    static std::vector<std::string> lv2Path()
    {
        const auto folder = std::filesystem::path (lv2Bundle()).parent_path().string();
        return { "LV2_PATH=" + folder };
    }
};

TEST_F (Lv2Tools, Lv2lsListsThePlugInByItsAbsoluteUri)
{
    const auto lv2ls = tool ("lv2ls");
    if (lv2ls.empty())
        return;

    const auto run = runProcess ({ lv2ls }, 60.0, lv2Path());
    ASSERT_TRUE (run.succeeded()) << "lv2ls " << run.describe();

    std::istringstream lines (run.output);
    std::vector<std::string> uris;
    for (std::string line; std::getline (lines, line);)
        if (! line.empty())
            uris.push_back (line);

    EXPECT_EQ (uris, std::vector<std::string> { pluginfacts::lv2Uri }) << run.output;
}

TEST_F (Lv2Tools, Lv2infoShowsTheLatencyPortAndTheElevenParameters)
{
    const auto lv2info = tool ("lv2info");
    if (lv2info.empty())
        return;

    const auto run = runProcess ({ lv2info, pluginfacts::lv2Uri }, 60.0, lv2Path());
    ASSERT_TRUE (run.succeeded()) << "lv2info " << run.describe();
    EXPECT_NE (run.output.find ("Name:              Vesk Q84D"), std::string::npos) << run.output;
    EXPECT_NE (run.output.find ("Has latency:       yes"), std::string::npos) << run.output;
    EXPECT_NE (run.output.find ("Symbol:      latency"), std::string::npos) << run.output;
    EXPECT_NE (run.output.find ("lv2core#reportsLatency"), std::string::npos) << run.output;

    for (const auto* name : pluginfacts::programNames)
        EXPECT_NE (run.output.find (std::string (" ") + name + "\n"), std::string::npos) << "preset " << name;

    // lv2info writes the description it read as Turtle; the parameters are in there.
    TemporaryFolder folder;
    const auto described = folder.file ("description.ttl");
    const auto dump = runProcess ({ lv2info, "-p", described, pluginfacts::lv2Uri }, 60.0, lv2Path());
    ASSERT_TRUE (dump.succeeded()) << "lv2info -p " << dump.describe();

    std::ifstream stream (described);
    const std::string turtle ((std::istreambuf_iterator<char> (stream)), std::istreambuf_iterator<char>());
    const auto writable = turtle.find ("patch#writable>");
    ASSERT_NE (writable, std::string::npos) << turtle;
    const auto statementEnd = turtle.find (';', writable);

    for (const auto& p : pluginfacts::parameters)
    {
        const auto uri = std::string ("<") + pluginfacts::lv2Uri + ":" + p.id + ">";
        const auto at = turtle.find (uri, writable);
        EXPECT_TRUE (at != std::string::npos && at < statementEnd) << uri << " is not among patch:writable";
    }

    std::string writableList = turtle.substr (writable, statementEnd - writable);
    EXPECT_EQ (std::count (writableList.begin(), writableList.end(), '<'), 11) << writableList;
}
} // namespace
