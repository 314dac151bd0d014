#pragma once

#include <JuceHeader.h>

// Reading WAV and AIFF files and writing WAV files for the renderer.
namespace render
{
struct AudioData
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
};

// The whole file. Fails with a message naming the file for a missing or unreadable file
// and for anything that is not WAV or AIFF.
juce::Result readAudioFile (const juce::File& file, AudioData& data);

// Whether a file could be written there: its folder exists and it is not a folder itself.
juce::Result checkOutputTarget (const juce::File& file);

// Writes a WAV file (32: float, 16 and 24: integer PCM) through a temporary file in the
// same folder, moved over the target only when every sample has been written. On failure
// neither the target nor the temporary file is changed or left behind.
juce::Result writeWavFile (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate, int bits);

// Replaces a file with bytes the same way.
juce::Result writeBinaryFile (const juce::File& file, const juce::MemoryBlock& bytes);
} // namespace render
