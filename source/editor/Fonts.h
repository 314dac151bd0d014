#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// The editor's fonts, built the same way on JUCE 7 (height and style) and JUCE 8 (FontOptions).
// Both give the default sans-serif typeface.
juce::Font makeFont (float height, int styleFlags);

// A font whose typeface style is named, e.g. "Bold" or "Plain".
juce::Font makeFont (float height, const juce::String& typefaceStyle);
} // namespace vesk::editor
