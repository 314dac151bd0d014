#include "common/TestSignal.h"

#include <cmath>
#include <cstdint>

namespace hosttest
{
Audio makeTestSignal (double sampleRate, double seconds)
{
    const auto frames = static_cast<size_t> (seconds * sampleRate) + 37;
    const auto silentFrom = frames - frames / 8;
    constexpr double pi = 3.14159265358979323846;

    Audio audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign (2, std::vector<float> (frames, 0.0f));

    uint32_t noise = 0x9e3779b9u;
    double sweepPhase = 0.0, tonePhase = 0.0;

    for (size_t i = 0; i < silentFrom; ++i)
    {
        const double t = static_cast<double> (i) / sampleRate;
        const double progress = static_cast<double> (i) / static_cast<double> (silentFrom);

        // 40 Hz to 16 kHz, exponentially; the level steps every quarter to move the lamp.
        const double frequency = 40.0 * std::pow (400.0, progress);
        sweepPhase += 2.0 * pi * frequency / sampleRate;
        const double steps[] = { 0.25, 0.9, 0.5, 1.4 };
        const double sweepLevel = steps[static_cast<int> (progress * 4.0) & 3];
        audio.channels[0][i] = static_cast<float> (sweepLevel * std::sin (sweepPhase));

        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double> (noise >> 8) / 8388608.0 - 1.0;
        const bool burst = std::fmod (t, 0.25) < 0.06;
        tonePhase += 2.0 * pi * 110.0 / sampleRate;
        audio.channels[1][i] = static_cast<float> (0.8 * std::sin (tonePhase) + (burst ? 0.5 * white : 0.0));
    }

    return audio;
}
} // namespace hosttest
