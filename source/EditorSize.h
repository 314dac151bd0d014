#pragma once

#include <JuceHeader.h>

// The editor's size limits and the size file, shared by the processor's size store and the
// editor's resize handling.
namespace editorSize
{
constexpr int minimumWidth = 960;
constexpr int minimumHeight = 500;
constexpr int maximumWidth = 1536;
constexpr int maximumHeight = 800;

inline int clampWidth (int width) { return juce::jlimit (minimumWidth, maximumWidth, width); }
inline int clampHeight (int height) { return juce::jlimit (minimumHeight, maximumHeight, height); }

// A size file member as an integer, the framework's way: a number truncated toward zero, a
// numeric string's leading integer, 0 for anything else. Values beyond the int range
// saturate instead of overflowing; the caller limits the result to the bounds.
int dimensionFromJson (const juce::var& value);

// The size file's text: {"width": W, "height": H} on one line, no line end.
juce::String sizeFileText (int width, int height);

// The editor's writer: limits the size to the bounds, creates the file's folder and replaces
// the file through a temporary file moved over it. False when that failed, in which case
// the previous file is unchanged.
bool writeSizeFile (const juce::File& sizeFile, int width, int height);
} // namespace editorSize
