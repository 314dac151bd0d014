#pragma once

#include <JuceHeader.h>

#include "editor/Artwork.h"

namespace vesk::editor
{
// What a rotary control is drawn as, chosen by its component name.
enum class ControlKind
{
    largeKnob,
    smallKnob,
    frequencySwitch,
    oversamplingSwitch,
    plainKnob
};

namespace styleNames
{
    inline constexpr const char* primaryLargeKnob = "primary-large-knob";
    inline constexpr const char* largeKnob = "large-knob";
    inline constexpr const char* smallKnob = "small-knob";
    inline constexpr const char* frequencySwitch = "frequency-switch";
    inline constexpr const char* oversamplingSwitch = "oversampling-switch";
    inline constexpr const char* presetDisplayButton = "preset-display-button";
} // namespace styleNames

ControlKind controlKindForStyle (const juce::String& styleName);
bool isSwitch (ControlKind kind);

// The angle of a rotary control, with 0 pointing right and angles growing clockwise on screen.
float rotaryAngle (float sliderPos, float rotaryStartAngle, float rotaryEndAngle);

// The point at the given distance from the centre in the direction of the angle.
juce::Point<float> pointAtAngle (juce::Point<float> centre, float distance, float angle);

// The rectangle the face of a control is fitted into, inside the slider's whole area.
juce::Rectangle<float> faceRectangle (ControlKind kind, juce::Rectangle<float> area);

// The face image of a control, or a null image when there is none.
const juce::Image& faceImage (ControlKind kind, const Artwork& art);

// The filmstrip frame for a position 0 ... 1, and its rectangle within a strip of 128 frames
// (empty when the strip is shorter than 128 pixels).
int filmstripFrameIndex (float sliderPos);
juce::Rectangle<int> filmstripFrameArea (int stripWidth, int stripHeight, float sliderPos);

// A switch's dark disc and its cap rectangle, both centred in the face rectangle.
juce::Rectangle<float> switchDisc (ControlKind kind, juce::Rectangle<float> face);
juce::Rectangle<float> switchCap (ControlKind kind, juce::Rectangle<float> face);

// The cream pointer line of a knob or a switch drawn over its face.
juce::Line<float> pointerLine (ControlKind kind, juce::Rectangle<float> face, float angle);
float pointerThickness (juce::Rectangle<float> face);

// The circle of the drawn knob used when the knob artwork is missing.
juce::Rectangle<float> vectorKnobCircle (juce::Rectangle<float> area);
} // namespace vesk::editor
