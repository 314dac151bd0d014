#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// Draws the editor's rotary sliders as photographed knobs, filmstrip knobs or pointer switches
// (chosen by the slider's component name) and its text buttons as small dark panels.
class VeskLookAndFeel : public juce::LookAndFeel_V4
{
public:
    VeskLookAndFeel() = default;
    ~VeskLookAndFeel() override;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    juce::Font getPopupMenuFont() override;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};

// The fill of a text button's panel for its toggle state and the mouse.
juce::Colour buttonPanelColour (juce::Colour base, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown);
} // namespace vesk::editor
