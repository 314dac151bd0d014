#pragma once

// The gains one host block runs with, derived once per block from the parameters and
// shared by both channels.
namespace schematic
{
struct ChannelControls
{
    float inputGain = 1.0f;
    float preDriveGain = 1.0f;
    float cellDrive = 1.0f;
    float lampDrive = 0.7f;
    float lowWeight = 0.0f;
    float midWeight = 0.0f;
    float highWeight = 0.0f;
    float outputGain = 1.0f;
    float opticalDepth = 0.0f;
};

// The plain parameter values the controls come from: trims and band levels in dB (the
// output trim as stored, not as shown), drive and depth 0..1.
struct ControlValues
{
    float inputDb = 0.0f;
    float drive = 0.0f;
    float lowDb = 0.0f;
    float presenceDb = 0.0f;
    float airDb = 0.0f;
    float opto = 0.0f;
    float outputDb = 0.0f;
};

// 10^(dB/20), in single precision.
float gainFromDecibels (float decibels);

// Drive and depth are limited to 0..1 here; the trims and band levels are used as given.
ChannelControls makeChannelControls (const ControlValues& values);
} // namespace schematic
