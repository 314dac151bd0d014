#include "OfflineRender.h"

#include "PluginProcessor.h"

namespace render
{
namespace
{
    juce::AudioProcessor::BusesLayout layoutFor (int numChannels)
    {
        const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        return layout;
    }
} // namespace

juce::Result renderThrough (juce::AudioProcessor& processor,
                            const juce::AudioBuffer<float>& input,
                            double sampleRate,
                            int blockSize,
                            bool compensateLatency,
                            RenderResult& result,
                            const std::function<void (double)>& progress)
{
    const int numChannels = input.getNumChannels();
    if (numChannels < 1 || numChannels > 2)
        return juce::Result::fail ("the plug-in takes mono or stereo, not " + juce::String (numChannels) + " channels");
    if (! processor.setBusesLayout (layoutFor (numChannels)))
        return juce::Result::fail ("the plug-in refused a " + juce::String (numChannels == 1 ? "mono" : "stereo") + " layout");

    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);

    result.latencySamples = processor.getLatencySamples();
    result.tailSamples = juce::roundToInt (processor.getTailLengthSeconds() * sampleRate);
    result.largestGainReductionDb = 0.0f;

    const int inputLength = input.getNumSamples();
    const int outputLength = inputLength + result.tailSamples;
    const int skipped = compensateLatency ? result.latencySamples : 0;
    const int total = outputLength + skipped;
    result.audio.setSize (numChannels, outputLength);

    auto* plugin = dynamic_cast<VeskSchematicPluginAudioProcessor*> (&processor);
    juce::AudioBuffer<float> block (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (int start = 0; start < total; start += blockSize)
    {
        const int length = juce::jmin (blockSize, total - start);
        // The last block may be shorter, as hosts deliver it: a view of the same memory.
        juce::AudioBuffer<float> view (block.getArrayOfWritePointers(), numChannels, length);
        view.clear();

        const int fromInput = juce::jlimit (0, length, inputLength - start);
        for (int ch = 0; ch < numChannels; ++ch)
            if (fromInput > 0)
                view.copyFrom (ch, 0, input, ch, start, fromInput);

        midi.clear();
        {
            // Hosts hold the processor's callback lock while it processes.
            const juce::ScopedLock lock (processor.getCallbackLock());
            processor.processBlock (view, midi);
        }

        if (plugin != nullptr)
            result.largestGainReductionDb = juce::jmax (result.largestGainReductionDb, plugin->gainReductionDb.load());

        // Output sample (start + i) of the stream is sample (start + i - skipped) of the result.
        const int first = juce::jmax (0, skipped - start);
        for (int ch = 0; ch < numChannels; ++ch)
            if (first < length)
                result.audio.copyFrom (ch, start + first - skipped, view, ch, first, length - first);

        if (progress)
            progress (static_cast<double> (start + length) / static_cast<double> (total));
    }

    processor.releaseResources();
    return juce::Result::ok();
}

SignalLevels measureLevels (const juce::AudioBuffer<float>& audio)
{
    SignalLevels levels;
    double sumOfSquares = 0.0;
    const auto count = static_cast<double> (audio.getNumChannels()) * audio.getNumSamples();

    for (int ch = 0; ch < audio.getNumChannels(); ++ch)
    {
        const auto* samples = audio.getReadPointer (ch);
        for (int i = 0; i < audio.getNumSamples(); ++i)
        {
            levels.peak = std::max (levels.peak, std::abs (samples[i]));
            sumOfSquares += static_cast<double> (samples[i]) * samples[i];
        }
    }

    levels.rms = count > 0.0 ? static_cast<float> (std::sqrt (sumOfSquares / count)) : 0.0f;
    return levels;
}
} // namespace render
