#pragma once

#include <JuceHeader.h>

// The editor's size limits, shared by the processor's size store and the editor.
namespace editorSize
{
constexpr int minimumWidth = 960;
constexpr int minimumHeight = 500;
constexpr int maximumWidth = 1536;
constexpr int maximumHeight = 800;

inline int clampWidth (int width) { return juce::jlimit (minimumWidth, maximumWidth, width); }
inline int clampHeight (int height) { return juce::jlimit (minimumHeight, maximumHeight, height); }

// Writes {"width": W, "height": H} on one line, creating the folder and replacing the file
// through a temporary file. Failures leave the previous file; returns whether it worked.
bool writeSizeFile (const juce::File& file, int width, int height);
} // namespace editorSize
