#include "editor/EditorLayout.h"

#include <cmath>

namespace vesk::editor
{
DesignMapping designMapping (int width, int height)
{
    const float w = static_cast<float> (width);
    const float h = static_cast<float> (height);
    const float scale = juce::jmin (w / designWidth, h / designHeight);
    return { scale, (w - designWidth * scale) / 2.0f, (h - designHeight * scale) / 2.0f };
}

juce::Rectangle<int> mapDesignRectangle (juce::Rectangle<float> design, int width, int height)
{
    const auto mapping = designMapping (width, height);
    // nearbyint rounds halves to even in the default rounding mode.
    const auto nearest = [] (float v) { return static_cast<int> (std::nearbyint (v)); };

    return { nearest (mapping.offsetX + design.getX() * mapping.scale),
             nearest (mapping.offsetY + design.getY() * mapping.scale),
             nearest (design.getWidth() * mapping.scale),
             nearest (design.getHeight() * mapping.scale) };
}
} // namespace vesk::editor
