#include "editor/Artwork.h"

#include "editor/ArtworkRecolouring.h"

#if VESK_HAS_ARTWORK
    #include "BinaryData.h"
#endif

#include <utility>

namespace vesk::editor
{
namespace
{
    // Filled once, on first use, by decoding: the images are then created before this object is
    // complete, so they are released before the framework's own statics at process exit.
    Artwork& artworkStorage()
    {
        static Artwork storage = decodeEmbeddedArtwork();
        return storage;
    }
} // namespace

const std::array<ArtworkResource, 14>& artworkResources()
{
    static const std::array<ArtworkResource, 14> resources { {
        { "realistic_bottom_panel_png", &Artwork::realisticBottomPanel, 950, 126 },
        { "realistic_faceplate_top_png", &Artwork::realisticFaceplateTop, 950, 323 },
        { "realistic_knob_large_png", &Artwork::realisticKnobLarge, 169, 154 },
        { "realistic_knob_small_png", &Artwork::realisticKnobSmall, 114, 116 },
        { "realistic_logo_png", &Artwork::realisticLogo, 1024, 1024 },
        { "realistic_pilot_light_png", &Artwork::realisticPilotLight, 81, 81 },
        { "realistic_switch_frequency_png", &Artwork::realisticSwitchFrequency, 95, 142 },
        { "realistic_switch_oversampling_png", &Artwork::realisticSwitchOversampling, 98, 151 },
        { "realistic_vu_meter_png", &Artwork::realisticVuMeter, 269, 151 },
        { "realistic_vu_meter_alt_png", &Artwork::realisticVuMeterAlt, 270, 151 },
        { "littlephatty_filmstrip_png", &Artwork::littlePhattyFilmstrip, 128, 16384 },
        { "realistic_panel_screw_png", &Artwork::realisticPanelScrew, 80, 96 },
        { "realistic_rack_screw_png", &Artwork::realisticRackScrew, 70, 69 },
        { "realistic_tube_heat_meter_png", &Artwork::realisticTubeHeatMeter, 96, 340 },
    } };
    return resources;
}

juce::StringArray embeddedResourceNames()
{
    juce::StringArray names;
#if VESK_HAS_ARTWORK
    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
        names.add (BinaryData::namedResourceList[i]);
#endif
    return names;
}

juce::Image decodeEmbeddedResource (const char* resourceName)
{
#if VESK_HAS_ARTWORK
    int size = 0;
    if (const auto* data = BinaryData::getNamedResource (resourceName, size); data != nullptr && size > 0)
        return juce::ImageFileFormat::loadFrom (data, (size_t) size);
#else
    juce::ignoreUnused (resourceName);
#endif
    return {};
}

Artwork decodeEmbeddedArtwork()
{
    Artwork decoded;

    for (const auto& resource : artworkResources())
    {
        auto& image = decoded.*(resource.image);
        image = decodeEmbeddedResource (resource.resourceName);

        // Recolour right after decoding, so the source's pixels are released straight away.
        if (resource.image == &Artwork::realisticBottomPanel)
            image = recolourPanelImage (image, bottomPanelRecolour);
        else if (resource.image == &Artwork::realisticFaceplateTop)
            image = recolourPanelImage (image, faceplateRecolour);
        else if (resource.image == &Artwork::realisticLogo)
            image = recolourLogoImage (image);
    }

    return decoded;
}

void ensureAssetsLoaded()
{
    // Set before decoding, so a resource that fails is not tried again on every paint.
    static bool loaded = false;

    if (loaded)
        return;

    loaded = true;
    artworkStorage();
}

const Artwork& artwork()
{
    return artworkStorage();
}

ScopedArtworkOverride::ScopedArtworkOverride (Artwork replacement)
    : saved (std::exchange (artworkStorage(), std::move (replacement)))
{
}

ScopedArtworkOverride::~ScopedArtworkOverride()
{
    artworkStorage() = std::move (saved);
}
} // namespace vesk::editor
