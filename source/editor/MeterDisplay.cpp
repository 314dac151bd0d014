#include "editor/MeterDisplay.h"

#include "editor/DrawingHelpers.h"
#include "editor/Fonts.h"
#include "editor/MeterGeometry.h"
#include "editor/Palette.h"

#include <cmath>

namespace vesk::editor
{
MeterDisplay::MeterDisplay (const juce::String& meterLabel, float fullScale, float middleMark)
    : label (meterLabel), maximum (fullScale), midMark (middleMark)
{
}

MeterDisplay::~MeterDisplay() = default;

bool MeterDisplay::setValue (float newValue)
{
    // Not a number counts as no gain reduction, so the bar never draws from an undefined height.
    const auto pinned = std::isnan (newValue) ? 0.0f : (newValue < 0.0f ? 0.0f : (newValue > maximum ? maximum : newValue));

    if (std::abs (pinned - value) < gainReductionUpdateThreshold (maximum))
        return false;

    value = pinned;
    repaint();
    return true;
}

void MeterDisplay::paint (juce::Graphics& g)
{
    const auto width = (float) getWidth();
    const auto height = (float) getHeight();

    if (width < 1.0f || height < 1.0f)
        return;

    const auto geometry = gainReductionGeometry (width, height);
    drawEngravedText (g, label, geometry.titleBand, geometry.titleFontHeight, juce::Justification::centred);

    const auto& tube = geometry.tube;
    g.setColour (juce::Colour (0xFF070807));
    g.fillRoundedRectangle (tube, 3.0f);
    g.setColour (withAlphaByte (juce::Colours::white, 0x1A));
    g.drawRoundedRectangle (tube.getX() + 1.0f, tube.getY() + 1.0f, juce::jmax (0.0f, tube.getWidth() - 2.0f),
                            juce::jmax (0.0f, tube.getHeight() - 2.0f), 2.0f, 1.0f);

    // The whole bar is painted lit, then its upper part is covered down to the reading.
    const auto& bar = geometry.bar;
    juce::ColourGradient lamp (hardwareGreen, bar.getCentreX(), bar.getBottom(),
                               hardwareRed, bar.getCentreX(), bar.getY(), false);
    lamp.addColour (0.58, juce::Colour (0xFFE2B736));
    g.setGradientFill (lamp);
    g.fillRoundedRectangle (bar, 2.0f);

    const auto lit = (float) gainReductionLitHeight (bar.getHeight(), value, maximum);
    g.setColour (withAlphaByte (juce::Colours::black, 0xBD));
    g.fillRect (juce::Rectangle<float> (bar.getX(), bar.getY(), bar.getWidth(),
                                        bar.getHeight() - juce::jmin (bar.getHeight(), lit)));

    g.setColour (withAlphaByte (hardwareInk, 0xC2));
    g.setFont (makeFont (geometry.scaleFontHeight, juce::Font::plain));

    const std::pair<juce::String, float> marks[] = {
        { juce::String (juce::roundToInt (maximum)), bar.getY() },
        { juce::String (juce::roundToInt (midMark)), bar.getY() + bar.getHeight() / 2.0f },
        { "0", bar.getBottom() },
    };

    for (const auto& [text, y] : marks)
    {
        g.drawLine (tube.getRight() + 3.0f, y, tube.getRight() + 8.0f, y, 1.0f);
        g.drawText (text, juce::Rectangle<float> (geometry.scaleTextX, y - 7.0f, 28.0f, 14.0f),
                    juce::Justification::centredLeft, true);
    }

    g.setColour (withAlphaByte (juce::Colours::black, 0xD1));
    g.drawRoundedRectangle (tube, 3.0f, 1.2f);
}
} // namespace vesk::editor
