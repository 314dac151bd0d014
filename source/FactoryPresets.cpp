#include "FactoryPresets.h"
#include "Parameters.h"

namespace
{
// The table lists the output trim as the user sees it; the parameter stores it 9.98 dB lower.
constexpr float shown (float trimAsShown) { return trimAsShown - outputTrimDisplayOffsetDb; }
} // namespace

// name, input, drive, low, presence, air, opto, speed, mix, output, oversampling, power
const std::array<FactoryPreset, numFactoryPresets> factoryPresets { {
    { "Default Hardware Flat", 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, shown (0.00f), 2, true },
    { "Gentle Warmth", 0.0f, 0.14f, 0.6f, 0.2f, 0.4f, 0.18f, 0.14f, 1.0f, shown (-0.20f), 2, true },
    { "Silver Glue", -0.5f, 0.22f, 0.8f, 0.3f, 0.5f, 0.32f, 0.28f, 0.9f, shown (-0.60f), 2, true },
    { "Velvet Vocal", -1.0f, 0.18f, -0.4f, 1.2f, 1.6f, 0.26f, 0.22f, 0.82f, shown (-0.40f), 3, true },
    { "Acoustic Lift", -0.8f, 0.12f, 0.9f, 0.4f, 1.1f, 0.22f, 0.16f, 0.88f, shown (-0.30f), 2, true },
    { "Bass Bloom", -1.0f, 0.2f, 2.2f, -0.2f, -0.6f, 0.24f, 0.18f, 0.92f, shown (-0.70f), 2, true },
    { "Punch Bus", 0.0f, 0.3f, 1.1f, 0.7f, 0.4f, 0.38f, 0.32f, 0.86f, shown (-0.80f), 2, true },
    { "Tape Kiss", -0.5f, 0.26f, 0.5f, -0.1f, 0.3f, 0.28f, 0.4f, 0.78f, shown (-0.50f), 3, true },
    { "Console Push", 1.5f, 0.34f, 0.8f, 0.8f, 0.7f, 0.4f, 0.34f, 1.0f, shown (-1.20f), 2, true },
    { "Harmonic Air", -0.4f, 0.16f, -0.2f, 0.6f, 2.4f, 0.18f, 0.2f, 0.84f, shown (-0.30f), 3, true },
    { "Parallel Shine", 0.8f, 0.24f, 0.7f, 0.5f, 1.2f, 0.3f, 0.26f, 0.62f, shown (-0.50f), 2, true },
    { "Tight Drum Room", 0.5f, 0.31f, -0.3f, 1.0f, 0.6f, 0.44f, 0.36f, 0.74f, shown (-0.90f), 2, true },
    { "Snare Crack", 0.6f, 0.28f, -0.4f, 1.8f, 1.5f, 0.34f, 0.24f, 0.88f, shown (-0.70f), 3, true },
    { "Kick Weight", 0.4f, 0.24f, 2.8f, -0.3f, -0.8f, 0.27f, 0.18f, 0.94f, shown (-0.80f), 2, true },
    { "Bass Focus", 0.0f, 0.19f, 1.8f, 0.2f, -0.9f, 0.3f, 0.22f, 0.89f, shown (-0.60f), 2, true },
    { "Guitar Presence", 0.5f, 0.23f, -0.2f, 1.5f, 1.9f, 0.29f, 0.26f, 0.83f, shown (-0.40f), 3, true },
    { "Guitar Grind", 1.2f, 0.38f, 0.3f, 1.1f, 1.4f, 0.46f, 0.38f, 0.8f, shown (-1.10f), 2, true },
    { "Synth Halo", 0.0f, 0.2f, 0.8f, 0.8f, 1.8f, 0.24f, 0.3f, 0.76f, shown (-0.50f), 3, true },
    { "Piano Body", -0.5f, 0.13f, 1.1f, 0.6f, 0.7f, 0.2f, 0.16f, 0.87f, shown (-0.30f), 2, true },
    { "Rhodes Silk", -0.8f, 0.18f, 0.9f, 0.5f, 1.0f, 0.26f, 0.22f, 0.79f, shown (-0.40f), 2, true },
    { "String Polish", -1.0f, 0.15f, -0.2f, 0.8f, 1.6f, 0.18f, 0.18f, 0.85f, shown (-0.25f), 3, true },
    { "Brass Edge", 0.2f, 0.27f, 0.4f, 1.6f, 1.3f, 0.33f, 0.24f, 0.9f, shown (-0.75f), 2, true },
    { "Mix Glue", -0.6f, 0.24f, 0.5f, 0.4f, 0.4f, 0.34f, 0.3f, 0.92f, shown (-0.60f), 2, true },
    { "Mix Exciter", -0.4f, 0.17f, -0.1f, 0.6f, 2.0f, 0.22f, 0.2f, 0.68f, shown (-0.35f), 3, true },
    { "Master Lift", -1.0f, 0.14f, 0.6f, 0.3f, 1.2f, 0.2f, 0.18f, 0.95f, shown (-0.20f), 4, true },
    { "Master Density", -1.2f, 0.22f, 0.7f, 0.6f, 0.8f, 0.28f, 0.24f, 0.97f, shown (-0.50f), 4, true },
    { "Drum Crush Parallel", 1.8f, 0.46f, 1.1f, 1.3f, 0.8f, 0.58f, 0.42f, 0.54f, shown (-1.40f), 2, true },
    { "LoFi Cinema", 2.0f, 0.42f, 1.8f, -0.6f, -1.6f, 0.52f, 0.48f, 0.72f, shown (-1.80f), 1, true },
    { "Mono Radio", 1.5f, 0.36f, 0.6f, 1.4f, -1.0f, 0.44f, 0.5f, 0.7f, shown (-1.60f), 1, true },
    { "Dense Chorus", 0.6f, 0.25f, 0.7f, 0.9f, 1.4f, 0.35f, 0.34f, 0.73f, shown (-0.80f), 2, true },
    { "Ambient Bloom", -0.8f, 0.21f, 1.4f, 0.7f, 1.5f, 0.31f, 0.42f, 0.66f, shown (-0.70f), 3, true },
    { "Bright Pop", 0.2f, 0.19f, 0.3f, 1.0f, 2.2f, 0.25f, 0.24f, 0.93f, shown (-0.45f), 3, true },
    { "Dark Iron", 1.0f, 0.33f, 1.6f, 0.4f, -1.8f, 0.47f, 0.36f, 0.88f, shown (-1.00f), 2, true },
} };
