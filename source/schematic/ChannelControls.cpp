#include "schematic/ChannelControls.h"

#include <algorithm>
#include <cmath>

namespace schematic
{
float gainFromDecibels (float decibels)
{
    return std::pow (10.0f, 0.05f * decibels);
}

ChannelControls makeChannelControls (const ControlValues& values)
{
    const float drive = std::clamp (values.drive, 0.0f, 1.0f);

    ChannelControls controls;
    controls.inputGain = gainFromDecibels (values.inputDb);
    controls.preDriveGain = 1.0f + 1.9f * drive;
    controls.cellDrive = 1.0f + 0.7f * drive;
    controls.lampDrive = 0.7f + 4.2f * drive;
    // 0 dB leaves a band out of the sum; cuts subtract part of it.
    controls.lowWeight = gainFromDecibels (values.lowDb) - 1.0f;
    controls.midWeight = gainFromDecibels (values.presenceDb) - 1.0f;
    controls.highWeight = gainFromDecibels (values.airDb) - 1.0f;
    controls.outputGain = gainFromDecibels (values.outputDb);
    controls.opticalDepth = std::clamp (values.opto, 0.0f, 1.0f);
    return controls;
}
} // namespace schematic
