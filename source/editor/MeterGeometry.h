#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// Where the parts of a VU meter sit in a component of the given size.
struct VuMeterGeometry
{
    juce::Rectangle<float> bezel;
    float cornerSize;
    juce::Rectangle<float> well;
    juce::Rectangle<float> face;
    juce::Point<float> pivot;
    float needleLength;
};

VuMeterGeometry vuMeterGeometry (float width, float height);

// The needle's angle for a level (1.0 = full scale, 1.25 the end stop), clockwise from the
// positive x axis: it rests 62 degrees left of vertical and reaches 52 degrees right of it.
float vuNeedleAngle (float level);

inline constexpr float vuMaximumLevel = 1.25f;
inline constexpr float vuUpdateThreshold = 0.002f;

// Where the parts of the gain-reduction meter sit in a component of the given size.
struct GainReductionGeometry
{
    juce::Rectangle<float> titleBand;
    float titleFontHeight;
    juce::Rectangle<float> tube;
    juce::Rectangle<float> bar;
    float scaleFontHeight;
    float scaleTextX;
};

GainReductionGeometry gainReductionGeometry (float width, float height);

// How many pixels of the bar are lit, rising from its bottom.
int gainReductionLitHeight (float barHeight, float value, float maximum);

// The smallest change of the gain-reduction reading that is shown.
float gainReductionUpdateThreshold (float maximum);
} // namespace vesk::editor
