#pragma once

#include "PluginProcessor.h"
#include "editor/Faceplate.h"
#include "editor/HardwareLookAndFeel.h"
#include "editor/MeterDisplay.h"
#include "editor/VintageVuMeter.h"

#include <array>
#include <functional>
#include <memory>

// The editor: a resizable, fixed-aspect unit of rack hardware. Everything here runs on the
// message thread. Its 33 ms timer moves the meters, keeps the oversampling switch in step
// with its parameter, refreshes the preset display and repaints the faceplate.
class VeskSchematicPluginAudioProcessorEditor : public juce::AudioProcessorEditor,
                                                private juce::Timer
{
public:
    using VeskLookAndFeel = vesk::editor::VeskLookAndFeel;
    using VintageVuMeter = vesk::editor::VintageVuMeter;
    using MeterDisplay = vesk::editor::MeterDisplay;

    // A transparent button over the printed logo.
    class InvisibleLinkButton : public juce::Button
    {
    public:
        InvisibleLinkButton();
        ~InvisibleLinkButton() override;
        void paintButton (juce::Graphics&, bool, bool) override;
    };

    explicit VeskSchematicPluginAudioProcessorEditor (VeskSchematicPluginAudioProcessor&);
    ~VeskSchematicPluginAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;

    void updatePresetDisplay();

    // The preset menus, built apart from showing them so that their items can be read.
    juce::PopupMenu createPresetMenu() const;
    juce::PopupMenu createLoadUserPresetMenu() const;
    juce::PopupMenu createDeleteUserPresetMenu() const;

    void showPresetMenu();
    void showLoadUserPresetMenu();
    void showDeleteUserPresetMenu();
    void showSaveUserPresetWindow();

    // What each menu or dialog result does; the shown menus call these through safe pointers.
    void handlePresetMenuResult (int result);
    void handleLoadUserPresetMenuResult (int result);
    void handleDeleteUserPresetMenuResult (int result);
    void handleSaveUserPresetResult (const juce::String& enteredName);

    // A menu's result callback: it calls the handler only while this editor still exists.
    std::function<void (int)> guardedMenuResult (void (VeskSchematicPluginAudioProcessorEditor::*handler) (int));

    static constexpr int timerIntervalMs = 33;
    static constexpr int ticksBeforeSizePersistence = 60;

    VeskSchematicPluginAudioProcessor& processorRef;
    VeskLookAndFeel lookAndFeel;

    InvisibleLinkButton websiteLink;
    juce::Slider inputKnob, driveKnob, lowKnob, presenceKnob, airKnob, optoKnob, speedKnob, mixKnob, outputKnob;
    juce::Slider oversamplingSwitch;
    VintageVuMeter inputMeter { "INPUT" };
    VintageVuMeter outputMeter { "OUTPUT" };
    MeterDisplay gainReductionMeter { "GR", 24.0f, 12.0f };
    juce::Label sizeLabel;
    juce::TextButton presetButton;
    juce::ToggleButton powerButton;
    juce::TextButton sizeSmallButton { "S" }, sizeMediumButton { "M" }, sizeLargeButton { "L" };

    std::array<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>, 9> sliderAttachments;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerAttachment;

    juce::RangedAudioParameter* oversamplingParameter = nullptr;
    int lastOversamplingIndex = -1;
    int timerTicks = 0;
    bool updatingOversamplingSwitch = false;
    bool sizePersistenceArmed = false;

private:
    vesk::editor::FaceplatePainter faceplatePainter;

    void configureSizeButton (juce::TextButton& button);
    void configureHardwareKnob (juce::Slider& slider, const juce::String& styleName);
    void updateSizeButtons();
    void storeEditorSize();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VeskSchematicPluginAudioProcessorEditor)
};
