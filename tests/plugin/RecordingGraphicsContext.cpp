#include "RecordingGraphicsContext.h"

namespace vesk::test
{
namespace
{
    const juce::Rectangle<float> unclipped { -100000.0f, -100000.0f, 200000.0f, 200000.0f };
}

RecordingGraphicsContext::RecordingGraphicsContext()
{
    state.clip = unclipped;
}

std::vector<DrawnItem> RecordingGraphicsContext::itemsOfKind (DrawnItem::Kind kind) const
{
    std::vector<DrawnItem> matching;
    for (const auto& item : items)
        if (item.kind == kind)
            matching.push_back (item);
    return matching;
}

void RecordingGraphicsContext::setOrigin (juce::Point<int> origin)
{
    addTransform (juce::AffineTransform::translation ((float) origin.x, (float) origin.y));
}

void RecordingGraphicsContext::addTransform (const juce::AffineTransform& transform)
{
    state.transform = transform.followedBy (state.transform);
}

bool RecordingGraphicsContext::clipToRectangle (const juce::Rectangle<int>& area)
{
    state.clip = state.clip.getIntersection (area.toFloat().transformedBy (state.transform));
    return ! state.clip.isEmpty();
}

bool RecordingGraphicsContext::clipToRectangleList (const juce::RectangleList<int>& list)
{
    return clipToRectangle (list.getBounds());
}

void RecordingGraphicsContext::clipToPath (const juce::Path& path, const juce::AffineTransform& transform)
{
    state.clip = state.clip.getIntersection (path.getBoundsTransformed (transform.followedBy (state.transform)));
}

juce::Rectangle<int> RecordingGraphicsContext::getClipBounds() const
{
    return state.clip.transformedBy (state.transform.inverted()).getSmallestIntegerContainer();
}

void RecordingGraphicsContext::saveState()
{
    savedStates.push_back (state);
}

void RecordingGraphicsContext::restoreState()
{
    if (! savedStates.empty())
    {
        state = savedStates.back();
        savedStates.pop_back();
    }
}

void RecordingGraphicsContext::fillRectList (const juce::RectangleList<float>& list)
{
    for (const auto& r : list)
        record (DrawnItem::Kind::rectangle, r);
}

void RecordingGraphicsContext::fillPath (const juce::Path& path, const juce::AffineTransform& transform)
{
    record (DrawnItem::Kind::path, path.getBoundsTransformed (transform));
}

void RecordingGraphicsContext::drawImage (const juce::Image& image, const juce::AffineTransform& transform)
{
    auto& item = record (DrawnItem::Kind::image, image.getBounds().toFloat().transformedBy (transform));
    item.image = image;
    item.transform = transform.followedBy (state.transform);
}

void RecordingGraphicsContext::drawLine (const juce::Line<float>& line)
{
    record (DrawnItem::Kind::path, juce::Rectangle<float> (line.getStart(), line.getEnd()));
}

#if JUCE_MAJOR_VERSION >= 8
void RecordingGraphicsContext::drawGlyphs (juce::Span<const uint16_t> glyphs, juce::Span<const juce::Point<float>> positions,
                                           const juce::AffineTransform& transform)
{
    for (size_t i = 0; i < glyphs.size(); ++i)
        recordGlyph ((int) glyphs[i], juce::AffineTransform::translation (positions[i]).followedBy (transform));
}
#else
void RecordingGraphicsContext::drawGlyph (int glyphNumber, const juce::AffineTransform& transform)
{
    recordGlyph (glyphNumber, transform);
}
#endif

void RecordingGraphicsContext::recordGlyph (int glyphNumber, const juce::AffineTransform& transform)
{
    const auto origin = juce::Point<float>().transformedBy (transform);
    auto& item = record (DrawnItem::Kind::glyph, { origin.x, origin.y, 0.0f, 0.0f });
    item.glyphNumber = glyphNumber;
    item.transform = transform.followedBy (state.transform);
}

DrawnItem& RecordingGraphicsContext::record (DrawnItem::Kind kind, juce::Rectangle<float> userBounds)
{
    DrawnItem item { kind, userBounds.transformedBy (state.transform), {}, false, {}, state.opacity, {}, {}, -1, state.font, state.clip };

    if (state.fill.isGradient())
    {
        item.isGradient = true;
        item.gradient = *state.fill.gradient;
    }
    else
    {
        item.colour = state.fill.colour;
    }

    items.push_back (item);
    return items.back();
}
} // namespace vesk::test
