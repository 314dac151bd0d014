#pragma once

#include <JuceHeader.h>

#include <array>
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

// Everything of the faceplate that does not move, on the design canvas: chassis, plate, rail,
// lettering, scales, shadows and logo. The caller has already mapped the canvas to the editor.
void paintStaticFaceplate (juce::Graphics& g);

// The pilot lamp at its opacity, on the design canvas. Nothing drawn after it in the
// faceplate overlaps it, so it can go on top of the static part.
void paintPilotLamp (juce::Graphics& g, float opacity);

// Paints the faceplate for an editor of the given size. The static part is rendered once
// per size, display scale and artwork into an image at device resolution, then copied pixel
// for pixel; only the lamp is drawn on every repaint. This keeps a whole repaint of the
// largest editor within a few milliseconds.
class FaceplatePainter
{
public:
    void paint (juce::Graphics& g, int width, int height, float pilotOpacity);

private:
    juce::Image cache;
    int cachedWidth = 0, cachedHeight = 0;
    float cachedPixelScale = 0.0f;
    std::array<const void*, 3> cachedArtwork {};
};
} // namespace vesk::editor
