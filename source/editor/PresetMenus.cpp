#include "PluginEditor.h"

// The preset display's menus and the save dialog. Results arrive asynchronously, so every
// callback holds a safe pointer and does nothing once the editor is gone.

namespace
{
enum PresetMenuItem
{
    saveCurrentSettingsItem = 10001,
    loadUserPresetItem = 10002,
    deleteUserPresetItem = 10003,
    showUserPresetsFolderItem = 10004,
};

constexpr int loadUserPresetBase = 20000;
constexpr int deleteUserPresetBase = 30000;

juce::PopupMenu::Options menuOptions (juce::Component& target)
{
    return juce::PopupMenu::Options()
        .withTargetComponent (&target)
        .withMinimumWidth (228)
        .withMaximumNumColumns (1)
        .withStandardItemHeight (23);
}

} // namespace

std::function<void (int)> VeskSchematicPluginAudioProcessorEditor::guardedMenuResult (void (VeskSchematicPluginAudioProcessorEditor::*handler) (int))
{
    juce::Component::SafePointer<VeskSchematicPluginAudioProcessorEditor> safeEditor (this);
    return [safeEditor, handler] (int result)
    {
        if (auto* editor = safeEditor.getComponent())
            (editor->*handler) (result);
    };
}

juce::PopupMenu VeskSchematicPluginAudioProcessorEditor::createPresetMenu() const
{
    const bool hasUserPresets = ! processorRef.userPresets.empty();

    juce::PopupMenu menu;
    menu.addItem (saveCurrentSettingsItem, "Save Current Settings...");
    menu.addItem (loadUserPresetItem, "Load User Preset...");
    menu.addItem (deleteUserPresetItem, hasUserPresets ? "Delete User Preset..." : "No User Presets Saved", hasUserPresets);
    menu.addItem (showUserPresetsFolderItem, "Show User Presets Folder");
    menu.addSeparator();

    for (int i = 0; i < numFactoryPresets; ++i)
        menu.addItem (i + 1, juce::String (factoryPresets[(size_t) i].name), true, i == processorRef.currentProgram);

    return menu;
}

juce::PopupMenu VeskSchematicPluginAudioProcessorEditor::createLoadUserPresetMenu() const
{
    juce::PopupMenu menu;

    if (processorRef.userPresets.empty())
        menu.addItem (loadUserPresetBase, "No User Presets Saved", false);

    for (size_t i = 0; i < processorRef.userPresets.size(); ++i)
        menu.addItem (loadUserPresetBase + (int) i, processorRef.userPresets[i].name);

    return menu;
}

juce::PopupMenu VeskSchematicPluginAudioProcessorEditor::createDeleteUserPresetMenu() const
{
    juce::PopupMenu menu;

    for (size_t i = 0; i < processorRef.userPresets.size(); ++i)
        menu.addItem (deleteUserPresetBase + (int) i, processorRef.userPresets[i].name);

    return menu;
}

void VeskSchematicPluginAudioProcessorEditor::showPresetMenu()
{
    createPresetMenu().showMenuAsync (menuOptions (presetButton), guardedMenuResult (&VeskSchematicPluginAudioProcessorEditor::handlePresetMenuResult));
}

void VeskSchematicPluginAudioProcessorEditor::showLoadUserPresetMenu()
{
    createLoadUserPresetMenu().showMenuAsync (menuOptions (presetButton), guardedMenuResult (&VeskSchematicPluginAudioProcessorEditor::handleLoadUserPresetMenuResult));
}

void VeskSchematicPluginAudioProcessorEditor::showDeleteUserPresetMenu()
{
    createDeleteUserPresetMenu().showMenuAsync (menuOptions (presetButton), guardedMenuResult (&VeskSchematicPluginAudioProcessorEditor::handleDeleteUserPresetMenuResult));
}

void VeskSchematicPluginAudioProcessorEditor::handlePresetMenuResult (int result)
{
    if (result <= 0)
        return;

    switch (result)
    {
        case saveCurrentSettingsItem: showSaveUserPresetWindow(); return;
        case loadUserPresetItem: showLoadUserPresetMenu(); return;
        case deleteUserPresetItem: showDeleteUserPresetMenu(); return;
        case showUserPresetsFolderItem:
        {
            const auto folder = processorRef.getUserPresetsDirectory();
            if (! folder.isDirectory())
                folder.createDirectory();
            folder.revealToUser();
            return;
        }
        default: break;
    }

    if (result >= 1 && result <= numFactoryPresets)
    {
        processorRef.setCurrentProgram (result - 1);
        updatePresetDisplay();
    }
}

void VeskSchematicPluginAudioProcessorEditor::handleLoadUserPresetMenuResult (int result)
{
    if (result < loadUserPresetBase)
        return;

    const int index = result - loadUserPresetBase;
    if (! juce::isPositiveAndBelow (index, (int) processorRef.userPresets.size()))
        return;

    processorRef.recallUserPreset (index);
    updatePresetDisplay();
}

void VeskSchematicPluginAudioProcessorEditor::handleDeleteUserPresetMenuResult (int result)
{
    if (result < deleteUserPresetBase)
        return;

    const int index = result - deleteUserPresetBase;
    if (juce::isPositiveAndBelow (index, (int) processorRef.userPresets.size()))
        processorRef.deleteUserPreset (index);

    updatePresetDisplay();
}

void VeskSchematicPluginAudioProcessorEditor::handleSaveUserPresetResult (const juce::String& enteredName)
{
    auto name = enteredName.trim();
    if (name.isEmpty())
        name = "User Preset";

    processorRef.storeUserPreset (name);
    updatePresetDisplay();
}

void VeskSchematicPluginAudioProcessorEditor::showSaveUserPresetWindow()
{
    auto* dialog = new juce::AlertWindow ("Save User Preset",
                                          "Name this preset. It will store the current control, oversampling, and power settings.",
                                          juce::MessageBoxIconType::NoIcon, nullptr);
    dialog->addTextEditor ("presetName", {}, "Preset name", false);
    dialog->addButton ("Save", 1, juce::KeyPress (juce::KeyPress::returnKey));
    dialog->addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    juce::Component::SafePointer<VeskSchematicPluginAudioProcessorEditor> safeEditor (this);
    juce::Component::SafePointer<juce::AlertWindow> safeDialog (dialog);

    dialog->enterModalState (true, juce::ModalCallbackFunction::create ([safeEditor, safeDialog] (int result)
    {
        if (result != 1 || safeEditor == nullptr || safeDialog == nullptr)
            return;

        juce::String name;
        if (auto* field = safeDialog->getTextEditor ("presetName"))
            name = field->getText();

        safeEditor->handleSaveUserPresetResult (name);
    }), true);
}
