#include <JuceHeader.h>

#include <gtest/gtest.h>

namespace
{
// The framework's message manager and fonts exist for the whole test process.
class JuceTestEnvironment : public testing::Environment
{
public:
    void SetUp() override { initialiser = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { initialiser.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> initialiser;
};

[[maybe_unused]] const auto* const environment = testing::AddGlobalTestEnvironment (new JuceTestEnvironment());
} // namespace
