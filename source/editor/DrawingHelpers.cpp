#include "editor/DrawingHelpers.h"

#include "editor/Fonts.h"
#include "editor/Palette.h"

#include <cmath>

namespace vesk::editor
{
namespace
{
    juce::Point<float> pointOnCircle (juce::Point<float> centre, float radius, float angle)
    {
        return { centre.x + radius * std::cos (angle), centre.y + radius * std::sin (angle) };
    }

    float selectorLegendAngle (int k)
    {
        return juce::degreesToRadians (140.0f + 65.0f * (float) k);
    }

    float selectorLegendRadius (juce::Rectangle<float> switchBounds)
    {
        return 0.22f * juce::jmin (switchBounds.getWidth(), switchBounds.getHeight());
    }

    float gainTrimRadius (juce::Rectangle<float> knobBounds)
    {
        return juce::jmin (knobBounds.getWidth(), knobBounds.getHeight()) / 2.0f + 2.0f;
    }
} // namespace

juce::Rectangle<int> nearestIntegerRectangle (juce::Rectangle<float> area)
{
    return { juce::roundToInt (area.getX()), juce::roundToInt (area.getY()),
             juce::roundToInt (area.getWidth()), juce::roundToInt (area.getHeight()) };
}

float trackedAdvance (juce::juce_wchar character, float fontHeight)
{
    return (character == ' ' ? 0.34f : 0.56f) * fontHeight;
}

float trackedTextWidth (const juce::String& text, float fontHeight, float tracking)
{
    auto width = 0.0f;
    for (auto p = text.getCharPointer(); ! p.isEmpty();)
        width += trackedAdvance (p.getAndAdvance(), fontHeight);

    return width + tracking * (float) (text.length() - 1);
}

float groupTitleGap (const juce::String& title)
{
    return juce::jlimit (88.0f, 170.0f, 8.8f * (float) title.length());
}

juce::Rectangle<float> knobTickBox (juce::Rectangle<float> knobBounds, int i)
{
    // The scale sits 10 units outside 0.4 of the knob's size.
    const auto radius = (0.4f * juce::jmin (knobBounds.getWidth(), knobBounds.getHeight()) + 18.0f) - 8.0f;
    const auto angle = 2.443461f + ((float) i / 10.0f) * 4.537856f;
    const auto p = pointOnCircle (knobBounds.getCentre(), radius, angle);
    return { p.x - 13.0f, p.y - 10.0f, 26.0f, 20.0f };
}

juce::Rectangle<float> gainTrimDot (juce::Rectangle<float> knobBounds, int i)
{
    const auto angle = 2.6179938f + ((float) i / 10.0f) * 4.1887903f;
    const auto diameter = (i == 0 || i == 5 || i == 10) ? 4.6f : 3.2f;
    const auto p = pointOnCircle (knobBounds.getCentre(), gainTrimRadius (knobBounds), angle);
    return { p.x - diameter / 2.0f, p.y - diameter / 2.0f, diameter, diameter };
}

std::array<GainTrimLabel, 4> gainTrimLabels (juce::Rectangle<float> knobBounds)
{
    const auto c = knobBounds.getCentre();
    const auto radius = gainTrimRadius (knobBounds);
    return { {
        { "0", { c.x - 14.0f, c.y - radius - 13.0f, 28.0f, 16.0f } },
        { "-18", { c.x - radius - 20.0f, c.y + radius - 14.0f, 40.0f, 16.0f } },
        { "+18", { c.x + radius - 20.0f, c.y + radius - 14.0f, 40.0f, 16.0f } },
        { "dB", { c.x - 14.0f, knobBounds.getBottom() - 9.0f, 28.0f, 16.0f } },
    } };
}

juce::Line<float> selectorLegendTick (juce::Rectangle<float> switchBounds, int k)
{
    const auto c = switchBounds.getCentre();
    const auto r = selectorLegendRadius (switchBounds);
    const auto angle = selectorLegendAngle (k);
    return { pointOnCircle (c, r, angle), pointOnCircle (c, r + 6.5f, angle) };
}

juce::Rectangle<float> selectorLegendLabelBox (juce::Rectangle<float> switchBounds, int k, const juce::String& label)
{
    const auto width = label.length() > 2 ? 30.0f : 24.0f;
    const auto centre = pointOnCircle (switchBounds.getCentre(), selectorLegendRadius (switchBounds) + 20.0f,
                                       selectorLegendAngle (k));
    return juce::Rectangle<float> (width, 14.0f).withCentre (centre);
}

void drawRealisticAsset (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, float opacity)
{
    if (! image.isValid())
        return;

    // Fills the integer rectangle exactly, whatever the image's aspect ratio.
    const auto target = nearestIntegerRectangle (area);
    if (target.isEmpty())
        return;

    const juce::Graphics::ScopedSaveState state (g);
    g.setOpacity (opacity);
    g.drawImageTransformed (image, juce::AffineTransform::scale ((float) target.getWidth() / (float) image.getWidth(),
                                                                 (float) target.getHeight() / (float) image.getHeight())
                                       .translated ((float) target.getX(), (float) target.getY()));
}

void drawRealisticAssetFitted (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, float opacity)
{
    if (! image.isValid())
        return;

    const juce::Graphics::ScopedSaveState state (g);
    g.setOpacity (opacity);

    const auto target = nearestIntegerRectangle (area);
    g.drawImageWithin (image, target.getX(), target.getY(), target.getWidth(), target.getHeight(),
                       juce::RectanglePlacement::xMid | juce::RectanglePlacement::yMid
                           | juce::RectanglePlacement::onlyReduceInSize);
}

void drawEngravedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                       float fontHeight, juce::Justification justification)
{
    g.setFont (makeFont (fontHeight, juce::Font::plain));
    g.setColour (withAlphaByte (juce::Colours::white, 0x26));
    g.drawText (text, area.translated (0.0f, 1.2f), justification, false);
    g.setColour (withAlphaByte (hardwareInk, 0xE6));
    g.drawText (text, area, justification, false);
}

void drawTrackedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area, float fontHeight,
                      juce::Justification justification, juce::Colour colour, float tracking)
{
    g.setFont (makeFont (fontHeight, "Plain"));
    g.setColour (colour);

    forEachTrackedGlyph (text, area, fontHeight, justification, tracking,
                         [&g] (juce::juce_wchar character, juce::Rectangle<float> box)
                         { g.drawText (juce::String::charToString (character), box, juce::Justification::centredLeft, false); });
}

void drawHardwareGroupTitle (juce::Graphics& g, juce::Rectangle<float> area, const juce::String& title)
{
    const auto gap = groupTitleGap (title);
    const auto c = area.getCentre();

    g.setColour (withAlphaByte (hardwareInk, 0x6B));
    g.drawLine (area.getX(), c.y, c.x - gap, c.y, 1.0f);
    g.drawLine (c.x + gap, c.y, area.getRight(), c.y, 1.0f);

    drawTrackedText (g, title, area.translated (0.0f, 1.2f), 21.0f, juce::Justification::centred,
                     withAlphaByte (juce::Colours::white, 0x24), 2.2f);
    drawTrackedText (g, title, area, 21.0f, juce::Justification::centred, withAlphaByte (hardwareInk, 0xE0), 2.2f);
}

void drawKnobTicks (juce::Graphics& g, juce::Rectangle<float> knobBounds)
{
    g.setFont (makeFont (14.0f, juce::Font::plain));
    g.setColour (withAlphaByte (hardwareInk, 0xDB));

    for (int i = 0; i <= 10; ++i)
        g.drawText (juce::String (i), knobTickBox (knobBounds, i), juce::Justification::centred, true);
}

void drawGainTrimScale (juce::Graphics& g, juce::Rectangle<float> knobBounds)
{
    for (int i = 0; i <= 10; ++i)
    {
        const auto dot = gainTrimDot (knobBounds, i);
        g.setColour (withAlphaByte (juce::Colours::black, 0x8C));
        g.fillEllipse (dot.translated (0.0f, 1.0f));
        g.setColour (withAlphaByte (railTextColour, 0xE0));
        g.fillEllipse (dot);
    }

    for (const auto& label : gainTrimLabels (knobBounds))
    {
        drawTrackedText (g, label.text, label.box.translated (0.0f, 1.1f), 12.0f, juce::Justification::centred,
                         withAlphaByte (juce::Colours::black, 0xC7), 0.9f);
        drawTrackedText (g, label.text, label.box, 12.0f, juce::Justification::centred,
                         withAlphaByte (railTextColour, 0xE0), 0.9f);
    }
}

void drawSelectorLegend (juce::Graphics& g, juce::Rectangle<float> switchBounds, const std::array<const char*, 5>& labels)
{
    g.setColour (withAlphaByte (hardwareInk, 0xBD));
    g.setFont (makeFont (12.5f, juce::Font::plain));

    for (int k = 0; k < 5; ++k)
    {
        g.drawLine (selectorLegendTick (switchBounds, k), 1.0f);
        const juce::String label (labels[(size_t) k]);
        g.drawText (label, selectorLegendLabelBox (switchBounds, k, label), juce::Justification::centred, true);
    }
}
} // namespace vesk::editor
