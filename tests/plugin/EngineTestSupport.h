#pragma once

#include "PluginProcessor.h"

#include <memory>
#include <vector>

// A processor prepared the way a host prepares it, and helpers to drive it block by block.
namespace enginetest
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

inline void setPlain (VeskSchematicPluginAudioProcessor& processor, const char* id, float plainValue)
{
    setParameterFromPlainValue (processor.apvts, id, plainValue);
}

inline std::unique_ptr<VeskSchematicPluginAudioProcessor> makePrepared (int oversamplingChoice,
                                                                       int numChannels = 2,
                                                                       int maximumBlockSize = blockSize)
{
    auto processor = std::make_unique<VeskSchematicPluginAudioProcessor>();
    if (numChannels == 1)
    {
        juce::AudioProcessor::BusesLayout mono;
        mono.inputBuses.add (juce::AudioChannelSet::mono());
        mono.outputBuses.add (juce::AudioChannelSet::mono());
        processor->setBusesLayout (mono);
    }
    setPlain (*processor, parameterIds::oversampling, static_cast<float> (oversamplingChoice));
    processor->prepareToPlay (sampleRate, maximumBlockSize);
    return processor;
}

// Runs `input` (one vector per channel) through the processor in blocks of `block`
// samples and returns the output.
inline std::vector<std::vector<float>> render (VeskSchematicPluginAudioProcessor& processor,
                                               const std::vector<std::vector<float>>& input,
                                               int block = blockSize)
{
    const auto numChannels = static_cast<int> (input.size());
    const auto length = static_cast<int> (input.front().size());
    auto output = input;
    juce::AudioBuffer<float> buffer (numChannels, block);
    juce::MidiBuffer midi;

    for (int start = 0; start < length; start += block)
    {
        const int n = std::min (block, length - start);
        buffer.setSize (numChannels, n, false, false, true);
        for (int ch = 0; ch < numChannels; ++ch)
            buffer.copyFrom (ch, 0, input[(size_t) ch].data() + start, n);
        processor.processBlock (buffer, midi);
        for (int ch = 0; ch < numChannels; ++ch)
            std::copy_n (buffer.getReadPointer (ch), n, output[(size_t) ch].data() + start);
    }
    return output;
}

inline std::vector<float> impulse (size_t length, size_t position, float height)
{
    std::vector<float> x (length, 0.0f);
    x[position] = height;
    return x;
}

inline std::vector<float> tone (size_t length, double frequency, float amplitude)
{
    std::vector<float> x (length);
    for (size_t i = 0; i < length; ++i)
        x[i] = amplitude * static_cast<float> (std::sin (2.0 * juce::MathConstants<double>::pi * frequency * (double) i / sampleRate));
    return x;
}
} // namespace enginetest

namespace enginetest
{
// Counts the latency changes the processor announces to its host.
struct LatencyListener : juce::AudioProcessorListener
{
    int latencyChanges = 0;
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        if (details.latencyChanged)
            ++latencyChanges;
    }
};

inline bool allZero (const std::vector<float>& samples)
{
    return std::all_of (samples.begin(), samples.end(), [] (float x) { return x == 0.0f; });
}

// A reproducible programme of noise, for comparing renders sample for sample.
inline std::vector<float> noise (size_t length, float amplitude, unsigned seed)
{
    juce::Random random (static_cast<juce::int64> (seed));
    std::vector<float> x (length);
    for (auto& sample : x)
        sample = amplitude * (2.0f * random.nextFloat() - 1.0f);
    return x;
}
} // namespace enginetest
