#pragma once

#include <JuceHeader.h>

#include <array>

namespace vesk::editor
{
//==============================================================================
// Placement rules shared by the drawing routines below and by the tests.

// x, y, width and height each to the nearest integer (halves to even, as roundToInt does).
juce::Rectangle<int> nearestIntegerRectangle (juce::Rectangle<float> area);

// Tracked lettering is set on a fixed advance, independent of the font's glyph widths.
float trackedAdvance (juce::juce_wchar character, float fontHeight);
float trackedTextWidth (const juce::String& text, float fontHeight, float tracking);

// Calls glyphVisitor (juce_wchar character, juce::Rectangle<float> box) for each character of a
// tracked text, with the box it is drawn into (left edge, vertically centred).
template <typename GlyphVisitor>
void forEachTrackedGlyph (const juce::String& text, juce::Rectangle<float> area, float fontHeight,
                          juce::Justification justification, float tracking, GlyphVisitor&& glyphVisitor);

// Half the gap a section title leaves between its two rules.
float groupTitleGap (const juce::String& title);

// The box of the number i (0 ... 10) of a large knob's printed scale.
juce::Rectangle<float> knobTickBox (juce::Rectangle<float> knobBounds, int i);

// The dot i (0 ... 10) of a trim knob's scale, and its four label boxes.
juce::Rectangle<float> gainTrimDot (juce::Rectangle<float> knobBounds, int i);

struct GainTrimLabel
{
    const char* text;
    juce::Rectangle<float> box;
};
std::array<GainTrimLabel, 4> gainTrimLabels (juce::Rectangle<float> knobBounds);

// The tick mark and the label box of position k (0 ... 4) of a stepped switch's legend.
juce::Line<float> selectorLegendTick (juce::Rectangle<float> switchBounds, int k);
juce::Rectangle<float> selectorLegendLabelBox (juce::Rectangle<float> switchBounds, int k, const juce::String& label);

//==============================================================================
// The drawing routines of the faceplate, the controls and the meters.

// The whole image stretched to the area's nearest integer rectangle; nothing for a null image.
void drawRealisticAsset (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, float opacity);

// The image centred in the area, shrunk to fit, never enlarged; nothing for a null image.
void drawRealisticAssetFitted (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, float opacity);

// Dark ink lettering with a faint light edge below it, as if stamped into the plate.
void drawEngravedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                       float fontHeight, juce::Justification justification);

// Capital lettering with wide, even spacing.
void drawTrackedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area, float fontHeight,
                      juce::Justification justification, juce::Colour colour, float tracking);

// A section title centred between two hairlines.
void drawHardwareGroupTitle (juce::Graphics& g, juce::Rectangle<float> area, const juce::String& title);

// The numbers 0 to 10 around a large knob.
void drawKnobTicks (juce::Graphics& g, juce::Rectangle<float> knobBounds);

// Eleven dots and the labels "-18", "0", "+18" and "dB" around a trim knob.
void drawGainTrimScale (juce::Graphics& g, juce::Rectangle<float> knobBounds);

// Five ticks and five labels around a stepped switch.
void drawSelectorLegend (juce::Graphics& g, juce::Rectangle<float> switchBounds, const std::array<const char*, 5>& labels);

//==============================================================================
template <typename GlyphVisitor>
void forEachTrackedGlyph (const juce::String& text, juce::Rectangle<float> area, float fontHeight,
                          juce::Justification justification, float tracking, GlyphVisitor&& glyphVisitor)
{
    if (text.isEmpty())
        return;

    const auto totalWidth = trackedTextWidth (text, fontHeight, tracking);

    auto x = area.getX();
    if (justification.testFlags (juce::Justification::horizontallyCentred))
        x = area.getX() + area.getWidth() / 2.0f - totalWidth / 2.0f;
    else if (justification.testFlags (juce::Justification::right))
        x = area.getRight() - totalWidth;

    const auto top = area.getY() + area.getHeight() / 2.0f - 0.58f * fontHeight;
    const auto height = 1.45f * fontHeight;

    for (auto p = text.getCharPointer(); ! p.isEmpty();)
    {
        const auto character = p.getAndAdvance();
        const auto advance = trackedAdvance (character, fontHeight);
        // W and M are wider than the advance; a narrower box would make drawText drop them.
        const auto slack = (character == 'W' || character == 'M') ? 0.36f * fontHeight : 1.0f;
        glyphVisitor (character, juce::Rectangle<float> (x, top, advance + tracking + slack, height));
        x += advance + tracking;
    }
}
} // namespace vesk::editor
