#pragma once

#include <JuceHeader.h>

// The framework's own per-platform step of its message loop. The plug-in builds without
// modal loops, so the tests drive pending messages (clicks, async menus) through this.
namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace testsupport
{
inline void dispatchPendingMessages()
{
    for (int i = 0; i < 1000 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
}
} // namespace testsupport
