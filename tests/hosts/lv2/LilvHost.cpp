#include "lv2/LilvHost.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/parameters/parameters.h>
#include <lv2/patch/patch.h>
#include <lv2/presets/presets.h>
#include <lv2/resize-port/resize-port.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace lilvhost
{
namespace
{
    constexpr const char* rdfsLabel = "http://www.w3.org/2000/01/rdf-schema#label";
    constexpr const char* rdfValue = "http://www.w3.org/1999/02/22-rdf-syntax-ns#value";
    constexpr const char* uriSeparator = ":";

    // Room for every parameter's patch:Set in one block, whatever the description asks.
    constexpr size_t smallestEventBufferBytes = 16384;

    struct NodeOwner
    {
        explicit NodeOwner (LilvNode* n) : node (n) {}
        ~NodeOwner() { lilv_node_free (node); }
        NodeOwner (const NodeOwner&) = delete;
        NodeOwner& operator= (const NodeOwner&) = delete;
        operator const LilvNode*() const { return node; }
        LilvNode* node;
    };

    float nodeAsFloat (const LilvNode* node, float fallback)
    {
        if (node != nullptr && (lilv_node_is_float (node) || lilv_node_is_int (node)))
            return lilv_node_as_float (node);
        return fallback;
    }

    std::string nodeAsText (const LilvNode* node)
    {
        if (node == nullptr)
            return {};
        if (lilv_node_is_uri (node))
            return lilv_node_as_uri (node);
        if (const char* text = lilv_node_as_string (node))
            return text;
        return {};
    }
} // namespace

//==============================================================================
UridMap::UridMap()
{
    mapData.handle = this;
    mapData.map = [] (LV2_URID_Map_Handle handle, const char* uri) { return static_cast<UridMap*> (handle)->map (uri); };
    unmapData.handle = this;
    unmapData.unmap = [] (LV2_URID_Unmap_Handle handle, LV2_URID urid) { return static_cast<UridMap*> (handle)->unmap (urid); };
}

LV2_URID UridMap::map (const char* uri)
{
    // Plug-ins may map from any thread outside the audio callback.
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto found = ids.find (uri); found != ids.end())
        return found->second;

    uris.push_back (std::make_unique<std::string> (uri));
    const auto urid = static_cast<LV2_URID> (uris.size());
    ids.emplace (uri, urid);
    return urid;
}

const char* UridMap::unmap (LV2_URID urid)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (urid == 0 || urid > uris.size())
        return nullptr;
    return uris[urid - 1]->c_str();
}

//==============================================================================
Bundle::Bundle (const std::string& bundleFolder, const std::string& pluginUri)
    : uri (pluginUri)
{
    world = lilv_world_new();

    std::error_code code;
    if (! std::filesystem::is_directory (bundleFolder, code))
    {
        loadError = "no LV2 bundle folder at " + bundleFolder;
        return;
    }

    if (! std::filesystem::exists (std::filesystem::path (bundleFolder) / "manifest.ttl", code))
    {
        loadError = "the bundle " + bundleFolder + " has no manifest.ttl";
        return;
    }

    // Only this bundle: what is installed elsewhere on the machine plays no part.
    auto folder = std::filesystem::absolute (bundleFolder).lexically_normal().string();
    if (folder.back() != '/')
        folder += '/';

    const NodeOwner bundleUri (lilv_new_file_uri (world, nullptr, folder.c_str()));
    lilv_world_load_bundle (world, bundleUri);

    const NodeOwner pluginNode (lilv_new_uri (world, pluginUri.c_str()));
    const auto* all = lilv_world_get_all_plugins (world);
    plugin = lilv_plugins_get_by_uri (all, pluginNode);

    if (plugin == nullptr)
    {
        loadError = "the bundle " + bundleFolder + " describes no plug-in <" + pluginUri + ">; it describes:";
        LILV_FOREACH (plugins, i, all)
            loadError += " <" + std::string (lilv_node_as_uri (lilv_plugin_get_uri (lilv_plugins_get (all, i)))) + ">";
        return;
    }

    for (const auto& preset : getPresets())
    {
        const NodeOwner node (lilv_new_uri (world, preset.uri.c_str()));
        lilv_world_load_resource (world, node);
    }
}

Bundle::~Bundle()
{
    lilv_world_free (world);
}

std::string Bundle::getName() const
{
    if (plugin == nullptr)
        return {};

    LilvNode* name = lilv_plugin_get_name (plugin);
    auto text = nodeAsText (name);
    lilv_node_free (name);
    return text;
}

std::vector<std::string> Bundle::getRequiredFeatures() const
{
    std::vector<std::string> result;
    if (plugin == nullptr)
        return result;

    LilvNodes* required = lilv_plugin_get_required_features (plugin);
    LILV_FOREACH (nodes, i, required)
        result.push_back (nodeAsText (lilv_nodes_get (required, i)));
    lilv_nodes_free (required);
    return result;
}

std::vector<std::string> Bundle::stringsOf (const LilvNode* subject, const char* predicate) const
{
    std::vector<std::string> result;
    const NodeOwner predicateNode (lilv_new_uri (world, predicate));
    LilvNodes* nodes = lilv_world_find_nodes (world, subject, predicateNode, nullptr);
    LILV_FOREACH (nodes, i, nodes)
        result.push_back (nodeAsText (lilv_nodes_get (nodes, i)));
    lilv_nodes_free (nodes);
    return result;
}

std::vector<DescribedParameter> Bundle::getParameters() const
{
    std::vector<DescribedParameter> result;
    if (plugin == nullptr)
        return result;

    const auto prefix = uri + uriSeparator;

    for (const auto& parameterUri : stringsOf (lilv_plugin_get_uri (plugin), LV2_PATCH__writable))
    {
        DescribedParameter parameter;
        parameter.uri = parameterUri;
        parameter.id = parameterUri.rfind (prefix, 0) == 0 ? parameterUri.substr (prefix.size()) : parameterUri;

        const NodeOwner subject (lilv_new_uri (world, parameterUri.c_str()));
        const NodeOwner labelKey (lilv_new_uri (world, rdfsLabel));
        const NodeOwner minimumKey (lilv_new_uri (world, LV2_CORE__minimum));
        const NodeOwner maximumKey (lilv_new_uri (world, LV2_CORE__maximum));
        const NodeOwner defaultKey (lilv_new_uri (world, LV2_CORE__default));
        const NodeOwner scalePointKey (lilv_new_uri (world, LV2_CORE__scalePoint));
        const NodeOwner valueKey (lilv_new_uri (world, rdfValue));

        const NodeOwner label (lilv_world_get (world, subject, labelKey, nullptr));
        const NodeOwner minimum (lilv_world_get (world, subject, minimumKey, nullptr));
        const NodeOwner maximum (lilv_world_get (world, subject, maximumKey, nullptr));
        const NodeOwner defaultValue (lilv_world_get (world, subject, defaultKey, nullptr));

        parameter.label = nodeAsText (label);
        parameter.hasRange = minimum.node != nullptr && maximum.node != nullptr;
        parameter.minimum = nodeAsFloat (minimum, 0.0f);
        parameter.maximum = nodeAsFloat (maximum, 0.0f);
        parameter.defaultValue = nodeAsFloat (defaultValue, 0.0f);

        std::vector<std::pair<float, std::string>> points;
        LilvNodes* scalePoints = lilv_world_find_nodes (world, subject, scalePointKey, nullptr);
        LILV_FOREACH (nodes, i, scalePoints)
        {
            const auto* point = lilv_nodes_get (scalePoints, i);
            const NodeOwner pointLabel (lilv_world_get (world, point, labelKey, nullptr));
            const NodeOwner pointValue (lilv_world_get (world, point, valueKey, nullptr));
            points.emplace_back (nodeAsFloat (pointValue, 0.0f), nodeAsText (pointLabel));
        }
        lilv_nodes_free (scalePoints);

        std::sort (points.begin(), points.end());
        parameter.scalePoints = std::move (points);

        result.push_back (std::move (parameter));
    }

    return result;
}

std::vector<DescribedPreset> Bundle::getPresets() const
{
    std::vector<DescribedPreset> result;
    if (plugin == nullptr)
        return result;

    const NodeOwner presetClass (lilv_new_uri (world, LV2_PRESETS__Preset));
    const NodeOwner labelKey (lilv_new_uri (world, rdfsLabel));
    LilvNodes* presets = lilv_plugin_get_related (plugin, presetClass);

    std::vector<std::pair<long, DescribedPreset>> numbered;
    LILV_FOREACH (nodes, i, presets)
    {
        const auto* node = lilv_nodes_get (presets, i);
        const NodeOwner label (lilv_world_get (world, node, labelKey, nullptr));
        DescribedPreset preset { nodeAsText (node), nodeAsText (label) };

        // "...:preset12" is program 11; presets without a number go last, by URI.
        const auto digits = preset.uri.find_last_not_of ("0123456789") + 1;
        const long number = digits < preset.uri.size() ? std::strtol (preset.uri.c_str() + digits, nullptr, 10) : 1L << 30;
        numbered.emplace_back (number, std::move (preset));
    }
    lilv_nodes_free (presets);

    std::sort (numbered.begin(), numbered.end(), [] (const auto& a, const auto& b)
               { return a.first != b.first ? a.first < b.first : a.second.uri < b.second.uri; });

    for (auto& entry : numbered)
        result.push_back (std::move (entry.second));
    return result;
}

std::string Bundle::parameterUri (const std::string& id) const
{
    for (const auto& parameter : getParameters())
        if (parameter.id == id || parameter.uri == id)
            return parameter.uri;
    return {};
}

//==============================================================================
Instance::Instance (Bundle& bundle, double sampleRate, int maxBlockLength)
    : owner (bundle)
    , maxBlock (std::max (1, maxBlockLength))
{
    if (! bundle.isLoaded())
    {
        instantiateError = bundle.error();
        return;
    }

    auto& urids = bundle.getUrids();
    ids.atomFloat = urids.map (LV2_ATOM__Float);
    ids.atomInt = urids.map (LV2_ATOM__Int);
    ids.atomSequence = urids.map (LV2_ATOM__Sequence);
    ids.atomChunk = urids.map (LV2_ATOM__Chunk);
    ids.atomObject = urids.map (LV2_ATOM__Object);
    ids.atomBlank = urids.map (LV2_ATOM__Blank);
    ids.atomUrid = urids.map (LV2_ATOM__URID);
    ids.patchSet = urids.map (LV2_PATCH__Set);
    ids.patchProperty = urids.map (LV2_PATCH__property);
    ids.patchValue = urids.map (LV2_PATCH__value);

    auto* world = bundle.getWorld();
    const auto* plugin = bundle.getPlugin();

    const NodeOwner audioClass (lilv_new_uri (world, LV2_CORE__AudioPort));
    const NodeOwner controlClass (lilv_new_uri (world, LV2_CORE__ControlPort));
    const NodeOwner atomClass (lilv_new_uri (world, LV2_ATOM__AtomPort));
    const NodeOwner inputClass (lilv_new_uri (world, LV2_CORE__InputPort));
    const NodeOwner reportsLatency (lilv_new_uri (world, LV2_CORE__reportsLatency));
    const NodeOwner latencyDesignation (lilv_new_uri (world, LV2_CORE__latency));
    const NodeOwner connectionOptional (lilv_new_uri (world, LV2_CORE__connectionOptional));
    const NodeOwner minimumSizeKey (lilv_new_uri (world, LV2_RESIZE_PORT__minimumSize));
    const NodeOwner designationKey (lilv_new_uri (world, LV2_CORE__designation));

    // Event buffers as large as the largest atom port asks for.
    size_t eventBytes = smallestEventBufferBytes;
    const auto numPorts = lilv_plugin_get_num_ports (plugin);

    for (uint32_t index = 0; index < numPorts; ++index)
    {
        const auto* port = lilv_plugin_get_port_by_index (plugin, index);
        if (lilv_port_is_a (plugin, port, atomClass))
        {
            LilvNodes* sizes = lilv_port_get_value (plugin, port, minimumSizeKey);
            if (sizes != nullptr && lilv_nodes_size (sizes) > 0)
                eventBytes = std::max (eventBytes, static_cast<size_t> (lilv_node_as_int (lilv_nodes_get_first (sizes))));
            lilv_nodes_free (sizes);
        }
    }

    eventBytes = (eventBytes + 7) & ~static_cast<size_t> (7);
    eventsIn.assign (eventBytes / 8, 0);
    eventsOut.assign (eventBytes / 8, 0);

    // The options a JUCE plug-in reads at instantiation: rate, block lengths, sequence size.
    optionSampleRate = static_cast<float> (sampleRate);
    optionMaxBlock = maxBlock;
    optionNominalBlock = maxBlock;
    optionSequenceSize = static_cast<int32_t> (eventBytes);

    const auto option = [&] (const char* key, uint32_t size, LV2_URID type, const void* value)
    { return LV2_Options_Option { LV2_OPTIONS_INSTANCE, 0, urids.map (key), size, type, value }; };

    options = {
        option (LV2_PARAMETERS__sampleRate, sizeof (float), ids.atomFloat, &optionSampleRate),
        option (LV2_BUF_SIZE__minBlockLength, sizeof (int32_t), ids.atomInt, &optionMinBlock),
        option (LV2_BUF_SIZE__maxBlockLength, sizeof (int32_t), ids.atomInt, &optionMaxBlock),
        option (LV2_BUF_SIZE__nominalBlockLength, sizeof (int32_t), ids.atomInt, &optionNominalBlock),
        option (LV2_BUF_SIZE__sequenceSize, sizeof (int32_t), ids.atomInt, &optionSequenceSize),
        LV2_Options_Option { LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr },
    };

    featureStorage = {
        { LV2_URID__map, urids.mapFeatureData() },
        { LV2_URID__unmap, urids.unmapFeatureData() },
        { LV2_OPTIONS__options, options.data() },
        { LV2_BUF_SIZE__boundedBlockLength, nullptr },
    };
    for (auto& feature : featureStorage)
        features.push_back (&feature);
    features.push_back (nullptr);

    // Refuse what a real host would refuse: a required feature nobody provides.
    for (const auto& required : bundle.getRequiredFeatures())
    {
        const bool provided = std::any_of (featureStorage.begin(), featureStorage.end(),
                                           [&] (const LV2_Feature& f) { return required == f.URI; });
        if (! provided)
        {
            instantiateError = "the plug-in requires the feature <" + required + ">, which this host does not provide";
            return;
        }
    }

    instance = lilv_plugin_instantiate (plugin, sampleRate, features.data());
    if (instance == nullptr)
    {
        instantiateError = "lilv_plugin_instantiate failed for <" + bundle.getPluginUri() + ">";
        return;
    }

    for (uint32_t index = 0; index < numPorts; ++index)
    {
        const auto* port = lilv_plugin_get_port_by_index (plugin, index);
        const bool isInput = lilv_port_is_a (plugin, port, inputClass);
        const std::string symbol = lilv_node_as_string (lilv_port_get_symbol (plugin, port));

        if (lilv_port_is_a (plugin, port, audioClass))
        {
            auto& indices = isInput ? audioInputs : audioOutputs;
            auto& buffers = isInput ? inputBuffers : outputBuffers;
            indices.push_back (index);
            buffers.emplace_back (static_cast<size_t> (maxBlock), 0.0f);
            lilv_instance_connect_port (instance, index, buffers.back().data());
        }
        else if (lilv_port_is_a (plugin, port, controlClass))
        {
            LilvNode* defaultValue = nullptr;
            lilv_port_get_range (plugin, port, &defaultValue, nullptr, nullptr);
            LilvNode* designation = lilv_port_get (plugin, port, designationKey);

            auto control = std::make_unique<ControlPort>();
            control->index = index;
            control->symbol = symbol;
            control->isInput = isInput;
            control->reportsLatency = ! isInput
                                   && (lilv_port_has_property (plugin, port, reportsLatency)
                                       || (designation != nullptr && lilv_node_equals (designation, latencyDesignation)));
            control->value = isInput ? nodeAsFloat (defaultValue, 0.0f) : -1.0f;
            lilv_node_free (defaultValue);
            lilv_node_free (designation);

            lilv_instance_connect_port (instance, index, &control->value);
            controls.push_back (std::move (control));
        }
        else if (lilv_port_is_a (plugin, port, atomClass))
        {
            auto& buffer = isInput ? eventsIn : eventsOut;
            (isInput ? haveEventsIn : haveEventsOut) = true;
            lilv_instance_connect_port (instance, index, buffer.data());
        }
        else if (lilv_port_has_property (plugin, port, connectionOptional))
        {
            lilv_instance_connect_port (instance, index, nullptr);
        }
        else
        {
            instantiateError = "port \"" + symbol + "\" is of a kind this host does not know";
            lilv_instance_free (instance);
            instance = nullptr;
            return;
        }
    }

    lilv_instance_activate (instance);
}

Instance::~Instance()
{
    if (instance != nullptr)
    {
        lilv_instance_deactivate (instance);
        lilv_instance_free (instance);
    }
}

bool Instance::setParameter (const std::string& id, float plainValue)
{
    const auto uri = owner.parameterUri (id);
    if (uri.empty())
        return false;

    pendingChanges.emplace_back (owner.getUrids().map (uri.c_str()), plainValue);
    return true;
}

void Instance::runBlock (const float* const* input, float* const* output, int frames)
{
    frames = std::clamp (frames, 0, maxBlock);

    if (instance == nullptr)
    {
        for (size_t c = 0; c < outputBuffers.size(); ++c)
            std::fill (output[c], output[c] + frames, 0.0f);
        return;
    }

    const auto bytes = eventsIn.size() * sizeof (uint64_t);

    // The control sequence: one patch:Set per pending change, all at frame 0.
    LV2_Atom_Forge forge;
    lv2_atom_forge_init (&forge, owner.getUrids().mapFeatureData());
    lv2_atom_forge_set_buffer (&forge, reinterpret_cast<uint8_t*> (eventsIn.data()), bytes);
    LV2_Atom_Forge_Frame sequence;
    lv2_atom_forge_sequence_head (&forge, &sequence, 0);

    for (const auto& [property, value] : pendingChanges)
    {
        LV2_Atom_Forge_Frame object;
        lv2_atom_forge_frame_time (&forge, 0);
        lv2_atom_forge_object (&forge, &object, 0, ids.patchSet);
        lv2_atom_forge_key (&forge, ids.patchProperty);
        lv2_atom_forge_urid (&forge, property);
        lv2_atom_forge_key (&forge, ids.patchValue);
        lv2_atom_forge_float (&forge, value);
        lv2_atom_forge_pop (&forge, &object);
    }
    lv2_atom_forge_pop (&forge, &sequence);
    pendingChanges.clear();

    // The output sequence is handed over empty, its size the room the plug-in may fill.
    auto* out = reinterpret_cast<LV2_Atom*> (eventsOut.data());
    out->size = static_cast<uint32_t> (eventsOut.size() * sizeof (uint64_t) - sizeof (LV2_Atom));
    out->type = ids.atomChunk;

    for (size_t c = 0; c < inputBuffers.size(); ++c)
        std::copy (input[c], input[c] + frames, inputBuffers[c].begin());

    lilv_instance_run (instance, static_cast<uint32_t> (frames));

    for (size_t c = 0; c < outputBuffers.size(); ++c)
        std::copy (outputBuffers[c].begin(), outputBuffers[c].begin() + frames, output[c]);

    collectPatchSets();
}

void Instance::collectPatchSets()
{
    if (! haveEventsOut)
        return;

    const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*> (eventsOut.data());
    if (sequence->atom.type != ids.atomSequence)
        return;

    const auto prefix = owner.getPluginUri() + uriSeparator;

    LV2_ATOM_SEQUENCE_FOREACH (sequence, event)
    {
        if (event->body.type != ids.atomObject && event->body.type != ids.atomBlank)
            continue;

        const auto* object = reinterpret_cast<const LV2_Atom_Object*> (&event->body);
        if (object->body.otype != ids.patchSet)
            continue;

        const LV2_Atom* property = nullptr;
        const LV2_Atom* value = nullptr;
        lv2_atom_object_get (object, ids.patchProperty, &property, ids.patchValue, &value, 0);

        if (property == nullptr || value == nullptr || property->type != ids.atomUrid || value->type != ids.atomFloat)
            continue;

        const char* uri = owner.getUrids().unmap (reinterpret_cast<const LV2_Atom_URID*> (property)->body);
        if (uri == nullptr)
            continue;

        std::string id = uri;
        if (id.rfind (prefix, 0) == 0)
            id = id.substr (prefix.size());
        reported[id] = reinterpret_cast<const LV2_Atom_Float*> (value)->body;
    }
}

hosttest::Audio Instance::process (const hosttest::Audio& input, int blockLength)
{
    hosttest::Audio output;
    output.sampleRate = input.sampleRate;
    output.channels.assign (audioOutputs.size(), std::vector<float> (static_cast<size_t> (input.numFrames())));

    const auto block = std::clamp (blockLength, 1, maxBlock);
    std::vector<const float*> in (audioInputs.size());
    std::vector<float*> out (audioOutputs.size());

    for (int start = 0; start < input.numFrames(); start += block)
    {
        const auto frames = std::min (block, input.numFrames() - start);

        // A mono file feeds every input port; further ports get its last channel.
        for (size_t c = 0; c < in.size(); ++c)
            in[c] = input.channels[std::min (c, input.channels.size() - 1)].data() + start;
        for (size_t c = 0; c < out.size(); ++c)
            out[c] = output.channels[c].data() + start;

        runBlock (in.data(), out.data(), frames);
    }

    return output;
}

float Instance::latency() const
{
    for (const auto& control : controls)
        if (control->reportsLatency)
            return control->value;
    return -1.0f;
}

bool Instance::applyPreset (const std::string& presetUri, std::string& error)
{
    auto* world = owner.getWorld();
    const NodeOwner node (lilv_new_uri (world, presetUri.c_str()));
    lilv_world_load_resource (world, node);

    LilvState* state = instance != nullptr ? lilv_state_new_from_world (world, owner.getUrids().mapFeatureData(), node) : nullptr;
    if (state == nullptr)
    {
        error = "lilv found no state for the preset <" + presetUri + ">";
        return false;
    }

    restoreState (state);
    lilv_state_free (state);
    return true;
}

LilvState* Instance::saveState()
{
    if (instance == nullptr)
        return nullptr;

    const auto getPortValue = [] (const char* symbol, void* userData, uint32_t* size, uint32_t* type) -> const void*
    {
        auto* self = static_cast<Instance*> (userData);
        for (const auto& control : self->controls)
            if (control->isInput && control->symbol == symbol)
            {
                *size = sizeof (float);
                *type = self->ids.atomFloat;
                return &control->value;
            }
        *size = 0;
        *type = 0;
        return nullptr;
    };

    return lilv_state_new_from_instance (owner.getPlugin(), instance, owner.getUrids().mapFeatureData(),
                                         nullptr, nullptr, nullptr, nullptr, getPortValue, this,
                                         LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, features.data());
}

void Instance::restoreState (const LilvState* state)
{
    if (instance == nullptr || state == nullptr)
        return;

    const auto setPortValue = [] (const char* symbol, void* userData, const void* value, uint32_t size, uint32_t type)
    {
        auto* self = static_cast<Instance*> (userData);
        for (auto& control : self->controls)
            if (control->isInput && control->symbol == symbol && size == sizeof (float) && type == self->ids.atomFloat)
                std::memcpy (&control->value, value, sizeof (float));
    };

    lilv_state_restore (state, instance, setPortValue, this, 0, features.data());
}
} // namespace lilvhost
