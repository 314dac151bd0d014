#include "editor/Faceplate.h"

#include "PluginEditor.h"
#include "editor/Artwork.h"
#include "editor/DrawingHelpers.h"
#include "editor/EditorLayout.h"
#include "editor/Palette.h"

#include <array>
#include <cmath>

namespace vesk::editor
{
namespace
{
// The chassis colour, also the letterbox bands when the editor's shape differs from the canvas.
const juce::Colour chassisBlack { 0xFF030404 };

juce::Colour black (juce::uint8 alpha) { return juce::Colours::black.withAlpha (alpha); }
juce::Colour white (juce::uint8 alpha) { return juce::Colours::white.withAlpha (alpha); }
juce::Colour ink (juce::uint8 alpha) { return hardwareInk.withAlpha (alpha); }
juce::Colour railText (juce::uint8 alpha) { return railTextColour.withAlpha (alpha); }

void outline (juce::Graphics& g, juce::Rectangle<float> r, float corner, float thickness)
{
    g.drawRoundedRectangle (r, corner, thickness);
}

void fillLinear (juce::Graphics& g, juce::Colour from, juce::Point<float> p1, juce::Colour to,
                 juce::Point<float> p2, juce::Rectangle<float> area)
{
    g.setGradientFill (juce::ColourGradient (from, p1, to, p2, false));
    g.fillRect (area);
}

// Lettering on the dark rail: a black drop shadow, then the cream text.
void drawRailText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> box, float fontHeight,
                   float tracking, juce::uint8 shadowAlpha, float shadowDrop, juce::uint8 textAlpha)
{
    drawTrackedText (g, text, box.translated (0.0f, shadowDrop), fontHeight, juce::Justification::centred,
                     black (shadowAlpha), tracking);
    drawTrackedText (g, text, box, fontHeight, juce::Justification::centred, railText (textAlpha), tracking);
}

const std::array<juce::Rectangle<float>, 5> largeKnobs { designLayout::lowKnob, designLayout::presenceKnob,
                                                         designLayout::airKnob, designLayout::optoKnob,
                                                         designLayout::mixKnob };

struct ControlName
{
    const char* name;
    juce::Rectangle<float> nameBox;
    const char* unit;
    juce::Rectangle<float> unitBox;
};

const ControlName controlNames[] = {
    { "LOW CELL", { 131, 186, 130, 23 }, "dB", { 131, 373, 130, 23 } },
    { "LAMP DRIVE", { 984, 353, 112, 23 }, nullptr, {} },
    { "MID CELL", { 331, 186, 130, 23 }, "dB", { 331, 373, 130, 23 } },
    { "HF CELL", { 531, 186, 130, 23 }, "dB", { 531, 373, 130, 23 } },
    { "LDR DEPTH", { 771, 186, 130, 23 }, "%", { 771, 373, 130, 23 } },
    { "THERMAL", { 984, 186, 112, 23 }, nullptr, {} },
    { "MIX", { 1182, 186, 130, 23 }, "%", { 1182, 373, 130, 23 } },
};

struct RailLabel
{
    const char* text;
    juce::Rectangle<float> box;
    float fontHeight, tracking;
};

const RailLabel railLabels[] = {
    { "INPUT", { 102, 576, 110, 22 }, 16.5f, 5.0f },
    { "INPUT", { 456, 570, 86, 18 }, 11.5f, 4.0f },
    { "OUTPUT", { 995, 570, 92, 18 }, 11.5f, 4.0f },
    { "OUTPUT", { 1320, 576, 110, 22 }, 16.5f, 5.0f },
    { "OVERSAMPLING", { 675, 594, 186, 22 }, 16.0f, 5.0f },
};

void drawOversamplingLegend (juce::Graphics& g)
{
    const char* labels[] = { "1x", "2x", "4x", "8x", "16x" };
    const juce::Point<float> centre { 768.0f, 670.0f };

    for (int k = 0; k < 5; ++k)
    {
        const auto theta = juce::degreesToRadians (150.0f + 60.0f * (float) k);
        const juce::String label (labels[k]);
        const float width = label.length() > 2 ? 38.0f : (k == 0 ? 26.0f : 30.0f);
        const auto box = juce::Rectangle<float> (width, 16.0f)
                             .withCentre ({ centre.x + 42.0f * std::cos (theta), centre.y + 42.0f * std::sin (theta) });

        drawTrackedText (g, label, box.translated (0.0f, 1.0f), 12.5f, juce::Justification::centred, black (0xC7), 1.0f);
        drawTrackedText (g, label, box, 12.5f, juce::Justification::centred, railText (0xE0), 1.0f);
    }
}

void drawLogo (juce::Graphics& g, const juce::Image& logo)
{
    if (logo.isValid())
    {
        drawRealisticAssetFitted (g, logo, { 110, 72, 52, 52 }, 1.0f);
        return;
    }

    // A drawn emblem in place of the missing artwork: a ring around a diamond.
    g.setColour (juce::Colour (0xF5463527));
    g.drawEllipse ({ 109.5f, 71.5f, 53.0f, 53.0f }, 2.464f);

    juce::Path diamond;
    diamond.startNewSubPath (136.0f, 82.63f);
    diamond.lineTo (151.37f, 98.0f);
    diamond.lineTo (136.0f, 113.37f);
    diamond.lineTo (120.63f, 98.0f);
    diamond.closeSubPath();
    g.strokePath (diamond, juce::PathStrokeType (2.464f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}
} // namespace

FaceplateGeometry faceplateGeometry (const juce::Image& faceplateTop, const juce::Image& bottomPanel)
{
    FaceplateGeometry geometry {};

    const float railHeight = bottomPanel.isValid()
                                 ? (float) bottomPanel.getHeight() / (float) bottomPanel.getWidth() * 1510.0f
                                 : 205.0f;

    if (faceplateTop.isValid())
    {
        const float plateHeight = (float) faceplateTop.getHeight() / (float) faceplateTop.getWidth() * 1510.0f;
        geometry.plate = { 13.0f, 44.0f, 1510.0f, plateHeight };
        geometry.shadowHeight = plateHeight;
        geometry.railY = bottomPanel.isValid() ? 44.0f + plateHeight + 4.0f : 570.0f;
    }
    else
    {
        geometry.plate = { 22.0f, 53.0f, 1492.0f, 632.0f };
        geometry.shadowHeight = 650.0f;
        geometry.railY = 570.0f;
    }

    geometry.railHeight = railHeight;
    geometry.stripY = geometry.railY + railHeight + 2.0f;
    return geometry;
}

float pilotLampOpacity (const std::atomic<float>* power, float lampLevel)
{
    if (power != nullptr && power->load() < 0.5f)
        return 0.1f;

    return 0.42f + 0.58f * lampLevel;
}

juce::uint8 alphaFromStrength (float strength)
{
    if (strength <= 0.0f)
        return 0;
    if (strength >= 1.0f)
        return 255;
    return (juce::uint8) juce::roundToInt (strength * 255.0f);
}

void drawSoftShadow (juce::Graphics& g, juce::Rectangle<float> r, float strength,
                     float offsetX, float offsetY, float spreadX, float spreadY)
{
    const float x = r.getX(), y = r.getY(), w = r.getWidth(), h = r.getHeight();
    const float innerW = juce::jmax (0.0f, w - 0.12f * w);
    const float innerH = juce::jmax (0.0f, h - 0.14f * h);
    const float baseX = x + 0.06f * w + offsetX;
    const float baseY = y + 0.07f * h + offsetY;

    // Widest and faintest first.
    for (int n = 7; n >= 0; --n)
    {
        const float t = (float) n / 7.0f;
        g.setColour (black (alphaFromStrength ((1.0f - 0.74f * t) * strength)));
        g.fillEllipse (baseX - spreadX * t + 0.32f * t * offsetX,
                       baseY - spreadY * t + 0.28f * t * offsetY,
                       juce::jmax (0.0f, innerW + 2.0f * spreadX * t),
                       juce::jmax (0.0f, innerH + 2.0f * spreadY * t));
    }

    g.setColour (black (alphaFromStrength (0.85f * strength)));
    g.fillEllipse (x + 0.16f * w + 0.7f * offsetX, y + 0.67f * h + 0.45f * offsetY,
                   juce::jmax (0.0f, 0.68f * w), juce::jmax (0.0f, 0.26f * h));
}

void paintStaticFaceplate (juce::Graphics& g)
{
    const auto& art = artwork();
    const auto geometry = faceplateGeometry (art.realisticFaceplateTop, art.realisticBottomPanel);
    const auto plate = geometry.plate;

    // Chassis.
    const juce::Rectangle<float> chassis { 7.0f, 7.0f, 1522.0f, 786.0f };
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF2A2D2B), 768.0f, 7.0f,
                                             juce::Colour (0xFF050606), 768.0f, 793.0f, false));
    g.fillRoundedRectangle (chassis, 10.0f);
    g.setColour (black (0xEB));
    outline (g, chassis, 10.0f, 3.0f);
    g.setColour (white (0x14));
    outline (g, { 12.0f, 12.0f, 1512.0f, 776.0f }, 8.0f, 1.2f);

    // Plate shadow, keeping the artwork's x and width even when the plate falls back.
    g.setColour (black (0x8C));
    g.fillRoundedRectangle ({ 13.0f, 49.0f, 1510.0f, geometry.shadowHeight }, 9.0f);
    g.setColour (black (0xB2));
    g.fillRoundedRectangle ({ 13.0f, 44.0f, 1510.0f, geometry.shadowHeight }, 9.0f);

    drawRealisticAsset (g, art.realisticFaceplateTop, plate, 1.0f);

    g.setColour (ink (0x75));
    outline (g, plate, 7.0f, 1.5f);
    g.setColour (white (0x26));
    g.drawLine (plate.getX() + 8.0f, plate.getY() + 4.0f, plate.getRight() - 8.0f, plate.getY() + 4.0f, 1.0f);

    // Plate shading towards the edges.
    const auto centre = plate.getCentre();
    const auto clear = juce::Colours::transparentBlack;
    fillLinear (g, black (0x38), { plate.getX(), centre.y }, clear, { plate.getX() + 120.0f, centre.y },
                { plate.getX(), plate.getY(), 125.0f, plate.getHeight() });
    fillLinear (g, clear, { plate.getRight() - 125.0f, centre.y }, black (0x38), { plate.getRight(), centre.y },
                { plate.getRight() - 125.0f, plate.getY(), 125.0f, plate.getHeight() });
    fillLinear (g, black (0x2E), { centre.x, plate.getY() }, clear, { centre.x, plate.getY() + 95.0f },
                { plate.getX(), plate.getY(), plate.getWidth(), 95.0f });
    fillLinear (g, clear, { centre.x, plate.getBottom() - 95.0f }, black (0x33), { centre.x, plate.getBottom() },
                { plate.getX(), plate.getBottom() - 95.0f, plate.getWidth(), 95.0f });

    // Rail.
    const juce::Rectangle<float> rail { 13.0f, geometry.railY, 1510.0f, geometry.railHeight };
    drawRealisticAsset (g, art.realisticBottomPanel, rail, 1.0f);
    g.setColour (black (0xC7));
    outline (g, rail, 4.0f, 1.7f);
    g.setColour (white (0x0D));
    g.drawLine (18.0f, geometry.railY + 6.0f, 1518.0f, geometry.railY + 6.0f, 1.0f);

    // Base strip.
    g.setColour (juce::Colour (0xFF090B0A));
    g.fillRoundedRectangle ({ 13.0f, geometry.stripY, 1510.0f, 14.0f }, 4.0f);
    g.setColour (white (0x0F));
    g.drawLine (21.0f, geometry.stripY, 1515.0f, geometry.stripY, 1.0f);

    drawLogo (g, art.realisticLogo);

    // Name plate.
    drawTrackedText (g, "VESK", { 188, 64, 205, 46 }, 34.0f, juce::Justification::left, ink (0xE6), 15.0f);
    drawTrackedText (g, "Q84D", { 188, 110, 78, 24 }, 15.5f, juce::Justification::left, ink (0xDB), 6.4f);
    drawTrackedText (g, "OPTICAL SATURATOR", { 274, 110, 320, 24 }, 15.5f, juce::Justification::left, ink (0xDB), 4.8f);

    drawHardwareGroupTitle (g, { 158, 136, 500, 36 }, "TONE CELLS");
    drawHardwareGroupTitle (g, { 718, 136, 622, 36 }, "OPTICAL STAGE");

    g.setColour (ink (0x57));
    g.fillRect (juce::Rectangle<float> { 710, 151, 1, 410 });
    g.fillRect (juce::Rectangle<float> { 1340, 151, 1, 410 });

    // Shadows under the controls.
    for (const auto& knob : largeKnobs)
        drawSoftShadow (g, knob, 0.098f, 4.6f, 6.8f, 6.8f, 5.4f);
    for (const auto& trim : { designLayout::inputKnob, designLayout::outputKnob })
        drawSoftShadow (g, trim, 0.16f, 5.5f, 8.0f, 8.0f, 6.0f);
    drawSoftShadow (g, { 274, 659, 24, 31 }, 0.11f, 2.5f, 4.0f, 3.5f, 3.0f);

    // Scales.
    for (const auto& knob : largeKnobs)
        drawKnobTicks (g, knob);
    drawGainTrimScale (g, designLayout::inputKnob);
    drawGainTrimScale (g, designLayout::outputKnob);

    for (const auto& control : controlNames)
    {
        drawEngravedText (g, control.name, control.nameBox, 16.0f, juce::Justification::centred);
        if (control.unit != nullptr)
            drawEngravedText (g, control.unit, control.unitBox, 16.0f, juce::Justification::centred);
    }

    const std::array<const char*, 5> switchLabels { "3", "4", "5", "6", "7" };
    drawSelectorLegend (g, designLayout::driveKnob, switchLabels);
    drawSelectorLegend (g, designLayout::speedKnob, switchLabels);

    for (const auto& label : railLabels)
        drawRailText (g, label.text, label.box, label.fontHeight, label.tracking, 0xD1, 1.2f, 0xD1);

    drawRailText (g, "ON", { 266.0f, 696.5f, 40.0f, 18.0f }, 15.0f, 3.0f, 0xD1, 1.2f, 0xD1);

    drawOversamplingLegend (g);

    drawTrackedText (g, "VESK AUDIO   <>   HANDCRAFTED ANALOG CHARACTER", { 500.0f, geometry.stripY, 540.0f, 14.0f },
                     11.0f, juce::Justification::centred, railText (0xC7), 6.1f);
}
void paintPilotLamp (juce::Graphics& g, float opacity)
{
    // Under the transparent power toggle: the lamp is the power switch as the user sees it.
    drawRealisticAsset (g, artwork().realisticPilotLight, { 267.0f, 655.5f, 38.0f, 38.0f }, opacity);
}

namespace
{
// Which pixels an image shares; JUCE 7 hands out a raw pointer here, JUCE 8 a counted one.
const void* pixelIdentity (const juce::Image& image)
{
    return image.isValid() ? static_cast<const void*> (&*image.getPixelData()) : nullptr;
}

juce::AffineTransform designTransform (int width, int height)
{
    const auto mapping = designMapping (width, height);
    return juce::AffineTransform::scale (mapping.scale).translated (mapping.offsetX, mapping.offsetY);
}
} // namespace

void FaceplatePainter::paint (juce::Graphics& g, int width, int height, float pilotOpacity)
{
    const auto& art = artwork();
    const std::array<const void*, 3> artworkInUse { pixelIdentity (art.realisticFaceplateTop),
                                                    pixelIdentity (art.realisticBottomPanel),
                                                    pixelIdentity (art.realisticLogo) };
    const float pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();

    if (! cache.isValid() || width != cachedWidth || height != cachedHeight
        || pixelScale != cachedPixelScale || artworkInUse != cachedArtwork)
    {
        cachedWidth = width;
        cachedHeight = height;
        cachedPixelScale = pixelScale;
        cachedArtwork = artworkInUse;
        cache = {};

        const int cacheWidth = juce::roundToInt ((float) width * pixelScale);
        const int cacheHeight = juce::roundToInt ((float) height * pixelScale);
        if (cacheWidth > 0 && cacheHeight > 0)
        {
            cache = juce::Image (juce::Image::ARGB, cacheWidth, cacheHeight, false, juce::SoftwareImageType());
            juce::Graphics cacheGraphics (cache);
            cacheGraphics.addTransform (juce::AffineTransform::scale (pixelScale));
            cacheGraphics.fillAll (chassisBlack);
            cacheGraphics.addTransform (designTransform (width, height));
            paintStaticFaceplate (cacheGraphics);
        }
    }

    if (cache.isValid())
        g.drawImageTransformed (cache, juce::AffineTransform::scale (1.0f / pixelScale));
    else
        g.fillAll (chassisBlack);

    juce::Graphics::ScopedSaveState state (g);
    g.addTransform (designTransform (width, height));
    paintPilotLamp (g, pilotOpacity);
}
} // namespace vesk::editor

void VeskSchematicPluginAudioProcessorEditor::paint (juce::Graphics& g)
{
    vesk::editor::ensureAssetsLoaded();
    faceplatePainter.paint (g, getWidth(), getHeight(),
                            vesk::editor::pilotLampOpacity (processorRef.powerParam, processorRef.lampLevel.load()));
}
