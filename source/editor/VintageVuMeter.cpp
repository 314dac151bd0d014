#include "editor/VintageVuMeter.h"

#include "editor/Artwork.h"
#include "editor/DrawingHelpers.h"
#include "editor/MeterGeometry.h"
#include "editor/Palette.h"

#include <cmath>

namespace vesk::editor
{
namespace
{
    juce::Rectangle<float> shrunkBy (juce::Rectangle<float> r, float amount)
    {
        return { r.getX() + amount, r.getY() + amount,
                 juce::jmax (0.0f, r.getWidth() - 2.0f * amount), juce::jmax (0.0f, r.getHeight() - 2.0f * amount) };
    }
} // namespace

VintageVuMeter::VintageVuMeter (const juce::String& meterLabel)
    : label (meterLabel)
{
}

VintageVuMeter::~VintageVuMeter() = default;

bool VintageVuMeter::setLevel (float newLevel)
{
    // A reading that is not a number (a broken signal upstream) rests the needle rather than
    // sending it off the face.
    const auto pinned = std::isnan (newLevel) ? 0.0f : juce::jlimit (0.0f, vuMaximumLevel, newLevel);

    if (std::abs (pinned - level) < vuUpdateThreshold)
        return false;

    level = pinned;
    repaint();
    return true;
}

void VintageVuMeter::paint (juce::Graphics& g)
{
    ensureAssetsLoaded();

    const auto width = (float) getWidth();
    const auto height = (float) getHeight();

    if (width < 1.0f || height < 1.0f)
        return;

    const auto geometry = vuMeterGeometry (width, height);
    const auto& bezel = geometry.bezel;
    const auto corner = geometry.cornerSize;

    g.setColour (withAlphaByte (juce::Colours::black, 0x7A));
    g.fillRoundedRectangle (bezel.translated (2.5f, 3.5f), 1.05f * corner);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF36322C), bezel.getTopLeft(),
                                             juce::Colour (0xFF080808), bezel.getBottomRight(), true));
    g.fillRoundedRectangle (bezel, corner);

    g.setColour (withAlphaByte (juce::Colours::white, 0x14));
    g.drawRoundedRectangle (shrunkBy (bezel, 0.8f), corner, 1.1f);

    const auto& well = geometry.well;
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF0F0E0D), well.getTopLeft(),
                                             juce::Colour (0xFF020202), well.getBottomRight(), true));
    g.fillRoundedRectangle (well, 0.82f * corner);

    const auto& art = artwork();
    const auto& face = geometry.face;
    const auto& faceImage = (label == "OUTPUT" && art.realisticVuMeterAlt.isValid()) ? art.realisticVuMeterAlt
                                                                                      : art.realisticVuMeter;
    drawRealisticAsset (g, faceImage, face, 1.0f);

    const auto pivot = geometry.pivot;
    const auto angle = vuNeedleAngle (level);
    const auto tip = pivot + juce::Point<float> (std::cos (angle), std::sin (angle)) * geometry.needleLength;
    const juce::Point<float> shadowOffset (1.0f, 1.0f);

    g.setColour (withAlphaByte (juce::Colours::black, 0x3D));
    g.drawLine ({ pivot + shadowOffset, tip + shadowOffset }, 2.2f);
    g.setColour (withAlphaByte (hardwareRed, 0xEB));
    g.drawLine ({ pivot, tip }, 1.35f);

    g.setColour (juce::Colour (0xF5121212));
    g.fillEllipse (pivot.x - 4.5f, pivot.y - 4.5f, 9.0f, 9.0f);
    g.setColour (withAlphaByte (juce::Colours::white, 0x1A));
    g.drawEllipse (pivot.x - 4.0f, pivot.y - 4.0f, 8.0f, 8.0f, 0.7f);

    {
        // A dark dome over the needle's root, cut off at the bottom of the face.
        const juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (nearestIntegerRectangle (face));
        g.setColour (juce::Colour (0xFA080808));
        g.fillEllipse (pivot.x - 0.11f * face.getWidth(), face.getBottom() - 0.34f * 0.22f * face.getHeight(),
                       0.22f * face.getWidth(), 0.22f * face.getHeight());
    }

    g.setColour (withAlphaByte (juce::Colours::black, 0xAD));
    g.drawRoundedRectangle (shrunkBy (bezel, 1.0f), corner, 1.6f);
}
} // namespace vesk::editor
