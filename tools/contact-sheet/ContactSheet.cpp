// Renders every knob style, both switch kinds, the buttons and both meters side by side into a
// PNG: with the artwork, with none (the vector fallbacks), and with the artwork but no filmstrip
// (the photographed caps with their pointer lines).
//
//     vesk-contact-sheet <output.png> [--scale=2] [--crop=x,y,width,height]
//
// The crop is given in sheet units (before scaling), for a close look at a few cells.

#include "editor/Artwork.h"
#include "editor/DrawingHelpers.h"
#include "editor/Fonts.h"
#include "editor/HardwareLookAndFeel.h"
#include "editor/MeterDisplay.h"
#include "editor/Palette.h"
#include "editor/VintageVuMeter.h"

#include <JuceHeader.h>

#include <iostream>

namespace
{
using namespace vesk::editor;

constexpr float knobStartAngle = 2.4434609f; // 140 degrees
constexpr float knobEndAngle = 6.981317f;    // 400 degrees
constexpr float switchStartAngle = 2.6179938f; // 150 degrees
constexpr float switchEndAngle = 6.806784f;    // 390 degrees

constexpr int sheetWidth = 1880;
constexpr int panelHeight = 1060;
constexpr int margin = 20;

// Lays out cells left to right in rows, each with a caption below it.
class Sheet
{
public:
    Sheet (juce::Graphics& graphics, VeskLookAndFeel& lf) : g (graphics), lookAndFeel (lf) {}

    void newRow (int top, int height)
    {
        x = margin;
        rowTop = top;
        rowHeight = height;
        gap = 18;
    }

    juce::Rectangle<int> nextCell (int width, int height)
    {
        const juce::Rectangle<int> cell (x, rowTop + (rowHeight - height) / 2, width, height);
        x += width + gap;
        return cell;
    }

    void caption (juce::Rectangle<int> cell, const juce::String& text, juce::Colour colour)
    {
        g.setFont (makeFont (11.0f, juce::Font::plain));
        g.setColour (colour);
        g.drawText (text, juce::Rectangle<int> (cell.getX() - 10, rowTop + rowHeight + 2, cell.getWidth() + 20, 14),
                    juce::Justification::centred, false);
    }

    void paintComponent (juce::Component& component, juce::Rectangle<int> cell)
    {
        component.setBounds (cell);
        const juce::Graphics::ScopedSaveState state (g);
        g.setOrigin (cell.getPosition());
        component.paintEntireComponent (g, false);
    }

    void rotary (const juce::String& style, int size, double value, double maximum, float start, float end,
                 juce::Colour captionColour, const juce::String& captionText)
    {
        juce::Slider slider (style);
        slider.setLookAndFeel (&lookAndFeel);
        slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRotaryParameters (start, end, true);
        slider.setRange (0.0, maximum, maximum > 1.0 ? 1.0 : 0.0);
        slider.setValue (value, juce::dontSendNotification);
        slider.setColour (juce::Slider::thumbColourId, juce::Colour (0xFFE0D097));

        const auto cell = nextCell (size, size);
        paintComponent (slider, cell);
        caption (cell, captionText, captionColour);
        slider.setLookAndFeel (nullptr);
    }

    void button (const juce::String& name, const juce::String& text, bool on, bool pressed, juce::Colour captionColour)
    {
        const auto isDisplay = name == "preset-display-button";
        juce::TextButton b (name);
        b.setButtonText (text);
        b.setLookAndFeel (&lookAndFeel);
        b.setColour (juce::TextButton::buttonColourId, juce::Colour (isDisplay ? 0xFF080908 : 0xD642454A));
        b.setColour (juce::TextButton::buttonOnColourId, juce::Colour (isDisplay ? 0xFF4E442C : 0xEE5C6066));
        b.setColour (juce::TextButton::textColourOffId, juce::Colour (isDisplay ? 0xFFE0C67E : 0xE6E0E2E5));
        b.setColour (juce::TextButton::textColourOnId, isDisplay ? juce::Colour (0xFFE0C67E) : withAlphaByte (juce::Colours::white, 0xF5));
        b.setToggleState (on, juce::dontSendNotification);

        const auto cell = nextCell (isDisplay ? 178 : 40, isDisplay ? 18 : 34);
        b.setBounds (cell);
        {
            const juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (cell.getPosition());
            lookAndFeel.drawButtonBackground (g, b, {}, false, pressed);
            lookAndFeel.drawButtonText (g, b, false, pressed);
        }
        caption (cell, juce::String (on ? "on" : "off") + (pressed ? ", pressed" : ""), captionColour);
        b.setLookAndFeel (nullptr);
    }

    juce::Graphics& g;
    VeskLookAndFeel& lookAndFeel;
    int x = margin, rowTop = 0, rowHeight = 0, gap = 18;
};

void paintBackdrop (juce::Graphics& g, juce::Rectangle<float> plate, juce::Rectangle<float> rail)
{
    const auto& art = artwork();

    // Without artwork, flat plate and rail colours stand in.
    g.setColour (juce::Colour (0xFF8E9398));
    g.fillRect (plate);
    g.setColour (juce::Colour (0xFF2A2D2B));
    g.fillRect (rail);
    drawRealisticAsset (g, art.realisticFaceplateTop, plate, 1.0f);
    drawRealisticAsset (g, art.realisticBottomPanel, rail, 1.0f);
}

void paintPanel (juce::Graphics& g, int top, const juce::String& title)
{
    VeskLookAndFeel lookAndFeel;
    Sheet sheet (g, lookAndFeel);

    const auto ink = withAlphaByte (hardwareInk, 0xE0);
    const auto cream = withAlphaByte (railTextColour, 0xE0);

    // Faceplate for the knobs and switches, the rail for the trims, buttons and meters, as on the unit.
    paintBackdrop (g, { 0.0f, (float) top + 30.0f, (float) sheetWidth, 560.0f },
                   { 0.0f, (float) top + 596.0f, (float) sheetWidth, (float) panelHeight - 606.0f });

    g.setColour (juce::Colours::white);
    g.setFont (makeFont (18.0f, "Bold"));
    g.drawText (title, margin, top + 4, 900, 22, juce::Justification::centredLeft);

    sheet.newRow (top + 50, 130);
    for (const auto* style : { "primary-large-knob", "large-knob" })
        for (auto position : { 0.0, 0.5, 1.0 })
            sheet.rotary (style, 130, position, 1.0, knobStartAngle, knobEndAngle, ink, juce::String (style) + " " + juce::String (position));
    for (const auto* style : { "small-knob", "plain-knob" })
        for (auto position : { 0.0, 0.5, 1.0 })
            sheet.rotary (style, 102, position, 1.0, knobStartAngle, knobEndAngle, ink, juce::String (style) + " " + juce::String (position));

    sheet.newRow (top + 214, 112);
    for (int step = 0; step < 5; ++step)
        sheet.rotary ("frequency-switch", 112, step / 4.0, 1.0, knobStartAngle, knobEndAngle, ink, "frequency " + juce::String (step));
    for (int step = 0; step < 5; ++step)
        sheet.rotary ("oversampling-switch", 90, step, 4.0, switchStartAngle, switchEndAngle, ink, "oversampling " + juce::String (step));

    // The printed scales around the controls, as the faceplate puts them.
    sheet.newRow (top + 372, 170);
    {
        const auto knob = sheet.nextCell (130, 130).toFloat();
        drawKnobTicks (g, knob);
        drawEngravedText (g, "LOW CELL", knob.withY (knob.getY() - 47.0f).withHeight (23.0f), 16.0f, juce::Justification::centred);
        sheet.x -= 148;
        sheet.rotary ("primary-large-knob", 130, 0.7, 1.0, knobStartAngle, knobEndAngle, ink, "with its scale");
        sheet.x += 40;

        const auto switchBounds = sheet.nextCell (112, 112).toFloat();
        drawSelectorLegend (g, switchBounds, { "3", "4", "5", "6", "7" });
        sheet.x -= 130;
        sheet.rotary ("frequency-switch", 112, 0.5, 1.0, knobStartAngle, knobEndAngle, ink, "with its legend");
        sheet.x += 40;

        const auto titleArea = sheet.nextCell (500, 36).toFloat();
        drawHardwareGroupTitle (g, titleArea, "TONE CELLS");
        drawTrackedText (g, "VESK", titleArea.translated (0.0f, 50.0f).withWidth (205.0f).withHeight (46.0f), 34.0f,
                         juce::Justification::centredLeft, withAlphaByte (hardwareInk, 0xE6), 15.0f);
        drawTrackedText (g, "OPTICAL SATURATOR", titleArea.translated (220.0f, 62.0f).withWidth (320.0f).withHeight (24.0f), 15.5f,
                         juce::Justification::centredLeft, withAlphaByte (hardwareInk, 0xDB), 4.8f);
        drawRealisticAssetFitted (g, artwork().realisticLogo, titleArea.translated (0.0f, -60.0f).withSize (52.0f, 52.0f), 1.0f);
    }

    // Rail: the trims with their dot scales, the buttons, and the meters.
    sheet.newRow (top + 640, 130);
    sheet.x += 40; // clear of the rail's screw hole
    for (auto position : { 0.0, 0.5, 1.0 })
    {
        const auto cell = sheet.nextCell (102, 102);
        drawGainTrimScale (g, cell.toFloat());
        sheet.x -= 120;
        sheet.rotary ("primary-large-knob", 102, position, 1.0, knobStartAngle, knobEndAngle, cream, "trim " + juce::String (position));
        sheet.x += 20;
    }
    sheet.button ("S", "S", false, false, cream);
    sheet.button ("M", "M", true, false, cream);
    sheet.button ("L", "L", true, true, cream);
    sheet.button ("preset-display-button", "WARM BUS", false, false, cream);
    sheet.button ("preset-display-button", "A VERY LONG USER PRESET NAME THAT DOES NOT FIT", true, false, cream);

    sheet.newRow (top + 830, 164);
    for (auto level : { 0.0f, 0.5f, 1.25f })
    {
        VintageVuMeter meter (level > 1.0f ? "OUTPUT" : "INPUT");
        meter.setLevel (level);
        const auto cell = sheet.nextCell (258, 164);
        sheet.paintComponent (meter, cell);
        sheet.caption (cell, meter.getLabel() + " level " + juce::String (level), cream);
    }

    sheet.newRow (top + 594 + 40, 340);
    sheet.gap = 30;
    sheet.x = sheetWidth - 3 * (126 + 30) - margin;
    for (auto value : { 0.0f, 12.0f, 24.0f })
    {
        MeterDisplay meter ("GR", 24.0f, 12.0f);
        meter.setValue (value);
        const auto cell = sheet.nextCell (126, 340);
        // The gain-reduction bar sits on the faceplate in the editor; give it a plate behind it.
        g.setColour (juce::Colour (0xFF8E9398));
        g.fillRect (cell.expanded (8));
        const auto& plate = artwork().realisticFaceplateTop;
        if (plate.isValid()) // a piece from the middle of the plate, clear of its screw holes
            drawRealisticAsset (g, plate.getClippedImage (plate.getBounds().reduced (plate.getWidth() / 3, plate.getHeight() / 4)),
                                cell.toFloat().expanded (8.0f), 1.0f);
        sheet.paintComponent (meter, cell);
        sheet.caption (cell.translated (0, 0), "GR " + juce::String (value) + " dB", cream);
    }
}
} // namespace

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juce;

    if (argc < 2)
    {
        std::cerr << "usage: vesk-contact-sheet <output.png> [--scale=N] [--crop=x,y,width,height]\n";
        return 2;
    }

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    auto scale = 1.0f;
    juce::Rectangle<int> crop;
    for (int i = 2; i < argc; ++i)
    {
        const juce::String option (argv[i]);
        const auto value = option.fromFirstOccurrenceOf ("=", false, false);
        if (option.startsWith ("--scale="))
            scale = juce::jlimit (0.25f, 4.0f, value.getFloatValue());
        else if (option.startsWith ("--crop="))
            if (const auto parts = juce::StringArray::fromTokens (value, ",", ""); parts.size() == 4)
                crop = { parts[0].getIntValue(), parts[1].getIntValue(), parts[2].getIntValue(), parts[3].getIntValue() };
    }

    ensureAssetsLoaded();

    juce::Image sheet (juce::Image::ARGB, juce::roundToInt (sheetWidth * scale), juce::roundToInt (3 * panelHeight * scale), true);
    {
        juce::Graphics g (sheet);
        g.fillAll (juce::Colour (0xFF030404));
        g.addTransform (juce::AffineTransform::scale (scale));

        paintPanel (g, 0, "WITH ARTWORK");
        {
            const ScopedArtworkOverride noArtwork ({});
            paintPanel (g, panelHeight, "WITHOUT ARTWORK: VECTOR FALLBACKS");
        }
        {
            // The knob and switch caps only show when the filmstrip is missing.
            auto withoutFilmstrip = artwork();
            withoutFilmstrip.littlePhattyFilmstrip = {};
            const ScopedArtworkOverride caps (withoutFilmstrip);
            paintPanel (g, 2 * panelHeight, "WITHOUT THE FILMSTRIP: KNOB AND SWITCH CAPS WITH POINTER LINES");
        }
    }

    if (! crop.isEmpty())
        sheet = sheet.getClippedImage ((crop.toFloat() * scale).getSmallestIntegerContainer().getIntersection (sheet.getBounds()));

    output.deleteFile();
    juce::FileOutputStream stream (output);
    if (! stream.openedOk() || ! juce::PNGImageFormat().writeImageToStream (sheet, stream))
    {
        std::cerr << "cannot write " << output.getFullPathName() << "\n";
        return 1;
    }

    std::cout << output.getFullPathName() << "\n";
    return 0;
}
