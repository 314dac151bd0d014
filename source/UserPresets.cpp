#include "DocumentReading.h"
#include "PluginProcessor.h"
#include "StorageLocations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr const char* defaultUserPresetName = "User Preset";

// A stored value as a float: the leading decimal number of its text, 0 when there is none.
// Text that reads as not-a-number counts as 0 and a value beyond the float range as the
// largest float of its sign, so every stored value can be applied, compared and written back.
float presetValueFromText (const juce::String& text)
{
    const auto value = documentReading::leadingNumber (text);

    if (std::isnan (value))
        return 0.0f;

    constexpr auto largest = (double) std::numeric_limits<float>::max();
    return (float) juce::jlimit (-largest, largest, value);
}

std::vector<UserPreset> presetsFromDocument (const juce::XmlElement& root)
{
    std::vector<UserPreset> presets;

    for (const auto* element : root.getChildIterator())
    {
        if (! element->getTagName().equalsIgnoreCase ("PRESET"))
            continue;

        UserPreset preset { element->getStringAttribute ("name").trim(), {} };

        if (preset.name.isEmpty())
            continue;

        for (const auto* parameter : element->getChildIterator())
        {
            if (! parameter->getTagName().equalsIgnoreCase ("PARAM"))
                continue;

            const auto id = parameter->getStringAttribute ("id");

            if (id.isNotEmpty())
                preset.values[id] = presetValueFromText (parameter->getStringAttribute ("value"));
        }

        if (! preset.values.empty())
            presets.push_back (std::move (preset));
    }

    return presets;
}

juce::XmlElement documentFromPresets (const std::vector<UserPreset>& presets)
{
    juce::XmlElement root ("USER_PRESETS");

    for (const auto& preset : presets)
    {
        auto* element = root.createNewChildElement ("PRESET");
        element->setAttribute ("name", preset.name);

        for (const auto& [id, value] : preset.values)
        {
            auto* parameter = element->createNewChildElement ("PARAM");
            parameter->setAttribute ("id", id);
            parameter->setAttribute ("value", (double) value);
        }
    }

    return root;
}
} // namespace

juce::File VeskSchematicPluginAudioProcessor::getUserPresetsDirectory() const
{
    return storageLocations::productFolder (juce::File::userDocumentsDirectory)
        .getChildFile (storageLocations::userPresetsFolderName);
}

void VeskSchematicPluginAudioProcessor::loadUserPresets()
{
    userPresets.clear();

    auto file = getUserPresetsDirectory().getChildFile (storageLocations::userPresetsFileName);

    if (! file.existsAsFile())
        file = storageLocations::earlierUserPresetsFile();

    juce::String text;

    if (! documentReading::readTextFile (file, text))
        return;

    const auto root = documentReading::parseXml (text);

    if (root != nullptr && root->getTagName().equalsIgnoreCase ("USER_PRESETS"))
        userPresets = presetsFromDocument (*root);
}

void VeskSchematicPluginAudioProcessor::saveUserPresets() const
{
    const auto folder = getUserPresetsDirectory();

    // Always the documents folder, never the earlier location: the first change after
    // loading from there moves the presets to the new place.
    if (folder.createDirectory().failed())
        return;

    documentReading::replaceFileWithText (folder.getChildFile (storageLocations::userPresetsFileName),
                                          documentFromPresets (userPresets).toString());
}

void VeskSchematicPluginAudioProcessor::recallUserPreset (int index)
{
    if (! juce::isPositiveAndBelow (index, (int) userPresets.size()))
        return;

    // A copy: host notifications run listeners that may change the list meanwhile.
    const auto preset = userPresets[(size_t) index];

    // The IDs the preset lacks leave their parameters as they are; unknown IDs are ignored.
    for (const auto& id : presetParameterIds)
        if (const auto found = preset.values.find (id); found != preset.values.end())
            setParameterFromPlainValue (apvts, id, found->second);

    currentUserPresetName = preset.name;
}

void VeskSchematicPluginAudioProcessor::storeUserPreset (const juce::String& requestedName)
{
    auto name = requestedName.trim();

    if (name.isEmpty())
        name = defaultUserPresetName;

    std::map<juce::String, float> values;

    for (const auto& id : presetParameterIds)
        if (const auto* value = apvts.getRawParameterValue (id))
            values[id] = value->load();

    // Storing under an existing name, in any letter case, replaces that preset in place and
    // gives it the letter case just asked for.
    const auto existing = std::find_if (userPresets.begin(), userPresets.end(),
                                        [&name] (const UserPreset& preset) { return preset.name.equalsIgnoreCase (name); });

    if (existing != userPresets.end())
        *existing = { name, std::move (values) };
    else
        userPresets.push_back ({ name, std::move (values) });

    currentUserPresetName = name;
    saveUserPresets();
}

void VeskSchematicPluginAudioProcessor::deleteUserPreset (int index)
{
    if (! juce::isPositiveAndBelow (index, (int) userPresets.size()))
        return;

    const auto removedName = userPresets[(size_t) index].name;
    userPresets.erase (userPresets.begin() + index);

    // Exact comparison: deleting "mix" leaves a current "Mix" in place.
    if (currentUserPresetName == removedName)
        currentUserPresetName.clear();

    saveUserPresets();
}
