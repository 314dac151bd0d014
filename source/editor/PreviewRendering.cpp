#include "editor/PreviewRendering.h"

namespace
{
constexpr const char* previewOption = "--render-preview=";
constexpr int previewDelayMs = 450;
} // namespace

juce::File previewFileFromCommandLine (const juce::String& commandLine)
{
    auto tokens = juce::StringArray::fromTokens (commandLine.trim(), " \n\r\t", "\"");
    tokens.trim();
    tokens.removeEmptyStrings (true);

    for (auto token : tokens)
    {
        // A stand-alone app's parameter string quotes every argument that holds a space, so
        // the shell's --render-preview="/a b.png" arrives as "--render-preview=/a b.png".
        if (token.isQuotedString())
            token = token.unquoted();

        if (! token.startsWith (previewOption))
            continue;

        const auto path = token.fromFirstOccurrenceOf ("=", false, false).unquoted();
        if (path.isEmpty())
            return {};

        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }

    return {};
}

bool writeComponentSnapshot (juce::Component& component, const juce::File& file)
{
    const auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    if (! image.isValid())
        return false;

    if (! file.getParentDirectory().createDirectory().wasOk())
        return false;

    juce::FileOutputStream stream (file);
    if (! stream.openedOk())
        return false;

    // Replace, don't append to, a file that was there before.
    stream.setPosition (0);
    stream.truncate();

    juce::PNGImageFormat png;
    return png.writeImageToStream (image, stream);
}

void maybeRenderStandalonePreview (juce::Component& editor)
{
    const auto file = previewFileFromCommandLine (juce::JUCEApplicationBase::getCommandLineParameters());
    if (file == juce::File())
        return;

    juce::Component::SafePointer<juce::Component> safeEditor (&editor);
    juce::Timer::callAfterDelay (previewDelayMs, [safeEditor, file]
    {
        auto* component = safeEditor.getComponent();
        if (component == nullptr)
            return;

        writeComponentSnapshot (*component, file);
        juce::MessageManager::getInstance()->stopDispatchLoop();
    });
}
