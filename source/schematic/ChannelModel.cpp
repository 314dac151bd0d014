#include "schematic/ChannelModel.h"

namespace schematic
{
namespace
{
    struct ToneCellValues
    {
        double r1, c1, r2, c2, r3, c3;
        float gain, outputScale, ldrSensitivity;
    };

    // Every cell amplifier runs on a 14 V rail and slews 13 V/us.
    constexpr float cellRailVolts = 14.0f;
    constexpr float cellSlewVoltsPerMicrosecond = 13.0f;

    constexpr ToneCellValues lowCellValues { 20000.0, 2.2e-6, 20000.0, 6.8e-9, 1800.0, 6.8e-9, 3.4f, 0.22f, 0.18f };
    constexpr ToneCellValues midCellValues { 510.0, 6.8e-7, 20000.0, 6.8e-10, 20000.0, 6.8e-10, 2.8f, 0.21f, 0.24f };
    constexpr ToneCellValues highCellValues { 510.0, 6.8e-7, 20000.0, 2.2e-10, 20000.0, 2.2e-10, 2.4f, 0.2f, 0.28f };

    void prepareToneCell (ToneCell& cell, const ToneCellValues& values, double sampleRate)
    {
        cell.r1 = values.r1;
        cell.c1 = values.c1;
        cell.r2 = values.r2;
        cell.c2 = values.c2;
        cell.r3 = values.r3;
        cell.c3 = values.c3;
        cell.gain = values.gain;
        cell.outputScale = values.outputScale;
        cell.ldrSensitivity = values.ldrSensitivity;
        cell.railVolts = cellRailVolts;
        cell.slewVoltsPerMicrosecond = cellSlewVoltsPerMicrosecond;
        cell.prepare (sampleRate);
    }

    // The amplifiers' gains around their stages, and 1/7 as the float the circuit uses.
    constexpr float inputAmpGain = 8.0f;
    constexpr float inputAmpScale = 0.125f;
    constexpr float outputAmpGain = 7.0f;
    constexpr float outputAmpScale = 0.14285715f;
} // namespace

void ChannelModel::prepare (double sampleRate)
{
    inputCoupling.coefficient = highPassCoefficient (1.034, sampleRate);
    interstageCoupling.coefficient = highPassCoefficient (0.024017, sampleRate);
    outputCoupling.coefficient = highPassCoefficient (0.044, sampleRate);

    inputFilter.coefficient = lowPassCoefficient (1.0978e-6, sampleRate);
    outputFilter.coefficient = lowPassCoefficient (4.4e-6, sampleRate);

    inputAmp.prepare (sampleRate, 24.0f, 1.6f, 1.0e7f);
    outputAmp.prepare (sampleRate, 14.0f, 1.85f, 1.3e7f);

    opticalCell.sampleRate = sampleRate;
    opticalCell.setThermalSpeed (1.0f);

    prepareToneCell (lowCell, lowCellValues, sampleRate);
    prepareToneCell (midCell, midCellValues, sampleRate);
    prepareToneCell (highCell, highCellValues, sampleRate);

    reset();
}

void ChannelModel::reset()
{
    inputCoupling.reset();
    interstageCoupling.reset();
    outputCoupling.reset();
    inputFilter.reset();
    outputFilter.reset();
    inputAmp.reset();
    outputAmp.reset();
    opticalCell.reset();
    lowCell.reset();
    midCell.reset();
    highCell.reset();
    lastGainReductionDb = 0.0f;
}

void ChannelModel::setThermalSpeed (float speed)
{
    opticalCell.setThermalSpeed (speed);
}

float ChannelModel::processSample (float x, const ChannelControls& controls)
{
    const float u = controls.inputGain * x;
    const float h = interstageCoupling.process (inputCoupling.process (u));
    const float p = inputFilter.process (h * controls.preDriveGain);
    const float v = inputAmpScale * inputAmp.process (inputAmpGain * p);

    // The cells see the light the LDR had after the previous sample.
    const float light = opticalCell.ldr;
    const float low = lowCell.process (v, controls.lowWeight, controls.cellDrive, light);
    const float mid = midCell.process (v, controls.midWeight, controls.cellDrive, light);
    const float high = highCell.process (v, controls.highWeight, controls.cellDrive, light);

    auto& cell = opticalCell;
    const float lampHeat = controls.lampDrive
                         * (0.22f * std::abs (v) + 0.45f * std::abs (low) + 0.72f * std::abs (mid) + 0.96f * std::abs (high));

    const float lampK = lampHeat > cell.lamp ? cell.coefficients[OpticalCell::lampAttack]
                                             : cell.coefficients[OpticalCell::lampRelease];
    cell.lamp = lampK * cell.lamp + (1.0f - lampK) * lampHeat;

    const float lampLight = std::clamp (cell.lamp, 0.0f, 1.0f);
    const float ldrK = lampLight > cell.ldr ? cell.coefficients[OpticalCell::ldrRise]
                                            : cell.coefficients[OpticalCell::ldrFall];
    cell.ldr = ldrK * cell.ldr + (1.0f - ldrK) * lampLight;

    const float dark = 1.0f - std::clamp (cell.ldr, 0.0f, 1.0f);
    cell.resistance = OpticalCell::litResistance
                    + (OpticalCell::darkResistance - OpticalCell::litResistance) * std::pow (dark, 2.6f);

    const float ratio = cell.resistance / (cell.resistance + OpticalCell::seriesResistance);
    cell.gain = 1.0f + controls.opticalDepth * (ratio - 1.0f);

    const float sum = (((v + low) + mid) + high) * cell.gain * controls.outputGain;
    const float w = outputAmp.process (outputAmpGain * outputFilter.process (sum)) * outputAmpScale;
    const float y = outputCoupling.process (w);

    // log10(1) is exactly 0: without depth the divider's gain is 1 and needs no logarithm.
    const float gainDb = cell.gain == 1.0f ? 0.0f : 20.0f * std::log10 (cell.gain);
    lastGainReductionDb = cell.gain > 0.0f ? -std::max (gainDb, -60.0f) : 60.0f;
    return y;
}

void ChannelModel::processSamples (float* samples, size_t numSamples, const ChannelControls& controls,
                                   float& largestGainReductionDb, float& largestLight)
{
    for (size_t i = 0; i < numSamples; ++i)
    {
        samples[i] = processSample (samples[i], controls);
        largestGainReductionDb = std::max (largestGainReductionDb, lastGainReductionDb);
        largestLight = std::max (largestLight, opticalCell.ldr);
    }
}
} // namespace schematic
