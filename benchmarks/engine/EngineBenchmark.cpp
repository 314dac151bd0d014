// The engine's speed at 48 kHz, stereo, in blocks of 512: the whole processBlock at each
// oversampling factor, and the channel model alone. Every benchmark reports "realtime",
// seconds of audio processed per second of CPU (for the model: seconds at its own rate).
//
//   vesk-q84d-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr int numChannels = 2;

// Programme with some level in it: a low tone, a high tone and noise, different per channel.
juce::AudioBuffer<float> makeProgramme (int length)
{
    juce::AudioBuffer<float> programme (numChannels, length);
    juce::Random random (84);
    for (int ch = 0; ch < numChannels; ++ch)
        for (int i = 0; i < length; ++i)
        {
            const double t = i / sampleRate;
            const double x = 0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * (80.0 + 20.0 * ch) * t)
                           + 0.1 * std::sin (2.0 * juce::MathConstants<double>::pi * 3100.0 * t)
                           + 0.05 * (random.nextDouble() - 0.5);
            programme.setSample (ch, i, static_cast<float> (x));
        }
    return programme;
}

// Either the factory defaults (all bands at 0 dB, no depth) or a setting that keeps every
// part of the circuit busy: drive, all three cells, the LDR. The busy one is the slower.
void setControls (VeskSchematicPluginAudioProcessor& processor, int oversamplingChoice, bool busy)
{
    setParameterFromPlainValue (processor.apvts, parameterIds::oversampling, static_cast<float> (oversamplingChoice));
    if (! busy)
        return;

    setParameterFromPlainValue (processor.apvts, parameterIds::drive, 0.45f);
    setParameterFromPlainValue (processor.apvts, parameterIds::low, 3.0f);
    setParameterFromPlainValue (processor.apvts, parameterIds::presence, -2.0f);
    setParameterFromPlainValue (processor.apvts, parameterIds::air, 4.0f);
    setParameterFromPlainValue (processor.apvts, parameterIds::opto, 0.6f);
    setParameterFromPlainValue (processor.apvts, parameterIds::speed, 0.5f);
    setParameterFromPlainValue (processor.apvts, parameterIds::mix, 0.8f);
}

void processBlockAtFactor (benchmark::State& state)
{
    const auto factor = static_cast<int> (state.range (0));
    const auto choice = static_cast<int> (std::log2 (factor));
    const bool busy = state.range (1) != 0;
    juce::ScopedJuceInitialiser_GUI framework;
    auto processor = std::make_unique<VeskSchematicPluginAudioProcessor>();
    setControls (*processor, choice, busy);
    processor->prepareToPlay (sampleRate, blockSize);

    constexpr int programmeBlocks = 64;
    const auto programme = makeProgramme (blockSize * programmeBlocks);
    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;
    int block = 0;

    for (auto _ : state)
    {
        for (int ch = 0; ch < numChannels; ++ch)
            buffer.copyFrom (ch, 0, programme, ch, block * blockSize, blockSize);
        block = (block + 1) % programmeBlocks;
        processor->processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.counters["realtime"] = benchmark::Counter (static_cast<double> (state.iterations()) * blockSize / sampleRate,
                                                     benchmark::Counter::kIsRate);
    state.SetLabel ((oversamplingChoiceNames[choice] + " stereo, " + (busy ? "busy" : "defaults")).toStdString());
}

// The two channel models alone, over exactly the samples one host block gives them at the
// busy setting: the same programme, up-sampled once beforehand by the plug-in's own filters.
void twoChannelModels (benchmark::State& state)
{
    const auto factor = static_cast<int> (state.range (0));
    const int samplesPerBlock = blockSize * factor;
    constexpr int programmeBlocks = 16;
    juce::ScopedNoDenormals noDenormals;

    juce::dsp::Oversampling<float> oversampler (numChannels, static_cast<size_t> (std::log2 (factor)),
                                                juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    oversampler.initProcessing (blockSize);
    const auto programme = makeProgramme (blockSize * programmeBlocks);
    juce::AudioBuffer<float> upsampled (numChannels, samplesPerBlock * programmeBlocks);
    for (int block = 0; block < programmeBlocks; ++block)
    {
        const auto hostBlock = juce::dsp::AudioBlock<const float> (programme).getSubBlock ((size_t) (block * blockSize), blockSize);
        const auto up = oversampler.processSamplesUp (hostBlock);
        for (int ch = 0; ch < numChannels; ++ch)
            upsampled.copyFrom (ch, block * samplesPerBlock, up.getChannelPointer ((size_t) ch), samplesPerBlock);
    }

    schematic::ControlValues values;
    values.drive = 0.45f;
    values.lowDb = 3.0f;
    values.presenceDb = -2.0f;
    values.airDb = 4.0f;
    values.opto = 0.6f;
    values.outputDb = -9.98f;
    const auto controls = schematic::makeChannelControls (values);

    std::array<schematic::ChannelModel, 2> models;
    for (auto& model : models)
        model.prepare (sampleRate * factor);

    juce::AudioBuffer<float> buffer (numChannels, samplesPerBlock);
    int block = 0;

    for (auto _ : state)
    {
        float largestReduction = 0.0f, largestLight = 0.0f;
        for (int ch = 0; ch < numChannels; ++ch)
        {
            buffer.copyFrom (ch, 0, upsampled, ch, block * samplesPerBlock, samplesPerBlock);
            auto& model = models[(size_t) ch];
            model.setThermalSpeed (0.5f);
            model.processSamples (buffer.getWritePointer (ch), (size_t) samplesPerBlock, controls, largestReduction, largestLight);
        }
        benchmark::DoNotOptimize (largestReduction);
        benchmark::DoNotOptimize (largestLight);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
        block = (block + 1) % programmeBlocks;
    }

    // Seconds of host audio whose wet path these samples are.
    state.counters["realtime"] = benchmark::Counter (static_cast<double> (state.iterations()) * blockSize / sampleRate,
                                                     benchmark::Counter::kIsRate);
    state.counters["ns_per_model_sample"] = benchmark::Counter (static_cast<double> (state.iterations()) * numChannels * samplesPerBlock,
                                                                benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel (std::to_string (factor) + "x, two models, one host block, busy");
}
} // namespace

BENCHMARK (processBlockAtFactor)
    ->Name ("processBlock")
    ->ArgNames ({ "factor", "busy" })
    ->ArgsProduct ({ { 1, 2, 4, 8, 16 }, { 1, 0 } })
    ->Unit (benchmark::kMicrosecond);
BENCHMARK (twoChannelModels)->Name ("ChannelModel::processSample")->Arg (1)->Arg (4)->Arg (16)->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
