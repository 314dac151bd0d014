#pragma once

#include <JuceHeader.h>

// A stand-alone build launched with --render-preview=PATH renders its editor to a PNG file
// at PATH 450 ms after opening and then quits. In a plug-in host there is no command line,
// so nothing happens.

// The file named by the first "--render-preview=" token of a command line; the path may be
// quoted. The empty file when there is no such token or no path.
juce::File previewFileFromCommandLine (const juce::String& commandLine);

// Writes a snapshot of the component at one image pixel per component pixel as PNG,
// replacing any earlier file. Returns whether the file was written.
bool writeComponentSnapshot (juce::Component& component, const juce::File& file);

void maybeRenderStandalonePreview (juce::Component& editor);
