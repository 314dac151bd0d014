#pragma once

#include <JuceHeader.h>

#include "EditorSize.h"
#include "FactoryPresets.h"
#include "Parameters.h"
#include "UserPreset.h"
#include "schematic/ChannelModel.h"

#include <array>
#include <atomic>
#include <memory>
#include <vector>

// One instance of the plug-in in a host: the parameters, the signal path, the meter
// values, the presets and what persists. The editor reads and writes the public
// members directly.
class VeskSchematicPluginAudioProcessor : public juce::AudioProcessor
{
public:
    VeskSchematicPluginAudioProcessor();
    ~VeskSchematicPluginAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;

    // Audio thread: no allocation, no lock, no system call.
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    // User presets, on the message thread.
    juce::File getUserPresetsDirectory() const;
    void saveUserPresets() const;
    void loadUserPresets();
    void recallUserPreset (int index);
    void storeUserPreset (const juce::String& requestedName);
    void deleteUserPreset (int index);

    // The remembered editor size.
    bool loadStoredEditorSize();
    juce::File getEditorSizeFile() const;

    juce::AudioProcessorValueTreeState apvts;

private:
    void updateOversamplingSelection (int choice);
    // The oversampling parameter as a choice 0..4 (rounded half to even).
    int oversamplingChoiceFromParameter() const;

    std::array<std::unique_ptr<juce::dsp::Oversampling<float>>, 5> oversamplers;
    juce::dsp::DryWetMixer<float> dryWetMixer { 2048 };
    std::array<schematic::ChannelModel, 2> channelModels;

public:
    std::atomic<float>* inputParam = nullptr;
    std::atomic<float>* driveParam = nullptr;
    std::atomic<float>* lowParam = nullptr;
    std::atomic<float>* presenceParam = nullptr;
    std::atomic<float>* airParam = nullptr;
    std::atomic<float>* optoParam = nullptr;
    std::atomic<float>* speedParam = nullptr;
    std::atomic<float>* mixParam = nullptr;
    std::atomic<float>* outputParam = nullptr;
    std::atomic<float>* oversamplingParam = nullptr;
    std::atomic<float>* powerParam = nullptr;

    // Meter values: written once per block by the audio thread, read by the editor.
    std::atomic<float> inputLevelLeft { 0.0f };
    std::atomic<float> inputLevelRight { 0.0f };
    std::atomic<float> outputLevelLeft { 0.0f };
    std::atomic<float> outputLevelRight { 0.0f };
    std::atomic<float> gainReductionDb { 0.0f };
    std::atomic<float> lampLevel { 0.0f };

    // Touched only off the audio thread.
    int currentProgram = 0;
    juce::String currentUserPresetName;
    std::vector<UserPreset> userPresets;
    int storedEditorWidth = editorSize::maximumWidth;
    int storedEditorHeight = editorSize::maximumHeight;

private:
    double currentSampleRate = 44100.0;
    int currentBlockSize = 0;
    int currentOversamplingIndex = 2;

    // Parts of a state restore: the oversampling switch, kept from overlapping a block, and
    // the resize of an open editor, done on the message thread.
    void applyRestoredOversampling();
    void resizeOpenEditor();

    // A restore from a host thread resizes the editor later, on the message thread, only if
    // the instance still exists then.
    JUCE_DECLARE_WEAK_REFERENCEABLE (VeskSchematicPluginAudioProcessor)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VeskSchematicPluginAudioProcessor)
};
