#pragma once

#include "editor/Fonts.h"

#include <JuceHeader.h>

#include <vector>

namespace vesk::test
{
// One thing drawn, in the coordinates of the context (the Graphics' transforms applied).
struct DrawnItem
{
    enum class Kind
    {
        rectangle,
        path,
        image,
        glyph
    };

    Kind kind;
    juce::Rectangle<float> bounds;    // what was covered; for a glyph, its origin as a point
    juce::Colour colour;              // the solid fill colour (transparent when a gradient)
    bool isGradient = false;
    juce::ColourGradient gradient;    // the gradient in the caller's coordinates
    float opacity = 1.0f;
    juce::Image image;                // the image drawn, for images
    juce::AffineTransform transform;  // image or glyph to context coordinates
    int glyphNumber = -1;
    juce::Font font = vesk::editor::makeFont (12.0f, juce::Font::plain);
    juce::Rectangle<float> clip;      // the clip when drawn (huge when unclipped)
};

// A graphics context that draws nothing and records every fill, image and glyph with its colour,
// opacity, transform and clip, so tests can check what a paint routine puts where.
class RecordingGraphicsContext : public juce::LowLevelGraphicsContext
{
public:
    RecordingGraphicsContext();

    std::vector<DrawnItem> items;

    // Only the items of one kind, in drawing order.
    std::vector<DrawnItem> itemsOfKind (DrawnItem::Kind kind) const;

    bool isVectorDevice() const override { return false; }
    void setOrigin (juce::Point<int> origin) override;
    void addTransform (const juce::AffineTransform& transform) override;
#if JUCE_MAJOR_VERSION >= 8
    float getPhysicalPixelScaleFactor() const override { return 1.0f; }
    uint64_t getFrameId() const override { return 0; }
#else
    float getPhysicalPixelScaleFactor() override { return 1.0f; }
#endif

    bool clipToRectangle (const juce::Rectangle<int>& area) override;
    bool clipToRectangleList (const juce::RectangleList<int>& list) override;
    void excludeClipRectangle (const juce::Rectangle<int>&) override {}
    void clipToPath (const juce::Path& path, const juce::AffineTransform& transform) override;
    void clipToImageAlpha (const juce::Image&, const juce::AffineTransform&) override {}
    bool clipRegionIntersects (const juce::Rectangle<int>&) override { return true; }
    juce::Rectangle<int> getClipBounds() const override;
    bool isClipEmpty() const override { return false; }

    void saveState() override;
    void restoreState() override;
    void beginTransparencyLayer (float) override { saveState(); }
    void endTransparencyLayer() override { restoreState(); }

    void setFill (const juce::FillType& fill) override { state.fill = fill; }
    void setOpacity (float opacity) override { state.opacity = opacity; }
    void setInterpolationQuality (juce::Graphics::ResamplingQuality) override {}

    void fillRect (const juce::Rectangle<int>& area, bool) override { record (DrawnItem::Kind::rectangle, area.toFloat()); }
    void fillRect (const juce::Rectangle<float>& area) override { record (DrawnItem::Kind::rectangle, area); }
    void fillRectList (const juce::RectangleList<float>& list) override;
    void fillPath (const juce::Path& path, const juce::AffineTransform& transform) override;
    void drawImage (const juce::Image& image, const juce::AffineTransform& transform) override;
    void drawLine (const juce::Line<float>& line) override;

    void setFont (const juce::Font& font) override { state.font = font; }
    const juce::Font& getFont() override { return state.font; }
#if JUCE_MAJOR_VERSION >= 8
    void drawGlyphs (juce::Span<const uint16_t> glyphs, juce::Span<const juce::Point<float>> positions,
                     const juce::AffineTransform& transform) override;
#else
    void drawGlyph (int glyphNumber, const juce::AffineTransform& transform) override;
#endif

private:
    struct State
    {
        juce::AffineTransform transform;
        juce::FillType fill;
        float opacity = 1.0f;
        juce::Font font = vesk::editor::makeFont (12.0f, juce::Font::plain);
        juce::Rectangle<float> clip;
    };

    DrawnItem& record (DrawnItem::Kind kind, juce::Rectangle<float> userBounds);
    void recordGlyph (int glyphNumber, const juce::AffineTransform& transform);

    State state;
    std::vector<State> savedStates;
};
} // namespace vesk::test
