#include "RenderOptions.h"

#include <gtest/gtest.h>

using render::parseCommandLine;

namespace
{
juce::StringArray split (const char* commandLine)
{
    auto tokens = juce::StringArray::fromTokens (commandLine, " ", "\"");
    for (auto& token : tokens)
        token = token.unquoted();
    return tokens;
}
} // namespace

TEST (RenderCommandLine, defaultsAndEveryOption)
{
    const auto plain = parseCommandLine (split ("--out a.wav"));
    ASSERT_TRUE (plain.ok()) << plain.error;
    EXPECT_EQ (plain.options.output, juce::File::getCurrentWorkingDirectory().getChildFile ("a.wav"));
    EXPECT_EQ (plain.options.input, juce::File());
    EXPECT_EQ (plain.options.demoRate, 48000.0);
    EXPECT_EQ (plain.options.bits, 32);
    EXPECT_EQ (plain.options.blockSize, 512);
    EXPECT_TRUE (plain.options.compensateLatency);
    EXPECT_FALSE (plain.options.json);

    const auto full = parseCommandLine (split ("--in=/tmp/in.aiff --out /tmp/o.wav --bits 24 --block 8192 --preset \"Silver Glue\" "
                                               "--user-preset \"my mix\" --set mix=50% --set output=-3 --state /tmp/s.bin --save-state=/tmp/t.bin "
                                               "--no-latency-compensation --json"));
    ASSERT_TRUE (full.ok()) << full.error;
    const auto& o = full.options;
    EXPECT_EQ (o.input, juce::File ("/tmp/in.aiff"));
    EXPECT_EQ (o.bits, 24);
    EXPECT_EQ (o.blockSize, 8192);
    EXPECT_EQ (o.preset, "Silver Glue");
    EXPECT_EQ (o.userPreset, "my mix");
    ASSERT_EQ (o.settings.size(), 2u);
    EXPECT_EQ (o.settings[0].id, "mix");
    EXPECT_EQ (o.settings[0].text, "50%");
    EXPECT_EQ (o.settings[1].text, "-3");
    EXPECT_EQ (o.stateFile, juce::File ("/tmp/s.bin"));
    EXPECT_EQ (o.saveStateFile, juce::File ("/tmp/t.bin"));
    EXPECT_FALSE (o.compensateLatency);
    EXPECT_TRUE (o.json);

    EXPECT_EQ (parseCommandLine (split ("--out a.wav --rate 96000")).options.demoRate, 96000.0);
    EXPECT_EQ (parseCommandLine (split ("--out a.wav --block 1")).options.blockSize, 1);
    EXPECT_TRUE (parseCommandLine (split ("--help")).options.showHelp);
    EXPECT_TRUE (parseCommandLine (split ("--list-presets")).ok());
}

TEST (RenderCommandLine, refusesWhatItCannotUse)
{
    struct
    {
        const char* commandLine;
        const char* message;
    } const cases[] = {
        { "--out a.wav --block 0", "--block must be a whole number from 1 to 8192" },
        { "--out a.wav --block 8193", "--block must be a whole number from 1 to 8192" },
        { "--out a.wav --block 12abc", "--block must be a whole number from 1 to 8192" },
        { "--out a.wav --block -5", "--block must be a whole number from 1 to 8192" },
        { "--out a.wav --bits 8", "--bits must be 16, 24 or 32" },
        { "--out a.wav --rate fast", "--rate must be a sample rate" },
        { "--out a.wav --rate 100", "--rate must be a sample rate" },
        { "--out a.wav --in b.wav --rate 44100", "--rate applies to the demo signal only" },
        { "--out a.wav --set mix", "--set needs ID=TEXT" },
        { "--out a.wav --user-preset", "--user-preset needs a user preset name" },
        { "--out a.wav --user-preset=", "--user-preset needs a user preset name" },
        { "--out a.wav --in", "--in needs a file" },
        { "--out a.wav --frobnicate", "unknown option \"--frobnicate\"" },
        { "--out a.wav --json=yes", "--json takes no value" },
        { "--in b.wav", "no output file given" },
    };

    for (const auto& c : cases)
    {
        const auto parsed = parseCommandLine (split (c.commandLine));
        EXPECT_FALSE (parsed.ok()) << c.commandLine;
        EXPECT_TRUE (parsed.error.contains (c.message)) << c.commandLine << ": " << parsed.error;
    }
}

TEST (RenderCommandLine, helpDocumentsEveryOption)
{
    const auto help = render::helpText();
    for (const auto* option : { "--in", "--out", "--rate", "--bits", "--preset", "--user-preset", "--set", "--block", "--state",
                                "--save-state", "--no-latency-compensation", "--json", "--list-presets", "--help" })
        EXPECT_TRUE (help.contains (juce::String (option) + " ")) << option;
}
