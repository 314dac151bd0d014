#include "PluginProcessor.h"

// The host's real-time block: power switch, wet path through the oversampled circuit
// models, dry/wet mix and the meter values. No allocation, no lock, no system call.

namespace
{
// One atomic load and one atomic store: only the audio thread writes a meter.
void smoothMeter (std::atomic<float>& meter, float keep, float add)
{
    meter.store (keep * meter.load() + add);
}

float peakOf (const juce::AudioBuffer<float>& buffer, int channel, int numSamples)
{
    return buffer.getMagnitude (channel, 0, numSamples);
}

struct BlockReadings
{
    float largestGainReductionDb = 0.0f;
    float largestLight = 0.0f;
};

// The up-sampled block through the circuit, one model per channel. The models are
// independent, so running each channel through in turn gives the same samples as
// interleaving them.
void runChannelModels (juce::dsp::AudioBlock<float>& upsampled,
                       std::array<schematic::ChannelModel, 2>& models,
                       size_t numModelledChannels,
                       const schematic::ChannelControls& controls,
                       BlockReadings& readings)
{
    for (size_t channel = 0; channel < numModelledChannels; ++channel)
        models[channel].processSamples (upsampled.getChannelPointer (channel), upsampled.getNumSamples(), controls,
                                        readings.largestGainReductionDb, readings.largestLight);
}
} // namespace

void VeskSchematicPluginAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    const int numBufferChannels = buffer.getNumChannels();
    const int numSamples = buffer.getNumSamples();

    for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        if (channel < numBufferChannels)
            buffer.clear (channel, 0, numSamples);

    const int outs = juce::jmin (getTotalNumOutputChannels(), numBufferChannels);
    if (outs < 1 || numSamples < 1)
        return;

    const float inputPeakLeft = peakOf (buffer, 0, numSamples);
    const float inputPeakRight = outs >= 2 ? peakOf (buffer, 1, numSamples) : inputPeakLeft;

    // Power off, or a host that never prepared: the block passes untouched.
    if (powerParam->load() < 0.5f || currentBlockSize < 1)
    {
        smoothMeter (inputLevelLeft, 0.76f, 0.24f * inputPeakLeft);
        smoothMeter (outputLevelLeft, 0.76f, 0.24f * inputPeakLeft);
        smoothMeter (inputLevelRight, 0.76f, 0.24f * inputPeakRight);
        smoothMeter (outputLevelRight, 0.76f, 0.24f * inputPeakRight);
        smoothMeter (gainReductionDb, 0.6f, 0.0f);
        smoothMeter (lampLevel, 0.55f, 0.0f);
        return;
    }

    updateOversamplingSelection (oversamplingChoiceFromParameter());
    auto& oversampler = *oversamplers[static_cast<size_t> (currentOversamplingIndex)];

    dryWetMixer.setWetMixProportion (juce::jlimit (0.0f, 1.0f, mixParam->load()));

    schematic::ControlValues values;
    values.inputDb = inputParam->load();
    values.drive = driveParam->load();
    values.lowDb = lowParam->load();
    values.presenceDb = presenceParam->load();
    values.airDb = airParam->load();
    values.opto = optoParam->load();
    values.outputDb = outputParam->load();
    const auto controls = schematic::makeChannelControls (values);

    const auto numModelledChannels = static_cast<size_t> (juce::jmin (outs, 2));
    const float speed = juce::jlimit (0.0f, 1.0f, speedParam->load());
    for (size_t channel = 0; channel < numModelledChannels; ++channel)
        channelModels[channel].setThermalSpeed (speed);

    // The oversamplers and the mixer were sized for the prepared channels and block size;
    // a longer block than promised runs in pieces rather than past their buffers.
    const auto numChannels = juce::jmin (static_cast<size_t> (numBufferChannels), oversampler.numChannels);
    auto wholeBlock = juce::dsp::AudioBlock<float> (buffer).getSubsetChannelBlock (0, numChannels);
    BlockReadings readings;

    for (int start = 0; start < numSamples; start += currentBlockSize)
    {
        const auto length = static_cast<size_t> (juce::jmin (currentBlockSize, numSamples - start));
        auto block = wholeBlock.getSubBlock (static_cast<size_t> (start), length);

        dryWetMixer.pushDrySamples (block);
        auto upsampled = oversampler.processSamplesUp (block);
        runChannelModels (upsampled, channelModels, juce::jmin (numModelledChannels, numChannels), controls, readings);
        oversampler.processSamplesDown (block);
        dryWetMixer.mixWetSamples (block);
    }

    const float outputPeakLeft = peakOf (buffer, 0, numSamples);
    const float outputPeakRight = outs >= 2 ? peakOf (buffer, 1, numSamples) : outputPeakLeft;

    smoothMeter (inputLevelLeft, 0.76f, 0.24f * inputPeakLeft);
    smoothMeter (outputLevelLeft, 0.76f, 0.24f * outputPeakLeft);
    smoothMeter (inputLevelRight, 0.76f, 0.24f * inputPeakRight);
    smoothMeter (outputLevelRight, 0.76f, 0.24f * outputPeakRight);
    smoothMeter (gainReductionDb, 0.6f, 0.4f * readings.largestGainReductionDb);
    smoothMeter (lampLevel, 0.55f, 0.45f * readings.largestLight);
}
