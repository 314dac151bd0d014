#include "editor/ArtworkRecolouring.h"

#include <cmath>

namespace vesk::editor
{
const PanelRecolour bottomPanelRecolour {
    0.13f, juce::Colour (0xFF040506), juce::Colour (0xFF1A1D21),
    0.52f, 0.48f,
    juce::Colour (0xFF1C1E21), juce::Colour (0xFF3A3D42), juce::Colour (0xFF5E6268),
    juce::Colour (0xFF4E545A), 0.10f,
    0.011f, 0.023f, 0.0031f,
    0.018f,
    0.72f, 0.88f,
    0.22f, -0.12f, 0.12f,
    0.75f, 1.05f
};

const PanelRecolour faceplateRecolour {
    0.16f, juce::Colour (0xFF050608), juce::Colour (0xFF2A2E34),
    0.54f, 0.46f,
    juce::Colour (0xFF484C52), juce::Colour (0xFF8E9398), juce::Colour (0xFFD0D6DC),
    juce::Colour (0xFFBCC4CC), 0.16f,
    0.0105f, 0.027f, 0.0022f,
    0.02f,
    1.0f, 0.9f,
    0.24f, -0.14f, 0.15f,
    0.85f, 1.15f
};

namespace
{
    // Perceived brightness with the HSP weights, from unpremultiplied channels.
    float hspBrightness (juce::Colour colour)
    {
        const auto r = colour.getFloatRed();
        const auto g = colour.getFloatGreen();
        const auto b = colour.getFloatBlue();
        return std::sqrt (0.241f * r * r + 0.691f * g * g + 0.068f * b * b);
    }

    juce::Colour brightenedOrDarkened (juce::Colour colour, float amount, float brighten, float darken)
    {
        return amount >= 0.0f ? colour.brighter (amount * brighten)
                              : colour.darker (-amount * darken);
    }

    template <typename PixelFunction>
    juce::Image recolourImage (const juce::Image& source, PixelFunction&& pixelFunction)
    {
        if (! source.isValid())
            return {};

        juce::Image result (juce::Image::ARGB, source.getWidth(), source.getHeight(), true);
        const juce::Image::BitmapData in (source, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData out (result, juce::Image::BitmapData::writeOnly);

        for (int y = 0; y < source.getHeight(); ++y)
            for (int x = 0; x < source.getWidth(); ++x)
                out.setPixelColour (x, y, pixelFunction (in.getPixelColour (x, y), x, y));

        return result;
    }
} // namespace

juce::Colour recolourPanelPixel (juce::Colour source, int x, int y, const PanelRecolour& recolour)
{
    const auto alpha = source.getFloatAlpha();

    if (alpha <= 0.0f)
        return juce::Colour (0x00000000);

    const auto brightness = juce::jmin (1.0f, hspBrightness (source));
    const auto largest = juce::jmax (source.getRed(), source.getGreen(), source.getBlue());
    const auto smallest = juce::jmin (source.getRed(), source.getGreen(), source.getBlue());
    const auto lightness = juce::jmin (1.0f, (float) (largest + smallest) / 2.0f / 255.0f);

    juce::Colour colour;

    if (brightness < recolour.darkThreshold)
    {
        // Screw holes and shadows stay flat: no grain, no lightness shading.
        colour = recolour.darkFrom.interpolatedWith (recolour.darkTo,
                                                     juce::jlimit (0.0f, 1.0f, brightness / recolour.darkThreshold));
    }
    else
    {
        const auto base = brightness < recolour.midSplit
                              ? recolour.metalLow.interpolatedWith (recolour.metalMid, brightness / recolour.midSplit)
                              : recolour.metalMid.interpolatedWith (recolour.metalHigh, (brightness - recolour.midSplit) / recolour.upperDivisor);
        colour = base.interpolatedWith (recolour.tint, recolour.tintAmount);

        const auto fx = (float) x;
        const auto fy = (float) y;
        const auto grain = (std::sin (fx * recolour.grainFrequencyX1)
                            + std::sin (fx * recolour.grainFrequencyX2 + fy * recolour.grainFrequencyY))
                           * recolour.grainDepth;
        colour = brightenedOrDarkened (colour, grain, recolour.grainBrighten, recolour.grainDarken);

        const auto shading = juce::jlimit (recolour.lightnessMin, recolour.lightnessMax,
                                           (lightness - 0.5f) * recolour.lightnessGain);
        colour = brightenedOrDarkened (colour, shading, recolour.lightnessBrighten, recolour.lightnessDarken);
    }

    return colour.withMultipliedAlpha (alpha);
}

juce::Colour recolourLogoPixel (juce::Colour source)
{
    static const juce::Colour logoInk (0xFF48392B);

    const auto coverage = juce::jlimit (0.0f, 1.0f, (hspBrightness (source) - 0.24f) / 0.58f)
                          * source.getFloatAlpha();

    if (coverage <= 0.0f)
        return juce::Colour (0x00000000);

    if (coverage >= 1.0f)
        return logoInk;

    return logoInk.withAlpha ((juce::uint8) juce::roundToInt (coverage * 255.0f));
}

juce::Image recolourPanelImage (const juce::Image& source, const PanelRecolour& recolour)
{
    return recolourImage (source, [&recolour] (juce::Colour colour, int x, int y)
                          { return recolourPanelPixel (colour, x, y, recolour); });
}

juce::Image recolourLogoImage (const juce::Image& source)
{
    return recolourImage (source, [] (juce::Colour colour, int, int)
                          { return recolourLogoPixel (colour); });
}
} // namespace vesk::editor
