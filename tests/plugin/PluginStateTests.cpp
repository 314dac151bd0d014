#include "PersistenceTestSupport.h"

#include <cstring>
#include <functional>
#include <thread>

using namespace persistencetest;

namespace
{
using Block = std::vector<unsigned char>;

Block saveState (VeskSchematicPluginAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    const auto* bytes = static_cast<const unsigned char*> (block.getData());
    return { bytes, bytes + block.getSize() };
}

void restoreState (VeskSchematicPluginAudioProcessor& processor, const Block& block)
{
    processor.setStateInformation (block.data(), (int) block.size());
}

juce::uint32 readLittleEndian (const Block& block, size_t offset)
{
    return (juce::uint32) block[offset] | ((juce::uint32) block[offset + 1] << 8)
         | ((juce::uint32) block[offset + 2] << 16) | ((juce::uint32) block[offset + 3] << 24);
}

void writeLittleEndian (Block& block, size_t offset, juce::uint32 value)
{
    for (size_t i = 0; i < 4; ++i)
        block[offset + i] = (unsigned char) (value >> (8 * i));
}

// A block in the wrapper layout around any text, with the length field as given.
Block wrap (const std::string& text, std::optional<juce::uint32> lengthField = {})
{
    Block block { 'V', 'C', '2', '!', 0, 0, 0, 0 };
    block.insert (block.end(), text.begin(), text.end());
    block.push_back (0);
    writeLittleEndian (block, 4, lengthField.value_or ((juce::uint32) text.size()));
    return block;
}

std::string xmlText (const Block& block)
{
    return { block.begin() + 8, block.begin() + 8 + (std::ptrdiff_t) readLittleEndian (block, 4) };
}

// A state document with the given root attributes and PARAM children.
std::string stateDocument (const std::string& rootAttributes, const std::string& children)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <PARAMETERS " + rootAttributes + ">" + children + "</PARAMETERS>";
}

void moveAwayFromDefaults (VeskSchematicPluginAudioProcessor& processor)
{
    processor.setCurrentProgram (12); // "Snare Crack": every parameter off its default but power
    setPlain (processor, "power", 0.0f);
    setPlain (processor, "mix", 0.337f);
    processor.storeUserPreset ("Snare Room");
    processor.setCurrentProgram (13); // clears the user preset name ...
    processor.recallUserPreset (0);   // ... which the recall brings back, leaving program 13
}

using PluginState = PersistenceTest;
} // namespace

TEST_F (PluginState, aSavedBlockFollowsTheWrapperLayoutByteForByte)
{
    VeskSchematicPluginAudioProcessor processor;
    const auto block = saveState (processor);

    ASSERT_GE (block.size(), 10u);
    EXPECT_EQ (std::string (block.begin(), block.begin() + 4), "VC2!");
    EXPECT_EQ (readLittleEndian (block, 4), block.size() - 9);
    EXPECT_EQ (block.back(), 0);

    const auto text = xmlText (block);
    EXPECT_EQ (text.rfind ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text;
    EXPECT_EQ (text.find_first_of ("\r\n"), std::string::npos) << text;
    EXPECT_EQ (text.find ('\0'), std::string::npos);

    const auto document = juce::parseXML (juce::String::fromUTF8 (text.data(), (int) text.size()));
    ASSERT_NE (document, nullptr);
    EXPECT_EQ (document->getTagName(), "PARAMETERS");

    // The four attributes, in this order, for a fresh instance without a size file.
    const std::vector<std::pair<juce::String, juce::String>> expectedAttributes {
        { "editorWidth", "1536" }, { "editorHeight", "800" }, { "currentProgram", "0" }, { "currentUserPresetName", "" }
    };
    std::vector<std::pair<juce::String, juce::String>> attributes;
    for (int i = 0; i < document->getNumAttributes(); ++i)
        attributes.emplace_back (document->getAttributeName (i), document->getAttributeValue (i));
    EXPECT_EQ (attributes, expectedAttributes);

    // Eleven PARAM children with the defaults as plain values: the output trim 9.98 dB below
    // what the user sees, the oversampling choice as its index, the switch as 0 or 1.
    const std::map<juce::String, double> defaults {
        { "input", 0.0 }, { "drive", 0.0 }, { "low", 0.0 }, { "presence", 0.0 }, { "air", 0.0 }, { "opto", 0.0 },
        { "speed", 0.0 }, { "mix", 1.0 }, { "output", -9.98 }, { "oversampling", 2.0 }, { "power", 1.0 }
    };
    std::map<juce::String, double> saved;
    int children = 0;
    for (const auto* child : document->getChildIterator())
    {
        ++children;
        EXPECT_EQ (child->getTagName(), "PARAM");
        saved[child->getStringAttribute ("id")] = child->getDoubleAttribute ("value");
    }
    EXPECT_EQ (children, 11);
    ASSERT_EQ (saved.size(), defaults.size());
    for (const auto& [id, value] : defaults)
        EXPECT_NEAR (saved[id], value, 1.0e-6) << id;
}

TEST_F (PluginState, savingCarriesTheProgramPresetNameAndStoredSize)
{
    VeskSchematicPluginAudioProcessor processor;
    moveAwayFromDefaults (processor);
    processor.storedEditorWidth = 1152;
    processor.storedEditorHeight = 600;

    const auto before = saveState (processor);
    const auto document = juce::parseXML (juce::String::fromUTF8 (xmlText (before).data(), (int) xmlText (before).size()));
    ASSERT_NE (document, nullptr);
    EXPECT_EQ (document->getStringAttribute ("editorWidth"), "1152");
    EXPECT_EQ (document->getStringAttribute ("editorHeight"), "600");
    EXPECT_EQ (document->getStringAttribute ("currentProgram"), "13");
    EXPECT_EQ (document->getStringAttribute ("currentUserPresetName"), "Snare Room");

    // Saving changes nothing: a second save gives the same bytes.
    EXPECT_EQ (saveState (processor), before);
}

TEST_F (PluginState, aRestoreIntoAFreshInstanceReproducesEverything)
{
    VeskSchematicPluginAudioProcessor source;
    moveAwayFromDefaults (source);
    const auto block = saveState (source);

    VeskSchematicPluginAudioProcessor restored;
    restoreState (restored, block);

    EXPECT_EQ (snapshot (restored), snapshot (source));
    EXPECT_EQ (restored.getCurrentProgram(), 13);
    EXPECT_EQ (restored.currentUserPresetName, "Snare Room");
    EXPECT_EQ (xmlText (saveState (restored)), xmlText (block));
}

TEST_F (PluginState, theRestoredEditorSizeComesFromTheSizeFile)
{
    const auto block = wrap (stateDocument (R"(editorWidth="1000" editorHeight="700")", R"(<PARAM id="input" value="1"/>)"));

    {
        VeskSchematicPluginAudioProcessor processor;
        processor.storedEditorWidth = 1200;
        processor.storedEditorHeight = 550;
        restoreState (processor, block);
        EXPECT_EQ (processor.storedEditorWidth, 1536); // no size file: the default
        EXPECT_EQ (processor.storedEditorHeight, 800);
    }

    writeBytes (sizeFile(), R"({"width": 1152, "height": 600})");
    VeskSchematicPluginAudioProcessor processor;
    processor.storedEditorWidth = 1200;
    restoreState (processor, block);
    EXPECT_EQ (processor.storedEditorWidth, 1152);
    EXPECT_EQ (processor.storedEditorHeight, 600);

    // A size file that does not read (an array) also gives the default.
    writeBytes (sizeFile(), "[1152, 600]");
    restoreState (processor, block);
    EXPECT_EQ (processor.storedEditorWidth, 1536);
    EXPECT_EQ (processor.storedEditorHeight, 800);
}

TEST_F (PluginState, restoredAttributesAndValuesAreLimited)
{
    struct Case
    {
        const char* what;
        std::string rootAttributes;
        std::string children;
        std::function<void (VeskSchematicPluginAudioProcessor&, const Snapshot& before)> check;
    };

    const std::string anyParam = R"(<PARAM id="input" value="1.5"/>)";

    const Case cases[] = {
        { "program 57 is limited to 32 and not applied", R"(currentProgram="57")", anyParam,
          [] (auto& p, const Snapshot& before) {
              EXPECT_EQ (p.getCurrentProgram(), 32);
              EXPECT_EQ (rawValue (p, "drive"), before.values[1]); // preset 32 would set 0.33
          } },
        { "program -3 is limited to 0", R"(currentProgram="-3")", anyParam,
          [] (auto& p, const Snapshot&) { EXPECT_EQ (p.getCurrentProgram(), 0); } },
        { "a program far beyond any integer is limited too", R"(currentProgram="99999999999999999999999")", anyParam,
          [] (auto& p, const Snapshot&) { EXPECT_EQ (p.getCurrentProgram(), 32); } },
        { "missing attributes keep the present program and preset name", "", anyParam,
          [] (auto& p, const Snapshot& before) {
              EXPECT_EQ (p.getCurrentProgram(), before.program);
              EXPECT_EQ (p.currentUserPresetName, before.userPresetName);
          } },
        { "an empty preset name clears the current one", R"(currentProgram="3" currentUserPresetName="")", anyParam,
          [] (auto& p, const Snapshot&) { EXPECT_EQ (p.currentUserPresetName, ""); } },
        { "a preset name that no preset has is restored as it is", R"(currentUserPresetName=" Gone &amp; away ")", anyParam,
          [] (auto& p, const Snapshot&) { EXPECT_EQ (p.currentUserPresetName, " Gone & away "); } },
        { "values beyond the ranges land on the range ends", "",
          R"(<PARAM id="input" value="99"/><PARAM id="output" value="-1e300"/><PARAM id="oversampling" value="9"/><PARAM id="power" value="5"/><PARAM id="mix" value="1e99999999999"/>)",
          [] (auto& p, const Snapshot&) {
              EXPECT_EQ (rawValue (p, "input"), 18.0f);
              EXPECT_EQ (rawValue (p, "output"), -27.98f);
              EXPECT_EQ (rawValue (p, "oversampling"), 4.0f);
              EXPECT_EQ (rawValue (p, "power"), 1.0f);
              EXPECT_EQ (rawValue (p, "mix"), 1.0f);
          } },
        { "parameters the block lacks, or holds as nan, keep their values; text reads as 0", "",
          R"(<PARAM id="drive" value="nan"/><PARAM id="speed"/><PARAM id="low" value="abc"/><PARAM id="air" value="2.5"/>)",
          [] (auto& p, const Snapshot& before) {
              EXPECT_EQ (rawValue (p, "drive"), before.values[1]);
              EXPECT_EQ (rawValue (p, "speed"), before.values[6]);
              EXPECT_EQ (rawValue (p, "low"), 0.0f);
              EXPECT_EQ (rawValue (p, "air"), 2.5f);
              EXPECT_EQ (rawValue (p, "input"), before.values[0]);
          } },
        { "a later PARAM with the same id wins", "",
          R"(<PARAM id="air" value="1"/><PARAM id="air" value="-2"/>)",
          [] (auto& p, const Snapshot&) { EXPECT_EQ (rawValue (p, "air"), -2.0f); } },
    };

    for (const auto& c : cases)
    {
        VeskSchematicPluginAudioProcessor processor;
        moveAwayFromDefaults (processor);
        const auto before = snapshot (processor);

        restoreState (processor, wrap (stateDocument (c.rootAttributes, c.children)));
        SCOPED_TRACE (c.what);
        c.check (processor, before);

        // Whatever the block held, the instance saves a complete, clean state again.
        const auto document = juce::parseXML (juce::String::fromUTF8 (xmlText (saveState (processor)).c_str()));
        ASSERT_NE (document, nullptr);
        EXPECT_EQ (document->getNumChildElements(), 11);
        EXPECT_EQ (document->getNumAttributes(), 4);
    }
}

TEST_F (PluginState, aBadBlockLeavesTheInstanceExactlyAsItWas)
{
    VeskSchematicPluginAudioProcessor source;
    const auto good = saveState (source);
    const auto goodText = xmlText (good);

    auto withMagic = good;
    withMagic[3] = '?';

    auto cutText = wrap (goodText.substr (0, goodText.size() / 2));

    auto longerThanTheBlockAndCut = good;
    longerThanTheBlockAndCut.resize (good.size() / 2);

    auto overlong = good;
    writeLittleEndian (overlong, 4, 0xffffffffu);
    overlong.resize (overlong.size() - 40);

    std::string deep = "<PARAMETERS><PARAM id=\"input\" value=\"1\">";
    for (int i = 0; i < 1000000; ++i)
        deep += "<P>";

    const std::pair<const char*, Block> cases[] = {
        { "no bytes", {} },
        { "8 bytes", Block (good.begin(), good.begin() + 8) },
        { "the header and a zero byte only", Block (good.begin(), good.begin() + 9) },
        { "another magic number", withMagic },
        { "a length of 0", wrap (goodText, 0) },
        { "XML cut in the middle", cutText },
        { "a length beyond the block, whose text is cut", longerThanTheBlockAndCut },
        { "the largest length, text cut", overlong },
        { "not XML", wrap ("PARAMETERS currentProgram=5") },
        { "XML, but no parameters at all", wrap (R"(<PARAMETERS currentProgram="5" currentUserPresetName="X"/>)") },
        { "XML of another plug-in", wrap (R"(<STATE><PARAM id="gain" value="1"/><PARAM id="Input" value="3"/></STATE>)") },
        { "our ids, but not as PARAM elements", wrap (R"(<PARAMETERS currentProgram="5"><param id="input" value="3"/><VALUE id="drive" value="1"/></PARAMETERS>)") },
        { "PARAM elements without a value", wrap (R"(<PARAMETERS currentProgram="5"><PARAM id="input"/><PARAM id="drive" Value="1"/></PARAMETERS>)") },
        { "only values that are not numbers", wrap (R"(<PARAMETERS currentProgram="5"><PARAM id="input" value="nan"/></PARAMETERS>)") },
        { "a document type declaring entities", wrap (R"(<!DOCTYPE PARAMETERS [<!ENTITY a "&a;">]><PARAMETERS currentProgram="&a;"><PARAM id="input" value="3"/></PARAMETERS>)") },
        { "nesting deep enough to exhaust the parser's stack", wrap (deep) },
        { "a processing instruction followed by text, on which the parser would loop forever",
          wrap (R"(<PARAMETERS currentProgram="5"><PARAM id="input" value="3"/><?pi x?>text</PARAMETERS>)") },
    };

    for (const auto& [what, block] : cases)
    {
        VeskSchematicPluginAudioProcessor processor;
        moveAwayFromDefaults (processor);
        processor.storedEditorWidth = 1000; // a size file would say otherwise, but there is none
        const auto before = snapshot (processor);
        const auto savedBefore = saveState (processor);

        processor.setStateInformation (block.empty() ? nullptr : block.data(), (int) block.size());

        EXPECT_EQ (snapshot (processor), before) << what;
        EXPECT_EQ (saveState (processor), savedBefore) << what;
    }

    VeskSchematicPluginAudioProcessor processor;
    const auto before = snapshot (processor);
    processor.setStateInformation (good.data(), -1);
    processor.setStateInformation (nullptr, 100);
    EXPECT_EQ (snapshot (processor), before);
}

TEST_F (PluginState, aLengthBeyondTheBlockReadsWhatTheBlockHolds)
{
    VeskSchematicPluginAudioProcessor source;
    moveAwayFromDefaults (source);
    auto block = saveState (source);
    writeLittleEndian (block, 4, readLittleEndian (block, 4) + 1000);

    VeskSchematicPluginAudioProcessor restored;
    restoreState (restored, block);
    EXPECT_EQ (snapshot (restored), snapshot (source));
}

TEST_F (PluginState, aRestoreResizesAnOpenEditor)
{
    writeBytes (sizeFile(), R"({"width": 1152, "height": 600})");
    VeskSchematicPluginAudioProcessor source;
    const auto block = saveState (source);

    VeskSchematicPluginAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);
    editor->setTopLeftPosition (30, 40);
    editor->setSize (1536, 800);

    restoreState (processor, block);
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (30, 40, 1152, 600));
}

// The message loop is not running in the tests; this dispatches what is queued.
#if JUCE_MAJOR_VERSION >= 8
namespace juce::detail
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}
using juce::detail::dispatchNextMessageOnSystemQueue;
#else
namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}
using juce::dispatchNextMessageOnSystemQueue;
#endif

namespace
{
void dispatchPendingMessages()
{
    while (dispatchNextMessageOnSystemQueue (true))
    {
    }
}
} // namespace

TEST_F (PluginState, aRestoreFromAHostThreadResizesTheEditorOnTheMessageThread)
{
    writeBytes (sizeFile(), R"({"width": 960, "height": 500})");
    VeskSchematicPluginAudioProcessor source;
    const auto block = saveState (source);

    {
        VeskSchematicPluginAudioProcessor processor;
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        editor->setSize (1536, 800);

        std::thread hostThread ([&] { restoreState (processor, block); });
        hostThread.join();

        EXPECT_EQ (processor.storedEditorWidth, 960);
        dispatchPendingMessages();
        EXPECT_EQ (editor->getWidth(), 960);
        EXPECT_EQ (editor->getHeight(), 500);
    }

    // The editor, or the whole instance, may be gone by the time the message arrives.
    {
        VeskSchematicPluginAudioProcessor processor;
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        std::thread hostThread ([&] { restoreState (processor, block); });
        hostThread.join();
        editor.reset();
        dispatchPendingMessages();
    }
    {
        auto processor = std::make_unique<VeskSchematicPluginAudioProcessor>();
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
        std::thread hostThread ([&] { restoreState (*processor, block); });
        hostThread.join();
        editor.reset();
        processor.reset();
        dispatchPendingMessages();
    }
}
