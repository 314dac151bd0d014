#include "ProcessorSetup.h"

#include "DocumentReading.h"
#include "PluginProcessor.h"
#include "StateBlock.h"
#include "StorageLocations.h"

namespace render
{
namespace
{
    juce::AudioProcessorParameterWithID* findParameter (juce::AudioProcessor& processor, const juce::String& id)
    {
        for (auto* parameter : processor.getParameters())
            if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
                if (withId->paramID == id)
                    return withId;
        return nullptr;
    }

    juce::String parameterIdList (juce::AudioProcessor& processor)
    {
        juce::StringArray ids;
        for (auto* parameter : processor.getParameters())
            if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
                ids.add (withId->paramID);
        return ids.joinIntoString (", ");
    }

    // A decimal number at the start of the text: sign, digits, fraction, exponent. Returns
    // the rest of the text, or false when the text does not start with a number.
    bool splitLeadingNumber (const juce::String& text, juce::String& rest)
    {
        auto p = text.getCharPointer();
        if (*p == '+' || *p == '-')
            ++p;

        int digits = 0;
        while (p.isDigit())
        {
            ++p;
            ++digits;
        }
        if (*p == '.')
        {
            ++p;
            while (p.isDigit())
            {
                ++p;
                ++digits;
            }
        }
        if (digits == 0)
            return false;

        if (*p == 'e' || *p == 'E')
        {
            auto exponent = p + 1;
            if (*exponent == '+' || *exponent == '-')
                ++exponent;
            if (exponent.isDigit())
            {
                p = exponent;
                while (p.isDigit())
                    ++p;
            }
        }

        rest = juce::String (p).trim();
        return true;
    }

    // The user preset with that name: the same letter case first, then any.
    int findUserPreset (const VeskSchematicPluginAudioProcessor& processor, const juce::String& name)
    {
        const auto& presets = processor.userPresets;
        for (const bool ignoringCase : { false, true })
            for (size_t i = 0; i < presets.size(); ++i)
                if (ignoringCase ? presets[i].name.equalsIgnoreCase (name) : presets[i].name == name)
                    return (int) i;
        return -1;
    }

    juce::Result cannotRead (const juce::String& id, const juce::String& text, const juce::String& expected)
    {
        return juce::Result::fail ("parameter \"" + id + "\" cannot read \"" + text + "\": expected " + expected);
    }
} // namespace

int findFactoryPreset (juce::AudioProcessor& processor, const juce::String& nameOrNumber)
{
    const auto wanted = nameOrNumber.trim();
    const int count = processor.getNumPrograms();

    if (wanted.isNotEmpty() && wanted.length() <= 9 && wanted.containsOnly ("0123456789"))
    {
        const int index = wanted.getIntValue();
        return juce::isPositiveAndBelow (index, count) ? index : -1;
    }

    for (int i = 0; i < count; ++i)
        if (processor.getProgramName (i).trim().equalsIgnoreCase (wanted))
            return i;

    return -1;
}

juce::Result readParameterText (juce::AudioProcessor& processor, const ParameterSetting& setting,
                                juce::AudioProcessorParameter*& parameter, float& normalisedValue)
{
    auto* found = findParameter (processor, setting.id);
    if (found == nullptr)
        return juce::Result::fail ("unknown parameter \"" + setting.id + "\"; the parameters are: " + parameterIdList (processor));

    const auto& text = setting.text;

    if (auto* choice = dynamic_cast<juce::AudioParameterChoice*> (found))
    {
        // The choice's own texts, in any letter case.
        const int index = choice->choices.indexOf (text, true);
        if (index < 0)
            return cannotRead (setting.id, text, "one of " + choice->choices.joinIntoString (", "));
        normalisedValue = found->getValueForText (choice->choices[index]);
    }
    else if (dynamic_cast<juce::AudioParameterBool*> (found) != nullptr)
    {
        const juce::StringArray on { "on", "yes", "true", "1" };
        const juce::StringArray off { "off", "no", "false", "0" };
        if (! on.contains (text, true) && ! off.contains (text, true))
            return cannotRead (setting.id, text, "on or off");
        normalisedValue = on.contains (text, true) ? 1.0f : 0.0f;
    }
    else
    {
        // A number, optionally followed by the unit the parameter shows ("dB", "%").
        juce::String rest;
        const auto label = found->getLabel().trim();
        if (! splitLeadingNumber (text, rest) || (rest.isNotEmpty() && ! rest.equalsIgnoreCase (label)))
            return cannotRead (setting.id, text, label.isEmpty() ? "a number" : "a number, optionally followed by " + label);
        normalisedValue = found->getValueForText (text);
    }

    if (! std::isfinite (normalisedValue))
        return cannotRead (setting.id, text, "a finite number");

    parameter = found;
    return juce::Result::ok();
}

juce::Result checkStateBlock (const juce::MemoryBlock& bytes)
{
    const auto* data = static_cast<const char*> (bytes.getData());
    const auto size = bytes.getSize();

    if (size <= (size_t) stateBlock::headerSize || juce::ByteOrder::littleEndianInt (data) != stateBlock::magicNumber)
        return juce::Result::fail ("it does not start like a plug-in state block");

    const auto length = static_cast<size_t> (juce::ByteOrder::littleEndianInt (data + 4));
    if (length == 0 || length > size - (size_t) stateBlock::headerSize)
        return juce::Result::fail ("its length field does not match the file");

    const auto xml = documentReading::parseXml (documentReading::textFromUtf8 (data + stateBlock::headerSize, length));
    if (xml == nullptr)
        return juce::Result::fail ("it holds no readable XML");
    if (! xml->hasTagName ("PARAMETERS"))
        return juce::Result::fail ("it holds <" + xml->getTagName() + ">, not a Vesk Q84D state");

    return juce::Result::ok();
}

juce::Result applySettings (juce::AudioProcessor& processor, const Options& options, AppliedSettings& applied)
{
    // Everything is checked first, so a bad setting changes nothing.
    juce::MemoryBlock state;
    if (options.stateFile != juce::File())
    {
        const auto name = "state file \"" + options.stateFile.getFullPathName() + "\"";
        if (! options.stateFile.existsAsFile())
            return juce::Result::fail ("cannot read " + name + ": no such file");
        if (! options.stateFile.loadFileAsData (state))
            return juce::Result::fail ("cannot read " + name);
        if (auto check = checkStateBlock (state); check.failed())
            return juce::Result::fail (name + " is not a state block: " + check.getErrorMessage());
    }

    int preset = -1;
    if (options.preset.isNotEmpty())
    {
        preset = findFactoryPreset (processor, options.preset);
        if (preset < 0)
            return juce::Result::fail ("unknown preset \"" + options.preset + "\"; --list-presets shows the "
                                       + juce::String (processor.getNumPrograms()) + " factory presets");
    }

    int userPreset = -1;
    auto* plugin = dynamic_cast<VeskSchematicPluginAudioProcessor*> (&processor);
    if (options.userPreset.isNotEmpty())
    {
        if (plugin == nullptr)
            return juce::Result::fail ("this processor keeps no user presets");

        userPreset = findUserPreset (*plugin, options.userPreset);
        if (userPreset < 0)
        {
            juce::StringArray names;
            for (const auto& stored : plugin->userPresets)
                names.add (stored.name);
            const auto file = plugin->getUserPresetsDirectory().getChildFile (storageLocations::userPresetsFileName).getFullPathName();
            return juce::Result::fail ("unknown user preset \"" + options.userPreset + "\"; "
                                       + (names.isEmpty() ? "no user presets are stored in \"" + file + "\""
                                                          : "the user presets are: " + names.joinIntoString (", ")));
        }
    }

    struct Change
    {
        juce::AudioProcessorParameter* parameter;
        float value;
        juce::String id;
    };
    std::vector<Change> changes;
    for (const auto& setting : options.settings)
    {
        Change change { nullptr, 0.0f, setting.id };
        if (auto read = readParameterText (processor, setting, change.parameter, change.value); read.failed())
            return read;
        changes.push_back (change);
    }

    if (state.getSize() > 0)
        processor.setStateInformation (state.getData(), static_cast<int> (state.getSize()));

    if (preset >= 0)
    {
        processor.setCurrentProgram (preset);
        applied.presetName = processor.getProgramName (preset);
    }

    if (userPreset >= 0)
    {
        plugin->recallUserPreset (userPreset);
        applied.userPresetName = plugin->currentUserPresetName;
    }

    for (const auto& change : changes)
    {
        change.parameter->beginChangeGesture();
        change.parameter->setValueNotifyingHost (change.value);
        change.parameter->endChangeGesture();
        const auto label = change.parameter->getLabel();
        applied.changes.add (change.id + " = " + change.parameter->getCurrentValueAsText()
                             + (label.isEmpty() || label == "%" ? "" : " " + label));
    }

    return juce::Result::ok();
}
} // namespace render
