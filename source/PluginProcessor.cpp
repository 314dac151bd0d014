#include "PluginProcessor.h"
#include "PluginEditor.h"

VeskSchematicPluginAudioProcessor::VeskSchematicPluginAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
    , apvts (*this, nullptr, "PARAMETERS", createParameterLayout())
{
    std::atomic<float>** rawValues[] = { &inputParam, &driveParam, &lowParam, &presenceParam,
                                         &airParam, &optoParam, &speedParam, &mixParam,
                                         &outputParam, &oversamplingParam, &powerParam };
    static_assert (std::size (rawValues) == 11);

    for (int i = 0; i < presetParameterIds.size(); ++i)
        *rawValues[i] = apvts.getRawParameterValue (presetParameterIds[i]);

    dryWetMixer.setMixingRule (juce::dsp::DryWetMixingRule::linear);

    // The weak reference that a restore from a host thread hands to the message thread is
    // created here, once, rather than first on whichever thread restores.
    juce::WeakReference<VeskSchematicPluginAudioProcessor> { this };

    // A missing or malformed size file leaves 1536 x 800.
    loadStoredEditorSize();
    loadUserPresets();
}

VeskSchematicPluginAudioProcessor::~VeskSchematicPluginAudioProcessor() = default;

const juce::String VeskSchematicPluginAudioProcessor::getName() const { return "Vesk Q84D"; }

bool VeskSchematicPluginAudioProcessor::acceptsMidi() const { return false; }
bool VeskSchematicPluginAudioProcessor::producesMidi() const { return false; }
bool VeskSchematicPluginAudioProcessor::isMidiEffect() const { return false; }

bool VeskSchematicPluginAudioProcessor::hasEditor() const { return true; }

juce::AudioProcessorEditor* VeskSchematicPluginAudioProcessor::createEditor()
{
    return new VeskSchematicPluginAudioProcessorEditor (*this);
}

bool VeskSchematicPluginAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // A missing or disabled bus is the empty set, which never matches mono or stereo.
    const auto input = layouts.getMainInputChannelSet();
    const auto output = layouts.getMainOutputChannelSet();

    return input == output
        && (output == juce::AudioChannelSet::mono() || output == juce::AudioChannelSet::stereo());
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VeskSchematicPluginAudioProcessor();
}
