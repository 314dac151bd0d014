#include "PluginProcessor.h"

#include <gtest/gtest.h>

TEST (ProcessorShell, placeholder)
{
    VeskSchematicPluginAudioProcessor processor;
    EXPECT_EQ (processor.getName(), "Vesk Q84D");
}
