#include "editor/HardwareLookAndFeel.h"

#include "editor/Artwork.h"
#include "editor/ControlGeometry.h"
#include "editor/DrawingHelpers.h"
#include "editor/Fonts.h"
#include "editor/Palette.h"

namespace vesk::editor
{
namespace
{
    const juce::Colour pointerColour (0xEBEADDA4);

    void drawPointerLine (juce::Graphics& g, ControlKind kind, juce::Rectangle<float> face, float angle)
    {
        g.setColour (pointerColour);
        g.drawLine (pointerLine (kind, face, angle), pointerThickness (face));
    }

    // The knob drawn from shapes alone, for a build or a process without the knob artwork.
    void drawVectorKnob (juce::Graphics& g, juce::Rectangle<float> area, float angle, juce::Colour thumbColour)
    {
        const auto circle = vectorKnobCircle (area);
        const auto r = circle.getWidth() / 2.0f;

        g.setColour (withAlphaByte (juce::Colours::black, 0x66));
        g.fillEllipse (circle.translated (0.08f * r, 0.12f * r));

        const auto inset = 0.02f * r;
        const auto bodySize = juce::jmax (circle.getWidth() - 2.0f * inset, 0.0f);
        const juce::Rectangle<float> body (circle.getX() + inset, circle.getY() + inset, bodySize, bodySize);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF58564B), body.getTopLeft(),
                                                 juce::Colour (0xFF040505), body.getBottomRight(), true));
        g.fillEllipse (body);

        const auto c = circle.getCentre();
        g.setColour (withAlphaByte (thumbColour, 0xEB));
        g.drawLine ({ pointAtAngle (c, 0.12f * r, angle), pointAtAngle (c, 0.82f * r, angle) },
                    juce::jmax (0.045f * r, 2.0f));
    }

    // A frame of the shared strip, without copying any pixels; null when there is none.
    juce::Image filmstripFrame (const juce::Image& strip, float sliderPos)
    {
        const auto area = filmstripFrameArea (strip.getWidth(), strip.getHeight(), sliderPos);
        return area.isEmpty() ? juce::Image() : strip.getClippedImage (area);
    }

    void drawSwitch (juce::Graphics& g, ControlKind kind, juce::Rectangle<float> face, float angle,
                     float sliderPos, const Artwork& art)
    {
        const auto disc = switchDisc (kind, face);

        g.setColour (withAlphaByte (juce::Colours::black, 0x94));
        g.fillEllipse (disc.translated (4.0f, 6.0f));

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF3E3D36), disc.getTopLeft(),
                                                 juce::Colour (0xFF050606), disc.getBottomRight(), true));
        g.fillEllipse (disc);

        g.setColour (withAlphaByte (juce::Colours::black, 0xC7));
        g.drawEllipse (disc, 2.0f);

        const auto cap = switchCap (kind, face);

        if (art.littlePhattyFilmstrip.isValid())
        {
            drawRealisticAssetFitted (g, filmstripFrame (art.littlePhattyFilmstrip, sliderPos), cap, 1.0f);
            return;
        }

        {
            // The cap is drawn pointing up; turning it by angle + 90 degrees points it along the angle.
            const juce::Graphics::ScopedSaveState state (g);
            const auto c = face.getCentre();
            g.addTransform (juce::AffineTransform::rotation (angle + juce::MathConstants<float>::halfPi, c.x, c.y));
            drawRealisticAssetFitted (g, faceImage (kind, art), cap, 1.0f);
        }

        drawPointerLine (g, kind, face, angle);
    }
} // namespace

VeskLookAndFeel::~VeskLookAndFeel() = default;

juce::Colour buttonPanelColour (juce::Colour base, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    if (shouldDrawButtonAsDown)
        return base.darker (0.18f);
    if (shouldDrawButtonAsHighlighted)
        return base.brighter (0.08f);
    return base;
}

void VeskLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const juce::Rectangle<float> r (0.5f, 0.5f,
                                    (float) juce::jmax (button.getWidth() - 1, 0),
                                    (float) juce::jmax (button.getHeight() - 1, 0));
    const auto isOn = button.getToggleState();
    const auto base = button.findColour (isOn ? juce::TextButton::buttonOnColourId : juce::TextButton::buttonColourId);

    g.setColour (buttonPanelColour (base, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown));
    g.fillRoundedRectangle (r, 4.0f);

    g.setColour (withAlphaByte (juce::Colours::white, isOn ? 0x5C : 0x36));
    g.drawRoundedRectangle (r, 4.0f, 1.0f);
}

void VeskLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setColour (button.findColour (button.getToggleState() ? juce::TextButton::textColourOnId
                                                            : juce::TextButton::textColourOffId));

    const auto width = button.getWidth();
    const auto height = button.getHeight();

    if (button.getName() == styleNames::presetDisplayButton)
    {
        // Long preset names are squeezed a little, then cut with an ellipsis.
        g.setFont (makeFont (7.0f, "Bold"));
        g.drawFittedText (button.getButtonText(),
                          juce::Rectangle<int> (7, 1, juce::jmax (width - 14, 0), juce::jmax (height - 2, 0)),
                          juce::Justification::centred, 1, 0.78f);
        return;
    }

    g.setFont (makeFont (8.2f, "Bold"));
    g.drawText (button.getButtonText(), juce::Rectangle<float> ((float) width, (float) height),
                juce::Justification::centred, false);
}

juce::Font VeskLookAndFeel::getPopupMenuFont()
{
    return makeFont (11.4f, "Bold");
}

void VeskLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                        float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    ensureAssetsLoaded();

    const auto& art = artwork();
    const auto angle = rotaryAngle (sliderPos, rotaryStartAngle, rotaryEndAngle);
    const auto area = juce::Rectangle<int> (x, y, width, height).toFloat();

    if (! art.realisticKnobLarge.isValid())
    {
        drawVectorKnob (g, area, angle, slider.findColour (juce::Slider::thumbColourId));
        return;
    }

    const auto kind = controlKindForStyle (slider.getName());
    const auto face = faceRectangle (kind, area);

    if (isSwitch (kind))
    {
        drawSwitch (g, kind, face, angle, sliderPos, art);
        return;
    }

    if (kind == ControlKind::largeKnob && art.littlePhattyFilmstrip.isValid())
    {
        // The frame already shows the position, lamps and all.
        drawRealisticAssetFitted (g, filmstripFrame (art.littlePhattyFilmstrip, sliderPos), face, 1.0f);
        return;
    }

    drawRealisticAssetFitted (g, faceImage (kind, art), face, 1.0f);
    drawPointerLine (g, kind, face, angle);
}
} // namespace vesk::editor
