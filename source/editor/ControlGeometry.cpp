#include "editor/ControlGeometry.h"

#include <cmath>

namespace vesk::editor
{
namespace
{
    float faceRadius (juce::Rectangle<float> face)
    {
        return juce::jmin (face.getWidth(), face.getHeight()) / 2.0f;
    }

    juce::Rectangle<float> insetNotBelowZero (juce::Rectangle<float> r, float dx, float dy)
    {
        return { r.getX() + dx, r.getY() + dy,
                 juce::jmax (0.0f, r.getWidth() - 2.0f * dx), juce::jmax (0.0f, r.getHeight() - 2.0f * dy) };
    }
} // namespace

ControlKind controlKindForStyle (const juce::String& styleName)
{
    if (styleName == styleNames::primaryLargeKnob || styleName == styleNames::largeKnob)
        return ControlKind::largeKnob;
    if (styleName == styleNames::smallKnob)
        return ControlKind::smallKnob;
    if (styleName == styleNames::frequencySwitch)
        return ControlKind::frequencySwitch;
    if (styleName == styleNames::oversamplingSwitch)
        return ControlKind::oversamplingSwitch;
    return ControlKind::plainKnob;
}

bool isSwitch (ControlKind kind)
{
    return kind == ControlKind::frequencySwitch || kind == ControlKind::oversamplingSwitch;
}

float rotaryAngle (float sliderPos, float rotaryStartAngle, float rotaryEndAngle)
{
    return rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
}

juce::Point<float> pointAtAngle (juce::Point<float> centre, float distance, float angle)
{
    return { centre.x + distance * std::cos (angle), centre.y + distance * std::sin (angle) };
}

juce::Rectangle<float> faceRectangle (ControlKind kind, juce::Rectangle<float> area)
{
    const auto a = insetNotBelowZero (area, 1.0f, 1.0f);
    auto face = isSwitch (kind) ? insetNotBelowZero (a, 4.0f, 4.0f) : a;

    if (kind == ControlKind::largeKnob || kind == ControlKind::smallKnob)
    {
        // Large caps sit a little deeper in bigger controls.
        const auto k = kind == ControlKind::smallKnob ? 0.055f
                       : juce::jmin (a.getWidth(), a.getHeight()) >= 120.0f ? 0.12f
                                                                            : 0.10f;
        face = insetNotBelowZero (face, k * a.getWidth(), k * a.getHeight());
    }

    // The artwork's optical centre sits slightly right of and below its geometric one.
    const auto nudge = isSwitch (kind) ? juce::Point<float> (0.008f, 0.01f)
                       : kind == ControlKind::largeKnob ? juce::Point<float> (0.006f, 0.01f)
                                                        : juce::Point<float> (0.01f, 0.018f);
    return face.translated (nudge.x * face.getWidth(), nudge.y * face.getHeight());
}

const juce::Image& faceImage (ControlKind kind, const Artwork& art)
{
    static const juce::Image none;

    switch (kind)
    {
        case ControlKind::smallKnob:
            return art.realisticKnobSmall.isValid() ? art.realisticKnobSmall : art.realisticKnobLarge;
        case ControlKind::frequencySwitch:
            return art.realisticSwitchFrequency.isValid() ? art.realisticSwitchFrequency : art.realisticKnobLarge;
        case ControlKind::oversamplingSwitch:
            // Both switches wear the frequency cap whenever it is there.
            if (art.realisticSwitchFrequency.isValid())
                return art.realisticSwitchFrequency;
            return art.realisticSwitchOversampling.isValid() ? art.realisticSwitchOversampling : none;
        case ControlKind::largeKnob:
        case ControlKind::plainKnob:
            break;
    }

    return art.realisticKnobLarge;
}

int filmstripFrameIndex (float sliderPos)
{
    return juce::jlimit (0, 127, juce::roundToInt (sliderPos * 127.0f));
}

juce::Rectangle<int> filmstripFrameArea (int stripWidth, int stripHeight, float sliderPos)
{
    const auto frameHeight = stripHeight / 128;
    if (frameHeight <= 0)
        return {};

    return { 0, frameHeight * filmstripFrameIndex (sliderPos), stripWidth, frameHeight };
}

juce::Rectangle<float> switchDisc (ControlKind kind, juce::Rectangle<float> face)
{
    const auto width = (kind == ControlKind::oversamplingSwitch ? 1.12f : 1.22f) * faceRadius (face);
    return juce::Rectangle<float> (width, width).withCentre (face.getCentre());
}

juce::Rectangle<float> switchCap (ControlKind kind, juce::Rectangle<float> face)
{
    const auto r = faceRadius (face);
    const auto size = kind == ControlKind::oversamplingSwitch ? juce::Point<float> (1.0f * r, 1.22f * r)
                                                              : juce::Point<float> (1.18f * r, 1.52f * r);
    return juce::Rectangle<float> (size.x, size.y).withCentre (face.getCentre());
}

juce::Line<float> pointerLine (ControlKind kind, juce::Rectangle<float> face, float angle)
{
    const auto r = faceRadius (face);
    const auto c = face.getCentre();
    const auto inner = isSwitch (kind) ? 0.04f : 0.10f;
    const auto outer = isSwitch (kind) ? 0.70f : 0.74f;
    return { pointAtAngle (c, inner * r, angle), pointAtAngle (c, outer * r, angle) };
}

float pointerThickness (juce::Rectangle<float> face)
{
    return juce::jmax (0.035f * faceRadius (face), 2.0f);
}

juce::Rectangle<float> vectorKnobCircle (juce::Rectangle<float> area)
{
    const auto inner = insetNotBelowZero (area, 4.0f, 4.0f);
    const auto diameter = juce::jmin (inner.getWidth(), inner.getHeight());
    return juce::Rectangle<float> (diameter, diameter).withCentre (inner.getCentre());
}
} // namespace vesk::editor
