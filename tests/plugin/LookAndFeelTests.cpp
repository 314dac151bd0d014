#include "RecordingGraphicsContext.h"

#include "editor/Artwork.h"
#include "editor/ControlGeometry.h"
#include "editor/HardwareLookAndFeel.h"

#include <gtest/gtest.h>

using namespace vesk::editor;
using vesk::test::DrawnItem;
using vesk::test::RecordingGraphicsContext;

namespace
{
constexpr float tolerance = 1.0e-3f;
constexpr float pi = juce::MathConstants<float>::pi;

void expectRectangle (juce::Rectangle<float> actual, juce::Rectangle<float> expected, float within = tolerance)
{
    EXPECT_NEAR (actual.getX(), expected.getX(), within);
    EXPECT_NEAR (actual.getY(), expected.getY(), within);
    EXPECT_NEAR (actual.getWidth(), expected.getWidth(), within);
    EXPECT_NEAR (actual.getHeight(), expected.getHeight(), within);
}

juce::Image solidImage (int width, int height, juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, width, height, false);
    image.clear (image.getBounds(), colour);
    return image;
}

// A strip of 128 frames whose frame i is filled with red = i, so a drawn frame tells its index.
juce::Image numberedFilmstrip()
{
    juce::Image strip (juce::Image::ARGB, 128, 128 * 128, false);
    for (int i = 0; i < 128; ++i)
        strip.clear ({ 0, 128 * i, 128, 128 }, juce::Colour ((juce::uint8) i, 0, 0));
    return strip;
}

// Every control image present, each with its own size so a drawn one can be told apart.
Artwork syntheticArtwork()
{
    Artwork art;
    art.realisticKnobLarge = solidImage (169, 154, juce::Colours::darkgrey);
    art.realisticKnobSmall = solidImage (114, 116, juce::Colours::darkgrey);
    art.realisticSwitchFrequency = solidImage (95, 142, juce::Colours::black);
    art.realisticSwitchOversampling = solidImage (98, 151, juce::Colours::black);
    art.littlePhattyFilmstrip = numberedFilmstrip();
    return art;
}

// Knob angles: 140 to 400 degrees; the oversampling switch 150 to 390 degrees.
constexpr float knobStart = 7.0f * pi / 9.0f;
constexpr float knobEnd = 20.0f * pi / 9.0f;
constexpr float switchStart = 2.6179938f;
constexpr float switchEnd = 6.806784f;

RecordingGraphicsContext drawSlider (const juce::String& style, int size, float sliderPos,
                                     float start = knobStart, float end = knobEnd)
{
    VeskLookAndFeel lookAndFeel;
    juce::Slider slider (style);
    slider.setColour (juce::Slider::thumbColourId, juce::Colour (0xFFE0D097));

    RecordingGraphicsContext context;
    juce::Graphics g (context);
    lookAndFeel.drawRotarySlider (g, 0, 0, size, size, sliderPos, start, end, slider);
    return context;
}

//==============================================================================
TEST (Filmstrip, positionPicksTheNearestOf128Frames)
{
    const struct
    {
        float position;
        int frame;
    } cases[] = { { 0.0f, 0 }, { 0.5f, 64 }, { 1.0f, 127 }, { 0.25f, 32 }, { -0.3f, 0 }, { 1.4f, 127 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.position);
        EXPECT_EQ (filmstripFrameIndex (c.position), c.frame);
        EXPECT_EQ (filmstripFrameArea (128, 16384, c.position), juce::Rectangle<int> (0, 128 * c.frame, 128, 128));
    }

    EXPECT_TRUE (filmstripFrameArea (128, 127, 0.5f).isEmpty());
}

TEST (Filmstrip, aLargeKnobDrawsItsFrameStraightFromTheSharedStrip)
{
    const ScopedArtworkOverride artwork (syntheticArtwork());
    auto strip = vesk::editor::artwork().littlePhattyFilmstrip; // shares the pixels

    for (const auto& [position, frame] : { std::pair { 0.0f, 0 }, std::pair { 0.5f, 64 }, std::pair { 1.0f, 127 } })
    {
        SCOPED_TRACE (frame);
        const auto context = drawSlider ("primary-large-knob", 130, position);
        ASSERT_EQ (context.items.size(), 1u); // the frame shows the pointer itself
        const auto& drawn = context.items[0];
        ASSERT_EQ (drawn.kind, DrawnItem::Kind::image);
        EXPECT_EQ (drawn.image.getBounds(), juce::Rectangle<int> (128, 128));
        EXPECT_EQ (drawn.image.getPixelAt (10, 10).getRed(), frame);

        // A view into the strip's own pixels, not a copy.
        const juce::Image::BitmapData framePixels (drawn.image, juce::Image::BitmapData::readOnly);
        const juce::Image::BitmapData stripPixels (strip, 0, 128 * frame, 128, 128, juce::Image::BitmapData::readOnly);
        EXPECT_EQ (framePixels.data, stripPixels.data);
    }
}

//==============================================================================
TEST (FaceRectangle, insetsAndNudgesPerKind)
{
    const struct
    {
        const char* name;
        ControlKind kind;
        float size;
        juce::Rectangle<float> expected;
    } cases[] = {
        // A = 128: k = 0.12, inset 15.36, nudged by (0.006, 0.01) of 97.28.
        { "large knob, 130", ControlKind::largeKnob, 130.0f, { 16.36f + 0.58368f, 16.36f + 0.9728f, 97.28f, 97.28f } },
        // A = 100: k = 0.10, inset 10.
        { "large knob, 102", ControlKind::largeKnob, 102.0f, { 11.0f + 0.48f, 11.0f + 0.8f, 80.0f, 80.0f } },
        // A = 120 is the smallest that takes k = 0.12.
        { "large knob, 122", ControlKind::largeKnob, 122.0f, { 15.4f + 0.006f * 91.2f, 15.4f + 0.01f * 91.2f, 91.2f, 91.2f } },
        { "large knob, 121", ControlKind::largeKnob, 121.0f, { 12.9f + 0.006f * 95.2f, 12.9f + 0.01f * 95.2f, 95.2f, 95.2f } },
        // Small: k = 0.055 of A = 100.
        { "small knob", ControlKind::smallKnob, 102.0f, { 6.5f + 0.89f, 6.5f + 1.602f, 89.0f, 89.0f } },
        { "plain knob", ControlKind::plainKnob, 102.0f, { 1.0f + 1.0f, 1.0f + 1.8f, 100.0f, 100.0f } },
        { "frequency switch", ControlKind::frequencySwitch, 112.0f, { 5.0f + 0.816f, 5.0f + 1.02f, 102.0f, 102.0f } },
        { "oversampling switch", ControlKind::oversamplingSwitch, 90.0f, { 5.0f + 0.64f, 5.0f + 0.8f, 80.0f, 80.0f } },
        { "too small to inset", ControlKind::frequencySwitch, 6.0f, { 5.0f, 5.0f, 0.0f, 0.0f } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        expectRectangle (faceRectangle (c.kind, { c.size, c.size }), c.expected);
    }
}

TEST (FaceRectangle, styleNamesSelectTheKind)
{
    EXPECT_EQ (controlKindForStyle ("primary-large-knob"), ControlKind::largeKnob);
    EXPECT_EQ (controlKindForStyle ("large-knob"), ControlKind::largeKnob);
    EXPECT_EQ (controlKindForStyle ("small-knob"), ControlKind::smallKnob);
    EXPECT_EQ (controlKindForStyle ("frequency-switch"), ControlKind::frequencySwitch);
    EXPECT_EQ (controlKindForStyle ("oversampling-switch"), ControlKind::oversamplingSwitch);
    EXPECT_EQ (controlKindForStyle ("Large-Knob"), ControlKind::plainKnob);
    EXPECT_EQ (controlKindForStyle (""), ControlKind::plainKnob);
}

//==============================================================================
// Which image a control wears when the filmstrip is missing, identified by its size.
TEST (FaceImage, eachStyleWearsItsImageAndFallsBackWhenOneIsMissing)
{
    using Member = juce::Image Artwork::*;
    const struct
    {
        const char* name;
        const char* style;
        Member missing;
        juce::Rectangle<int> expected; // empty: no image drawn
    } cases[] = {
        { "large knob", "large-knob", nullptr, { 169, 154 } },
        { "plain knob", "anything", nullptr, { 169, 154 } },
        { "small knob", "small-knob", nullptr, { 114, 116 } },
        { "small knob without its image", "small-knob", &Artwork::realisticKnobSmall, { 169, 154 } },
        { "frequency switch", "frequency-switch", nullptr, { 95, 142 } },
        { "frequency switch without its image", "frequency-switch", &Artwork::realisticSwitchFrequency, { 169, 154 } },
        { "oversampling switch wears the frequency cap", "oversampling-switch", nullptr, { 95, 142 } },
        { "oversampling switch without the frequency cap", "oversampling-switch", &Artwork::realisticSwitchFrequency, { 98, 151 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto art = syntheticArtwork();
        art.littlePhattyFilmstrip = {};
        if (c.missing != nullptr)
            art.*(c.missing) = {};

        const ScopedArtworkOverride artwork (art);
        const auto images = drawSlider (c.style, 112, 0.3f).itemsOfKind (DrawnItem::Kind::image);
        ASSERT_EQ (images.size(), 1u);
        EXPECT_EQ (images[0].image.getBounds(), c.expected);
        EXPECT_EQ (faceImage (controlKindForStyle (c.style), art).getBounds(), c.expected);
    }

    // Neither switch image: the oversampling switch keeps its disc and pointer but has no cap.
    auto art = syntheticArtwork();
    art.littlePhattyFilmstrip = {};
    art.realisticSwitchFrequency = {};
    art.realisticSwitchOversampling = {};
    const ScopedArtworkOverride artwork (art);
    const auto context = drawSlider ("oversampling-switch", 90, 0.5f, switchStart, switchEnd);
    EXPECT_TRUE (context.itemsOfKind (DrawnItem::Kind::image).empty());
    EXPECT_EQ (context.itemsOfKind (DrawnItem::Kind::path).size(), 4u);
}

TEST (FaceImage, withoutTheLargeKnobEveryControlIsTheVectorKnob)
{
    auto art = syntheticArtwork();
    art.realisticKnobLarge = {};
    const ScopedArtworkOverride artwork (art);

    for (const auto* style : { "primary-large-knob", "small-knob", "frequency-switch", "oversampling-switch" })
    {
        SCOPED_TRACE (style);
        // Pointing straight up: position 0.5 of 140 ... 400 degrees.
        const auto context = drawSlider (style, 102, 0.5f);
        EXPECT_TRUE (context.itemsOfKind (DrawnItem::Kind::image).empty());

        const auto paths = context.itemsOfKind (DrawnItem::Kind::path);
        ASSERT_EQ (paths.size(), 3u);
        // Circle of 94 centred in the area inset by 4; r = 47.
        expectRectangle (paths[0].bounds, { 4.0f + 3.76f, 4.0f + 5.64f, 94.0f, 94.0f }, 0.01f);
        EXPECT_EQ (paths[0].colour, juce::Colour (0x66000000));
        EXPECT_TRUE (paths[1].isGradient);
        expectRectangle (paths[1].bounds, { 4.94f, 4.94f, 92.12f, 92.12f }, 0.01f);
        EXPECT_EQ (paths[2].colour, juce::Colour (0xEBE0D097));
        // From 0.12 r to 0.82 r above the centre (51, 51), 2.115 thick.
        expectRectangle (paths[2].bounds, { 51.0f - 1.0575f, 51.0f - 38.54f, 2.115f, 32.9f }, 0.01f);
    }
}

//==============================================================================
TEST (Switches, positionTwoPointsStraightUpWithoutTheFilmstrip)
{
    auto art = syntheticArtwork();
    art.littlePhattyFilmstrip = {};
    const ScopedArtworkOverride artwork (art);

    // Position 2 of 0 ... 4 sits half way through 150 ... 390 degrees: 270, straight up.
    const auto context = drawSlider ("oversampling-switch", 90, 0.5f, switchStart, switchEnd);

    // Face (5.64, 5.8, 80, 80): centre (45.64, 45.8), r = 40.
    const juce::Point<float> c (45.64f, 45.8f);
    const auto paths = context.itemsOfKind (DrawnItem::Kind::path);
    ASSERT_EQ (paths.size(), 4u); // shadow, body, rim, pointer

    const auto disc = juce::Rectangle<float> (44.8f, 44.8f).withCentre (c);
    expectRectangle (paths[0].bounds, disc.translated (4.0f, 6.0f), 0.01f);
    EXPECT_EQ (paths[0].colour, juce::Colour (0x94000000));
    EXPECT_TRUE (paths[1].isGradient);
    EXPECT_EQ (paths[1].gradient.getColour (0), juce::Colour (0xFF3E3D36));
    EXPECT_EQ (paths[2].colour, juce::Colour (0xC7000000));

    // The frequency cap (95 x 142) fitted upright into the 40 x 48.8 cap rectangle centred on the
    // face, taken to whole pixels: (26, 21, 40, 49).
    const auto images = context.itemsOfKind (DrawnItem::Kind::image);
    ASSERT_EQ (images.size(), 1u);
    const auto capWidth = 95.0f * 49.0f / 142.0f;
    expectRectangle (images[0].bounds, { 26.0f + (40.0f - capWidth) / 2.0f, 21.0f, capWidth, 49.0f }, 0.01f);
    const auto up = juce::Point<float> (0.0f, -1.0f).transformedBy (images[0].transform)
                    - juce::Point<float> (0.0f, 0.0f).transformedBy (images[0].transform);
    EXPECT_NEAR (up.x, 0.0f, 1.0e-4f);
    EXPECT_LT (up.y, 0.0f);

    // The pointer runs from 0.04 r to 0.70 r straight above the centre, 2 thick.
    EXPECT_EQ (paths[3].colour, juce::Colour (0xEBEADDA4));
    expectRectangle (paths[3].bounds, { c.x - 1.0f, c.y - 28.0f, 2.0f, 26.4f }, 0.01f);
}

TEST (Switches, aQuarterTurnRotatesTheCapToPointRight)
{
    auto art = syntheticArtwork();
    art.littlePhattyFilmstrip = {};
    const ScopedArtworkOverride artwork (art);

    // 0 ... 1 over 270 ... 360 degrees ends pointing right.
    const auto context = drawSlider ("frequency-switch", 112, 1.0f, 1.5f * pi, 2.0f * pi);
    const auto images = context.itemsOfKind (DrawnItem::Kind::image);
    ASSERT_EQ (images.size(), 1u);
    const auto up = juce::Point<float> (0.0f, -1.0f).transformedBy (images[0].transform)
                    - juce::Point<float> (0.0f, 0.0f).transformedBy (images[0].transform);
    EXPECT_GT (up.x, 0.0f);
    EXPECT_NEAR (up.y, 0.0f, 1.0e-4f);
}

TEST (Switches, withTheFilmstripBothKindsShowTheFrameInTheirDiscAndNoPointer)
{
    const ScopedArtworkOverride artwork (syntheticArtwork());

    for (const auto* style : { "frequency-switch", "oversampling-switch" })
    {
        SCOPED_TRACE (style);
        const auto context = drawSlider (style, 112, 0.75f);
        ASSERT_EQ (context.items.size(), 4u);
        const auto& frame = context.items.back();
        ASSERT_EQ (frame.kind, DrawnItem::Kind::image);
        EXPECT_EQ (frame.image.getPixelAt (3, 3).getRed(), 95); // 0.75 x 127 = 95.25

        // Face (5.816, 6.02, 102, 102), r = 51. The cap rectangle centred on it, in whole pixels, is
        // (31, 26, 51, 62) for the oversampling switch and (27, 18, 60, 78) for the frequency switch;
        // the square frame is shrunk to its width and centred.
        const auto expected = juce::String (style) == "oversampling-switch" ? juce::Rectangle<float> (31.0f, 31.5f, 51.0f, 51.0f)
                                                                            : juce::Rectangle<float> (27.0f, 27.0f, 60.0f, 60.0f);
        expectRectangle (frame.bounds, expected, 0.01f);
    }
}

//==============================================================================
TEST (Buttons, panelColourFollowsToggleAndMouse)
{
    const juce::Colour off (0xD642454A);
    const juce::Colour on (0xEE5C6066);

    const auto darker = [] (juce::Colour c)
    { return juce::Colour ((juce::uint8) ((float) c.getRed() / 1.18f), (juce::uint8) ((float) c.getGreen() / 1.18f),
                           (juce::uint8) ((float) c.getBlue() / 1.18f), c.getAlpha()); };
    const auto brighter = [] (juce::Colour c)
    { return juce::Colour ((juce::uint8) (255.0f - (float) (255 - c.getRed()) / 1.08f),
                           (juce::uint8) (255.0f - (float) (255 - c.getGreen()) / 1.08f),
                           (juce::uint8) (255.0f - (float) (255 - c.getBlue()) / 1.08f), c.getAlpha()); };

    const struct
    {
        const char* name;
        bool toggled, highlighted, down;
        juce::Colour fill;
        juce::Colour outline;
    } cases[] = {
        { "off", false, false, false, off, juce::Colour (0x36FFFFFF) },
        { "off, hovered", false, true, false, brighter (off), juce::Colour (0x36FFFFFF) },
        { "on", true, false, false, on, juce::Colour (0x5CFFFFFF) },
        { "on, pressed", true, true, true, darker (on), juce::Colour (0x5CFFFFFF) },
    };

    EXPECT_EQ (darker (on), juce::Colour (0xEE4D5156));

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        VeskLookAndFeel lookAndFeel;
        juce::TextButton button ("M");
        button.setSize (40, 34);
        button.setColour (juce::TextButton::buttonColourId, off);
        button.setColour (juce::TextButton::buttonOnColourId, on);
        button.setToggleState (c.toggled, juce::dontSendNotification);

        RecordingGraphicsContext context;
        juce::Graphics g (context);
        lookAndFeel.drawButtonBackground (g, button, juce::Colours::hotpink, c.highlighted, c.down);

        const auto paths = context.itemsOfKind (DrawnItem::Kind::path);
        ASSERT_EQ (paths.size(), 2u);
        EXPECT_EQ (paths[0].colour, c.fill);
        expectRectangle (paths[0].bounds, { 0.5f, 0.5f, 39.0f, 33.0f });
        EXPECT_EQ (paths[1].colour, c.outline);
    }
}

TEST (Buttons, textUsesTheToggleColourAndTheDisplaysSmallerFont)
{
    const struct
    {
        const char* name;
        bool toggled;
        float fontHeight;
        juce::Colour colour;
    } cases[] = {
        { "S", false, 8.2f, juce::Colour (0xE6E0E2E5) },
        { "L", true, 8.2f, juce::Colour (0xF5FFFFFF) },
        { "preset-display-button", false, 7.0f, juce::Colour (0xFFE0C67E) },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        VeskLookAndFeel lookAndFeel;
        juce::TextButton button (c.name);
        button.setButtonText ("WARM");
        button.setSize (178, 18);
        button.setColour (juce::TextButton::textColourOffId, c.toggled ? juce::Colours::red : c.colour);
        button.setColour (juce::TextButton::textColourOnId, c.toggled ? c.colour : juce::Colours::red);
        button.setToggleState (c.toggled, juce::dontSendNotification);

        RecordingGraphicsContext context;
        juce::Graphics g (context);
        lookAndFeel.drawButtonText (g, button, true, true);

        const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
        ASSERT_EQ (glyphs.size(), 4u);
        EXPECT_EQ (glyphs[0].colour, c.colour);
        EXPECT_FLOAT_EQ (glyphs[0].font.getHeight(), c.fontHeight);
        EXPECT_TRUE (glyphs[0].font.isBold());
    }
}

TEST (Buttons, aLongPresetNameIsSqueezedThenCut)
{
    VeskLookAndFeel lookAndFeel;
    juce::TextButton button ("preset-display-button");
    button.setButtonText (juce::String::repeatedString ("WIDE NAME ", 12));
    button.setSize (178, 18);

    RecordingGraphicsContext context;
    juce::Graphics g (context);
    lookAndFeel.drawButtonText (g, button, false, false);

    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_FALSE (glyphs.empty());
    for (const auto& glyph : glyphs)
    {
        EXPECT_GE (glyph.bounds.getX(), 7.0f - tolerance);
        EXPECT_LE (glyph.bounds.getX(), 171.0f);
    }
}

TEST (PopupMenu, usesABoldFontOf11Point4)
{
    VeskLookAndFeel lookAndFeel;
    const auto font = lookAndFeel.getPopupMenuFont();
    EXPECT_FLOAT_EQ (font.getHeight(), 11.4f);
    EXPECT_TRUE (font.isBold());
}
} // namespace
