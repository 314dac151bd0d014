#include "PluginEditor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

// The editor repaints at 30 Hz: one whole paint at the largest size, children included,
// into an image with the software renderer, should take well under a third of that budget.

namespace
{
void paintWholeEditor (benchmark::State& state)
{
    juce::ScopedJuceInitialiser_GUI framework;
    VeskSchematicPluginAudioProcessor processor;
    VeskSchematicPluginAudioProcessorEditor editor (processor);
    editor.setSize ((int) state.range (0), (int) state.range (1));

    juce::Image image (juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true, juce::SoftwareImageType());

    for (auto _ : state)
    {
        juce::Graphics g (image);
        editor.paintEntireComponent (g, true);
        benchmark::DoNotOptimize (image.getPixelAt (768, 400));
    }
}

// The faceplate alone, without the child components on top of it.
void paintFaceplateOnly (benchmark::State& state)
{
    juce::ScopedJuceInitialiser_GUI framework;
    VeskSchematicPluginAudioProcessor processor;
    VeskSchematicPluginAudioProcessorEditor editor (processor);

    juce::Image image (juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true, juce::SoftwareImageType());

    for (auto _ : state)
    {
        juce::Graphics g (image);
        editor.paint (g);
        benchmark::DoNotOptimize (image.getPixelAt (768, 400));
    }
}
} // namespace

BENCHMARK (paintWholeEditor)->Args ({ 1536, 800 })->Args ({ 960, 500 })->Unit (benchmark::kMillisecond);
BENCHMARK (paintFaceplateOnly)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    // The editor reads its remembered size from the documents folder: keep the user's out of it.
    const auto home = std::filesystem::temp_directory_path() / "vesk-editor-bench-home";
    std::filesystem::create_directories (home);
    setenv ("HOME", home.c_str(), 1);

    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
