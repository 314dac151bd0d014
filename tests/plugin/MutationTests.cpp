#include "PersistenceTestSupport.h"

#include <cmath>
#include <fstream>
#include <random>

// Thousands of corrupted state blocks, preset files and size files, from a fixed seed. Run
// under the address and undefined-behaviour sanitizers too (scripts/sanitizer-tests.sh),
// where any read past a buffer, overflow or runaway recursion ends the run.

using namespace persistencetest;

namespace
{
constexpr int iterationsPerDocument = 3000;

// Fragments that steer a mutation towards the parsers' corners.
const std::vector<std::string> tokens {
    "<", ">", "/>", "</", "\"", "'", "=", "&", "&amp;", "&#0;", "&#xD800;", "&#x110000;", "&#99999999999;", "&#xFFFFFFFFF;",
    "<!--", "-->", "<![CDATA[", "]]>", "<?xml version=\"1.0\"?>", "<!DOCTYPE a [<!ENTITY e \"&e;&e;\">]>", "&e;",
    "PARAM", "param", "PRESET", "preset", "USER_PRESETS", "PARAMETERS", " id=\"input\"", " id=\"oversampling\"", " id=\"\"",
    " value=\"", " name=\"", " Name=\"", " currentProgram=\"", "nan", "inf", "-inf", "-", "+", ".", "e", "E",
    "1e99999999999", "-1e-99999999999", "99999999999999999999999", "0.", "1.5", "-3", "57", "\xff", "\xc3", "\xe2\x82",
    "\xef\xbb\xbf", "\xed\xa0\x80", std::string ("\0", 1), " ", "\r\n", "\t",
    "{", "}", "[", "]", ":", ",", "\"width\"", "\"height\"", "true", "null", "\\u12", "\\", "'x'",
    "<a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a>", "[[[[[[[[[[[[[[[[[[[[[[",
};

class Mutator
{
public:
    explicit Mutator (std::uint32_t seed) : random (seed) {}

    std::string mutate (std::string bytes)
    {
        const int numEdits = 1 + below (4);

        for (int edit = 0; edit < numEdits; ++edit)
        {
            const auto position = bytes.empty() ? 0 : (size_t) below ((int) bytes.size() + 1);

            switch (below (7))
            {
                case 0: // a random byte
                    if (! bytes.empty())
                        bytes[juce::jmin (position, bytes.size() - 1)] = (char) below (256);
                    break;
                case 1: // one bit
                    if (! bytes.empty())
                        bytes[juce::jmin (position, bytes.size() - 1)] ^= (char) (1 << below (8));
                    break;
                case 2: // a range removed
                    bytes.erase (position, (size_t) below (16));
                    break;
                case 3: // a range repeated
                    bytes.insert (position, bytes.substr (position, (size_t) below (64)));
                    break;
                case 4: // a token inserted
                    bytes.insert (position, tokens[(size_t) below ((int) tokens.size())]);
                    break;
                case 5: // cut off
                    bytes.resize (position);
                    break;
                default: // a token in place of a range
                    bytes.replace (position, (size_t) below (8), tokens[(size_t) below ((int) tokens.size())]);
                    break;
            }
        }

        return bytes;
    }

    int below (int limit) { return std::uniform_int_distribution<int> (0, juce::jmax (0, limit - 1)) (random); }

private:
    std::mt19937 random;
};

void writeQuickly (const juce::File& file, const std::string& bytes)
{
    file.getParentDirectory().createDirectory();
    std::ofstream (file.getFullPathName().toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

void expectParametersWithinTheirRanges (VeskSchematicPluginAudioProcessor& processor, const char* after)
{
    for (const auto& id : presetParameterIds)
    {
        const auto value = rawValue (processor, id);
        const auto& range = processor.apvts.getParameter (id)->getNormalisableRange();
        EXPECT_TRUE (std::isfinite (value) && value >= range.start && value <= range.end) << after << ": " << id << " = " << value;
    }
}

std::vector<std::pair<juce::String, std::map<juce::String, float>>> listOf (const VeskSchematicPluginAudioProcessor& processor)
{
    std::vector<std::pair<juce::String, std::map<juce::String, float>>> list;
    for (const auto& preset : processor.userPresets)
        list.emplace_back (preset.name, preset.values);
    return list;
}

using Mutation = PersistenceTest;
} // namespace

TEST_F (Mutation, corruptedStateBlocksRestoreCompletelyOrNotAtAll)
{
    VeskSchematicPluginAudioProcessor source;
    source.setCurrentProgram (30);
    source.storeUserPreset (juce::String (juce::CharPointer_UTF8 ("Ambient \xc3\xa9t\xc3\xa9 & <more>")));
    source.setCurrentProgram (7);
    source.recallUserPreset (0);
    juce::MemoryBlock baseBlock;
    source.getStateInformation (baseBlock);
    const std::string base (static_cast<const char*> (baseBlock.getData()), baseBlock.getSize());

    VeskSchematicPluginAudioProcessor processor, reader;
    Mutator mutator (0x5eed0001);
    int restored = 0, refused = 0;

    for (int i = 0; i < iterationsPerDocument; ++i)
    {
        processor.setStateInformation (base.data(), (int) base.size());
        processor.setCurrentProgram (i % 33); // a different starting point each time
        const auto before = snapshot (processor);

        // Mostly the XML text, sometimes the header too.
        auto block = mutator.below (8) == 0 ? mutator.mutate (base) : base.substr (0, 8) + mutator.mutate (base.substr (8));
        if (block.size() >= 8 && mutator.below (4) == 0)
        {
            const auto length = (juce::uint32) (block.size() - 9 + (size_t) mutator.below (21) - 10);
            for (size_t b = 0; b < 4; ++b)
                block[4 + b] = (char) (length >> (8 * b));
        }

        processor.setStateInformation (block.data(), (int) block.size());
        const auto after = snapshot (processor);

        if (after == before)
        {
            ++refused;
            continue;
        }

        ++restored;
        SCOPED_TRACE ("iteration " + std::to_string (i));
        expectParametersWithinTheirRanges (processor, "a restore");
        EXPECT_TRUE (juce::isPositiveAndBelow (processor.getCurrentProgram(), 33));

        // What the instance now holds is one consistent state: it saves and restores as it is.
        juce::MemoryBlock again;
        processor.getStateInformation (again);
        reader.setStateInformation (again.getData(), (int) again.getSize());
        EXPECT_EQ (snapshot (reader), after);
    }

    // Both outcomes were exercised.
    EXPECT_GT (restored, iterationsPerDocument / 20);
    EXPECT_GT (refused, iterationsPerDocument / 20);
}

TEST_F (Mutation, corruptedPresetFilesLoadOnlyWholePresetsThatSurviveASave)
{
    std::string base;
    {
        VeskSchematicPluginAudioProcessor writer;
        writer.setCurrentProgram (3);
        writer.storeUserPreset ("Velvet");
        writer.setCurrentProgram (27);
        writer.storeUserPreset (juce::String (juce::CharPointer_UTF8 ("LoFi \"Cin\xc3\xa9ma\" & radio")));
        writer.userPresets.push_back ({ "Odd ids", { { "tape", 3.0f }, { " input", 1.0f }, { "mix", 0.25f } } });
        writer.saveUserPresets();
        base = readBytes (presetsFile());
    }
    ASSERT_FALSE (base.empty());

    VeskSchematicPluginAudioProcessor processor;
    Mutator mutator (0x5eed0002);
    int loadedSome = 0;

    for (int i = 0; i < iterationsPerDocument; ++i)
    {
        SCOPED_TRACE ("iteration " + std::to_string (i));
        const auto mutated = mutator.mutate (base);
        writeQuickly (presetsFile(), mutated);
        processor.loadUserPresets();

        for (const auto& preset : processor.userPresets)
        {
            EXPECT_TRUE (preset.name.isNotEmpty() && preset.name == preset.name.trim()) << preset.name;
            EXPECT_FALSE (preset.values.empty());
            for (const auto& [id, value] : preset.values)
                EXPECT_TRUE (id.isNotEmpty() && std::isfinite (value)) << id << " = " << value;
        }

        if (processor.userPresets.empty())
            continue;

        ++loadedSome;
        const auto loaded = listOf (processor);

        // Whatever loaded is written back and reads back the same.
        processor.saveUserPresets();
        processor.loadUserPresets();
        EXPECT_EQ (listOf (processor), loaded);

        processor.recallUserPreset (mutator.below ((int) processor.userPresets.size()));
        expectParametersWithinTheirRanges (processor, "a recall");
    }

    EXPECT_GT (loadedSome, iterationsPerDocument / 20);
}

TEST_F (Mutation, corruptedSizeFilesLoadWithinTheBoundsOrNotAtAll)
{
    const std::string bases[] = {
        R"({"width": 1152, "height": 600})",
        "{\n  \"height\": 700.5,\n  \"width\": \"1300\"\n}\n",
        R"({"width": [960, {"a": 1}], "height": -1e3, "extra": "x\u0041\n"})",
    };

    VeskSchematicPluginAudioProcessor processor;
    Mutator mutator (0x5eed0003);
    int loaded = 0;

    for (int i = 0; i < iterationsPerDocument; ++i)
    {
        writeQuickly (sizeFile(), mutator.mutate (bases[(size_t) (i % 3)]));
        processor.storedEditorWidth = 1001;
        processor.storedEditorHeight = 501;

        if (processor.loadStoredEditorSize())
        {
            ++loaded;
            EXPECT_TRUE (processor.storedEditorWidth >= 960 && processor.storedEditorWidth <= 1536) << i;
            EXPECT_TRUE (processor.storedEditorHeight >= 500 && processor.storedEditorHeight <= 800) << i;
        }
        else
        {
            EXPECT_EQ (processor.storedEditorWidth, 1001) << i;
            EXPECT_EQ (processor.storedEditorHeight, 501) << i;
        }
    }

    EXPECT_GT (loaded, iterationsPerDocument / 20);
}

TEST_F (Mutation, tenMegabytesOfJunkAreNoPresetsNoSizeAndNoState)
{
    std::mt19937 random (0x5eed0004);
    std::string junk (10 * 1024 * 1024, '\0');
    for (auto& byte : junk)
        byte = (char) (random() & 0xff);

    writeQuickly (presetsFile(), junk);
    writeQuickly (sizeFile(), junk);

    VeskSchematicPluginAudioProcessor processor;
    EXPECT_TRUE (processor.userPresets.empty());
    EXPECT_EQ (processor.storedEditorWidth, 1536);

    const auto before = snapshot (processor);
    processor.setStateInformation (junk.data(), (int) junk.size());
    auto headed = "VC2!" + junk;
    processor.setStateInformation (headed.data(), (int) headed.size());
    EXPECT_EQ (snapshot (processor), before);
}
