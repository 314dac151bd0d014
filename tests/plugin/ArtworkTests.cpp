#include "editor/Artwork.h"
#include "editor/ArtworkRecolouring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vesk::editor;

namespace
{
// The recolouring constants as printed on the panels' data sheet, kept apart from the code's.
struct PanelColumn
{
    const char* name;
    const PanelRecolour& recolour;
    float T;
    juce::uint32 D0, D1;
    float M, S;
    juce::uint32 A, B, C, tint;
    float p, f1, f2, f3, g, kb, kd, m, lo, hi, lb, ld;
};

const PanelColumn bottomColumn { "bottom panel", bottomPanelRecolour, 0.13f, 0xFF040506, 0xFF1A1D21, 0.52f, 0.48f,
                                 0xFF1C1E21, 0xFF3A3D42, 0xFF5E6268, 0xFF4E545A, 0.10f, 0.011f, 0.023f, 0.0031f,
                                 0.018f, 0.72f, 0.88f, 0.22f, -0.12f, 0.12f, 0.75f, 1.05f };
const PanelColumn faceplateColumn { "faceplate", faceplateRecolour, 0.16f, 0xFF050608, 0xFF2A2E34, 0.54f, 0.46f,
                                    0xFF484C52, 0xFF8E9398, 0xFFD0D6DC, 0xFFBCC4CC, 0.16f, 0.0105f, 0.027f, 0.0022f,
                                    0.02f, 1.0f, 0.9f, 0.24f, -0.14f, 0.15f, 0.85f, 1.15f };

float hsp (juce::Colour c)
{
    const auto r = (float) c.getRed() / 255.0f;
    const auto g = (float) c.getGreen() / 255.0f;
    const auto b = (float) c.getBlue() / 255.0f;
    return std::sqrt (0.241f * r * r + 0.691f * g * g + 0.068f * b * b);
}

juce::Colour expectedPanelPixel (juce::Colour c, int x, int y, const PanelColumn& k)
{
    const auto a = (float) c.getAlpha() / 255.0f;
    if (c.getAlpha() == 0)
        return juce::Colour (0x00000000);

    const auto K = std::min (1.0f, hsp (c));
    const auto channels = { (int) c.getRed(), (int) c.getGreen(), (int) c.getBlue() };
    const auto L = std::min (1.0f, (float) (std::max (channels) + std::min (channels)) / 2.0f / 255.0f);

    juce::Colour colour;
    if (K < k.T)
    {
        colour = juce::Colour (k.D0).interpolatedWith (juce::Colour (k.D1), std::clamp (K / k.T, 0.0f, 1.0f));
    }
    else
    {
        const auto base = K < k.M ? juce::Colour (k.A).interpolatedWith (juce::Colour (k.B), K / k.M)
                                  : juce::Colour (k.B).interpolatedWith (juce::Colour (k.C), (K - k.M) / k.S);
        colour = base.interpolatedWith (juce::Colour (k.tint), k.p);

        const auto n = (std::sin ((float) x * k.f1) + std::sin ((float) x * k.f2 + (float) y * k.f3)) * k.g;
        colour = n >= 0.0f ? colour.brighter (n * k.kb) : colour.darker (-n * k.kd);

        const auto l = std::clamp ((L - 0.5f) * k.m, k.lo, k.hi);
        colour = l >= 0.0f ? colour.brighter (l * k.lb) : colour.darker (-l * k.ld);
    }
    return colour.withMultipliedAlpha (a);
}

juce::Colour expectedLogoPixel (juce::Colour c)
{
    const auto v = std::clamp ((hsp (c) - 0.24f) / 0.58f, 0.0f, 1.0f) * ((float) c.getAlpha() / 255.0f);
    if (v <= 0.0f)
        return juce::Colour (0x00000000);
    if (v >= 1.0f)
        return juce::Colour (0xFF48392B);
    return juce::Colour (0xFF48392B).withAlpha ((juce::uint8) std::lround (v * 255.0f));
}

// What a colour becomes once stored in an ARGB image (premultiplied) and read back.
juce::Colour storedInImage (juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, 1, 1, true);
    image.setPixelAt (0, 0, colour);
    return image.getPixelAt (0, 0);
}

struct SourcePixel
{
    const char* what;
    juce::uint32 argb;
    int x, y;
};

const SourcePixel panelPixels[] = {
    { "transparent", 0x00FFFFFF, 3, 2 },
    { "half-transparent bright", 0x80C8C8C8, 57, 9 },
    { "dark, below both thresholds", 0xFF121212, 40, 7 },
    { "the same dark at another place", 0xFF121212, 91, 33 },
    { "mid grey", 0xFF6E6A64, 17, 30 },
    { "bright", 0xFFE6E2DC, 123, 45 },
    { "bright elsewhere", 0xFFE6E2DC, 64, 12 },
};

TEST (PanelRecolouring, everyPixelFollowsTheBrushedMetalFormula)
{
    for (const auto* column : { &bottomColumn, &faceplateColumn })
    {
        juce::Image source (juce::Image::ARGB, 130, 50, true);
        for (const auto& pixel : panelPixels)
            source.setPixelAt (pixel.x, pixel.y, juce::Colour (pixel.argb));

        const auto result = recolourPanelImage (source, column->recolour);
        ASSERT_EQ (result.getFormat(), juce::Image::ARGB);
        ASSERT_EQ (result.getBounds(), source.getBounds());

        for (const auto& pixel : panelPixels)
        {
            SCOPED_TRACE (std::string (column->name) + ": " + pixel.what);
            const auto expected = storedInImage (expectedPanelPixel (source.getPixelAt (pixel.x, pixel.y), pixel.x, pixel.y, *column));
            EXPECT_EQ (result.getPixelAt (pixel.x, pixel.y).getARGB(), expected.getARGB());
        }

        // Half transparency survives; dark screw holes are flat, with no grain.
        EXPECT_EQ (result.getPixelAt (57, 9).getAlpha(), 0x80);
        EXPECT_EQ (result.getPixelAt (40, 7), result.getPixelAt (91, 33));
        const auto darkK = hsp (juce::Colour (0xFF121212));
        EXPECT_EQ (result.getPixelAt (40, 7),
                   juce::Colour (column->D0).interpolatedWith (juce::Colour (column->D1), darkK / column->T));
        EXPECT_EQ (result.getPixelAt (0, 0), juce::Colour (0x00000000));
    }
}

TEST (PanelRecolouring, theTwoPanelsGetDifferentMetal)
{
    const auto bright = juce::Colour (0xFFE6E2DC);
    EXPECT_NE (recolourPanelPixel (bright, 10, 10, bottomPanelRecolour), recolourPanelPixel (bright, 10, 10, faceplateRecolour));
    EXPECT_LT (recolourPanelPixel (bright, 10, 10, bottomPanelRecolour).getBrightness(),
               recolourPanelPixel (bright, 10, 10, faceplateRecolour).getBrightness());
}

TEST (LogoRecolouring, lightStrokesBecomeInkAndTheDarkGroundDisappears)
{
    const SourcePixel logoPixels[] = {
        { "HSP just below 0.24", 0xFF3D3D3D, 0, 0 },
        { "HSP just above 0.24", 0xFF3E3E3E, 1, 0 },
        { "mid grey", 0xFF969696, 2, 0 },
        { "HSP just below 0.82", 0xFFD1D1D1, 3, 0 },
        { "HSP just above 0.82", 0xFFD2D2D2, 4, 0 },
        { "half-transparent white", 0x80FFFFFF, 5, 0 },
        { "transparent white", 0x00FFFFFF, 6, 0 },
        { "black ground", 0xFF000000, 7, 0 },
    };

    juce::Image source (juce::Image::ARGB, 8, 1, true);
    for (const auto& pixel : logoPixels)
        source.setPixelAt (pixel.x, pixel.y, juce::Colour (pixel.argb));

    const auto result = recolourLogoImage (source);
    ASSERT_EQ (result.getFormat(), juce::Image::ARGB);

    for (const auto& pixel : logoPixels)
    {
        SCOPED_TRACE (pixel.what);
        const auto expected = storedInImage (expectedLogoPixel (source.getPixelAt (pixel.x, pixel.y)));
        EXPECT_EQ (result.getPixelAt (pixel.x, pixel.y).getARGB(), expected.getARGB());
    }

    EXPECT_EQ (result.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (result.getPixelAt (7, 0).getAlpha(), 0);
    EXPECT_EQ (result.getPixelAt (4, 0).getARGB(), 0xFF48392Bu);
}

TEST (Recolouring, aNullImageStaysNull)
{
    EXPECT_FALSE (recolourPanelImage ({}, faceplateRecolour).isValid());
    EXPECT_FALSE (recolourLogoImage ({}).isValid());
}

//==============================================================================
TEST (EmbeddedArtwork, everyResourceDecodesToItsSize)
{
    const auto embedded = embeddedResourceNames();
    if (embedded.isEmpty())
        GTEST_SKIP() << "this build carries no artwork";

    EXPECT_EQ (embedded.size(), (int) artworkResources().size());

    for (const auto& resource : artworkResources())
    {
        SCOPED_TRACE (resource.resourceName);
        EXPECT_TRUE (embedded.contains (resource.resourceName));

        const auto image = decodeEmbeddedResource (resource.resourceName);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), resource.width);
        EXPECT_EQ (image.getHeight(), resource.height);
    }
}

TEST (EmbeddedArtwork, loadingRecoloursThePanelsAndTheLogoWithTheirOwnRules)
{
    if (embeddedResourceNames().isEmpty())
        GTEST_SKIP() << "this build carries no artwork";

    ensureAssetsLoaded();
    const auto& loaded = artwork();

    for (const auto& resource : artworkResources())
    {
        SCOPED_TRACE (resource.resourceName);
        const auto& image = loaded.*(resource.image);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (resource.width, resource.height));
    }

    const auto bottomSource = decodeEmbeddedResource ("realistic_bottom_panel_png");
    const auto faceplateSource = decodeEmbeddedResource ("realistic_faceplate_top_png");
    const auto logoSource = decodeEmbeddedResource ("realistic_logo_png");

    for (const auto& [x, y] : { std::pair { 5, 5 }, std::pair { 300, 60 }, std::pair { 475, 100 }, std::pair { 900, 120 } })
    {
        EXPECT_EQ (loaded.realisticBottomPanel.getPixelAt (x, y),
                   storedInImage (expectedPanelPixel (bottomSource.getPixelAt (x, y), x, y, bottomColumn)));
        EXPECT_EQ (loaded.realisticFaceplateTop.getPixelAt (x, y),
                   storedInImage (expectedPanelPixel (faceplateSource.getPixelAt (x, y), x, y, faceplateColumn)));
        EXPECT_EQ (loaded.realisticLogo.getPixelAt (x, y), storedInImage (expectedLogoPixel (logoSource.getPixelAt (x, y))));
    }

    // Loading happens once: a second call keeps the very same images.
    const auto* pixelsBefore = loaded.realisticFaceplateTop.getPixelData();
    ensureAssetsLoaded();
    EXPECT_EQ (artwork().realisticFaceplateTop.getPixelData(), pixelsBefore);
}

TEST (EmbeddedArtwork, anOverrideReplacesTheArtworkOnlyWhileItLives)
{
    ensureAssetsLoaded();
    const auto* knobBefore = artwork().realisticKnobLarge.getPixelData();
    {
        const ScopedArtworkOverride noArtwork ({});
        EXPECT_FALSE (artwork().realisticKnobLarge.isValid());
        EXPECT_FALSE (artwork().littlePhattyFilmstrip.isValid());
    }
    EXPECT_EQ (artwork().realisticKnobLarge.getPixelData(), knobBefore);
}
} // namespace
