#include "RecordingGraphicsContext.h"

#include "editor/DrawingHelpers.h"
#include "editor/Fonts.h"
#include "editor/Palette.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vesk::editor;
using vesk::test::DrawnItem;
using vesk::test::RecordingGraphicsContext;

namespace
{
constexpr float tolerance = 1.0e-3f;

juce::Point<float> onCircle (juce::Point<float> centre, float radius, float degrees)
{
    const auto radians = degrees * 3.14159265358979f / 180.0f;
    return { centre.x + radius * std::cos (radians), centre.y + radius * std::sin (radians) };
}

void expectRectangle (juce::Rectangle<float> actual, juce::Rectangle<float> expected, float within = tolerance)
{
    EXPECT_NEAR (actual.getX(), expected.getX(), within);
    EXPECT_NEAR (actual.getY(), expected.getY(), within);
    EXPECT_NEAR (actual.getWidth(), expected.getWidth(), within);
    EXPECT_NEAR (actual.getHeight(), expected.getHeight(), within);
}

struct TrackedBox
{
    juce::juce_wchar character;
    juce::Rectangle<float> box;
};

std::vector<TrackedBox> trackedBoxes (const juce::String& text, juce::Rectangle<float> area, float fontHeight,
                                      juce::Justification justification, float tracking)
{
    std::vector<TrackedBox> boxes;
    forEachTrackedGlyph (text, area, fontHeight, justification, tracking,
                         [&] (juce::juce_wchar c, juce::Rectangle<float> box) { boxes.push_back ({ c, box }); });
    return boxes;
}

//==============================================================================
TEST (TrackedText, anEmptyStringDrawsNothing)
{
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawTrackedText (g, {}, { 0, 0, 100, 20 }, 12.0f, juce::Justification::centred, juce::Colours::black, 3.0f);
    EXPECT_TRUE (context.items.empty());
}

TEST (TrackedText, leftEdgeFollowsTheJustification)
{
    // "AB C" at height 10 and tracking 2: 5.6 + 5.6 + 3.4 + 5.6 + 3 x 2 = 26.2 wide.
    const juce::Rectangle<float> area (100.0f, 50.0f, 200.0f, 30.0f);
    const struct
    {
        const char* name;
        juce::Justification justification;
        float expectedLeft;
    } cases[] = {
        { "left", juce::Justification::centredLeft, 100.0f },
        { "right", juce::Justification::centredRight, 300.0f - 26.2f },
        { "centred", juce::Justification::centred, 200.0f - 13.1f },
        { "centred and right", juce::Justification (juce::Justification::horizontallyCentred | juce::Justification::right), 200.0f - 13.1f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto boxes = trackedBoxes ("AB C", area, 10.0f, c.justification, 2.0f);
        ASSERT_EQ (boxes.size(), 4u);
        EXPECT_NEAR (boxes[0].box.getX(), c.expectedLeft, tolerance);
        EXPECT_NEAR (boxes[1].box.getX(), c.expectedLeft + 7.6f, tolerance);
        EXPECT_NEAR (boxes[2].box.getX(), c.expectedLeft + 15.2f, tolerance);
        EXPECT_NEAR (boxes[3].box.getX(), c.expectedLeft + 20.6f, tolerance);

        for (const auto& b : boxes)
        {
            EXPECT_NEAR (b.box.getY(), 65.0f - 5.8f, tolerance);
            EXPECT_NEAR (b.box.getHeight(), 14.5f, tolerance);
        }
        EXPECT_NEAR (boxes[0].box.getWidth(), 5.6f + 2.0f + 1.0f, tolerance);
        EXPECT_NEAR (boxes[2].box.getWidth(), 3.4f + 2.0f + 1.0f, tolerance);
    }
}

TEST (TrackedText, wideLettersGetWiderBoxesOnTheSameAdvanceAndAreAllDrawn)
{
    const juce::Rectangle<float> area (10.0f, 0.0f, 300.0f, 40.0f);
    const auto boxes = trackedBoxes ("MW", area, 20.0f, juce::Justification::centredLeft, 4.0f);
    ASSERT_EQ (boxes.size(), 2u);
    EXPECT_NEAR (boxes[0].box.getWidth(), 11.2f + 4.0f + 7.2f, tolerance);
    EXPECT_NEAR (boxes[1].box.getWidth(), 11.2f + 4.0f + 7.2f, tolerance);
    EXPECT_NEAR (boxes[1].box.getX() - boxes[0].box.getX(), 11.2f + 4.0f, tolerance);

    // Each letter lands at the left edge of its box; none is dropped for being wider than the advance.
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawTrackedText (g, "MW", area, 20.0f, juce::Justification::centredLeft, withAlphaByte (hardwareInk, 0xE6), 4.0f);
    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_EQ (glyphs.size(), 2u);
    EXPECT_NEAR (glyphs[0].bounds.getX(), 10.0f, tolerance);
    EXPECT_NEAR (glyphs[1].bounds.getX(), 25.2f, tolerance);
    EXPECT_EQ (glyphs[0].colour, juce::Colour (0xE6221E18));
    EXPECT_FLOAT_EQ (glyphs[0].font.getHeight(), 20.0f);
}

TEST (TrackedText, unicodeLettersCountOnce)
{
    const auto boxes = trackedBoxes (juce::String (juce::CharPointer_UTF8 ("\xc3\x84\xc3\x96")), { 0, 0, 100, 20 }, 10.0f,
                                     juce::Justification::centredLeft, 1.0f);
    ASSERT_EQ (boxes.size(), 2u);
    EXPECT_NEAR (boxes[1].box.getX(), 6.6f, tolerance);
}

//==============================================================================
TEST (GroupTitle, rulesLeaveAGapThatGrowsWithTheTitleWithinLimits)
{
    const juce::Rectangle<float> area (100.0f, 40.0f, 600.0f, 36.0f); // centre (400, 58)
    const struct
    {
        const char* title;
        float gap;
    } cases[] = {
        { "MIX", 88.0f },
        { "TONE CELLS", 88.0f },
        { "OPTICAL STAGE", 114.4f },
        { "ABCDEFGHIJKLMNOPQRSTUVWXY", 170.0f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.title);
        RecordingGraphicsContext context;
        juce::Graphics g (context);
        drawHardwareGroupTitle (g, area, c.title);

        const auto rules = context.itemsOfKind (DrawnItem::Kind::path);
        ASSERT_EQ (rules.size(), 2u);
        expectRectangle (rules[0].bounds, { 100.0f, 57.5f, 300.0f - c.gap, 1.0f });
        expectRectangle (rules[1].bounds, { 400.0f + c.gap, 57.5f, 300.0f - c.gap, 1.0f });
        EXPECT_EQ (rules[0].colour, juce::Colour (0x6B221E18));

        // The shadow print first, 1.2 lower, then the ink.
        const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
        const auto letters = (size_t) juce::String (c.title).removeCharacters (" ").length();
        ASSERT_EQ (glyphs.size(), 2 * letters);
        EXPECT_EQ (glyphs.front().colour, juce::Colour (0x24FFFFFF));
        EXPECT_EQ (glyphs.back().colour, juce::Colour (0xE0221E18));
        EXPECT_NEAR (glyphs[0].bounds.getY() - glyphs[letters].bounds.getY(), 1.2f, tolerance);
    }
}

//==============================================================================
TEST (RealisticAsset, fillsTheNearestIntegerRectangleIgnoringAspect)
{
    const juce::Image image (juce::Image::ARGB, 7, 3, true);
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawRealisticAsset (g, image, { 10.4f, 10.6f, 20.5f, 20.5f }, 0.42f);

    const auto images = context.itemsOfKind (DrawnItem::Kind::image);
    ASSERT_EQ (images.size(), 1u);
    expectRectangle (images[0].bounds, { 10.0f, 11.0f, 20.0f, 20.0f });
    EXPECT_FLOAT_EQ (images[0].opacity, 0.42f);

    // The opacity does not leak out to later drawing.
    g.fillRect (0, 0, 1, 1);
    EXPECT_FLOAT_EQ (context.items.back().opacity, 1.0f);
}

TEST (RealisticAsset, fittedImagesAreCentredAndOnlyShrunk)
{
    const struct
    {
        const char* name;
        int width, height;
        juce::Rectangle<float> expected;
    } cases[] = {
        { "smaller than the area", 40, 20, { 30.0f, 40.0f, 40.0f, 20.0f } },
        { "wider than the area", 200, 100, { 0.0f, 25.0f, 100.0f, 50.0f } },
        { "taller than the area", 50, 400, { 43.75f, 0.0f, 12.5f, 100.0f } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        RecordingGraphicsContext context;
        juce::Graphics g (context);
        drawRealisticAssetFitted (g, juce::Image (juce::Image::ARGB, c.width, c.height, true), { 0.2f, -0.3f, 100.4f, 99.6f }, 1.0f);
        const auto images = context.itemsOfKind (DrawnItem::Kind::image);
        ASSERT_EQ (images.size(), 1u);
        expectRectangle (images[0].bounds, c.expected);
    }
}

TEST (RealisticAsset, aNullImageDrawsNothing)
{
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawRealisticAsset (g, {}, { 0, 0, 50, 50 }, 1.0f);
    drawRealisticAssetFitted (g, {}, { 0, 0, 50, 50 }, 1.0f);
    EXPECT_TRUE (context.items.empty());
}

//==============================================================================
TEST (EngravedText, lightEdgeBelowThenInk)
{
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawEngravedText (g, "MIX", { 0.0f, 0.0f, 130.0f, 23.0f }, 16.0f, juce::Justification::centred);

    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_EQ (glyphs.size(), 6u);
    EXPECT_EQ (glyphs[0].colour, juce::Colour (0x26FFFFFF));
    EXPECT_EQ (glyphs[3].colour, juce::Colour (0xE6221E18));
    EXPECT_NEAR (glyphs[0].bounds.getY() - glyphs[3].bounds.getY(), 1.2f, tolerance);
    EXPECT_NEAR (glyphs[0].bounds.getX(), glyphs[3].bounds.getX(), tolerance);
    EXPECT_FLOAT_EQ (glyphs[0].font.getHeight(), 16.0f);
}

//==============================================================================
TEST (KnobTicks, numbersSitOnTheKnobsSweep)
{
    const juce::Rectangle<float> knob (131.0f, 233.0f, 130.0f, 130.0f);
    const juce::Point<float> centre (196.0f, 298.0f);
    const auto radius = 0.4f * 130.0f + 10.0f;

    for (int i = 0; i <= 10; ++i)
    {
        SCOPED_TRACE (i);
        const auto p = onCircle (centre, radius, 140.0f + 26.0f * (float) i);
        expectRectangle (knobTickBox (knob, i), { p.x - 13.0f, p.y - 10.0f, 26.0f, 20.0f });
    }

    expectRectangle (knobTickBox (knob, 5), { 183.0f, 226.0f, 26.0f, 20.0f }); // straight up

    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawKnobTicks (g, knob);
    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_EQ (glyphs.size(), 12u); // 0 ... 9 and the two digits of 10
    EXPECT_EQ (glyphs[0].colour, juce::Colour (0xDB221E18));
    EXPECT_FLOAT_EQ (glyphs[0].font.getHeight(), 14.0f);
    EXPECT_LT (glyphs[0].bounds.getX(), centre.x); // 0 at lower left
    EXPECT_GT (glyphs[0].bounds.getY(), centre.y);
    EXPECT_GT (glyphs[10].bounds.getX(), centre.x); // 10 at lower right
}

TEST (GainTrimScale, dotsAndLabelsAroundTheTrimKnob)
{
    const juce::Rectangle<float> knob (106.0f, 618.0f, 102.0f, 102.0f);
    const juce::Point<float> centre (157.0f, 669.0f);
    const auto radius = 53.0f;

    for (int i = 0; i <= 10; ++i)
    {
        SCOPED_TRACE (i);
        const auto d = (i % 5 == 0) ? 4.6f : 3.2f;
        const auto p = onCircle (centre, radius, 150.0f + 24.0f * (float) i);
        expectRectangle (gainTrimDot (knob, i), { p.x - d / 2.0f, p.y - d / 2.0f, d, d });
    }

    const auto labels = gainTrimLabels (knob);
    const struct
    {
        const char* text;
        juce::Rectangle<float> box;
    } expectedLabels[] = {
        { "0", { 143.0f, 603.0f, 28.0f, 16.0f } },
        { "-18", { 84.0f, 708.0f, 40.0f, 16.0f } },
        { "+18", { 190.0f, 708.0f, 40.0f, 16.0f } },
        { "dB", { 143.0f, 711.0f, 28.0f, 16.0f } },
    };
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_STREQ (labels[i].text, expectedLabels[i].text);
        expectRectangle (labels[i].box, expectedLabels[i].box);
    }

    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawGainTrimScale (g, knob);
    const auto dots = context.itemsOfKind (DrawnItem::Kind::path);
    ASSERT_EQ (dots.size(), 22u);
    expectRectangle (dots[0].bounds, gainTrimDot (knob, 0).translated (0.0f, 1.0f), 0.01f);
    EXPECT_EQ (dots[0].colour, juce::Colour (0x8C000000));
    expectRectangle (dots[1].bounds, gainTrimDot (knob, 0), 0.01f);
    EXPECT_EQ (dots[1].colour, juce::Colour (0xE0CFC292));

    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_EQ (glyphs.size(), 2u * (1 + 3 + 3 + 2));
    EXPECT_EQ (glyphs.front().colour, juce::Colour (0xC7000000));
    EXPECT_EQ (glyphs.back().colour, juce::Colour (0xE0CFC292));
}

//==============================================================================
TEST (SelectorLegend, labelBoxesWidenForLongLabels)
{
    const juce::Rectangle<float> bounds (984.0f, 400.0f, 112.0f, 112.0f);
    const juce::Point<float> centre (1040.0f, 456.0f);
    const auto r = 0.22f * 112.0f;

    const struct
    {
        const char* label;
        float width;
    } cases[] = { { "3", 24.0f }, { "4x", 24.0f }, { "16x", 30.0f }, { "OFF", 30.0f } };

    for (int k = 0; k < 5; ++k)
    {
        const auto& c = cases[(size_t) k % 4];
        SCOPED_TRACE (c.label);
        const auto degrees = 140.0f + 65.0f * (float) k;
        const auto labelCentre = onCircle (centre, r + 20.0f, degrees);
        expectRectangle (selectorLegendLabelBox (bounds, k, c.label),
                         { labelCentre.x - c.width / 2.0f, labelCentre.y - 7.0f, c.width, 14.0f });

        const auto tick = selectorLegendTick (bounds, k);
        EXPECT_NEAR (tick.getStart().getDistanceFrom (onCircle (centre, r, degrees)), 0.0f, tolerance);
        EXPECT_NEAR (tick.getEnd().getDistanceFrom (onCircle (centre, r + 6.5f, degrees)), 0.0f, tolerance);
    }

    RecordingGraphicsContext context;
    juce::Graphics g (context);
    drawSelectorLegend (g, bounds, { "3", "4", "5", "6", "7" });
    const auto ticks = context.itemsOfKind (DrawnItem::Kind::path);
    ASSERT_EQ (ticks.size(), 5u);
    EXPECT_EQ (ticks[2].colour, juce::Colour (0xBD221E18));
    EXPECT_NEAR (ticks[2].bounds.getCentreX(), centre.x, tolerance); // the middle tick points straight up
    EXPECT_LT (ticks[2].bounds.getBottom(), centre.y);
    EXPECT_EQ (context.itemsOfKind (DrawnItem::Kind::glyph).size(), 5u);
}

TEST (Rounding, halvesGoToTheEvenNeighbour)
{
    EXPECT_EQ (nearestIntegerRectangle ({ 10.4f, 10.6f, 20.5f, 20.5f }), juce::Rectangle<int> (10, 11, 20, 20));
    EXPECT_EQ (nearestIntegerRectangle ({ 0.5f, 1.5f, 2.5f, 3.5f }), juce::Rectangle<int> (0, 2, 2, 4));
}
} // namespace
