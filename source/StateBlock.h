#pragma once

#include <JuceHeader.h>

// The host's state block is the framework's XML wrapper: a magic number, the length of the
// XML text, the text on one line and a zero byte.
namespace stateBlock
{
inline constexpr juce::uint32 magicNumber = 0x21324356; // "VC2!" in little-endian bytes
inline constexpr int headerSize = 8;
} // namespace stateBlock
