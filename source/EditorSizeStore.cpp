#include "PluginProcessor.h"

juce::File VeskSchematicPluginAudioProcessor::getEditorSizeFile() const
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
        .getChildFile ("Vesk Plugins")
        .getChildFile ("Vesk Q84D Saturator")
        .getChildFile ("editor-size.json");
}

bool VeskSchematicPluginAudioProcessor::loadStoredEditorSize() { return false; }

bool editorSize::writeSizeFile (const juce::File& file, int width, int height)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("width", width);
    object->setProperty ("height", height);
    const auto text = juce::JSON::toString (juce::var (object), true);

    return file.getParentDirectory().createDirectory().wasOk()
        && file.replaceWithText (text, false, false, nullptr);
}
