#include "PersistenceTestSupport.h"

#include <cmath>
#include <thread>

// A host may restore a state on one thread while its audio thread is inside processBlock.
// The restore switches the oversampler, which resets and re-prepares what the block is
// working on, so the switch must never overlap a block. Run under the thread sanitizer as
// well (a build with -DVESK_SANITIZE=thread), where any overlap is reported as a data race.

using namespace persistencetest;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

// Latency in host samples per oversampling choice.
constexpr int expectedLatency[] = { 0, 4, 6, 6, 6 };

juce::MemoryBlock stateWithOversampling (int choice)
{
    VeskSchematicPluginAudioProcessor source;
    source.setCurrentProgram (26); // drives the circuit hard, so every block does real work
    setPlain (source, "oversampling", (float) choice);
    juce::MemoryBlock block;
    source.getStateInformation (block);
    return block;
}

int latencyUnderTheCallbackLock (VeskSchematicPluginAudioProcessor& processor)
{
    const juce::ScopedLock lock (processor.getCallbackLock());
    return processor.getLatencySamples();
}

using StateConcurrency = PersistenceTest;
} // namespace

TEST_F (StateConcurrency, aRestoredChoiceAppliesAtOnceOncePreparedAndNotBefore)
{
    VeskSchematicPluginAudioProcessor processor;

    // Before the first prepare there is nothing to switch.
    const auto twoTimes = stateWithOversampling (1);
    processor.setStateInformation (twoTimes.getData(), (int) twoTimes.getSize());
    EXPECT_EQ (processor.getLatencySamples(), 0);

    // The first prepare applies the restored choice.
    processor.prepareToPlay (sampleRate, blockSize);
    EXPECT_EQ (processor.getLatencySamples(), expectedLatency[1]);

    // Once prepared, a restore switches before it returns, without waiting for a block.
    for (int choice : { 0, 4, 2, 1, 3 })
    {
        const auto block = stateWithOversampling (choice);
        processor.setStateInformation (block.getData(), (int) block.getSize());
        EXPECT_EQ (processor.getLatencySamples(), expectedLatency[choice]) << choice;
    }
}

TEST_F (StateConcurrency, restoresFromAHostThreadNeverOverlapABlock)
{
    std::vector<juce::MemoryBlock> states;
    for (int choice = 0; choice < 5; ++choice)
        states.push_back (stateWithOversampling (choice));

    VeskSchematicPluginAudioProcessor processor;
    processor.prepareToPlay (sampleRate, blockSize);

    std::atomic<bool> hostDone { false };
    std::atomic<int> blocksProcessed { 0 }, nonFiniteBlocks { 0 }, wrongLatencies { 0 };

    std::thread audioThread ([&]
                             {
                                 juce::AudioBuffer<float> buffer (2, blockSize);
                                 juce::MidiBuffer midi;
                                 double phase = 0.0;

                                 while (! hostDone.load() || blocksProcessed.load() < 50)
                                 {
                                     for (int i = 0; i < blockSize; ++i, phase += 2.0 * juce::MathConstants<double>::pi * 220.0 / sampleRate)
                                         for (int channel = 0; channel < 2; ++channel)
                                             buffer.setSample (channel, i, 0.8f * (float) std::sin (phase));

                                     {
                                         // What the format wrappers do around every block.
                                         const juce::ScopedLock lock (processor.getCallbackLock());
                                         processor.processBlock (buffer, midi);
                                     }

                                     for (int channel = 0; channel < 2; ++channel)
                                         for (int i = 0; i < blockSize; ++i)
                                             if (! std::isfinite (buffer.getSample (channel, i)))
                                             {
                                                 ++nonFiniteBlocks;
                                                 channel = 2;
                                                 break;
                                             }

                                     ++blocksProcessed;
                                 }
                             });

    std::thread hostThread ([&]
                            {
                                for (int i = 0; i < 200; ++i)
                                {
                                    const auto choice = (i * 3) % 5; // every switch between neighbours and beyond
                                    const auto& state = states[(size_t) choice];
                                    processor.setStateInformation (state.getData(), (int) state.getSize());

                                    if (latencyUnderTheCallbackLock (processor) != expectedLatency[choice])
                                        ++wrongLatencies;

                                    std::this_thread::yield();
                                }

                                hostDone = true;
                            });

    hostThread.join();
    audioThread.join();

    EXPECT_GE (blocksProcessed.load(), 50);
    EXPECT_EQ (nonFiniteBlocks.load(), 0);
    EXPECT_EQ (wrongLatencies.load(), 0);
}
