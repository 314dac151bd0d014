#include "PersistenceTestSupport.h"

#include <functional>
#include <limits>

using namespace persistencetest;

namespace
{
using Values = std::map<juce::String, float>;
using PresetList = std::vector<std::pair<juce::String, Values>>;

PresetList listOf (const VeskSchematicPluginAudioProcessor& processor)
{
    PresetList list;
    for (const auto& preset : processor.userPresets)
        list.emplace_back (preset.name, preset.values);
    return list;
}

std::string presetsDocument (const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<USER_PRESETS>\n" + body + "\n</USER_PRESETS>\n";
}

std::string repeated (const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

using UserPresets = PersistenceTest;
} // namespace

TEST_F (UserPresets, storeWritesTheDocumentByteForByte)
{
    VeskSchematicPluginAudioProcessor processor;
    const std::pair<const char*, float> settings[] = {
        { "input", 1.5f }, { "drive", 0.25f }, { "low", -12.0f }, { "presence", 12.0f }, { "air", 0.5f },
        { "opto", 1.0f }, { "speed", 0.125f }, { "mix", 0.5f }, { "oversampling", 3.0f }, { "power", 0.0f }
    };
    for (const auto& [id, value] : settings)
    {
        setPlain (processor, id, value);
        ASSERT_EQ (rawValue (processor, id), value) << id; // so the texts below are exact
    }

    processor.storeUserPreset ("Bus & \"Glue\"");

    // The framework's default XML text: declaration, a blank line, two-space indents, CR LF.
    // IDs in code-point order; values are the floats widened to double in the framework's
    // number text, so the untouched output trim (-9.98f) shows all its digits.
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "\r\n"
        "<USER_PRESETS>\r\n"
        "  <PRESET name=\"Bus &amp; &quot;Glue&quot;\">\r\n"
        "    <PARAM id=\"air\" value=\"0.5\"/>\r\n"
        "    <PARAM id=\"drive\" value=\"0.25\"/>\r\n"
        "    <PARAM id=\"input\" value=\"1.5\"/>\r\n"
        "    <PARAM id=\"low\" value=\"-12.0\"/>\r\n"
        "    <PARAM id=\"mix\" value=\"0.5\"/>\r\n"
        "    <PARAM id=\"opto\" value=\"1.0\"/>\r\n"
        "    <PARAM id=\"output\" value=\"-9.979999542236328\"/>\r\n"
        "    <PARAM id=\"oversampling\" value=\"3.0\"/>\r\n"
        "    <PARAM id=\"power\" value=\"0.0\"/>\r\n"
        "    <PARAM id=\"presence\" value=\"12.0\"/>\r\n"
        "    <PARAM id=\"speed\" value=\"0.125\"/>\r\n"
        "  </PRESET>\r\n"
        "</USER_PRESETS>\r\n";

    EXPECT_EQ (readBytes (presetsFile()), expected);

    // Nothing else in the folder: the temporary file is gone.
    EXPECT_EQ (presetsFile().getParentDirectory().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (UserPresets, loadingSkipsExactlyTheMalformedEntries)
{
    constexpr float largestFloat = std::numeric_limits<float>::max();

    struct Case
    {
        const char* what;
        std::string fileText;
        PresetList expected;
    };

    const Case cases[] = {
        { "a well-formed preset",
          presetsDocument (R"(<PRESET name="Warm"><PARAM id="input" value="1.5"/><PARAM id="power" value="0"/></PRESET>)"),
          { { "Warm", { { "input", 1.5f }, { "power", 0.0f } } } } },
        { "another root element",
          "<PRESETS><PRESET name=\"Warm\"><PARAM id=\"input\" value=\"1\"/></PRESET></PRESETS>",
          {} },
        { "the root and the elements in lower case",
          "<user_presets><preset name=\"Warm\"><param id=\"input\" value=\"1\"/></preset></user_presets>",
          { { "Warm", { { "input", 1.0f } } } } },
        { "attribute names count exactly: Name is no name",
          presetsDocument (R"(<PRESET Name="A"><PARAM id="input" value="1"/></PRESET><PRESET name="B"><PARAM ID="input" value="1"/><PARAM id="mix" VALUE="1"/></PRESET>)"),
          { { "B", { { "mix", 0.0f } } } } },
        { "names are trimmed; a blank name skips the preset, not the ones after it",
          presetsDocument (R"(<PRESET name="   "><PARAM id="input" value="1"/></PRESET><PRESET name="  Air Lift	"><PARAM id="air" value="2"/></PRESET>)"),
          { { "Air Lift", { { "air", 2.0f } } } } },
        { "a preset without PARAM, or only with empty ids, is skipped",
          presetsDocument (R"(<PRESET name="Empty"/><PRESET name="Blank ids"><PARAM id="" value="1"/><PARAM value="2"/></PRESET><PRESET name="Kept"><PARAM id="" value="1"/><PARAM id="low" value="-3"/></PRESET>)"),
          { { "Kept", { { "low", -3.0f } } } } },
        { "values read as their leading number, 0 when there is none",
          presetsDocument (R"(<PRESET name="V"><PARAM id="a" value="abc"/><PARAM id="b"/><PARAM id="c" value=" 2.5dB"/><PARAM id="d" value="-1e1"/><PARAM id="e" value=".5"/></PRESET>)"),
          { { "V", { { "a", 0.0f }, { "b", 0.0f }, { "c", 2.5f }, { "d", -10.0f }, { "e", 0.5f } } } } },
        { "values that no float holds: nan reads 0, huge ones the largest float",
          presetsDocument (R"(<PRESET name="V"><PARAM id="a" value="nan"/><PARAM id="b" value="1e999"/><PARAM id="c" value="-1e99999999999999"/><PARAM id="d" value="1e-99999999999"/></PRESET>)"),
          { { "V", { { "a", 0.0f }, { "b", largestFloat }, { "c", -largestFloat }, { "d", 0.0f } } } } },
        { "a later PARAM with the same id wins; ids are kept untrimmed and unknown ids stay",
          presetsDocument (R"(<PRESET name="D"><PARAM id="mix" value="0.2"/><PARAM id="mix" value="0.7"/><PARAM id=" mix" value="1"/><PARAM id="tape" value="3"/></PRESET>)"),
          { { "D", { { "mix", 0.7f }, { " mix", 1.0f }, { "tape", 3.0f } } } } },
        { "presets with the same name all load, in file order",
          presetsDocument (R"(<PRESET name="Same"><PARAM id="input" value="1"/></PRESET><PRESET name="same"><PARAM id="input" value="2"/></PRESET><PRESET name="Same"><PARAM id="input" value="3"/></PRESET>)"),
          { { "Same", { { "input", 1.0f } } }, { "same", { { "input", 2.0f } } }, { "Same", { { "input", 3.0f } } } } },
        { "other elements and text between presets are ignored",
          presetsDocument (R"(hello<OTHER name="X"><PARAM id="input" value="1"/></OTHER><!-- note --><PRESET name="P">text<PARAMS id="input" value="1"/><PARAM id="air" value="1"/></PRESET>)"),
          { { "P", { { "air", 1.0f } } } } },
        { "names and ids carry entities and any script",
          presetsDocument (R"(<PRESET name="R&amp;B &#x00e9;t&#233;"><PARAM id="input" value="1"/></PRESET>)"),
          { { juce::String (juce::CharPointer_UTF8 ("R&B \xc3\xa9t\xc3\xa9")), { { "input", 1.0f } } } } },
        { "an empty file", "", {} },
        { "text that is not XML", "USER_PRESETS PRESET name=Warm", {} },
        { "XML cut in the middle", presetsDocument (R"(<PRESET name="Warm"><PARAM id="input" value="1"/>)").substr (0, 80), {} },
        { "a document type with entities is refused, not expanded",
          "<?xml version=\"1.0\"?><!DOCTYPE USER_PRESETS [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
          "<USER_PRESETS><PRESET name=\"&b;\"><PARAM id=\"input\" value=\"1\"/></PRESET></USER_PRESETS>",
          {} },
        { "nesting far deeper than a presets file is refused",
          "<USER_PRESETS>" + repeated ("<a>", 100000) + "</USER_PRESETS>",
          {} },
        { "a processing instruction inside the document, on which the parser would loop forever, is refused",
          presetsDocument (R"(<PRESET name="P"><?pi x?>text<PARAM id="input" value="1"/></PRESET>)"),
          {} },
        { "malformed UTF-8 becomes replacement characters",
          presetsDocument ("<PRESET name=\"Caf\xe9\"><PARAM id=\"input\" value=\"1\"/></PRESET>"),
          { { juce::String (juce::CharPointer_UTF8 ("Caf\xef\xbf\xbd")), { { "input", 1.0f } } } } },
    };

    for (const auto& c : cases)
    {
        testsupport::clearTemporaryHome();
        writeBytes (presetsFile(), c.fileText);

        VeskSchematicPluginAudioProcessor processor;
        EXPECT_EQ (listOf (processor), c.expected) << c.what;

        // Loading never writes: the file is exactly as it was.
        EXPECT_EQ (readBytes (presetsFile()), c.fileText) << c.what;
    }
}

TEST_F (UserPresets, unknownIdsAndDuplicatesAreWrittenBackAsLoaded)
{
    writeBytes (presetsFile(), presetsDocument (R"(<PRESET name="Old"><PARAM id="tape" value="3"/><PARAM id="input" value="1"/></PRESET><PRESET name="Old"><PARAM id="air" value="2"/></PRESET>)"));

    VeskSchematicPluginAudioProcessor first;
    first.storeUserPreset ("New");

    VeskSchematicPluginAudioProcessor second;
    ASSERT_EQ (second.userPresets.size(), 3u);
    EXPECT_EQ (listOf (second), listOf (first));
    EXPECT_EQ (second.userPresets[0].values.at ("tape"), 3.0f);
}

TEST_F (UserPresets, theEarlierLocationIsReadButNeverWritten)
{
    const auto earlierText = presetsDocument (R"(<PRESET name="From before"><PARAM id="drive" value="0.5"/></PRESET>)");
    writeBytes (earlierPresetsFile(), earlierText);

    {
        VeskSchematicPluginAudioProcessor processor;
        EXPECT_EQ (listOf (processor), (PresetList { { "From before", { { "drive", 0.5f } } } }));
        EXPECT_FALSE (presetsFile().exists());

        processor.storeUserPreset ("Now");
        EXPECT_TRUE (presetsFile().existsAsFile());
        EXPECT_EQ (readBytes (earlierPresetsFile()), earlierText);
    }

    // Once the presets file exists it wins; the earlier file stays untouched.
    VeskSchematicPluginAudioProcessor later;
    ASSERT_EQ (later.userPresets.size(), 2u);
    later.deleteUserPreset (0);
    later.deleteUserPreset (0);

    VeskSchematicPluginAudioProcessor afterDeletingAll;
    EXPECT_TRUE (afterDeletingAll.userPresets.empty());
    EXPECT_EQ (readBytes (earlierPresetsFile()), earlierText);
}

TEST_F (UserPresets, theEarlierLocationIsReadWhenThePresetsPathIsNoFile)
{
    writeBytes (earlierPresetsFile(), presetsDocument (R"(<PRESET name="From before"><PARAM id="drive" value="0.5"/></PRESET>)"));
    ASSERT_TRUE (presetsFile().createDirectory().wasOk());

    VeskSchematicPluginAudioProcessor processor;
    EXPECT_EQ (processor.userPresets.size(), 1u);
}

TEST_F (UserPresets, storeTrimsNamesAndReplacesInPlaceIgnoringCase)
{
    struct Case
    {
        const char* requested;
        std::vector<juce::String> namesBefore;
        std::vector<juce::String> namesAfter;
        juce::String current;
        size_t replacedPosition; // where the stored values end up
    };

    const Case cases[] = {
        { "  My Mix  ", { "Drums", "my mix", "Keys" }, { "Drums", "My Mix", "Keys" }, "My Mix", 1 },
        { "New One", { "Drums" }, { "Drums", "New One" }, "New One", 1 },
        { "", { "Drums" }, { "Drums", "User Preset" }, "User Preset", 1 },
        { " \t ", { "user preset", "Drums" }, { "User Preset", "Drums" }, "User Preset", 0 },
        { "SAME", { "same", "Same" }, { "SAME", "Same" }, "SAME", 0 },
    };

    for (const auto& c : cases)
    {
        testsupport::clearTemporaryHome();
        VeskSchematicPluginAudioProcessor processor;
        for (const auto& name : c.namesBefore)
            processor.userPresets.push_back ({ name, { { "input", -1.0f } } });

        setPlain (processor, "input", 3.0f);
        processor.setCurrentProgram (4);
        processor.storeUserPreset (c.requested);

        std::vector<juce::String> names;
        for (const auto& preset : processor.userPresets)
            names.push_back (preset.name);

        EXPECT_EQ (names, c.namesAfter) << c.requested;
        EXPECT_EQ (processor.currentUserPresetName, c.current) << c.requested;
        EXPECT_EQ (processor.getCurrentProgram(), 4) << c.requested;

        // The stored preset holds all eleven parameters at their current values.
        const auto& stored = processor.userPresets[c.replacedPosition].values;
        EXPECT_EQ (stored.size(), 11u) << c.requested;
        for (const auto& id : presetParameterIds)
            EXPECT_EQ (stored.at (id), rawValue (processor, id)) << c.requested << " " << id;

        // And the file holds the list as it is in memory.
        VeskSchematicPluginAudioProcessor reader;
        EXPECT_EQ (listOf (reader), listOf (processor)) << c.requested;
    }
}

TEST_F (UserPresets, recallAppliesWhatThePresetHoldsAndNothingElse)
{
    VeskSchematicPluginAudioProcessor processor;
    processor.setCurrentProgram (24); // "Master Lift": 16x, output -0.20 shown
    const auto before = snapshot (processor);

    processor.userPresets.push_back ({ "Partial", { { "drive", 0.5f }, { "power", 0.0f }, { "tape", 7.0f } } });
    processor.userPresets.push_back ({ "Beyond", { { "input", 99.0f }, { "oversampling", -3.0f }, { "mix", 0.5004f } } });

    processor.recallUserPreset (0);
    auto after = snapshot (processor);
    EXPECT_EQ (rawValue (processor, "drive"), 0.5f);
    EXPECT_EQ (rawValue (processor, "power"), 0.0f);
    EXPECT_EQ (rawValue (processor, "oversampling"), 4.0f); // the preset has no oversampling
    EXPECT_EQ (processor.currentUserPresetName, "Partial");
    EXPECT_EQ (processor.getCurrentProgram(), 24);
    for (auto id : { "input", "low", "presence", "air", "opto", "speed", "mix", "output" })
        EXPECT_EQ (rawValue (processor, id), before.values[(size_t) presetParameterIds.indexOf (id)]) << id;

    // Values beyond a range land on its end; values between steps on the nearest step.
    processor.recallUserPreset (1);
    EXPECT_EQ (rawValue (processor, "input"), 18.0f);
    EXPECT_EQ (rawValue (processor, "oversampling"), 0.0f);
    EXPECT_NEAR (rawValue (processor, "mix"), 0.5f, 1.0e-6f);
    EXPECT_EQ (processor.currentUserPresetName, "Beyond");

    // Positions outside the list change nothing and write nothing.
    after = snapshot (processor);
    for (int index : { -1, 2, 1000 })
    {
        processor.recallUserPreset (index);
        processor.deleteUserPreset (index);
    }
    EXPECT_EQ (snapshot (processor), after);
    EXPECT_EQ (processor.userPresets.size(), 2u);
    EXPECT_FALSE (presetsFile().exists());
}

TEST_F (UserPresets, deleteClearsTheCurrentNameOnlyForThatPreset)
{
    struct Case
    {
        juce::String current;
        int deleted;
        juce::String currentAfter;
    };

    const Case cases[] = {
        { "Keys", 1, "" },
        { "Keys", 0, "Keys" },
        { "keys", 1, "keys" }, // case counts
        { "", 2, "" },
    };

    for (const auto& c : cases)
    {
        testsupport::clearTemporaryHome();
        VeskSchematicPluginAudioProcessor processor;
        processor.userPresets = { { "Drums", { { "input", 1.0f } } }, { "Keys", { { "input", 2.0f } } }, { "Bass", { { "input", 3.0f } } } };
        processor.setCurrentProgram (9);
        processor.currentUserPresetName = c.current;

        processor.deleteUserPreset (c.deleted);

        EXPECT_EQ (processor.userPresets.size(), 2u);
        EXPECT_EQ (processor.currentUserPresetName, c.currentAfter);
        EXPECT_EQ (processor.getCurrentProgram(), 9);

        VeskSchematicPluginAudioProcessor reader;
        EXPECT_EQ (listOf (reader), listOf (processor));
    }
}

TEST_F (UserPresets, twoInstancesShareTheFileAndTheLastSaveDecides)
{
    VeskSchematicPluginAudioProcessor first;
    first.storeUserPreset ("One");

    VeskSchematicPluginAudioProcessor second; // reads the file as the first left it
    ASSERT_EQ (second.userPresets.size(), 1u);
    second.storeUserPreset ("Two");

    EXPECT_EQ (first.userPresets.size(), 1u); // an existing instance does not see the change
    first.storeUserPreset ("Three");

    VeskSchematicPluginAudioProcessor third;
    std::vector<juce::String> names;
    for (const auto& preset : third.userPresets)
        names.push_back (preset.name);
    EXPECT_EQ (names, (std::vector<juce::String> { "One", "Three" }));
}

TEST_F (UserPresets, aFailedSaveKeepsThePreviousFileAndTheChangeInMemory)
{
    struct Case
    {
        const char* what;
        std::function<void()> breakTheFolder;
        bool writesStopPartWay;
    };

    const auto previousText = presetsDocument (R"(<PRESET name="Kept"><PARAM id="input" value="1"/></PRESET>)");

    const Case cases[] = {
        { "the write stops part-way (a full disk)", [] {}, true },
        { "the target is a folder", [] { presetsFile().deleteFile(); presetsFile().getChildFile ("inside").create(); }, false },
        { "the presets folder's parent is a file", [] { productFolder().deleteRecursively(); productFolder().create(); }, false },
    };

    for (const auto& c : cases)
    {
        testsupport::clearTemporaryHome();
        writeBytes (presetsFile(), previousText);
        VeskSchematicPluginAudioProcessor processor;
        c.breakTheFolder();
        const auto before = folderContents (documentsFolder());

        {
            FileSizeLimit limit (c.writesStopPartWay ? 20 : RLIM_INFINITY);
            processor.storeUserPreset ("Added");
            processor.deleteUserPreset (0);
        }

        EXPECT_EQ (folderContents (documentsFolder()), before) << c.what;
        ASSERT_EQ (processor.userPresets.size(), 1u) << c.what;
        EXPECT_EQ (processor.userPresets[0].name, "Added") << c.what;
        EXPECT_EQ (processor.currentUserPresetName, "Added") << c.what;
    }
}

TEST_F (UserPresets, noFileOrFolderIsCreatedUntilSomethingIsStored)
{
    {
        VeskSchematicPluginAudioProcessor processor;
        EXPECT_TRUE (processor.userPresets.empty());
        EXPECT_EQ (processor.getUserPresetsDirectory(), presetsFile().getParentDirectory());
    }
    EXPECT_FALSE (documentsFolder().exists());
    EXPECT_FALSE (earlierPresetsFile().getParentDirectory().exists());
}
