#include "DocumentReading.h"
#include "PluginProcessor.h"
#include "StorageLocations.h"

#include <cmath>
#include <limits>

namespace editorSize
{
int dimensionFromJson (const juce::var& value)
{
    double number = 0.0;

    if (value.isInt() || value.isInt64())
        number = (double) static_cast<juce::int64> (value);
    else if (value.isDouble())
        number = static_cast<double> (value);
    else if (value.isString())
        number = (double) documentReading::leadingInteger (value.toString());

    if (std::isnan (number))
        return 0;

    constexpr auto intLimit = (double) std::numeric_limits<int>::max();
    return (int) std::trunc (juce::jlimit (-intLimit, intLimit, number));
}

juce::String sizeFileText (int width, int height)
{
    auto* size = new juce::DynamicObject();
    const juce::var document (size);
    size->setProperty ("width", width);
    size->setProperty ("height", height);
    return juce::JSON::toString (document, true);
}

bool writeSizeFile (const juce::File& sizeFile, int width, int height)
{
    if (sizeFile.getParentDirectory().createDirectory().failed())
        return false;

    return documentReading::replaceFileWithText (sizeFile, sizeFileText (clampWidth (width), clampHeight (height)));
}
} // namespace editorSize

juce::File VeskSchematicPluginAudioProcessor::getEditorSizeFile() const
{
    return storageLocations::productFolder (juce::File::userDocumentsDirectory)
        .getChildFile (storageLocations::editorSizeFileName);
}

bool VeskSchematicPluginAudioProcessor::loadStoredEditorSize()
{
    juce::String text;

    if (! documentReading::readTextFile (getEditorSizeFile(), text))
        return false;

    const auto document = documentReading::parseJson (text);
    const auto* size = document.getDynamicObject();

    if (size == nullptr)
        return false;

    storedEditorWidth = editorSize::clampWidth (editorSize::dimensionFromJson (size->getProperty ("width")));
    storedEditorHeight = editorSize::clampHeight (editorSize::dimensionFromJson (size->getProperty ("height")));
    return true;
}
