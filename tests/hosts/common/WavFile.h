#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hosttest
{
// Audio held as one vector of samples per channel, as every host here hands it around.
struct Audio
{
    double sampleRate = 48000.0;
    std::vector<std::vector<float>> channels;

    int numChannels() const { return static_cast<int> (channels.size()); }
    int numFrames() const { return channels.empty() ? 0 : static_cast<int> (channels.front().size()); }
};

// Reads a RIFF WAVE file: 16, 24 or 32-bit integer PCM or 32 or 64-bit float, plain or
// extensible. Returns false and a reason when the file cannot be read.
bool readWav (const std::string& path, Audio& audio, std::string& error);

// Writes 32-bit float samples, so that nothing is rounded on the way to another host.
bool writeWav (const std::string& path, const Audio& audio, std::string& error);

// Sample-for-sample comparison: the first frame and channel that differ, or none.
struct Difference
{
    bool identical = true;
    std::string summary;
    int differingSamples = 0;
    double largestDifference = 0.0;
};

Difference compareAudio (const Audio& expected, const Audio& actual);
} // namespace hosttest
