#include "editor/Fonts.h"

namespace vesk::editor
{
juce::Font makeFont (float height, int styleFlags)
{
#if JUCE_MAJOR_VERSION >= 8
    return juce::Font (juce::FontOptions (height, styleFlags));
#else
    return juce::Font (height, styleFlags);
#endif
}

juce::Font makeFont (float height, const juce::String& typefaceStyle)
{
#if JUCE_MAJOR_VERSION >= 8
    return juce::Font (juce::FontOptions (height, juce::Font::plain).withStyle (typefaceStyle));
#else
    return juce::Font (height, juce::Font::plain).withTypefaceStyle (typefaceStyle);
#endif
}
} // namespace vesk::editor
