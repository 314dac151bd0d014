#include "RecordingGraphicsContext.h"

#include "editor/Artwork.h"
#include "editor/MeterDisplay.h"
#include "editor/MeterGeometry.h"
#include "editor/VintageVuMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vesk::editor;
using vesk::test::DrawnItem;
using vesk::test::RecordingGraphicsContext;

namespace
{
constexpr float tolerance = 0.01f;

void expectRectangle (juce::Rectangle<float> actual, juce::Rectangle<float> expected, float within = tolerance)
{
    EXPECT_NEAR (actual.getX(), expected.getX(), within);
    EXPECT_NEAR (actual.getY(), expected.getY(), within);
    EXPECT_NEAR (actual.getWidth(), expected.getWidth(), within);
    EXPECT_NEAR (actual.getHeight(), expected.getHeight(), within);
}

float degrees (float radians)
{
    return radians * 180.0f / 3.14159265358979f;
}

RecordingGraphicsContext paintComponent (juce::Component& component)
{
    RecordingGraphicsContext context;
    juce::Graphics g (context);
    component.paint (g);
    return context;
}

Artwork vuFaces (bool withOutputFace)
{
    Artwork art;
    art.realisticVuMeter = juce::Image (juce::Image::ARGB, 269, 151, true);
    if (withOutputFace)
        art.realisticVuMeterAlt = juce::Image (juce::Image::ARGB, 270, 151, true);
    return art;
}

//==============================================================================
TEST (VuMeter, levelIsPinnedAndSmallChangesAreIgnored)
{
    const struct
    {
        const char* name;
        float start, update;
        bool shown;
        float stored;
    } cases[] = {
        { "above the end stop", 0.0f, 2.0f, true, 1.25f },
        { "negative, already at rest", 0.0f, -0.5f, false, 0.0f },
        { "negative from a reading", 0.5f, -0.5f, true, 0.0f },
        { "a change of 0.001", 0.5f, 0.501f, false, 0.5f },
        { "a change of 0.0025", 0.5f, 0.5025f, true, 0.5025f },
        { "full scale", 0.0f, 1.0f, true, 1.0f },
        { "not a number rests the needle", 0.8f, std::numeric_limits<float>::quiet_NaN(), true, 0.0f },
        { "infinity pins it", 0.0f, std::numeric_limits<float>::infinity(), true, 1.25f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        VintageVuMeter meter ("INPUT");
        meter.setLevel (c.start);
        EXPECT_EQ (meter.setLevel (c.update), c.shown);
        EXPECT_FLOAT_EQ (meter.getLevel(), c.stored);
    }
}

TEST (VuMeter, needleSweepsLinearlyFrom208To322Degrees)
{
    const struct
    {
        float level;
        float angle;
    } cases[] = { { -0.5f, 208.0f }, { 0.0f, 208.0f }, { 1.0f, 299.2f }, { 1.25f, 322.0f }, { 2.0f, 322.0f } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.level);
        VintageVuMeter meter ("INPUT");
        meter.setLevel (c.level);
        EXPECT_NEAR (degrees (vuNeedleAngle (meter.getLevel())), c.angle, 1.0e-3f);
    }

    // Even unclamped readings stay between the end stops.
    EXPECT_NEAR (degrees (vuNeedleAngle (-1.0f)), 208.0f, 1.0e-3f);
    EXPECT_NEAR (degrees (vuNeedleAngle (3.0f)), 322.0f, 1.0e-3f);
}

TEST (VuMeter, geometryAtTheLargeEditorSize)
{
    const auto geometry = vuMeterGeometry (258.0f, 164.0f);
    expectRectangle (geometry.bezel, { 5.16f, 8.2f, 247.68f, 147.6f });
    EXPECT_NEAR (geometry.cornerSize, 17.712f, tolerance);
    expectRectangle (geometry.face, { 18.78f, 21.48f, 220.44f, 121.03f });
    EXPECT_NEAR (geometry.pivot.x, 129.0f, tolerance);
    EXPECT_NEAR (geometry.pivot.y, 130.41f, tolerance);
    EXPECT_NEAR (geometry.needleLength, 84.25f, tolerance);
}

TEST (VuMeter, paintsFaceNeedleAndPivotCoverWhereTheGeometrySays)
{
    const ScopedArtworkOverride artwork (vuFaces (true));
    VintageVuMeter meter ("INPUT");
    meter.setSize (258, 164);
    meter.setLevel (1.0f);
    const auto context = paintComponent (meter);

    const auto images = context.itemsOfKind (DrawnItem::Kind::image);
    ASSERT_EQ (images.size(), 1u);
    EXPECT_EQ (images[0].image.getWidth(), 269);
    expectRectangle (images[0].bounds, { 19.0f, 21.0f, 220.0f, 121.0f });

    // The needle at 299.2 degrees, from the pivot (129, 130.41), 84.25 long.
    const juce::Point<float> pivot (129.0f, 130.41f);
    const auto tip = pivot + juce::Point<float> (std::cos (juce::degreesToRadians (299.2f)), std::sin (juce::degreesToRadians (299.2f))) * 84.25f;
    const auto needle = std::find_if (context.items.begin(), context.items.end(),
                                      [] (const DrawnItem& item) { return item.colour == juce::Colour (0xEBC13825); });
    ASSERT_NE (needle, context.items.end());
    EXPECT_NEAR (needle->bounds.getX(), pivot.x, 0.7f);
    EXPECT_NEAR (needle->bounds.getRight(), tip.x, 0.7f);
    EXPECT_NEAR (needle->bounds.getY(), tip.y, 0.7f);
    EXPECT_NEAR (needle->bounds.getBottom(), pivot.y, 0.7f);

    // The dark dome over the needle's root, clipped to the face.
    const auto cover = std::find_if (context.items.begin(), context.items.end(),
                                     [] (const DrawnItem& item) { return item.colour == juce::Colour (0xFA080808); });
    ASSERT_NE (cover, context.items.end());
    expectRectangle (cover->clip, { 19.0f, 21.0f, 220.0f, 121.0f });
    expectRectangle (cover->bounds, { 129.0f - 24.248f, 142.516f - 9.054f, 48.496f, 26.627f }, 0.02f);
}

TEST (VuMeter, theOutputMeterFallsBackToTheInputFace)
{
    const struct
    {
        const char* label;
        bool outputFacePresent;
        int faceWidth;
    } cases[] = { { "OUTPUT", true, 270 }, { "OUTPUT", false, 269 }, { "INPUT", true, 269 }, { "output", true, 269 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::string (c.label) + (c.outputFacePresent ? " with" : " without") + " the output face");
        const ScopedArtworkOverride artwork (vuFaces (c.outputFacePresent));
        VintageVuMeter meter (c.label);
        meter.setSize (258, 164);
        const auto images = paintComponent (meter).itemsOfKind (DrawnItem::Kind::image);
        ASSERT_EQ (images.size(), 1u);
        EXPECT_EQ (images[0].image.getWidth(), c.faceWidth);
    }
}

TEST (VuMeter, withoutFacesTheNeedleIsStillDrawn)
{
    const ScopedArtworkOverride artwork ({});
    VintageVuMeter meter ("INPUT");
    meter.setSize (258, 164);
    const auto context = paintComponent (meter);
    EXPECT_TRUE (context.itemsOfKind (DrawnItem::Kind::image).empty());
    EXPECT_EQ (std::count_if (context.items.begin(), context.items.end(),
                              [] (const DrawnItem& item) { return item.colour == juce::Colour (0xEBC13825); }),
               1);
}

TEST (Meters, anEmptyMeterDrawsNothing)
{
    for (const auto& size : { juce::Point<int> (0, 0), juce::Point<int> (0, 100), juce::Point<int> (100, 0) })
    {
        VintageVuMeter vu ("INPUT");
        vu.setSize (size.x, size.y);
        EXPECT_TRUE (paintComponent (vu).items.empty());

        MeterDisplay gainReduction ("GR", 24.0f, 12.0f);
        gainReduction.setSize (size.x, size.y);
        gainReduction.setValue (12.0f);
        EXPECT_TRUE (paintComponent (gainReduction).items.empty());
    }
}

//==============================================================================
TEST (GainReductionMeter, valueIsPinnedAndSmallChangesAreIgnored)
{
    const struct
    {
        const char* name;
        float start, update;
        bool shown;
        float stored;
    } cases[] = {
        { "above full scale", 0.0f, 30.0f, true, 24.0f },
        { "negative, already at 0", 0.0f, -3.0f, false, 0.0f },
        { "negative from a reading", 6.0f, -3.0f, true, 0.0f },
        { "a change of 0.04", 12.0f, 12.04f, false, 12.0f },
        { "a change of 0.05", 12.0f, 12.05f, true, 12.05f },
        { "not a number empties the bar", 12.0f, std::numeric_limits<float>::quiet_NaN(), true, 0.0f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        MeterDisplay meter ("GR", 24.0f, 12.0f);
        meter.setValue (c.start);
        EXPECT_EQ (meter.setValue (c.update), c.shown);
        EXPECT_FLOAT_EQ (meter.getValue(), c.stored);
    }

    EXPECT_FLOAT_EQ (gainReductionUpdateThreshold (24.0f), 0.048f);
    EXPECT_FLOAT_EQ (gainReductionUpdateThreshold (1.0f), 0.01f);
}

TEST (GainReductionMeter, geometryAtTheLargeEditorSize)
{
    const auto geometry = gainReductionGeometry (126.0f, 340.0f);
    expectRectangle (geometry.titleBand, { 0.0f, 0.0f, 126.0f, 34.0f });
    EXPECT_FLOAT_EQ (geometry.titleFontHeight, 13.0f);
    expectRectangle (geometry.tube, { 55.5f, 69.9f, 15.0f, 258.0f });
    expectRectangle (geometry.bar, { 58.65f, 79.9f, 8.7f, 238.0f });
    EXPECT_NEAR (geometry.scaleFontHeight, 8.82f, 1.0e-4f);
    EXPECT_NEAR (geometry.scaleTextX, 79.5f, 1.0e-4f);
}

TEST (GainReductionMeter, theLitPartRisesFromTheBottom)
{
    const struct
    {
        float value;
        float unlitHeight;
    } cases[] = { { 0.0f, 238.0f }, { 12.0f, 119.0f }, { 24.0f, 0.0f }, { 30.0f, 0.0f }, { 6.0f, 178.0f } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.value);
        MeterDisplay meter ("GR", 24.0f, 12.0f);
        meter.setSize (126, 340);
        meter.setValue (c.value);
        const auto context = paintComponent (meter);

        const auto covers = context.itemsOfKind (DrawnItem::Kind::rectangle);
        ASSERT_EQ (covers.size(), 1u);
        EXPECT_EQ (covers[0].colour, juce::Colour (0xBD000000));
        expectRectangle (covers[0].bounds, { 58.65f, 79.9f, 8.7f, c.unlitHeight });
    }
}

TEST (GainReductionMeter, paintsTitleLampGradientAndScale)
{
    MeterDisplay meter ("GR", 24.0f, 12.0f);
    meter.setSize (126, 340);
    const auto context = paintComponent (meter);

    const auto glyphs = context.itemsOfKind (DrawnItem::Kind::glyph);
    ASSERT_EQ (glyphs.size(), 4u + 2u + 2u + 1u); // "GR" twice, "24", "12", "0"
    EXPECT_FLOAT_EQ (glyphs[0].font.getHeight(), 13.0f);
    EXPECT_NEAR (glyphs[4].bounds.getX(), 79.5f, 1.0e-3f);
    EXPECT_NEAR (glyphs[4].font.getHeight(), 8.82f, 1.0e-4f);
    EXPECT_EQ (glyphs[4].colour, juce::Colour (0xC2221E18));

    const auto bar = std::find_if (context.items.begin(), context.items.end(), [] (const DrawnItem& item) { return item.isGradient; });
    ASSERT_NE (bar, context.items.end());
    EXPECT_EQ (bar->gradient.getColour (0), juce::Colour (0xFF50B14C));
    EXPECT_EQ (bar->gradient.getColourAtPosition (0.58), juce::Colour (0xFFE2B736));
    EXPECT_EQ (bar->gradient.getColour (bar->gradient.getNumColours() - 1), juce::Colour (0xFFC13825));
    EXPECT_NEAR (bar->gradient.point1.y, 317.9f, 1.0e-3f);
    EXPECT_NEAR (bar->gradient.point2.y, 79.9f, 1.0e-3f);

    // The three marks beside the tube: full scale at the top, the middle, 0 at the bottom.
    std::vector<float> markHeights;
    for (const auto& item : context.itemsOfKind (DrawnItem::Kind::path))
        if (item.colour == juce::Colour (0xC2221E18))
        {
            EXPECT_NEAR (item.bounds.getX(), 73.5f, 1.0e-3f);
            EXPECT_NEAR (item.bounds.getWidth(), 5.0f, 1.0e-3f);
            markHeights.push_back (item.bounds.getCentreY());
        }
    ASSERT_EQ (markHeights.size(), 3u);
    EXPECT_NEAR (markHeights[0], 79.9f, 1.0e-3f);
    EXPECT_NEAR (markHeights[1], 198.9f, 1.0e-3f);
    EXPECT_NEAR (markHeights[2], 317.9f, 1.0e-3f);
}
} // namespace
