#pragma once

#include "RenderOptions.h"

#include <JuceHeader.h>

#include <ostream>

// The renderer's main job, with its console as parameters so that tests can run it.
namespace render
{
struct Console
{
    std::ostream& out;           // the summary
    std::ostream& err;           // errors and the progress bar
    bool errIsTerminal = false;  // shows the progress bar when true
};

enum ExitStatus
{
    success = 0,
    failure = 1,        // an input, setting or file that cannot be used
    commandLineError = 2
};

// Runs the whole command: settings, input, render, output file, summary.
int runRenderer (const Options& options, Console& console);

// Parses the arguments that follow the program name, then runs.
int runCommandLine (const juce::StringArray& arguments, Console& console);
} // namespace render
