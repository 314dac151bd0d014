#pragma once

#include <JuceHeader.h>

#include <vector>

// The renderer's command line.
namespace render
{
struct ParameterSetting
{
    juce::String id;
    juce::String text;
};

struct Options
{
    juce::File input;        // none: the built-in demo signal
    juce::File output;
    double demoRate = 48000.0;
    bool rateGiven = false;
    int bits = 32;           // 32: float; 16 and 24: integer PCM
    juce::String preset;     // a factory preset's name or number, empty for none
    juce::String userPreset; // a stored user preset's name, empty for none
    std::vector<ParameterSetting> settings;
    int blockSize = 512;
    juce::File stateFile;
    juce::File saveStateFile;
    bool compensateLatency = true;
    bool json = false;
    bool showHelp = false;
    bool listPresets = false;
};

constexpr int minimumBlockSize = 1;
constexpr int maximumBlockSize = 8192;

struct ParsedCommandLine
{
    Options options;
    juce::String error; // empty when the command line is valid

    bool ok() const { return error.isEmpty(); }
};

// Reads the arguments that follow the program name. Relative paths are taken from the
// current working folder. Checks only what needs no file and no processor.
ParsedCommandLine parseCommandLine (const juce::StringArray& arguments);

// The --help text: every option, its default and what it does.
juce::String helpText();
} // namespace render
