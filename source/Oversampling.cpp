#include "PluginProcessor.h"

// Oversampler construction, selection and the reported latency and tail.

void VeskSchematicPluginAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    currentSampleRate = sampleRate;
    currentBlockSize = juce::jmax (1, samplesPerBlock);
}

void VeskSchematicPluginAudioProcessor::releaseResources() {}

void VeskSchematicPluginAudioProcessor::updateOversamplingSelection (int choice)
{
    juce::ignoreUnused (choice);
}

double VeskSchematicPluginAudioProcessor::getTailLengthSeconds() const { return 0.65; }
