#include "PersistenceTestSupport.h"

#include <optional>

using namespace persistencetest;

namespace
{
using EditorSizeStore = PersistenceTest;

std::string repeated (const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}
} // namespace

TEST_F (EditorSizeStore, theReaderConvertsLimitsOrRefuses)
{
    struct Case
    {
        const char* what;
        std::optional<std::string> fileBytes; // none: no file at all
        bool loads;
        int width, height; // when it loads
    };

    const Case cases[] = {
        { "a stored size", R"({"width": 1152, "height": 600})", true, 1152, 600 },
        { "members in any order, with white space and line ends", "{\r\n  \"height\" : 700,\n\"width\":1000 }\n", true, 1000, 700 },
        { "2000 x 300 is limited to the bounds", R"({"width": 2000, "height": 300})", true, 1536, 500 },
        { "only a width, as text", R"({"width": "1200"})", true, 1200, 500 },
        { "an empty object", "{}", true, 960, 500 },
        { "numbers are truncated toward zero", R"({"width": 1152.99, "height": 600.5})", true, 1152, 600 },
        { "numeric text gives its leading integer", R"({"width": " 1300px", "height": "700.9"})", true, 1300, 700 },
        { "other kinds count as 0", R"({"width": true, "height": [700]})", true, 960, 500 },
        { "text without a number counts as 0", R"({"width": "wide", "height": null})", true, 960, 500 },
        { "negative numbers", R"({"width": -1200, "height": -1e300})", true, 960, 500 },
        { "numbers beyond every integer", R"({"width": 99999999999999999999999999, "height": 1e99999999999})", true, 1536, 800 },
        { "integers just beyond 32 bits do not wrap around", R"({"width": 4294968256, "height": "4294967796"})", true, 1536, 800 },
        { "tiny numbers", R"({"width": 1e-99999999999, "height": 0.000001})", true, 960, 500 },
        { "a byte-order mark before the object", "\xef\xbb\xbf{\"width\": 1000, \"height\": 600}", true, 1000, 600 },
        { "an array", "[1152, 600]", false, 0, 0 },
        { "a string", R"("1152 x 600")", false, 0, 0 },
        { "a number", "1152", false, 0, 0 },
        { "an empty file", "", false, 0, 0 },
        { "text that is not JSON", "width=1152 height=600", false, 0, 0 },
        { "an object cut in the middle", R"({"width": 1152, "hei)", false, 0, 0 },
        { "nesting deep enough to exhaust the parser's stack", "{\"width\": 1000, \"x\": " + repeated ("[", 2000000) + "}", false, 0, 0 },
        { "no file", std::nullopt, false, 0, 0 },
    };

    for (const auto& c : cases)
    {
        testsupport::clearTemporaryHome();
        if (c.fileBytes)
            writeBytes (sizeFile(), *c.fileBytes);

        // The constructor reads the file, and falls back to 1536 x 800.
        VeskSchematicPluginAudioProcessor processor;
        EXPECT_EQ (processor.storedEditorWidth, c.loads ? c.width : 1536) << c.what;
        EXPECT_EQ (processor.storedEditorHeight, c.loads ? c.height : 800) << c.what;

        // A failed read leaves whatever the members hold.
        processor.storedEditorWidth = 1001;
        processor.storedEditorHeight = 501;
        EXPECT_EQ (processor.loadStoredEditorSize(), c.loads) << c.what;
        EXPECT_EQ (processor.storedEditorWidth, c.loads ? c.width : 1001) << c.what;
        EXPECT_EQ (processor.storedEditorHeight, c.loads ? c.height : 501) << c.what;
    }
}

TEST_F (EditorSizeStore, aFolderWhereTheFileShouldBeDoesNotLoad)
{
    ASSERT_TRUE (sizeFile().createDirectory().wasOk());
    VeskSchematicPluginAudioProcessor processor;
    EXPECT_FALSE (processor.loadStoredEditorSize());
    EXPECT_EQ (processor.getEditorSizeFile(), sizeFile());
}

TEST_F (EditorSizeStore, theWriterWritesOneLineOfJsonThroughATemporaryFile)
{
    struct Case
    {
        int width, height;
        const char* expected;
    };

    const Case cases[] = {
        { 1152, 600, R"({"width": 1152, "height": 600})" },
        { 960, 500, R"({"width": 960, "height": 500})" },
        { 2000, 100, R"({"width": 1536, "height": 500})" },
        { -5, 99999, R"({"width": 960, "height": 800})" },
    };

    for (const auto& c : cases)
    {
        // The folder does not exist yet the first time, and the file does the second time.
        EXPECT_TRUE (editorSize::writeSizeFile (sizeFile(), c.width, c.height));
        EXPECT_EQ (readBytes (sizeFile()), c.expected);
        EXPECT_EQ (sizeFile().getParentDirectory().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

        VeskSchematicPluginAudioProcessor reader;
        EXPECT_EQ (reader.storedEditorWidth, editorSize::clampWidth (c.width));
        EXPECT_EQ (reader.storedEditorHeight, editorSize::clampHeight (c.height));
    }
}

TEST_F (EditorSizeStore, aFailedWriteKeepsThePreviousFile)
{
    writeBytes (sizeFile(), R"({"width": 1152, "height": 600})");
    const auto before = folderContents (documentsFolder());

    {
        FileSizeLimit limit (10);
        EXPECT_FALSE (editorSize::writeSizeFile (sizeFile(), 960, 500));
    }
    EXPECT_EQ (folderContents (documentsFolder()), before);

    // A file where the folder should be: nothing can be written, nothing breaks.
    productFolder().deleteRecursively();
    ASSERT_TRUE (productFolder().create());
    EXPECT_FALSE (editorSize::writeSizeFile (sizeFile(), 960, 500));
    EXPECT_TRUE (productFolder().existsAsFile());
}

TEST_F (EditorSizeStore, aFreshInstanceWithoutFilesOpensAtTheLargestSizeAndWritesNothing)
{
    {
        VeskSchematicPluginAudioProcessor processor;
        EXPECT_EQ (processor.storedEditorWidth, 1536);
        EXPECT_EQ (processor.storedEditorHeight, 800);
    }
    EXPECT_FALSE (documentsFolder().exists());
}
