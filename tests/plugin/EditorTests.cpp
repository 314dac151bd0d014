#include "PluginEditor.h"
#include "editor/Artwork.h"
#include "editor/EditorLayout.h"
#include "editor/Faceplate.h"
#include "editor/PreviewRendering.h"
#include "support/MessagePump.h"
#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using Editor = VeskSchematicPluginAudioProcessorEditor;

// Empties HOME before the processor reads its files.
struct CleanHome
{
    CleanHome() { testsupport::clearTemporaryHome(); }
};

struct EditorFixture : testing::Test, CleanHome
{

    VeskSchematicPluginAudioProcessor processor;
    std::unique_ptr<Editor> editor = std::make_unique<Editor> (processor);

    void armSizePersistence()
    {
        for (int i = 0; i < Editor::ticksBeforeSizePersistence; ++i)
            editor->timerCallback();
    }

    juce::File sizeFile() const { return processor.getEditorSizeFile(); }
};

//==============================================================================
// Layout

struct ChildBounds
{
    const char* child;
    juce::Rectangle<int> bounds;
};

std::vector<std::pair<const char*, juce::Component*>> childrenByName (Editor& e)
{
    return { { "sizeLabel", &e.sizeLabel }, { "sizeSmallButton", &e.sizeSmallButton },
             { "sizeMediumButton", &e.sizeMediumButton }, { "sizeLargeButton", &e.sizeLargeButton },
             { "presetButton", &e.presetButton }, { "websiteLink", &e.websiteLink },
             { "lowKnob", &e.lowKnob }, { "presenceKnob", &e.presenceKnob }, { "airKnob", &e.airKnob },
             { "optoKnob", &e.optoKnob }, { "speedKnob", &e.speedKnob }, { "driveKnob", &e.driveKnob },
             { "mixKnob", &e.mixKnob }, { "gainReductionMeter", &e.gainReductionMeter },
             { "powerButton", &e.powerButton }, { "inputKnob", &e.inputKnob }, { "outputKnob", &e.outputKnob },
             { "inputMeter", &e.inputMeter }, { "outputMeter", &e.outputMeter },
             { "oversamplingSwitch", &e.oversamplingSwitch } };
}

// The design table, as printed for the 1536 x 800 canvas.
const ChildBounds designTable[] = {
    { "sizeLabel", { 1306, 68, 70, 21 } }, { "sizeSmallButton", { 1273, 94, 40, 34 } },
    { "sizeMediumButton", { 1317, 94, 40, 34 } }, { "sizeLargeButton", { 1361, 94, 40, 34 } },
    { "presetButton", { 1334, 16, 178, 18 } }, // 16.5 rounds half to even at scale 1
    { "websiteLink", { 96, 50, 348, 96 } }, { "lowKnob", { 131, 233, 130, 130 } },
    { "presenceKnob", { 331, 233, 130, 130 } }, { "airKnob", { 531, 233, 130, 130 } },
    { "optoKnob", { 771, 233, 130, 130 } }, { "speedKnob", { 984, 233, 112, 112 } },
    { "driveKnob", { 984, 400, 112, 112 } }, { "mixKnob", { 1182, 233, 130, 130 } },
    { "gainReductionMeter", { 1344, 156, 126, 340 } }, { "powerButton", { 247, 647, 78, 74 } },
    { "inputKnob", { 106, 618, 102, 102 } }, { "outputKnob", { 1324, 618, 102, 102 } },
    { "inputMeter", { 364, 578, 258, 164 } }, { "outputMeter", { 908, 578, 258, 164 } },
    { "oversamplingSwitch", { 723, 625, 90, 90 } },
};

// The table at 1152 x 600 (scale 0.75), worked out by hand; halves go to the even neighbour.
const ChildBounds mediumTable[] = {
    { "sizeLabel", { 980, 51, 52, 16 } }, { "sizeSmallButton", { 955, 70, 30, 26 } },
    { "sizeMediumButton", { 988, 70, 30, 26 } }, { "sizeLargeButton", { 1021, 70, 30, 26 } },
    { "presetButton", { 1000, 12, 134, 14 } }, { "websiteLink", { 72, 38, 261, 72 } },
    { "lowKnob", { 98, 175, 98, 98 } }, { "presenceKnob", { 248, 175, 98, 98 } },
    { "airKnob", { 398, 175, 98, 98 } }, { "optoKnob", { 578, 175, 98, 98 } },
    { "speedKnob", { 738, 175, 84, 84 } }, { "driveKnob", { 738, 300, 84, 84 } },
    { "mixKnob", { 886, 175, 98, 98 } }, { "gainReductionMeter", { 1008, 117, 94, 255 } },
    { "powerButton", { 185, 485, 58, 56 } }, { "inputKnob", { 80, 464, 76, 76 } },
    { "outputKnob", { 993, 464, 76, 76 } }, { "inputMeter", { 273, 434, 194, 123 } },
    { "outputMeter", { 681, 434, 194, 123 } }, { "oversamplingSwitch", { 542, 469, 68, 68 } },
};

// The table at 960 x 500 (scale 0.625), worked out by hand.
const ChildBounds smallTable[] = {
    { "sizeLabel", { 816, 42, 44, 13 } }, { "sizeSmallButton", { 796, 59, 25, 21 } },
    { "sizeMediumButton", { 823, 59, 25, 21 } }, { "sizeLargeButton", { 851, 59, 25, 21 } },
    { "presetButton", { 834, 10, 111, 11 } }, { "websiteLink", { 60, 31, 218, 60 } },
    { "lowKnob", { 82, 146, 81, 81 } }, { "presenceKnob", { 207, 146, 81, 81 } },
    { "airKnob", { 332, 146, 81, 81 } }, { "optoKnob", { 482, 146, 81, 81 } },
    { "speedKnob", { 615, 146, 70, 70 } }, { "driveKnob", { 615, 250, 70, 70 } },
    { "mixKnob", { 739, 146, 81, 81 } }, { "gainReductionMeter", { 840, 98, 79, 212 } },
    { "powerButton", { 154, 404, 49, 46 } }, { "inputKnob", { 66, 386, 64, 64 } },
    { "outputKnob", { 828, 386, 64, 64 } }, { "inputMeter", { 228, 361, 161, 102 } },
    { "outputMeter", { 568, 361, 161, 102 } }, { "oversamplingSwitch", { 452, 391, 56, 56 } },
};

void expectLayout (Editor& e, const ChildBounds (&table)[20])
{
    const auto children = childrenByName (e);
    for (size_t i = 0; i < children.size(); ++i)
    {
        ASSERT_STREQ (children[i].first, table[i].child);
        EXPECT_EQ (children[i].second->getBounds(), table[i].bounds) << table[i].child;
    }
}

struct SizeButtonsLit
{
    bool small, medium, large;
};

void expectSizeButtons (Editor& e, SizeButtonsLit lit)
{
    EXPECT_EQ (e.sizeSmallButton.getToggleState(), lit.small);
    EXPECT_EQ (e.sizeMediumButton.getToggleState(), lit.medium);
    EXPECT_EQ (e.sizeLargeButton.getToggleState(), lit.large);
}

TEST_F (EditorFixture, opensAtTheStoredSizeWithTheDesignLayout)
{
    EXPECT_EQ (editor->getWidth(), 1536);
    EXPECT_EQ (editor->getHeight(), 800);
    expectLayout (*editor, designTable);
    expectSizeButtons (*editor, { false, false, true });
}

TEST_F (EditorFixture, theLayoutScalesAtTheMediumAndSmallSizes)
{
    editor->setSize (1152, 600);
    expectLayout (*editor, mediumTable);
    expectSizeButtons (*editor, { false, true, false });

    editor->setSize (960, 500);
    expectLayout (*editor, smallTable);
    expectSizeButtons (*editor, { true, false, false });
}

// The table at 1000 x 521: scale min(1000/1536, 521/800) = 0.6510417, offsets (0, 0.0833), in
// single precision; 96 x s = 62.5 and 400 x s + 0.0833 = 260.5 go to the even neighbour.
const ChildBounds oddTable[] = {
    { "sizeLabel", { 850, 44, 46, 14 } },
    { "sizeSmallButton", { 829, 61, 26, 22 } },
    { "sizeMediumButton", { 857, 61, 26, 22 } },
    { "sizeLargeButton", { 886, 61, 26, 22 } },
    { "presetButton", { 868, 11, 116, 12 } },
    { "websiteLink", { 62, 33, 227, 62 } },
    { "lowKnob", { 85, 152, 85, 85 } },
    { "presenceKnob", { 215, 152, 85, 85 } },
    { "airKnob", { 346, 152, 85, 85 } },
    { "optoKnob", { 502, 152, 85, 85 } },
    { "speedKnob", { 641, 152, 73, 73 } },
    { "driveKnob", { 641, 260, 73, 73 } },
    { "mixKnob", { 770, 152, 85, 85 } },
    { "gainReductionMeter", { 875, 102, 82, 221 } },
    { "powerButton", { 161, 421, 51, 48 } },
    { "inputKnob", { 69, 402, 66, 66 } },
    { "outputKnob", { 862, 402, 66, 66 } },
    { "inputMeter", { 237, 376, 168, 107 } },
    { "outputMeter", { 591, 376, 168, 107 } },
    { "oversamplingSwitch", { 471, 407, 59, 59 } },
};

TEST_F (EditorFixture, anOddHostSizeScalesByTheSmallerRatioAndLightsNoButton)
{
    editor->setSize (1000, 521);
    ASSERT_EQ (editor->getWidth(), 1000);
    ASSERT_EQ (editor->getHeight(), 521);
    expectLayout (*editor, oddTable);
    expectSizeButtons (*editor, { false, false, false });
}

//==============================================================================
// Size persistence

TEST_F (EditorFixture, resizesBeforeTheSixtiethTickAreNotRemembered)
{
    for (int i = 0; i < Editor::ticksBeforeSizePersistence - 1; ++i)
        editor->timerCallback();

    editor->setSize (1152, 600);
    EXPECT_FALSE (editor->sizePersistenceArmed);
    EXPECT_EQ (processor.storedEditorWidth, 1536);
    EXPECT_EQ (processor.storedEditorHeight, 800);
    EXPECT_FALSE (sizeFile().exists());
}

TEST_F (EditorFixture, onceArmedEveryResizeWritesTheSizeFile)
{
    armSizePersistence();
    ASSERT_TRUE (editor->sizePersistenceArmed);

    editor->setSize (1152, 600);
    EXPECT_EQ (processor.storedEditorWidth, 1152);
    EXPECT_EQ (processor.storedEditorHeight, 600);
    EXPECT_EQ (sizeFile().loadFileAsString(), "{\"width\": 1152, \"height\": 600}");

    // A later instance opens at the remembered size.
    VeskSchematicPluginAudioProcessor later;
    EXPECT_EQ (later.storedEditorWidth, 1152);
    EXPECT_EQ (later.storedEditorHeight, 600);
}

TEST_F (EditorFixture, theSizeButtonsSelectTheirSizes)
{
    armSizePersistence();

    const struct
    {
        juce::TextButton* button;
        int width, height;
        SizeButtonsLit lit;
    } cases[] = { { &editor->sizeMediumButton, 1152, 600, { false, true, false } },
                  { &editor->sizeSmallButton, 960, 500, { true, false, false } },
                  { &editor->sizeLargeButton, 1536, 800, { false, false, true } } };

    for (const auto& c : cases)
    {
        c.button->triggerClick();
        testsupport::dispatchPendingMessages();

        EXPECT_EQ (editor->getWidth(), c.width);
        EXPECT_EQ (editor->getHeight(), c.height);
        expectSizeButtons (*editor, c.lit);
        EXPECT_EQ (sizeFile().loadFileAsString(),
                   "{\"width\": " + juce::String (c.width) + ", \"height\": " + juce::String (c.height) + "}");
    }
}

//==============================================================================
// The oversampling switch

struct ValueChangeCounter : juce::AudioProcessorParameter::Listener
{
    std::vector<float> values;
    std::vector<bool> gestures;
    void parameterValueChanged (int, float value) override { values.push_back (value); }
    void parameterGestureChanged (int, bool starting) override { gestures.push_back (starting); }
};

TEST_F (EditorFixture, hostAutomationMovesTheSwitchWithinOneTickWithoutAnEcho)
{
    auto* parameter = processor.apvts.getParameter ("oversampling");
    ValueChangeCounter counter;
    parameter->addListener (&counter);

    parameter->setValueNotifyingHost (parameter->convertTo0to1 (4.0f));
    editor->timerCallback();

    EXPECT_EQ (editor->oversamplingSwitch.getValue(), 4.0);
    EXPECT_EQ (editor->lastOversamplingIndex, 4);
    EXPECT_EQ (counter.values.size(), 1u); // only the host's own change
    parameter->removeListener (&counter);
}

TEST_F (EditorFixture, turningTheSwitchSendsTheChoiceInsideAGesture)
{
    auto* parameter = processor.apvts.getParameter ("oversampling");
    ValueChangeCounter counter;
    parameter->addListener (&counter);

    editor->oversamplingSwitch.onDragStart();
    editor->oversamplingSwitch.setValue (3.0, juce::sendNotificationSync);
    editor->oversamplingSwitch.onDragEnd();
    parameter->removeListener (&counter);

    ASSERT_EQ (counter.values.size(), 1u);
    EXPECT_FLOAT_EQ (counter.values.front(), parameter->convertTo0to1 (3.0f));
    EXPECT_EQ (counter.gestures, (std::vector<bool> { true, false }));
    EXPECT_EQ (processor.apvts.getRawParameterValue ("oversampling")->load(), 3.0f);
    EXPECT_EQ (editor->lastOversamplingIndex, 3);
}

TEST_F (EditorFixture, theInvisiblePowerButtonTogglesThePowerParameter)
{
    EXPECT_EQ (editor->powerButton.getAlpha(), 0.0f);
    editor->powerButton.triggerClick();
    testsupport::dispatchPendingMessages();

    EXPECT_EQ (processor.apvts.getRawParameterValue ("power")->load(), 0.0f);
}

//==============================================================================
// The preset display

TEST_F (EditorFixture, thePresetDisplayShowsTheCurrentPresetInCapitals)
{
    EXPECT_EQ (editor->presetButton.getButtonText(), "DEFAULT HARDWARE FLAT");

    processor.setCurrentProgram (24);
    editor->timerCallback();
    EXPECT_EQ (editor->presetButton.getButtonText(), "MASTER LIFT");

    processor.currentUserPresetName = "Warm Bus";
    editor->updatePresetDisplay();
    EXPECT_EQ (editor->presetButton.getButtonText(), "WARM BUS");

    processor.currentUserPresetName.clear();
    processor.currentProgram = 40;
    editor->updatePresetDisplay();
    EXPECT_EQ (editor->presetButton.getButtonText(), "NO PRESET");
}

//==============================================================================
// The preset menus

struct MenuItem
{
    int id;
    juce::String text;
    bool enabled, ticked, separator;
};

std::vector<MenuItem> itemsOf (const juce::PopupMenu& menu)
{
    std::vector<MenuItem> items;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        items.push_back ({ item.itemID, item.text, item.isEnabled, item.isTicked, item.isSeparator });
    }
    return items;
}

TEST_F (EditorFixture, thePresetMenuWithoutUserPresets)
{
    processor.setCurrentProgram (4);
    const auto items = itemsOf (editor->createPresetMenu());
    ASSERT_EQ (items.size(), 4u + 1u + 33u);

    EXPECT_EQ (items[0].id, 10001);
    EXPECT_EQ (items[0].text, "Save Current Settings...");
    EXPECT_EQ (items[1].id, 10002);
    EXPECT_EQ (items[1].text, "Load User Preset...");
    EXPECT_EQ (items[2].id, 10003);
    EXPECT_EQ (items[2].text, "No User Presets Saved");
    EXPECT_FALSE (items[2].enabled);
    EXPECT_EQ (items[3].id, 10004);
    EXPECT_EQ (items[3].text, "Show User Presets Folder");
    EXPECT_TRUE (items[4].separator);

    for (int i = 0; i < 33; ++i)
    {
        const auto& item = items[(size_t) i + 5];
        EXPECT_EQ (item.id, i + 1);
        EXPECT_EQ (item.text, processor.getProgramName (i));
        EXPECT_TRUE (item.enabled);
        EXPECT_EQ (item.ticked, i == 4) << i;
    }

    const auto load = itemsOf (editor->createLoadUserPresetMenu());
    ASSERT_EQ (load.size(), 1u);
    EXPECT_EQ (load[0].id, 20000);
    EXPECT_EQ (load[0].text, "No User Presets Saved");
    EXPECT_FALSE (load[0].enabled);
}

TEST_F (EditorFixture, theMenusListTheUserPresets)
{
    processor.userPresets = { { "Warm Bus", { { "input", 1.0f } } }, { "Bright", { { "air", 3.0f } } } };

    const auto items = itemsOf (editor->createPresetMenu());
    EXPECT_EQ (items[2].text, "Delete User Preset...");
    EXPECT_TRUE (items[2].enabled);

    const auto load = itemsOf (editor->createLoadUserPresetMenu());
    ASSERT_EQ (load.size(), 2u);
    EXPECT_EQ (load[0].id, 20000);
    EXPECT_EQ (load[0].text, "Warm Bus");
    EXPECT_EQ (load[1].id, 20001);
    EXPECT_TRUE (load[1].enabled);

    const auto remove = itemsOf (editor->createDeleteUserPresetMenu());
    ASSERT_EQ (remove.size(), 2u);
    EXPECT_EQ (remove[1].id, 30001);
    EXPECT_EQ (remove[1].text, "Bright");
}

TEST_F (EditorFixture, menuResultsApplyTheirChoice)
{
    editor->handlePresetMenuResult (5);
    EXPECT_EQ (processor.getCurrentProgram(), 4);
    EXPECT_EQ (editor->presetButton.getButtonText(), "ACOUSTIC LIFT");
    EXPECT_TRUE (itemsOf (editor->createPresetMenu())[5 + 4].ticked);

    for (int ignored : { 0, -1, 34, 9999, 10005 })
        editor->handlePresetMenuResult (ignored);
    EXPECT_EQ (processor.getCurrentProgram(), 4);

    editor->handleSaveUserPresetResult ("   ");
    ASSERT_EQ (processor.userPresets.size(), 1u);
    EXPECT_EQ (processor.userPresets[0].name, "User Preset");
    EXPECT_EQ (editor->presetButton.getButtonText(), "USER PRESET");

    editor->handleSaveUserPresetResult ("  Warm Bus ");
    EXPECT_EQ (editor->presetButton.getButtonText(), "WARM BUS");

    processor.setCurrentProgram (0);
    editor->handleLoadUserPresetMenuResult (20001);
    EXPECT_EQ (processor.currentUserPresetName, "Warm Bus");
    EXPECT_EQ (processor.getCurrentProgram(), 0);

    editor->handleLoadUserPresetMenuResult (20007); // gone
    editor->handleLoadUserPresetMenuResult (19999);
    EXPECT_EQ (processor.currentUserPresetName, "Warm Bus");

    editor->handleDeleteUserPresetMenuResult (30001);
    EXPECT_EQ (processor.userPresets.size(), 1u);
    EXPECT_EQ (editor->presetButton.getButtonText(), "DEFAULT HARDWARE FLAT");
}

TEST_F (EditorFixture, aMenuResultAfterTheEditorIsGoneDoesNothing)
{
    auto presetResult = editor->guardedMenuResult (&Editor::handlePresetMenuResult);
    auto deleteResult = editor->guardedMenuResult (&Editor::handleDeleteUserPresetMenuResult);
    processor.userPresets = { { "Warm Bus", { { "input", 1.0f } } } };

    editor.reset();
    presetResult (5);
    deleteResult (30000);

    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.userPresets.size(), 1u);
}

//==============================================================================
// Painting

juce::Image paintEditor (Editor& e)
{
    juce::Image image (juce::Image::ARGB, e.getWidth(), e.getHeight(), true);
    juce::Graphics g (image);
    e.paintEntireComponent (g, true);
    return image;
}

TEST_F (EditorFixture, paintsWithAndWithoutArtwork)
{
    const auto withArtwork = paintEditor (*editor);
    EXPECT_EQ (withArtwork.getWidth(), 1536);

    vesk::editor::ScopedArtworkOverride noArtwork ({});
    const auto withoutArtwork = paintEditor (*editor);
    EXPECT_EQ (withoutArtwork.getHeight(), 800);
    // The drawn fallbacks still paint a plate and a rail.
    EXPECT_NE (withoutArtwork.getPixelAt (768, 300), juce::Colour (0xFF030404));
}

// The faceplate drawn straight through, the way the editor would without its cache.
juce::Image paintFaceplateDirectly (int width, int height, float pilotOpacity)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colour (0xFF030404));
    const auto mapping = vesk::editor::designMapping (width, height);
    g.addTransform (juce::AffineTransform::scale (mapping.scale).translated (mapping.offsetX, mapping.offsetY));
    vesk::editor::paintStaticFaceplate (g);
    vesk::editor::paintPilotLamp (g, pilotOpacity);
    return image;
}

juce::Image paintFaceplateThroughEditor (Editor& e)
{
    juce::Image image (juce::Image::ARGB, e.getWidth(), e.getHeight(), true);
    juce::Graphics g (image);
    e.paint (g);
    return image;
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}

TEST_F (EditorFixture, theCachedFaceplateEqualsDrawingItDirectly)
{
    const auto check = [this] (int width, int height, float lamp)
    {
        editor->setSize (width, height);
        processor.lampLevel = lamp;
        paintFaceplateThroughEditor (*editor); // fills the cache
        const auto opacity = vesk::editor::pilotLampOpacity (processor.powerParam, lamp);
        EXPECT_TRUE (samePixels (paintFaceplateThroughEditor (*editor), paintFaceplateDirectly (width, height, opacity)))
            << width << " x " << height << ", lamp " << lamp;
    };

    check (1536, 800, 0.0f);
    check (1536, 800, 0.7f); // only the lamp changed
    check (960, 500, 0.3f);  // a new size renders a new cache

    vesk::editor::ScopedArtworkOverride noArtwork ({});
    check (960, 500, 0.3f); // other artwork renders a new cache
}

TEST_F (EditorFixture, anOddShapeIsLetterboxedWithChassisBlack)
{
    editor->setBounds (0, 0, 1200, 800);
    ASSERT_EQ (editor->getHeight(), 800);

    juce::Image image (juce::Image::ARGB, 1200, 800, true);
    {
        juce::Graphics g (image);
        editor->paint (g);
    }

    // Scale 0.78125: the design is 625 high, with 87.5-pixel bands above and below.
    for (int y : { 0, 40, 86, 714, 799 })
        EXPECT_EQ (image.getPixelAt (600, y).getARGB(), 0xFF030404u) << y;
    EXPECT_NE (image.getPixelAt (600, 300).getARGB(), 0xFF030404u);
}

TEST (PilotLamp, opacityFollowsPowerAndLight)
{
    std::atomic<float> powerOff { 0.0f }, powerOn { 1.0f };

    EXPECT_FLOAT_EQ (vesk::editor::pilotLampOpacity (&powerOff, 0.8f), 0.1f);
    EXPECT_FLOAT_EQ (vesk::editor::pilotLampOpacity (&powerOn, 0.0f), 0.42f);
    EXPECT_FLOAT_EQ (vesk::editor::pilotLampOpacity (&powerOn, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ (vesk::editor::pilotLampOpacity (nullptr, 0.5f), 0.71f);
}

TEST (FaceplateGeometry, followsTheArtworkOrFallsBack)
{
    const juce::Image plate (juce::Image::ARGB, 950, 323, true), rail (juce::Image::ARGB, 950, 126, true);

    const auto withArt = vesk::editor::faceplateGeometry (plate, rail);
    EXPECT_NEAR (withArt.plate.getHeight(), 513.4f, 1e-3f);
    EXPECT_NEAR (withArt.railY, 561.4f, 1e-3f);
    EXPECT_NEAR (withArt.railHeight, 200.27f, 1e-2f);
    EXPECT_NEAR (withArt.stripY, 763.67f, 1e-2f);

    const auto without = vesk::editor::faceplateGeometry ({}, {});
    EXPECT_EQ (without.plate, (juce::Rectangle<float> { 22, 53, 1492, 632 }));
    EXPECT_EQ (without.shadowHeight, 650.0f);
    EXPECT_EQ (without.railY, 570.0f);
    EXPECT_EQ (without.railHeight, 205.0f);
}

TEST_F (EditorFixture, theSnapshotHasTheEditorsSize)
{
    editor->setSize (1152, 600);
    const auto file = juce::File (testsupport::temporaryHome()).getChildFile ("shots/editor.png");

    ASSERT_TRUE (writeComponentSnapshot (*editor, file));
    ASSERT_TRUE (writeComponentSnapshot (*editor, file)); // replaces, does not append

    const auto image = juce::ImageFileFormat::loadFrom (file);
    EXPECT_EQ (image.getWidth(), 1152);
    EXPECT_EQ (image.getHeight(), 600);

    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    juce::MemoryOutputStream single;
    juce::PNGImageFormat().writeImageToStream (
        editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f), single);
    EXPECT_EQ (bytes.getSize(), single.getDataSize());
}

//==============================================================================
// The preview option

struct PreviewCase
{
    const char* commandLine;
    const char* expectedPath; // empty: no rendering
};

class PreviewOption : public testing::TestWithParam<PreviewCase> {};

TEST_P (PreviewOption, findsThePathOfTheFirstOption)
{
    const auto& c = GetParam();
    const auto file = previewFileFromCommandLine (c.commandLine);
    EXPECT_EQ (file.getFullPathName(), juce::String (c.expectedPath)) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P (CommandLines, PreviewOption,
                          testing::Values (PreviewCase { "--render-preview=/tmp/a.png", "/tmp/a.png" },
                                           PreviewCase { "  --render-preview=\"/tmp/with space/a.png\"  ", "/tmp/with space/a.png" },
                                           PreviewCase { "--render-preview=/tmp/first.png --render-preview=/tmp/second.png", "/tmp/first.png" },
                                           PreviewCase { "-x\t--render-preview=/tmp/tab.png", "/tmp/tab.png" },
                                           // How the stand-alone app hands over an argument with a space.
                                           PreviewCase { "\"--render-preview=/tmp/with space/b.png\" -x", "/tmp/with space/b.png" },
                                           PreviewCase { "--render-preview=", "" },
                                           PreviewCase { "--RENDER-PREVIEW=/tmp/a.png", "" },
                                           PreviewCase { "", "" }));

TEST (PreviewOption, aRelativePathIsResolvedAgainstTheWorkingFolder)
{
    EXPECT_EQ (previewFileFromCommandLine ("--render-preview=shot.png"),
               juce::File::getCurrentWorkingDirectory().getChildFile ("shot.png"));
}
} // namespace
