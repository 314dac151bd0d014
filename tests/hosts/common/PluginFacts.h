#pragma once

#include <array>

// What a host must find in the built bundles: the product's published identity, its
// eleven parameters and its 33 programs, written out here independently of the code.
namespace pluginfacts
{
inline constexpr const char* name = "Vesk Q84D";
inline constexpr const char* lv2Uri = "https://www.veskaudio.com/plugins/q84d";
inline constexpr double tailSeconds = 0.65;

struct Parameter
{
    const char* id;
    const char* name;
    float minimum, maximum, defaultValue; // plain values
    const char* defaultText;              // as the host shows the default
    const char* label;
};

inline constexpr std::array<Parameter, 11> parameters { {
    { "input", "Input", -18.0f, 18.0f, 0.0f, "0.00", "dB" },
    { "drive", "Lamp Drive", 0.0f, 1.0f, 0.0f, "0%", "%" },
    { "low", "Low Cell", -12.0f, 12.0f, 0.0f, "0.00", "dB" },
    { "presence", "Mid Cell", -12.0f, 12.0f, 0.0f, "0.00", "dB" },
    { "air", "HF Cell", -12.0f, 12.0f, 0.0f, "0.00", "dB" },
    { "opto", "LDR Depth", 0.0f, 1.0f, 0.0f, "0%", "%" },
    { "speed", "Thermal", 0.0f, 1.0f, 0.0f, "0%", "%" },
    { "mix", "Mix", 0.0f, 1.0f, 1.0f, "100%", "%" },
    { "output", "Output", -27.98f, 8.02f, -9.98f, "0.00", "dB" },
    { "oversampling", "Oversampling", 0.0f, 4.0f, 2.0f, "4x", "" },
    { "power", "Power", 0.0f, 1.0f, 1.0f, "On", "" },
} };

inline constexpr std::array<const char*, 5> oversamplingTexts { "1x", "2x", "4x", "8x", "16x" };

// Latency in host-rate samples for each oversampling choice.
inline constexpr std::array<int, 5> latencySamples { 0, 4, 6, 6, 6 };

inline constexpr std::array<const char*, 33> programNames { {
    "Default Hardware Flat", "Gentle Warmth", "Silver Glue", "Velvet Vocal", "Acoustic Lift",
    "Bass Bloom", "Punch Bus", "Tape Kiss", "Console Push", "Harmonic Air", "Parallel Shine",
    "Tight Drum Room", "Snare Crack", "Kick Weight", "Bass Focus", "Guitar Presence",
    "Guitar Grind", "Synth Halo", "Piano Body", "Rhodes Silk", "String Polish", "Brass Edge",
    "Mix Glue", "Mix Exciter", "Master Lift", "Master Density", "Drum Crush Parallel",
    "LoFi Cinema", "Mono Radio", "Dense Chorus", "Ambient Bloom", "Bright Pop", "Dark Iron",
} };

// Program 24, "Master Lift": 16x oversampling and an output trim shown as -0.20.
inline constexpr int masterLiftProgram = 24;
} // namespace pluginfacts
