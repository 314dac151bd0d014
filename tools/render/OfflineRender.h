#pragma once

#include <JuceHeader.h>

#include <functional>

namespace render
{
struct RenderResult
{
    juce::AudioBuffer<float> audio; // the input's length plus the tail
    int latencySamples = 0;         // what the processor reported after preparing
    int tailSamples = 0;
    float largestGainReductionDb = 0.0f; // the largest reading of the gain-reduction meter
};

// Prepares the processor for the input's channels (mono or stereo), rate and block size,
// then runs the input and the processor's tail through it block by block, as a host does.
// With latency compensation the reported latency is rendered past the end and removed
// from the start, so that output sample i lines up with input sample i. `progress` is
// called after every block with the fraction done.
juce::Result renderThrough (juce::AudioProcessor& processor,
                            const juce::AudioBuffer<float>& input,
                            double sampleRate,
                            int blockSize,
                            bool compensateLatency,
                            RenderResult& result,
                            const std::function<void (double)>& progress = {});

struct SignalLevels
{
    float peak = 0.0f; // largest absolute sample of any channel
    float rms = 0.0f;  // over all channels and samples
};

SignalLevels measureLevels (const juce::AudioBuffer<float>& audio);
} // namespace render
