#pragma once

#include <cmath>
#include <vector>

// Small helpers for measuring the circuit with test tones.
namespace testsignals
{
constexpr double pi = 3.14159265358979323846;

inline std::vector<float> sine (double frequency, double amplitude, double sampleRate, size_t length)
{
    std::vector<float> samples (length);
    for (size_t i = 0; i < length; ++i)
        samples[i] = static_cast<float> (amplitude * std::sin (2.0 * pi * frequency * static_cast<double> (i) / sampleRate));
    return samples;
}

// Amplitude of the component at `frequency` in samples [start, end), by projection on a
// sine and a cosine. The range should hold a whole number of periods.
inline double amplitudeAt (const std::vector<float>& samples, double frequency, double sampleRate, size_t start, size_t end)
{
    double s = 0.0, c = 0.0;
    for (size_t i = start; i < end; ++i)
    {
        const double phase = 2.0 * pi * frequency * static_cast<double> (i) / sampleRate;
        s += samples[i] * std::sin (phase);
        c += samples[i] * std::cos (phase);
    }
    const double n = static_cast<double> (end - start);
    return 2.0 * std::sqrt (s * s + c * c) / n;
}

inline double decibels (double gain) { return 20.0 * std::log10 (gain); }
} // namespace testsignals
