#pragma once

#include <JuceHeader.h>

namespace vesk::editor
{
// A needle VU meter on the rail: a dark bezel, the printed face and a red needle.
class VintageVuMeter : public juce::Component
{
public:
    // "OUTPUT" selects the output face; any other label the input face.
    explicit VintageVuMeter (const juce::String& meterLabel);
    ~VintageVuMeter() override;

    // Takes a linear peak (1.0 = full scale), pinned to 0 ... 1.25 (not a number counts as 0).
    // Returns true when the needle moved by at least 0.002 and a repaint was requested; smaller
    // changes are ignored.
    bool setLevel (float newLevel);
    float getLevel() const noexcept { return level; }
    const juce::String& getLabel() const noexcept { return label; }

    void paint (juce::Graphics& g) override;

private:
    juce::String label;
    float level = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VintageVuMeter)
};
} // namespace vesk::editor
