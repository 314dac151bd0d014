#include "RenderCommand.h"

#include <iostream>
#include <unistd.h>

int main (int argc, char* argv[])
{
    // The processor's parameter tree needs the framework's message manager.
    juce::ScopedJuceInitialiser_GUI framework;

    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    render::Console console { std::cout, std::cerr, isatty (STDERR_FILENO) != 0 };
    return render::runCommandLine (arguments, console);
}
