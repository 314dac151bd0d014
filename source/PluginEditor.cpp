#include "PluginEditor.h"

#include "editor/Artwork.h"
#include "editor/ControlGeometry.h"
#include "editor/EditorLayout.h"
#include "editor/Fonts.h"
#include "editor/Palette.h"
#include "editor/PreviewRendering.h"

#include <cmath>

namespace
{
using namespace vesk::editor;

// The maker's site, opened from the logo; the tooltip names its bare domain.
const juce::URL makerWebsite { VESK_COMPANY_WEBSITE };

constexpr int sizeButtonRadioGroup = 0x5153;

int nearestIndex (float value)
{
    return static_cast<int> (std::nearbyint (value));
}
} // namespace

VeskSchematicPluginAudioProcessorEditor::InvisibleLinkButton::InvisibleLinkButton()
    : juce::Button ("website-logo-link")
{
}

VeskSchematicPluginAudioProcessorEditor::InvisibleLinkButton::~InvisibleLinkButton() = default;

void VeskSchematicPluginAudioProcessorEditor::InvisibleLinkButton::paintButton (juce::Graphics&, bool, bool)
{
    // The logo printed on the faceplate is the link; the button itself draws nothing.
}

VeskSchematicPluginAudioProcessorEditor::VeskSchematicPluginAudioProcessorEditor (VeskSchematicPluginAudioProcessor& p)
    : juce::AudioProcessorEditor (&p)
    , processorRef (p)
{
    websiteLink.setName ("website-logo-link");
    websiteLink.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    websiteLink.setTooltip ("Open " + makerWebsite.getDomain());

    ensureAssetsLoaded();

    setResizable (true, true);
    setResizeLimits (smallWidth, smallHeight, largeWidth, largeHeight);
    if (auto* sizeConstrainer = getConstrainer())
        sizeConstrainer->setFixedAspectRatio (fixedAspectRatio);

    for (auto* button : { &sizeSmallButton, &sizeMediumButton, &sizeLargeButton })
    {
        button->setName (button->getButtonText());
        configureSizeButton (*button);
        addAndMakeVisible (*button);
    }

    const auto selectSize = [this] (int width, int height)
    {
        setSize (width, height);
        updateSizeButtons();
    };
    sizeSmallButton.onClick = [selectSize] { selectSize (smallWidth, smallHeight); };
    sizeMediumButton.onClick = [selectSize] { selectSize (mediumWidth, mediumHeight); };
    sizeLargeButton.onClick = [selectSize] { selectSize (largeWidth, largeHeight); };

    sizeLabel.setText ("SIZE", juce::dontSendNotification);
    sizeLabel.setJustificationType (juce::Justification::centred);
    sizeLabel.setColour (juce::Label::textColourId, hardwareInk.withAlpha ((juce::uint8) 0xD1));
    addAndMakeVisible (sizeLabel);

    presetButton.setName (styleNames::presetDisplayButton);
    presetButton.setLookAndFeel (&lookAndFeel);
    presetButton.setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF080908));
    presetButton.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xFF4E442C));
    presetButton.setColour (juce::TextButton::textColourOffId, juce::Colour (0xFFE0C67E));
    presetButton.setColour (juce::TextButton::textColourOnId, juce::Colour (0xFFE0C67E));
    presetButton.setTooltip ("Factory and user presets");
    presetButton.onClick = [this] { showPresetMenu(); };
    addAndMakeVisible (presetButton);
    updatePresetDisplay();

    addAndMakeVisible (websiteLink);
    websiteLink.onClick = [] { makerWebsite.launchInDefaultBrowser(); };

    configureHardwareKnob (inputKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (driveKnob, styleNames::frequencySwitch);
    configureHardwareKnob (lowKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (presenceKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (airKnob, styleNames::largeKnob);
    configureHardwareKnob (optoKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (speedKnob, styleNames::frequencySwitch);
    configureHardwareKnob (mixKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (outputKnob, styleNames::primaryLargeKnob);
    configureHardwareKnob (oversamplingSwitch, styleNames::oversamplingSwitch);

    // The oversampling switch sweeps 150 to 390 degrees, symmetric about straight up.
    oversamplingSwitch.setRange (0.0, 4.0, 1.0);
    oversamplingSwitch.setRotaryParameters (2.6179938f, 6.806784f, true);

    addAndMakeVisible (inputMeter);
    addAndMakeVisible (outputMeter);
    addAndMakeVisible (gainReductionMeter);

    // The painted pilot lamp is the power switch: this transparent toggle lies over it.
    powerButton.setClickingTogglesState (true);
    powerButton.setAlpha (0.0f);
    powerButton.setWantsKeyboardFocus (false);
    powerButton.setTooltip ("Power");
    addAndMakeVisible (powerButton);

    auto& state = processorRef.apvts;
    juce::Slider* knobs[] = { &inputKnob, &driveKnob, &lowKnob, &presenceKnob, &airKnob,
                              &optoKnob, &speedKnob, &mixKnob, &outputKnob };
    for (size_t i = 0; i < sliderAttachments.size(); ++i)
    {
        const auto& id = presetParameterIds[(int) i];
        if (state.getParameter (id) != nullptr)
            sliderAttachments[i] = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (state, id, *knobs[i]);
    }

    if (state.getParameter (parameterIds::power) != nullptr)
        powerAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment> (state, parameterIds::power, powerButton);

    // The switch has its own link to the parameter: it sends the choice's normalised value
    // inside the drag's gesture, and follows the host from the timer without echoing back.
    oversamplingParameter = state.getParameter (parameterIds::oversampling);
    if (oversamplingParameter != nullptr)
    {
        lastOversamplingIndex = nearestIndex (state.getRawParameterValue (parameterIds::oversampling)->load());
        oversamplingSwitch.setValue (lastOversamplingIndex, juce::dontSendNotification);
    }

    oversamplingSwitch.onDragStart = [this]
    {
        if (oversamplingParameter != nullptr)
            oversamplingParameter->beginChangeGesture();
    };
    oversamplingSwitch.onDragEnd = [this]
    {
        if (oversamplingParameter != nullptr)
            oversamplingParameter->endChangeGesture();
    };
    oversamplingSwitch.onValueChange = [this]
    {
        if (updatingOversamplingSwitch || oversamplingParameter == nullptr)
            return;

        const int index = nearestIndex ((float) oversamplingSwitch.getValue());
        oversamplingParameter->setValueNotifyingHost (oversamplingParameter->convertTo0to1 ((float) index));
        lastOversamplingIndex = index;
    };

    setSize (processorRef.storedEditorWidth, processorRef.storedEditorHeight);

    maybeRenderStandalonePreview (*this);

    startTimer (timerIntervalMs);
}

VeskSchematicPluginAudioProcessorEditor::~VeskSchematicPluginAudioProcessorEditor()
{
    for (auto* slider : { &inputKnob, &driveKnob, &lowKnob, &presenceKnob, &airKnob, &optoKnob,
                          &speedKnob, &mixKnob, &outputKnob, &oversamplingSwitch })
        slider->setLookAndFeel (nullptr);

    for (auto* button : { &sizeSmallButton, &sizeMediumButton, &sizeLargeButton, &presetButton })
        button->setLookAndFeel (nullptr);
}

void VeskSchematicPluginAudioProcessorEditor::configureSizeButton (juce::TextButton& button)
{
    button.setLookAndFeel (&lookAndFeel);
    button.setClickingTogglesState (true);
    button.setRadioGroupId (sizeButtonRadioGroup);
    button.setColour (juce::TextButton::buttonColourId, juce::Colour (0xD642454A));
    button.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xEE5C6066));
    button.setColour (juce::TextButton::textColourOffId, juce::Colour (0xE6E0E2E5));
    button.setColour (juce::TextButton::textColourOnId, juce::Colours::white.withAlpha ((juce::uint8) 0xF5));
}

void VeskSchematicPluginAudioProcessorEditor::configureHardwareKnob (juce::Slider& slider, const juce::String& styleName)
{
    slider.setLookAndFeel (&lookAndFeel);
    slider.setName (styleName);
    slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    // 140 to 400 degrees: symmetric about straight up.
    slider.setRotaryParameters (2.4434609f, 6.981317f, true);
    slider.setScrollWheelEnabled (true);
    slider.setSliderSnapsToMousePosition (false);
    slider.setColour (juce::Slider::thumbColourId, juce::Colour (0xFFE0D097));
    slider.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xFFE0D097));
    slider.setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colour (0xFF0A0A09));
    addAndMakeVisible (slider);
}

void VeskSchematicPluginAudioProcessorEditor::updateSizeButtons()
{
    const int w = getWidth(), h = getHeight();
    sizeSmallButton.setToggleState (w == smallWidth && h == smallHeight, juce::dontSendNotification);
    sizeMediumButton.setToggleState (w == mediumWidth && h == mediumHeight, juce::dontSendNotification);
    sizeLargeButton.setToggleState (w == largeWidth && h == largeHeight, juce::dontSendNotification);
}

void VeskSchematicPluginAudioProcessorEditor::storeEditorSize()
{
    const int width = editorSize::clampWidth (getWidth());
    const int height = editorSize::clampHeight (getHeight());
    processorRef.storedEditorWidth = width;
    processorRef.storedEditorHeight = height;
    editorSize::writeSizeFile (processorRef.getEditorSizeFile(), width, height);
}

void VeskSchematicPluginAudioProcessorEditor::resized()
{
    // Sizes are remembered only once the editor has settled: not while it opens.
    if (sizePersistenceArmed)
        storeEditorSize();

    updateSizeButtons();

    const int w = getWidth(), h = getHeight();
    const auto mapping = designMapping (w, h);
    sizeLabel.setFont (makeFont (12.0f * mapping.scale, juce::Font::bold));

    const auto place = [w, h] (juce::Component& child, juce::Rectangle<float> design)
    {
        child.setBounds (mapDesignRectangle (design, w, h));
    };

    place (sizeLabel, designLayout::sizeLabel);
    place (sizeSmallButton, designLayout::sizeSmallButton);
    place (sizeMediumButton, designLayout::sizeMediumButton);
    place (sizeLargeButton, designLayout::sizeLargeButton);
    place (presetButton, designLayout::presetButton);
    place (websiteLink, designLayout::websiteLink);
    place (lowKnob, designLayout::lowKnob);
    place (presenceKnob, designLayout::presenceKnob);
    place (airKnob, designLayout::airKnob);
    place (optoKnob, designLayout::optoKnob);
    place (speedKnob, designLayout::speedKnob);
    place (driveKnob, designLayout::driveKnob);
    place (mixKnob, designLayout::mixKnob);
    place (gainReductionMeter, designLayout::gainReductionMeter);
    place (powerButton, designLayout::powerButton);
    place (inputKnob, designLayout::inputKnob);
    place (outputKnob, designLayout::outputKnob);
    place (inputMeter, designLayout::inputMeter);
    place (outputMeter, designLayout::outputMeter);
    place (oversamplingSwitch, designLayout::oversamplingSwitch);
}

void VeskSchematicPluginAudioProcessorEditor::timerCallback()
{
    if (! sizePersistenceArmed)
    {
        if (timerTicks++ >= ticksBeforeSizePersistence - 1)
            sizePersistenceArmed = true;
    }

    if (auto* rawOversampling = processorRef.apvts.getRawParameterValue (parameterIds::oversampling))
    {
        const int index = nearestIndex (rawOversampling->load());
        if (index != lastOversamplingIndex)
        {
            updatingOversamplingSwitch = true;
            oversamplingSwitch.setValue (index, juce::dontSendNotification);
            updatingOversamplingSwitch = false;
            lastOversamplingIndex = index;
        }
    }

    updatePresetDisplay();

    inputMeter.setLevel (processorRef.inputLevelLeft.load());
    outputMeter.setLevel (processorRef.outputLevelLeft.load());
    gainReductionMeter.setValue (processorRef.gainReductionDb.load());

    repaint();
}

void VeskSchematicPluginAudioProcessorEditor::updatePresetDisplay()
{
    auto name = processorRef.currentUserPresetName;

    if (name.isEmpty() && juce::isPositiveAndBelow (processorRef.currentProgram, numFactoryPresets))
        name = factoryPresets[(size_t) processorRef.currentProgram].name;

    if (name.isEmpty())
        name = "NO PRESET";

    const auto text = name.toUpperCase();
    if (text != presetButton.getButtonText())
    {
        presetButton.setButtonText (text);
        presetButton.repaint();
    }
}
