#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// How a panel image is repainted as brushed metal. The source only lends its brightness and
// alpha: dark pixels (screw holes) land on a flat dark ramp, everything else on a metal ramp
// with a fine brushed grain and a touch of its own lightness.
struct PanelRecolour
{
    float darkThreshold;            // T
    juce::Colour darkFrom, darkTo;  // D0 -> D1
    float midSplit;                 // M
    float upperDivisor;             // S
    juce::Colour metalLow, metalMid, metalHigh; // A -> B -> C
    juce::Colour tint;
    float tintAmount;               // p
    float grainFrequencyX1, grainFrequencyX2, grainFrequencyY; // f1, f2, f3
    float grainDepth;               // g
    float grainBrighten, grainDarken;         // kb, kd
    float lightnessGain, lightnessMin, lightnessMax; // m, lo, hi
    float lightnessBrighten, lightnessDarken; // lb, ld
};

// The dark rail below the faceplate.
extern const PanelRecolour bottomPanelRecolour;
// The light upper faceplate.
extern const PanelRecolour faceplateRecolour;

// One pixel of a panel, from its unpremultiplied source colour and its position (the grain
// depends on x and y).
juce::Colour recolourPanelPixel (juce::Colour source, int x, int y, const PanelRecolour& recolour);

// One pixel of the logo: light strokes become ink, the dark ground becomes transparent.
juce::Colour recolourLogoPixel (juce::Colour source);

// New ARGB images of the source's size; a null source gives a null image.
juce::Image recolourPanelImage (const juce::Image& source, const PanelRecolour& recolour);
juce::Image recolourLogoImage (const juce::Image& source);
} // namespace vesk::editor
