#pragma once

#include <JuceHeader.h>

#include <array>

namespace vesk::editor
{
// The unit's photographic artwork, decoded from the embedded PNGs. A member stays null when its
// resource is missing or fails to decode; every drawing falls back on its own.
struct Artwork
{
    juce::Image realisticBottomPanel;        // recoloured to dark brushed metal
    juce::Image realisticFaceplateTop;       // recoloured to grey brushed steel
    juce::Image realisticKnobLarge;
    juce::Image realisticKnobSmall;
    juce::Image realisticLogo;               // recoloured to ink on a transparent ground
    juce::Image realisticPilotLight;
    juce::Image realisticSwitchFrequency;
    juce::Image realisticSwitchOversampling;
    juce::Image realisticVuMeter;
    juce::Image realisticVuMeterAlt;
    juce::Image littlePhattyFilmstrip;       // 128 knob frames of 128 x 128, top to bottom
    juce::Image realisticPanelScrew;
    juce::Image realisticRackScrew;
    juce::Image realisticTubeHeatMeter;
};

// One embedded PNG: its resource name, where it lands and the size it is drawn for.
struct ArtworkResource
{
    const char* resourceName;
    juce::Image Artwork::*image;
    int width;
    int height;
};

// Every artwork resource, in the order they are decoded.
const std::array<ArtworkResource, 14>& artworkResources();

// The names of the resources actually embedded in this build (empty without artwork).
juce::StringArray embeddedResourceNames();

// Decodes one embedded resource as it is stored, without recolouring; null if missing.
juce::Image decodeEmbeddedResource (const char* resourceName);

// Decodes every resource and recolours the bottom panel, the faceplate and the logo.
Artwork decodeEmbeddedArtwork();

// Decodes and prepares the artwork on the first call of the process; later calls return at once.
// A resource that fails to decode stays null and is not tried again.
void ensureAssetsLoaded();

// The process-wide artwork that every paint reads. Loads it first if nobody has yet.
const Artwork& artwork();

// While alive, every drawing sees the given artwork instead of the embedded one; the contact
// sheet and the tests use it to draw the vector fallbacks or synthetic images.
class ScopedArtworkOverride
{
public:
    explicit ScopedArtworkOverride (Artwork replacement);
    ~ScopedArtworkOverride();

    ScopedArtworkOverride (const ScopedArtworkOverride&) = delete;
    ScopedArtworkOverride& operator= (const ScopedArtworkOverride&) = delete;

private:
    Artwork saved;
};
} // namespace vesk::editor
