#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// The vertical gain-reduction bar: an engraved title, a lit tube rising from the bottom and a
// three-mark scale beside it.
class MeterDisplay : public juce::Component
{
public:
    MeterDisplay (const juce::String& meterLabel, float fullScale, float middleMark);
    ~MeterDisplay() override;

    // Takes a reading pinned to 0 ... maximum (not a number counts as 0). Returns true when it moved by at least
    // max (0.002 x maximum, 0.01) and a repaint was requested; smaller changes are ignored.
    bool setValue (float newValue);
    float getValue() const noexcept { return value; }

    void paint (juce::Graphics& g) override;

private:
    juce::String label;
    float maximum;
    float midMark;
    float value = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MeterDisplay)
};
} // namespace vesk::editor
