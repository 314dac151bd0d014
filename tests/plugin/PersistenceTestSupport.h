#pragma once

#include "PluginProcessor.h"
#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <map>
#include <string>
#include <sys/resource.h>

// Files, snapshots and failure simulations shared by the preset, state and size-file tests.
// The paths are spelled out here rather than taken from the plug-in, so a wrong path fails.
namespace persistencetest
{
inline juce::File documentsFolder() { return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory); }

inline juce::File productFolder() { return documentsFolder().getChildFile ("Vesk Plugins").getChildFile ("Vesk Q84D Saturator"); }

inline juce::File presetsFile() { return productFolder().getChildFile ("User Presets").getChildFile ("User Presets.xml"); }

inline juce::File earlierPresetsFile()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Vesk Plugins")
        .getChildFile ("Vesk Q84D Saturator")
        .getChildFile ("User Presets.xml");
}

inline juce::File sizeFile() { return productFolder().getChildFile ("editor-size.json"); }

inline void writeBytes (const juce::File& file, const std::string& bytes)
{
    ASSERT_TRUE (file.getParentDirectory().createDirectory().wasOk());
    ASSERT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
}

inline std::string readBytes (const juce::File& file)
{
    juce::MemoryBlock block;
    if (! file.loadFileAsData (block))
        return {};
    return { static_cast<const char*> (block.getData()), block.getSize() };
}

// Every file and folder below a folder, hidden ones included, with the files' bytes.
inline std::map<std::string, std::string> folderContents (const juce::File& folder)
{
    std::map<std::string, std::string> contents;
    for (const auto& entry : juce::RangedDirectoryIterator (folder, true, "*", juce::File::findFilesAndDirectories))
        contents[entry.getFile().getRelativePathFrom (folder).toStdString()] = entry.isDirectory() ? "<folder>" : readBytes (entry.getFile());
    return contents;
}

inline float rawValue (VeskSchematicPluginAudioProcessor& processor, const juce::String& id)
{
    return processor.apvts.getRawParameterValue (id)->load();
}

inline void setPlain (VeskSchematicPluginAudioProcessor& processor, const juce::String& id, float plainValue)
{
    ASSERT_TRUE (setParameterFromPlainValue (processor.apvts, id, plainValue));
}

// Everything a restore or a preset operation may change.
struct Snapshot
{
    std::array<float, 11> values {};
    int program = 0;
    juce::String userPresetName;
    int editorWidth = 0, editorHeight = 0;

    bool operator== (const Snapshot& other) const
    {
        return values == other.values && program == other.program && userPresetName == other.userPresetName
            && editorWidth == other.editorWidth && editorHeight == other.editorHeight;
    }
};

inline Snapshot snapshot (VeskSchematicPluginAudioProcessor& processor)
{
    Snapshot s;
    for (int i = 0; i < presetParameterIds.size(); ++i)
        s.values[(size_t) i] = rawValue (processor, presetParameterIds[i]);
    s.program = processor.getCurrentProgram();
    s.userPresetName = processor.currentUserPresetName;
    s.editorWidth = processor.storedEditorWidth;
    s.editorHeight = processor.storedEditorHeight;
    return s;
}

inline std::ostream& operator<< (std::ostream& out, const Snapshot& s)
{
    out << "{";
    for (auto v : s.values)
        out << v << " ";
    return out << "program " << s.program << ", preset \"" << s.userPresetName << "\", editor "
               << s.editorWidth << "x" << s.editorHeight << "}";
}

// Every test starts without preset or size files.
class PersistenceTest : public testing::Test
{
protected:
    void SetUp() override { testsupport::clearTemporaryHome(); }
    void TearDown() override { testsupport::clearTemporaryHome(); }
};

// Writes that fail part-way, as on a full disk: the process may not grow any file beyond
// a few bytes while this lives. Tests run as root, so folder permissions cannot do this.
class FileSizeLimit
{
public:
    explicit FileSizeLimit (rlim_t maximumBytes)
    {
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        getrlimit (RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = maximumBytes;
        setrlimit (RLIMIT_FSIZE, &limited);
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit previous {};
    void (*previousHandler) (int) = nullptr;
};
} // namespace persistencetest
