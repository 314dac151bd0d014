// The built VST3 and LV2 bundles, loaded from disk through JUCE's own hosting classes the
// way a DAW does: scan, instantiate, read the description, process, save and restore,
// switch programs and automate from another thread.

#include "common/BuiltArtefacts.h"
#include "common/PluginFacts.h"
#include "common/Renderer.h"
#include "common/Subprocess.h"
#include "common/TestSignal.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

namespace
{
using namespace hosttest;

constexpr double sampleRate = 48000.0;

// The message thread of a host: the test's main thread, with JUCE running on it.
class JuceHostEnvironment : public testing::Environment
{
public:
    void SetUp() override { initialiser = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { initialiser.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> initialiser;
};

[[maybe_unused]] const auto* const environment = testing::AddGlobalTestEnvironment (new JuceHostEnvironment());

// Lets the message thread deliver what the plug-in posted (latency and parameter updates).
void pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

// Runs work on a thread of its own, as a host's audio thread, while the message loop
// keeps running here.
void runOnAudioThread (const std::function<void()>& work)
{
    std::atomic<bool> finished { false };
    std::thread audio ([&]
                       {
                           work();
                           finished = true;
                       });

    while (! finished)
        pumpMessages (5);

    audio.join();
    pumpMessages (20);
}

//==============================================================================
enum class Format
{
    vst3,
    lv2
};

struct FormatTraits
{
    Format format;
    const char* name;
    // What the format itself carries: LV2 has no tail, no parameter texts, no labels and
    // a fixed stereo port set; VST3 adds a bypass and a program parameter of its own.
    bool carriesTail, carriesTexts, canChangeLayout;
    // VST3 lets a host deactivate a bus whatever the layout rule says; the wrapper then
    // feeds the processor silence on its unchanged stereo input.
    bool hostMayDeactivateInput;
    // An LV2 description is a set: the presets come in the host's own order.
    bool keepsProgramOrder;
    bool hostShowsProgramValues;
};

std::ostream& operator<< (std::ostream& os, const FormatTraits& f) { return os << f.name; }

const FormatTraits vst3Traits { Format::vst3, "VST3", true, true, true, true, true, false };
const FormatTraits lv2Traits { Format::lv2, "LV2", false, false, false, false, false, true };

// One format, its manager and the description found by scanning the bundle.
class HostedFormat
{
public:
    explicit HostedFormat (Format f)
    {
        if (f == Format::vst3)
        {
            format = new juce::VST3PluginFormat();
            manager.addFormat (format);
            format->findAllTypesForFile (found, vst3Bundle());
        }
        else
        {
            format = new juce::LV2PluginFormat();
            manager.addFormat (format);

            // A DAW scans folders; the folder that holds the bundle is the one to scan.
            const auto folder = juce::File (lv2Bundle()).getParentDirectory();
            for (const auto& identifier : format->searchPathsForPlugins (juce::FileSearchPath (folder.getFullPathName()), true, false))
                if (identifier == pluginfacts::lv2Uri)
                    format->findAllTypesForFile (found, identifier);
        }
    }

    const juce::PluginDescription* description() const { return found.isEmpty() ? nullptr : found.getFirst(); }
    int numberFound() const { return found.size(); }

    std::unique_ptr<juce::AudioPluginInstance> instantiate (double rate, int block, juce::String& error)
    {
        if (description() == nullptr)
        {
            error = "the scan found no plug-in";
            return {};
        }
        return manager.createPluginInstance (*description(), rate, block, error);
    }

private:
    juce::AudioPluginFormatManager manager;
    juce::AudioPluginFormat* format = nullptr;
    juce::OwnedArray<juce::PluginDescription> found;
};

juce::AudioProcessorParameter* findParameter (juce::AudioProcessor& processor, const juce::String& name)
{
    for (auto* p : processor.getParameters())
        if (p->getName (1024) == name)
            return p;
    return nullptr;
}

const pluginfacts::Parameter& facts (const std::string& id)
{
    for (const auto& p : pluginfacts::parameters)
        if (id == p.id)
            return p;
    throw std::invalid_argument ("no parameter " + id);
}

// Sets a parameter as a user types its text into the host.
bool setFromText (juce::AudioProcessor& processor, const std::string& id, const juce::String& text)
{
    auto* parameter = findParameter (processor, facts (id).name);
    if (parameter == nullptr)
        return false;

    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (parameter->getValueForText (text));
    parameter->endChangeGesture();
    return true;
}

// Sets a parameter from its plain value, through the normalised value a host handles.
bool setPlain (juce::AudioProcessor& processor, const std::string& id, float plain)
{
    const auto& f = facts (id);
    auto* parameter = findParameter (processor, f.name);
    if (parameter == nullptr)
        return false;

    parameter->setValueNotifyingHost ((plain - f.minimum) / (f.maximum - f.minimum));
    return true;
}

// One change as a user makes it: the text typed into a host that shows the plug-in's
// texts (and into the renderer), or the plain number a host without them sends.
struct Setting
{
    std::string id;
    juce::String text;
    float plain;
};

bool apply (juce::AudioProcessor& processor, const Setting& setting, bool hostUsesTexts)
{
    return hostUsesTexts ? setFromText (processor, setting.id, setting.text)
                         : setPlain (processor, setting.id, setting.plain);
}

// Processes a whole signal block by block on an audio thread of its own.
Audio process (juce::AudioPluginInstance& instance, const Audio& input, int blockLength)
{
    Audio output;
    output.sampleRate = input.sampleRate;
    output.channels.assign ((size_t) input.numChannels(), std::vector<float> ((size_t) input.numFrames()));

    runOnAudioThread ([&]
                      {
                          const auto channels = juce::jmax (instance.getTotalNumInputChannels(), instance.getTotalNumOutputChannels());
                          juce::AudioBuffer<float> buffer (channels, blockLength);
                          juce::MidiBuffer midi;

                          for (int start = 0; start < input.numFrames(); start += blockLength)
                          {
                              const auto frames = juce::jmin (blockLength, input.numFrames() - start);
                              buffer.setSize (channels, frames, false, false, true);
                              buffer.clear();
                              for (int c = 0; c < input.numChannels() && c < channels; ++c)
                                  buffer.copyFrom (c, 0, input.channels[(size_t) c].data() + start, frames);

                              instance.processBlock (buffer, midi);
                              midi.clear();

                              for (int c = 0; c < input.numChannels() && c < channels; ++c)
                                  std::copy (buffer.getReadPointer (c), buffer.getReadPointer (c) + frames,
                                             output.channels[(size_t) c].begin() + start);
                          }
                      });

    return output;
}

// A block of silence, so that queued parameter changes reach the plug-in.
void processSilence (juce::AudioPluginInstance& instance, int blocks = 1, int blockLength = 256)
{
    runOnAudioThread ([&]
                      {
                          juce::AudioBuffer<float> buffer (juce::jmax (2, instance.getTotalNumOutputChannels()), blockLength);
                          juce::MidiBuffer midi;
                          for (int i = 0; i < blocks; ++i)
                          {
                              buffer.clear();
                              instance.processBlock (buffer, midi);
                          }
                      });
}

// What the plug-in changes itself (programs, latency) reaches a host with the next
// blocks and messages: keep both going until the host sees the condition.
bool processUntil (juce::AudioPluginInstance& instance, const std::function<bool()>& condition)
{
    for (int i = 0; i < 100; ++i)
    {
        if (condition())
            return true;
        processSilence (instance, 1, 64);
        pumpMessages (10);
    }
    return condition();
}

int programIndex (juce::AudioProcessor& processor, const juce::String& name)
{
    for (int i = 0; i < processor.getNumPrograms(); ++i)
        if (processor.getProgramName (i) == name)
            return i;
    return -1;
}

//==============================================================================
class JuceHost : public testing::TestWithParam<FormatTraits>
{
protected:
    void SetUp() override
    {
        hosted = std::make_unique<HostedFormat> (GetParam().format);
        ASSERT_EQ (hosted->numberFound(), 1) << "scanning the " << GetParam().name << " bundle found "
                                             << hosted->numberFound() << " plug-ins";
    }

    void TearDown() override
    {
        hosted.reset();
        pumpMessages (10);
    }

    std::unique_ptr<juce::AudioPluginInstance> instantiate (int blockLength = 512, bool prepare = true)
    {
        juce::String error;
        auto instance = hosted->instantiate (sampleRate, blockLength, error);
        EXPECT_NE (instance, nullptr) << error;
        if (instance != nullptr && prepare)
            instance->prepareToPlay (sampleRate, blockLength);
        return instance;
    }

    static bool isWrapperParameter (const juce::String& name) { return name == "Bypass" || name == "Program"; }

    std::unique_ptr<HostedFormat> hosted;
};

TEST_P (JuceHost, ScanDescribesAnEffectNamedVeskQ84D)
{
    const auto* description = hosted->description();
    ASSERT_NE (description, nullptr);
    EXPECT_EQ (description->name, pluginfacts::name);
    EXPECT_EQ (description->pluginFormatName, GetParam().name);
    EXPECT_FALSE (description->isInstrument);
    EXPECT_EQ (description->numInputChannels, 2);
    EXPECT_EQ (description->numOutputChannels, 2);
    if (GetParam().format == Format::vst3)
    {
        EXPECT_EQ (description->manufacturerName, "Vesk Audio");
        EXPECT_EQ (description->category, "Fx|Distortion|Dynamics");
    }
}

TEST_P (JuceHost, InstanceReportsNameMidiBusesAndTail)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);

    EXPECT_EQ (instance->getName(), pluginfacts::name);
    EXPECT_FALSE (instance->acceptsMidi());
    EXPECT_FALSE (instance->producesMidi());
    EXPECT_FALSE (instance->isMidiEffect());

    ASSERT_EQ (instance->getBusCount (true), 1);
    ASSERT_EQ (instance->getBusCount (false), 1);
    EXPECT_EQ (instance->getChannelLayoutOfBus (true, 0), juce::AudioChannelSet::stereo());
    EXPECT_EQ (instance->getChannelLayoutOfBus (false, 0), juce::AudioChannelSet::stereo());
    if (GetParam().format == Format::vst3)
    {
        EXPECT_EQ (instance->getBus (true, 0)->getName(), "Input");
        EXPECT_EQ (instance->getBus (false, 0)->getName(), "Output");
    }

    if (GetParam().carriesTail)
    {
        EXPECT_NEAR (instance->getTailLengthSeconds(), pluginfacts::tailSeconds, 1.0 / sampleRate);
    }
}

TEST_P (JuceHost, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    auto instance = instantiate (512, false); // a layout is asked for before the plug-in is active
    ASSERT_NE (instance, nullptr);

    using Set = juce::AudioChannelSet;
    const auto layout = [] (Set in, Set out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add (in);
        l.outputBuses.add (out);
        return l;
    };

    EXPECT_TRUE (instance->checkBusesLayoutSupported (layout (Set::stereo(), Set::stereo())));
    EXPECT_EQ (instance->checkBusesLayoutSupported (layout (Set::mono(), Set::mono())), GetParam().canChangeLayout)
        << "mono in, mono out";
    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::mono(), Set::stereo()))) << "mono in, stereo out";
    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::stereo(), Set::mono()))) << "stereo in, mono out";
    EXPECT_EQ (instance->checkBusesLayoutSupported (layout (Set::disabled(), Set::stereo())), GetParam().hostMayDeactivateInput)
        << "no input";
    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::create5point1(), Set::create5point1()))) << "5.1";
}

TEST_P (JuceHost, ExposesTheElevenParametersInOrderWithTheirNamesAndDefaults)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);

    juce::StringArray ours;
    for (auto* p : instance->getParameters())
        if (! isWrapperParameter (p->getName (1024)))
            ours.add (p->getName (1024));

    juce::StringArray expected;
    for (const auto& p : pluginfacts::parameters)
        expected.add (p.name);

    if (GetParam().format == Format::vst3)
    {
        EXPECT_EQ (ours, expected) << "in host order: " << ours.joinIntoString (", ");
    }
    else
    {
        // An LV2 description is a set of parameters: the host picks its own order.
        ours.sort (false);
        expected.sort (false);
        EXPECT_EQ (ours, expected) << ours.joinIntoString (", ");
    }

    for (const auto& f : pluginfacts::parameters)
    {
        SCOPED_TRACE (f.id);
        auto* parameter = findParameter (*instance, f.name);
        ASSERT_NE (parameter, nullptr);
        EXPECT_NEAR (parameter->getDefaultValue(), (f.defaultValue - f.minimum) / (f.maximum - f.minimum), 1.0e-5);
        EXPECT_NEAR (parameter->getValue(), parameter->getDefaultValue(), 1.0e-6);
        EXPECT_TRUE (parameter->isAutomatable());

        if (GetParam().carriesTexts)
        {
            EXPECT_EQ (parameter->getCurrentValueAsText(), f.defaultText);
            EXPECT_EQ (parameter->getLabel(), f.label);
        }
    }
}

// The texts the host shows and reads, through the wrapper.
TEST_P (JuceHost, ParameterTextsSurviveTheWrapper)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);

    // The switches' entries, which every format carries (LV2 as scale points): shown and
    // chosen by their texts.
    const std::pair<const char*, std::vector<const char*>> menus[] = {
        { "Oversampling", { "1x", "2x", "4x", "8x", "16x" } },
        { "Power", { "Off", "On" } },
    };
    for (const auto& [name, entries] : menus)
    {
        auto* parameter = findParameter (*instance, name);
        ASSERT_NE (parameter, nullptr) << name;
        for (size_t i = 0; i < entries.size(); ++i)
        {
            const auto value = (float) i / (float) (entries.size() - 1);
            EXPECT_EQ (parameter->getText (value, 1024), entries[i]) << name;
            EXPECT_NEAR (parameter->getValueForText (entries[i]), value, 1.0e-6) << name << " chosen as " << entries[i];
        }
    }

    if (! GetParam().carriesTexts)
        return; // LV2 has no texts for the other parameters

    struct TextCase
    {
        const char* id;
        float plain;
        const char* text;
    };
    const TextCase shown[] = {
        { "drive", 0.125f, "12%" }, { "drive", 0.015f, "2%" }, { "drive", 1.0f, "100%" },
        { "output", -9.98f, "0.00" }, { "output", 8.02f, "18.00" }, { "output", -27.98f, "-18.00" },
        { "input", 1.5f, "1.50" }, { "low", -12.0f, "-12.00" }, { "oversampling", 4.0f, "16x" }, { "oversampling", 0.0f, "1x" },
        { "power", 0.0f, "Off" }, { "mix", 0.35f, "35%" },
    };
    for (const auto& c : shown)
    {
        const auto& f = facts (c.id);
        auto* parameter = findParameter (*instance, f.name);
        ASSERT_NE (parameter, nullptr);
        EXPECT_EQ (parameter->getText ((c.plain - f.minimum) / (f.maximum - f.minimum), 1024), c.text) << c.id << " at " << c.plain;
    }

    const TextCase typed[] = {
        { "mix", 0.5f, "50%" }, { "mix", 0.5f, "50" }, { "mix", 1.0f, "250" }, { "output", -3.98f, "6" },
        { "output", -13.48f, "-3.5" }, { "oversampling", 3.0f, "8x" }, { "input", -6.25f, "-6.25" },
    };
    for (const auto& c : typed)
    {
        const auto& f = facts (c.id);
        auto* parameter = findParameter (*instance, f.name);
        ASSERT_NE (parameter, nullptr);
        EXPECT_NEAR (parameter->getValueForText (c.text) * (f.maximum - f.minimum) + f.minimum, c.plain, 2.0e-4)
            << c.id << " typed as \"" << c.text << "\"";
    }
}

TEST_P (JuceHost, ListsTheFactoryProgramsByName)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->getNumPrograms(), (int) pluginfacts::programNames.size());

    juce::StringArray names, expected (pluginfacts::programNames.data(), (int) pluginfacts::programNames.size());
    for (int i = 0; i < instance->getNumPrograms(); ++i)
        names.add (instance->getProgramName (i));

    if (! GetParam().keepsProgramOrder)
    {
        names.sort (false);
        expected.sort (false);
    }
    EXPECT_EQ (names, expected) << names.joinIntoString (", ");

    if (GetParam().keepsProgramOrder)
    {
        EXPECT_EQ (instance->getCurrentProgram(), 0);
    }
}

TEST_P (JuceHost, SwitchingProgramsAppliesTheFactoryPreset)
{
    auto instance = instantiate();
    ASSERT_NE (instance, nullptr);

    const auto masterLift = programIndex (*instance, "Master Lift");
    ASSERT_GE (masterLift, 0);
    if (GetParam().keepsProgramOrder)
    {
        EXPECT_EQ (masterLift, pluginfacts::masterLiftProgram);
    }

    instance->setCurrentProgram (masterLift);
    EXPECT_EQ (instance->getCurrentProgram(), masterLift);
    EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == pluginfacts::latencySamples[4]; }))
        << "the host was told a latency of " << instance->getLatencySamples() << " for 16x";

    // "Master Lift", as plain values.
    const std::vector<std::pair<std::string, float>> masterLiftValues {
        { "input", -1.0f }, { "drive", 0.14f }, { "low", 0.6f }, { "presence", 0.3f }, { "air", 1.2f },
        { "opto", 0.2f }, { "speed", 0.18f }, { "mix", 0.95f }, { "output", -0.2f - 9.98f },
        { "oversampling", 4.0f }, { "power", 1.0f },
    };

    const auto expectValues = [&] (juce::AudioPluginInstance& host, const char* where)
    {
        for (const auto& [id, plain] : masterLiftValues)
        {
            const auto& f = facts (id);
            auto* parameter = findParameter (host, f.name);
            ASSERT_NE (parameter, nullptr) << id;
            const auto expected = (plain - f.minimum) / (f.maximum - f.minimum);
            EXPECT_TRUE (processUntil (host, [&] { return std::abs (parameter->getValue() - expected) < 1.0e-5f; }))
                << id << " " << where << ": " << parameter->getValue() << " instead of " << expected;
        }
    };

    // JUCE's VST3 host hands the values a plug-in reports while processing only to the
    // plug-in's controller, never to its own parameter list, so it goes on showing the
    // old values; the LV2 host shows the new ones.
    if (GetParam().hostShowsProgramValues)
        expectValues (*instance, "as the host shows it");

    // What the host keeps in its project holds the program's values.
    juce::MemoryBlock state;
    instance->getStateInformation (state);
    auto reopened = instantiate();
    ASSERT_NE (reopened, nullptr);
    reopened->setStateInformation (state.getData(), (int) state.getSize());
    expectValues (*reopened, "after the project is reopened");

    if (GetParam().carriesTexts)
    {
        EXPECT_EQ (findParameter (*reopened, "Oversampling")->getCurrentValueAsText(), "16x");
        EXPECT_EQ (findParameter (*reopened, "Output")->getCurrentValueAsText(), "-0.20");
    }

    // Back to the first program: every parameter returns to its default.
    instance->setCurrentProgram (programIndex (*instance, "Default Hardware Flat"));
    EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == pluginfacts::latencySamples[2]; }));
    instance->getStateInformation (state);
    reopened = instantiate();
    ASSERT_NE (reopened, nullptr);
    reopened->setStateInformation (state.getData(), (int) state.getSize());
    for (const auto& f : pluginfacts::parameters)
    {
        auto* parameter = findParameter (*reopened, f.name);
        EXPECT_TRUE (processUntil (*reopened, [&] { return std::abs (parameter->getValue() - parameter->getDefaultValue()) < 1.0e-5f; }))
            << f.id << " stays at " << parameter->getValue();
    }
}

//==============================================================================
TEST_P (JuceHost, HostReceivesTheLatencyOfEachFactor)
{
    for (int choice = 0; choice < 5; ++choice)
    {
        SCOPED_TRACE (pluginfacts::oversamplingTexts[(size_t) choice]);
        auto instance = instantiate (256, false);
        ASSERT_NE (instance, nullptr);
        setPlain (*instance, "oversampling", (float) choice);
        instance->prepareToPlay (sampleRate, 256);

        const auto expected = pluginfacts::latencySamples[(size_t) choice];
        EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == expected; }))
            << "the host was told " << instance->getLatencySamples();
    }
}

TEST_P (JuceHost, HostReceivesTheNewLatencyAfterAChangeWhileProcessing)
{
    auto instance = instantiate (256);
    ASSERT_NE (instance, nullptr);
    EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == pluginfacts::latencySamples[2]; }))
        << "the default 4x: the host was told " << instance->getLatencySamples();

    for (const int choice : { 0, 4, 1, 3, 0, 2 })
    {
        SCOPED_TRACE (pluginfacts::oversamplingTexts[(size_t) choice]);
        setPlain (*instance, "oversampling", (float) choice);

        const auto expected = pluginfacts::latencySamples[(size_t) choice];
        EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == expected; }))
            << "the host was told " << instance->getLatencySamples();
    }
}

//==============================================================================
// Saved through the host, restored into a second instance: the same parameters, and
// from then on the same sound.
TEST_P (JuceHost, StateSurvivesTheFormatWrapper)
{
    const std::vector<Setting> settings {
        { "input", "4.5", 4.5f }, { "drive", "42%", 0.42f }, { "low", "-3", -3.0f }, { "presence", "2.25", 2.25f },
        { "opto", "60%", 0.6f }, { "speed", "30%", 0.3f }, { "mix", "70%", 0.7f }, { "output", "-2", -11.98f },
        { "oversampling", "2x", 1.0f },
    };

    auto original = instantiate();
    ASSERT_NE (original, nullptr);
    for (const auto& setting : settings)
        ASSERT_TRUE (apply (*original, setting, GetParam().carriesTexts)) << setting.id;
    processSilence (*original);

    juce::MemoryBlock state;
    original->getStateInformation (state);
    ASSERT_GT (state.getSize(), 0u);

    auto restored = instantiate();
    ASSERT_NE (restored, nullptr);
    restored->setStateInformation (state.getData(), (int) state.getSize());

    for (const auto& f : pluginfacts::parameters)
    {
        auto* a = findParameter (*original, f.name);
        auto* b = findParameter (*restored, f.name);
        ASSERT_TRUE (a != nullptr && b != nullptr);
        EXPECT_TRUE (processUntil (*restored, [&] { return std::abs (a->getValue() - b->getValue()) < 1.0e-6f; }))
            << f.id << ": saved " << a->getValue() << ", restored " << b->getValue();
    }
    EXPECT_TRUE (processUntil (*restored, [&] { return restored->getLatencySamples() == pluginfacts::latencySamples[1]; }))
        << "the restored 2x factor: the host was told " << restored->getLatencySamples();

    // Both past the mix's 50 ms ramp, then prepared again: both start from rest with the
    // same settings.
    processSilence (*original, 60, 64);
    processSilence (*restored, 60, 64);
    original->releaseResources();
    restored->releaseResources();
    original->prepareToPlay (sampleRate, 512);
    restored->prepareToPlay (sampleRate, 512);
    const auto input = makeTestSignal (sampleRate, 0.4);
    const auto difference = compareAudio (process (*original, input, 512), process (*restored, input, 512));
    EXPECT_TRUE (difference.identical) << difference.summary;
}

//==============================================================================
// A host automates from its own threads while the audio thread runs; at the end the
// plug-in follows the last values and its output is sound.
TEST_P (JuceHost, AutomationFromAnotherThreadWhileProcessing)
{
    auto instance = instantiate (128);
    ASSERT_NE (instance, nullptr);

    auto* drive = findParameter (*instance, "Lamp Drive");
    auto* mix = findParameter (*instance, "Mix");
    auto* input = findParameter (*instance, "Input");
    auto* oversampling = findParameter (*instance, "Oversampling");
    ASSERT_TRUE (drive != nullptr && mix != nullptr && input != nullptr && oversampling != nullptr);

    const auto signal = makeTestSignal (sampleRate, 1.0);
    std::atomic<bool> processing { true };
    std::atomic<int> nonFinite { 0 };

    std::thread automation ([&]
                            {
                                for (int i = 0; processing; ++i)
                                {
                                    const auto phase = (float) (i % 100) / 99.0f;
                                    drive->setValueNotifyingHost (phase);
                                    mix->setValueNotifyingHost (1.0f - phase);
                                    input->setValueNotifyingHost (0.5f + 0.5f * phase);
                                    if (i % 25 == 0)
                                        oversampling->setValueNotifyingHost ((float) ((i / 25) % 5) / 4.0f);
                                    std::this_thread::sleep_for (std::chrono::microseconds (200));
                                }
                            });

    runOnAudioThread ([&]
                      {
                          juce::AudioBuffer<float> buffer (2, 128);
                          juce::MidiBuffer midi;
                          for (int pass = 0; pass < 3; ++pass)
                              for (int start = 0; start + 128 <= signal.numFrames(); start += 128)
                              {
                                  for (int c = 0; c < 2; ++c)
                                      buffer.copyFrom (c, 0, signal.channels[(size_t) c].data() + start, 128);
                                  instance->processBlock (buffer, midi);
                                  for (int c = 0; c < 2; ++c)
                                      for (int i = 0; i < 128; ++i)
                                          if (! std::isfinite (buffer.getSample (c, i)))
                                              ++nonFinite;
                              }
                          processing = false;
                      });
    automation.join();

    EXPECT_EQ (nonFinite.load(), 0) << "samples that are not finite under automation";

    // The last word: 1x and a dry mix, which the plug-in passes through after the ramp.
    setPlain (*instance, "oversampling", 0.0f);
    setPlain (*instance, "mix", 0.0f);
    processSilence (*instance, 30, 128);
    EXPECT_TRUE (processUntil (*instance, [&] { return instance->getLatencySamples() == 0; }))
        << "after the automation the host was told " << instance->getLatencySamples();

    const auto output = process (*instance, signal, 128);
    const auto difference = compareAudio (signal, output);
    EXPECT_TRUE (difference.identical) << "a dry mix at 1x is the input itself: " << difference.summary;
}

//==============================================================================
// The hosted plug-in against the offline renderer, sample for sample.
struct RendererCase
{
    const char* name;
    std::vector<Setting> settings;
    const char* preset;
    int blockLength;
    bool mono;
};

const RendererCase rendererCases[] = {
    { "Defaults", {}, nullptr, 512, false },
    { "OneTimesHalfMix", { { "oversampling", "1x", 0.0f }, { "mix", "50%", 0.5f }, { "drive", "40%", 0.4f }, { "input", "6", 6.0f } }, nullptr, 256, false },
    { "TwoTimesBands", { { "oversampling", "2x", 1.0f }, { "opto", "70%", 0.7f }, { "low", "4", 4.0f }, { "air", "-3", -3.0f } }, nullptr, 64, false },
    { "EightTimesTrim", { { "oversampling", "8x", 3.0f }, { "presence", "5", 5.0f }, { "output", "-6", -15.98f } }, nullptr, 1000, false },
    { "SixteenTimesOddBlocks", { { "oversampling", "16x", 4.0f }, { "drive", "80%", 0.8f }, { "opto", "50%", 0.5f } }, nullptr, 17, false },
    { "PresetTapeKiss", {}, "Tape Kiss", 512, false },
    { "PresetWithAChange", { { "mix", "25%", 0.25f } }, "Drum Crush Parallel", 300, false },
    { "PowerOff", { { "power", "Off", 0.0f } }, nullptr, 512, false },
    { "MonoPresetBassBloom", {}, "Bass Bloom", 256, true },
};

class JuceHostAgainstRenderer : public JuceHost
{
};

// Zero-length blocks: parameters travel both ways, the audio path stays untouched.
void exchangeParameters (juce::AudioPluginInstance& instance)
{
    for (int i = 0; i < 5; ++i)
    {
        runOnAudioThread ([&]
                          {
                              juce::AudioBuffer<float> empty (juce::jmax (instance.getTotalNumInputChannels(), instance.getTotalNumOutputChannels()), 0);
                              juce::MidiBuffer midi;
                              instance.processBlock (empty, midi);
                          });
        pumpMessages (20);
    }
}

TEST_P (JuceHostAgainstRenderer, OutputEqualsTheOfflineRenderer)
{
    if (renderer().empty())
        GTEST_SKIP() << "this build has no offline renderer (vesk-q84d-render); the comparison is pending";

    TemporaryFolder folder;
    const auto stereo = makeTestSignal (sampleRate, 0.5);
    auto mono = stereo;
    mono.channels.resize (1);
    std::string error;
    ASSERT_TRUE (writeWav (folder.file ("stereo.wav"), stereo, error)) << error;
    ASSERT_TRUE (writeWav (folder.file ("mono.wav"), mono, error)) << error;

    for (const auto& c : rendererCases)
    {
        SCOPED_TRACE (c.name);
        if (c.mono && ! GetParam().canChangeLayout)
            continue;

        const auto& input = c.mono ? mono : stereo;
        RenderRequest request;
        request.preset = c.preset != nullptr ? c.preset : "";
        for (const auto& setting : c.settings)
            request.settings.emplace_back (setting.id, setting.text.toStdString());
        request.blockLength = c.blockLength;
        Audio reference;
        ASSERT_TRUE (renderReference (request, folder.file (c.mono ? "mono.wav" : "stereo.wav"),
                                      folder.file (std::string (c.name) + ".wav"), reference, error))
            << error;

        // As the renderer does it: the program, then the changes, then play from the first
        // block on through the tail.
        auto instance = instantiate (c.blockLength, false);
        ASSERT_NE (instance, nullptr);
        if (c.mono)
        {
            ASSERT_TRUE (instance->setBusesLayout ({ { juce::AudioChannelSet::mono() }, { juce::AudioChannelSet::mono() } }));
        }
        instance->prepareToPlay (sampleRate, c.blockLength);

        if (c.preset != nullptr)
        {
            const auto index = programIndex (*instance, c.preset);
            ASSERT_GE (index, 0) << c.preset;
            instance->setCurrentProgram (index);
            // The program's values reach the host before the user's own changes: JUCE's
            // VST3 host would otherwise hand them back to the plug-in afterwards.
            exchangeParameters (*instance);
        }
        for (const auto& setting : c.settings)
            ASSERT_TRUE (apply (*instance, setting, GetParam().carriesTexts)) << setting.id;
        exchangeParameters (*instance);

        const auto hostedOutput = process (*instance, withSilenceAppended (input, reference.numFrames()), c.blockLength);

        const auto difference = compareAudio (reference, hostedOutput);
        EXPECT_TRUE (difference.identical) << difference.summary;
    }
}

const auto formatName = [] (const testing::TestParamInfo<FormatTraits>& format) { return std::string (format.param.name); };

INSTANTIATE_TEST_SUITE_P (Formats, JuceHost, testing::Values (vst3Traits, lv2Traits), formatName);
INSTANTIATE_TEST_SUITE_P (Formats, JuceHostAgainstRenderer, testing::Values (vst3Traits, lv2Traits), formatName);
} // namespace
