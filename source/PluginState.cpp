#include "DocumentReading.h"
#include "PluginProcessor.h"
#include "StateBlock.h"

#include <cmath>

// The host's state block: the framework's XML wrapper (magic number, length, the XML text on
// one line, a zero byte) around the parameter tree, whose root carries the editor size, the
// current program and the current user preset's name.

namespace
{
// The document inside a state block, or null when the block is too short, carries another
// magic number or a length of 0, or its text is not well-formed XML. The text is the stored
// length's worth of bytes, cut to what the block holds, and is copied before it is read.
std::unique_ptr<juce::XmlElement> documentFromStateBlock (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= stateBlock::headerSize)
        return {};

    if (juce::ByteOrder::littleEndianInt (data) != stateBlock::magicNumber)
        return {};

    const auto storedLength = (size_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (storedLength < 1)
        return {};

    const auto textLength = juce::jmin (storedLength, (size_t) sizeInBytes - stateBlock::headerSize);
    return documentReading::parseXml (documentReading::textFromUtf8 (juce::addBytesToPointer (data, stateBlock::headerSize), textLength));
}

// The parameter tree to install from a restored document: the live tree's copy, in its own
// order, with each parameter's value replaced by the document's, limited to the parameter's
// range. A parameter the document has no value for (or only one that is not a number) keeps
// its present value. A later PARAM with the same ID wins, as it does for the framework.
// Children and attributes that are not ours are dropped, so a restored instance saves
// exactly like one whose parameters were set by hand.
//
// Invalid when the document holds no value for any parameter of ours: that is not a state of
// this plug-in (another plug-in's block, a stray document), and restoring it would only reset
// the program and the preset name, so the instance is left exactly as it was.
juce::ValueTree parameterTreeFromDocument (const juce::XmlElement& document,
                                           juce::AudioProcessorValueTreeState& parameters)
{
    std::map<juce::String, double> restoredValues;

    for (const auto* element : document.getChildIterator())
    {
        // The framework writes PARAM in capitals; its XML reader would also match other cases.
        if (element->getTagName() != "PARAM" || ! element->hasAttribute ("value"))
            continue;

        const auto id = element->getStringAttribute ("id");
        const auto* parameter = parameters.getParameter (id);

        if (parameter == nullptr)
            continue;

        const auto value = documentReading::leadingNumber (element->getStringAttribute ("value"));

        if (std::isnan (value))
            continue;

        const auto& range = parameter->getNormalisableRange();
        restoredValues[id] = juce::jlimit ((double) range.start, (double) range.end, value);
    }

    if (restoredValues.empty())
        return {};

    auto tree = parameters.copyState();
    tree.removeAllProperties (nullptr);

    for (auto child : tree)
    {
        const auto restored = restoredValues.find (child.getProperty ("id").toString());

        if (restored != restoredValues.end())
            child.setProperty ("value", restored->second, nullptr);
    }

    return tree;
}
} // namespace

void VeskSchematicPluginAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    // copyState flushes every parameter into the tree under the tree's lock; the live tree
    // itself is not changed by saving.
    auto state = apvts.copyState();
    state.setProperty ("editorWidth", storedEditorWidth, nullptr);
    state.setProperty ("editorHeight", storedEditorHeight, nullptr);
    state.setProperty ("currentProgram", currentProgram, nullptr);
    state.setProperty ("currentUserPresetName", currentUserPresetName, nullptr);

    destData.reset();

    if (const auto xml = state.createXml())
        copyXmlToBinary (*xml, destData);
}

void VeskSchematicPluginAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    // Everything is checked before anything changes: a block that fails leaves the instance
    // exactly as it was.
    const auto document = documentFromStateBlock (data, sizeInBytes);

    if (document == nullptr)
        return;

    const auto restoredTree = parameterTreeFromDocument (*document, apvts);

    if (! restoredTree.isValid())
        return;

    // Holds the tree's lock and sets every parameter from its PARAM child, host-notified.
    apvts.replaceState (restoredTree);

    // The program's values came with the tree, so the preset is not applied again.
    if (document->hasAttribute ("currentProgram"))
    {
        const auto program = documentReading::leadingInteger (document->getStringAttribute ("currentProgram"));
        currentProgram = (int) juce::jlimit ((juce::int64) 0, (juce::int64) numFactoryPresets - 1, program);
    }

    if (document->hasAttribute ("currentUserPresetName"))
        currentUserPresetName = document->getStringAttribute ("currentUserPresetName");

    // The size file decides the editor size, not the block.
    if (! loadStoredEditorSize())
    {
        storedEditorWidth = editorSize::maximumWidth;
        storedEditorHeight = editorSize::maximumHeight;
    }

    applyRestoredOversampling();
    resizeOpenEditor();
}

void VeskSchematicPluginAudioProcessor::applyRestoredOversampling()
{
    const auto choice = oversamplingParam != nullptr ? oversamplingChoiceFromParameter()
                                                     : defaultOversamplingIndex;

    // The switch resets and re-prepares the oversampler, the mixer and the channel models that
    // processBlock works on, and the host may call this while its audio thread is inside a
    // block. The format wrappers hold the callback lock around every processBlock, so holding
    // it here makes the switch wait for a running block and keeps the next one out until it
    // is done. The switch allocates nothing and costs two resets and two model preparations,
    // so the audio thread waits no longer than that; in return the restored factor and its
    // latency reach the host before this call returns, also when no audio is running.
    const juce::ScopedLock noBlockRunning (getCallbackLock());

    // Before the first prepare there is nothing to switch; prepareToPlay applies the choice.
    if (currentBlockSize >= 1)
        updateOversamplingSelection (choice);
}

void VeskSchematicPluginAudioProcessor::resizeOpenEditor()
{
    const auto width = storedEditorWidth;
    const auto height = storedEditorHeight;

    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        // getActiveEditor holds the framework's editor lock while it fetches the editor; the
        // lock is released before the resize, which keeps the editor's position.
        if (auto* editor = getActiveEditor())
            editor->setSize (width, height);

        return;
    }

    // Hosts may restore from another thread, but an editor may only be touched on the
    // message thread, where it may also be closed (or this instance removed) meanwhile.
    // Without an editor nothing is posted: one opened later opens at the stored size.
    if (getActiveEditor() == nullptr)
        return;

    juce::MessageManager::callAsync ([processor = juce::WeakReference<VeskSchematicPluginAudioProcessor> (this), width, height]
                                     {
                                         if (processor != nullptr)
                                             if (auto* editor = processor->getActiveEditor())
                                                 editor->setSize (width, height);
                                     });
}
