#include "support/TemporaryHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace testsupport
{
const std::string& temporaryHome()
{
    static const std::string home = []
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-home-XXXXXX").string();
        if (mkdtemp (pattern.data()) == nullptr)
            throw std::runtime_error ("cannot create a temporary HOME");
        return pattern;
    }();
    return home;
}

void clearTemporaryHome()
{
    for (const auto& entry : std::filesystem::directory_iterator (temporaryHome()))
        std::filesystem::remove_all (entry.path());
}
} // namespace testsupport
