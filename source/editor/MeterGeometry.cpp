#include "editor/MeterGeometry.h"

namespace vesk::editor
{
namespace
{
    // The rectangle inset by the given fractions of the outer size on each side, sizes not below 0.
    juce::Rectangle<float> insetByFraction (juce::Rectangle<float> outer, float fractionX, float fractionY)
    {
        const auto dx = fractionX * outer.getWidth();
        const auto dy = fractionY * outer.getHeight();
        return { outer.getX() + dx, outer.getY() + dy,
                 juce::jmax (0.0f, outer.getWidth() - 2.0f * dx), juce::jmax (0.0f, outer.getHeight() - 2.0f * dy) };
    }
} // namespace

VuMeterGeometry vuMeterGeometry (float width, float height)
{
    VuMeterGeometry geometry {};
    geometry.bezel = insetByFraction ({ width, height }, 0.02f, 0.05f);
    geometry.cornerSize = 0.12f * geometry.bezel.getHeight();
    geometry.well = insetByFraction (geometry.bezel, 0.016f, 0.028f);
    geometry.face = insetByFraction (geometry.bezel, 0.055f, 0.09f);

    const auto& face = geometry.face;
    geometry.pivot = { face.getX() + face.getWidth() / 2.0f, face.getBottom() - 0.1f * face.getHeight() };
    geometry.needleLength = 0.39f * face.getWidth() * 0.98f;
    return geometry;
}

float vuNeedleAngle (float level)
{
    const auto v = level / vuMaximumLevel;
    constexpr auto restAngle = 3.6302848f;  // 208 degrees
    constexpr auto sweep = 1.9896755f;      // 114 degrees
    return v < 0.0f ? restAngle : restAngle + juce::jmin (v, 1.0f) * sweep;
}

GainReductionGeometry gainReductionGeometry (float width, float height)
{
    GainReductionGeometry geometry {};

    const auto titleHeight = juce::jlimit (18.0f, 34.0f, 0.11f * height);
    const auto band = juce::jmin (titleHeight, height);
    geometry.titleBand = { 0.0f, 0.0f, width, band };
    geometry.titleFontHeight = juce::jlimit (10.0f, 13.0f, 0.11f * width);

    const auto tubeWidth = juce::jlimit (11.0f, 15.0f, 0.17f * width);
    // A meter too short for its title keeps an empty tube rather than an inverted one.
    const auto tubeHeight = juce::jmax (0.0f, (height - band) - titleHeight - 14.0f);
    const auto tubeCentreY = band + (height - band) / 2.0f + 0.35f * titleHeight;
    geometry.tube = { width / 2.0f - tubeWidth / 2.0f, tubeCentreY - tubeHeight / 2.0f, tubeWidth, tubeHeight };

    const auto pad = juce::jlimit (3.0f, 4.0f, 0.21f * tubeWidth);
    geometry.bar = { geometry.tube.getX() + pad, geometry.tube.getY() + 10.0f,
                     juce::jmax (0.0f, tubeWidth - 2.0f * pad), juce::jmax (0.0f, tubeHeight - 20.0f) };

    geometry.scaleFontHeight = juce::jlimit (7.0f, 9.0f, 0.07f * width);
    geometry.scaleTextX = geometry.tube.getRight() + 9.0f;
    return geometry;
}

int gainReductionLitHeight (float barHeight, float value, float maximum)
{
    if (maximum <= 0.0f)
        return 0;

    return juce::roundToInt (barHeight * juce::jlimit (0.0f, 1.0f, value / maximum));
}

float gainReductionUpdateThreshold (float maximum)
{
    return juce::jmax (0.002f * maximum, 0.01f);
}
} // namespace vesk::editor
