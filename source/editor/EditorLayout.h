#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// All editor geometry is designed on a 1536 x 800 canvas, scaled uniformly to the editor's
// size and centred in it.
inline constexpr float designWidth = 1536.0f;
inline constexpr float designHeight = 800.0f;

// The three sizes the S, M and L buttons select.
inline constexpr int smallWidth = 960, smallHeight = 500;
inline constexpr int mediumWidth = 1152, mediumHeight = 600;
inline constexpr int largeWidth = 1536, largeHeight = 800;
inline constexpr double fixedAspectRatio = 1.92;

struct DesignMapping
{
    float scale;
    float offsetX;
    float offsetY;
};

// s = min(w / 1536, h / 800), and the offsets that centre the canvas, in single precision.
DesignMapping designMapping (int width, int height);

// A design rectangle mapped to the editor: each of x, y, width and height rounded on its own
// to the nearest integer, halves to even.
juce::Rectangle<int> mapDesignRectangle (juce::Rectangle<float> design, int width, int height);

// Where each child sits on the design canvas.
namespace designLayout
{
inline const juce::Rectangle<float> sizeLabel { 1306, 68, 70, 21 };
inline const juce::Rectangle<float> sizeSmallButton { 1273, 94, 40, 34 };
inline const juce::Rectangle<float> sizeMediumButton { 1317, 94, 40, 34 };
inline const juce::Rectangle<float> sizeLargeButton { 1361, 94, 40, 34 };
inline const juce::Rectangle<float> presetButton { 1334, 16.5f, 178, 18 };
inline const juce::Rectangle<float> websiteLink { 96, 50, 348, 96 };
inline const juce::Rectangle<float> lowKnob { 131, 233, 130, 130 };
inline const juce::Rectangle<float> presenceKnob { 331, 233, 130, 130 };
inline const juce::Rectangle<float> airKnob { 531, 233, 130, 130 };
inline const juce::Rectangle<float> optoKnob { 771, 233, 130, 130 };
inline const juce::Rectangle<float> speedKnob { 984, 233, 112, 112 };
inline const juce::Rectangle<float> driveKnob { 984, 400, 112, 112 };
inline const juce::Rectangle<float> mixKnob { 1182, 233, 130, 130 };
inline const juce::Rectangle<float> gainReductionMeter { 1344, 156, 126, 340 };
inline const juce::Rectangle<float> powerButton { 247, 647, 78, 74 };
inline const juce::Rectangle<float> inputKnob { 106, 618, 102, 102 };
inline const juce::Rectangle<float> outputKnob { 1324, 618, 102, 102 };
inline const juce::Rectangle<float> inputMeter { 364, 578, 258, 164 };
inline const juce::Rectangle<float> outputMeter { 908, 578, 258, 164 };
inline const juce::Rectangle<float> oversamplingSwitch { 723, 625, 90, 90 };
} // namespace designLayout
} // namespace vesk::editor
