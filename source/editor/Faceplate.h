#pragma once

#include <JuceHeader.h>

#include <atomic>

namespace vesk::editor
{
// Where the plate, its shadow and the rail sit on the design canvas. The artwork's aspect
// sets the heights; without artwork a fixed geometry takes over.
struct FaceplateGeometry
{
    juce::Rectangle<float> plate;
    float shadowHeight;
    float railY;
    float railHeight;
    float stripY;
};

FaceplateGeometry faceplateGeometry (const juce::Image& faceplateTop, const juce::Image& bottomPanel);

// The pilot lamp glows with the optical cell's light, and sits dim while power is off. A
// missing power parameter counts as power on.
float pilotLampOpacity (const std::atomic<float>* power, float lampLevel);

// Alpha from a 0..1 strength: 0 at or below 0, 255 at or above 1, else the nearest integer.
juce::uint8 alphaFromStrength (float strength);

// A soft elliptical shadow under a round control.
void drawSoftShadow (juce::Graphics& g, juce::Rectangle<float> r, float strength,
                     float offsetX, float offsetY, float spreadX, float spreadY);

// The whole faceplate on the design canvas: chassis, plate, rail, lettering, scales,
// shadows, logo and pilot lamp. The caller has already mapped the canvas to the editor.
void paintFaceplate (juce::Graphics& g, float pilotOpacity);
} // namespace vesk::editor
