#include "PluginProcessor.h"

// The five oversamplers, the choice between them, the dry path's delay and the latency
// and tail the host is told about.

namespace
{
constexpr int numOversamplingChoices = 5;

std::unique_ptr<juce::dsp::Oversampling<float>> makeOversampler (int choice, size_t numChannels)
{
    using Oversampling = juce::dsp::Oversampling<float>;

    if (choice == 0)
    {
        // 1x: one pass-through stage, so the block path is the same at every factor.
        auto oversampler = std::make_unique<Oversampling> (numChannels);
        oversampler->clearOversamplingStages();
        oversampler->addDummyOversamplingStage();
        oversampler->setUsingIntegerLatency (true);
        return oversampler;
    }

    // Half-band polyphase IIR stages at maximum quality, with a whole-sample latency.
    return std::make_unique<Oversampling> (numChannels, static_cast<size_t> (choice),
                                           Oversampling::filterHalfBandPolyphaseIIR, true, true);
}
} // namespace

int VeskSchematicPluginAudioProcessor::oversamplingChoiceFromParameter() const
{
    // nearbyint rounds halves to even in the default rounding mode.
    const auto rounded = static_cast<int> (std::nearbyint (oversamplingParam->load()));
    return juce::jlimit (0, numOversamplingChoices - 1, rounded);
}

void VeskSchematicPluginAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    currentSampleRate = sampleRate;
    currentBlockSize = juce::jmax (1, samplesPerBlock);

    const auto numChannels = static_cast<juce::uint32> (juce::jmax (1, getTotalNumOutputChannels()));
    const juce::dsp::ProcessSpec spec { sampleRate, static_cast<juce::uint32> (currentBlockSize), numChannels };

    for (int choice = 0; choice < numOversamplingChoices; ++choice)
    {
        auto oversampler = makeOversampler (choice, numChannels);
        oversampler->initProcessing (static_cast<size_t> (currentBlockSize));
        oversampler->reset();
        oversamplers[static_cast<size_t> (choice)] = std::move (oversampler);
    }

    dryWetMixer.prepare (spec);

    // Forces the selection below, whatever was active before.
    currentOversamplingIndex = -1;
    updateOversamplingSelection (oversamplingChoiceFromParameter());
}

void VeskSchematicPluginAudioProcessor::releaseResources()
{
    // Objects and selection stay, so processing can resume without a new prepare.
    dryWetMixer.reset();

    for (auto& oversampler : oversamplers)
        if (oversampler != nullptr)
            oversampler->reset();

    for (auto& model : channelModels)
        model.reset();
}

void VeskSchematicPluginAudioProcessor::updateOversamplingSelection (int choice)
{
    // Runs on the audio thread when the parameter moves: resets and re-prepares only,
    // everything it touches was allocated by prepareToPlay.
    choice = juce::jmin (choice, numOversamplingChoices - 1);

    if (choice == currentOversamplingIndex || currentBlockSize < 1 || choice < 0)
        return;

    currentOversamplingIndex = choice;
    auto& oversampler = *oversamplers[static_cast<size_t> (choice)];

    oversampler.reset();
    dryWetMixer.reset();

    // The integer-latency option makes the filters' delay a whole number of samples; the
    // float sum can land a hair off it, so the dry path and the host get the rounded
    // number and the dry delay is exact.
    const int latency = juce::roundToInt (oversampler.getLatencyInSamples());
    dryWetMixer.setWetLatency (static_cast<float> (latency));
    setLatencySamples (latency);

    const double modelRate = currentSampleRate * static_cast<double> (oversampler.getOversamplingFactor());
    for (auto& model : channelModels)
        model.prepare (modelRate);
}

double VeskSchematicPluginAudioProcessor::getTailLengthSeconds() const { return 0.65; }
