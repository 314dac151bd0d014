#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// The printed colours of the unit.
inline const juce::Colour hardwareInk { 0xFF221E18 };    // dark print on the light faceplate
inline const juce::Colour hardwareRed { 0xFFC13825 };    // VU needle, top of the gain-reduction bar
inline const juce::Colour hardwareGreen { 0xFF50B14C };  // bottom of the gain-reduction bar
inline const juce::Colour hardwareAmber { 0xFFE09C43 };  // lamp amber
inline const juce::Colour railTextColour { 0xFFCFC292 }; // cream lettering on the dark rail

// A colour with its alpha byte replaced, the way the artwork's print colours are given.
inline juce::Colour withAlphaByte (juce::Colour colour, juce::uint8 alpha)
{
    return colour.withAlpha (alpha);
}
} // namespace vesk::editor
