#pragma once

#include "schematic/ChannelControls.h"
#include "schematic/CircuitElements.h"

#include <cstddef>

namespace schematic
{
// One channel of the optical saturator circuit, run sample by sample at the oversampled
// rate: input amplifier, three parallel tone cells, the lamp/LDR divider and the output
// amplifier. Default-constructed it holds placeholder values; prepare() makes it usable.
class ChannelModel
{
public:
    // Sets every component, amplifier and coefficient for the (oversampled) rate, then
    // clears the state.
    void prepare (double sampleRate);

    // Clears the signal state; coefficients and component values stay.
    void reset();

    // Recomputes the lamp and LDR time constants; speed 0..1. Audio thread, once per block.
    void setThermalSpeed (float speed);

    // One up-sampled sample. Audio thread: no allocation, no lock.
    float processSample (float x, const ChannelControls& controls);

    // processSample over a run of samples in place, raising largestGainReductionDb and
    // largestLight to the largest lastGainReductionDb and LDR value after any sample.
    // The same results as calling processSample in turn, without a call per sample.
    void processSamples (float* samples, size_t numSamples, const ChannelControls& controls,
                         float& largestGainReductionDb, float& largestLight);

    HighPassRC inputCoupling;
    HighPassRC interstageCoupling;
    HighPassRC outputCoupling;
    LowPassRC inputFilter;
    LowPassRC outputFilter;
    OpAmpStage inputAmp;
    OpAmpStage outputAmp;
    OpticalCell opticalCell;
    ToneCell lowCell;
    ToneCell midCell;
    ToneCell highCell;
    float lastGainReductionDb = 0.0f; // of the last sample, 0 or more
};
} // namespace schematic
