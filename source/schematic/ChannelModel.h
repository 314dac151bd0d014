#pragma once

// Placeholder interface of the circuit model; the engine work replaces this file.
namespace schematic
{
struct ChannelControls
{
    float inputGain = 1.0f, preDriveGain = 1.0f, cellDrive = 1.0f, lampDrive = 0.7f;
    float lowWeight = 0.0f, midWeight = 0.0f, highWeight = 0.0f;
    float outputGain = 1.0f, opticalDepth = 0.0f;
};

class ChannelModel
{
public:
    void prepare (double sampleRate);
    void reset();
    void setThermalSpeed (float speed);
    float processSample (float x, const ChannelControls& controls);
};
} // namespace schematic
