#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main (int argc, char** argv)
{
    // Before anything can look up the documents folder: the tests never touch the real HOME.
    const auto& home = testsupport::temporaryHome();
    setenv ("HOME", home.c_str(), 1);
    unsetenv ("XDG_CONFIG_HOME");
    unsetenv ("XDG_DOCUMENTS_DIR");
    unsetenv ("XDG_DATA_HOME");

    testing::InitGoogleTest (&argc, argv);
    const int result = RUN_ALL_TESTS();

    std::error_code ignored;
    std::filesystem::remove_all (home, ignored);
    return result;
}
