#pragma once

#include "common/WavFile.h"

#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A small offline LV2 host on lilv, the library most Linux hosts load LV2 plug-ins with.
// It knows nothing about the plug-in's code: everything comes from the bundle's
// description and its binary, as in any other host.
namespace lilvhost
{
// The URID map and unmap features: one number per URI, for the whole process.
class UridMap
{
public:
    UridMap();

    LV2_URID map (const char* uri);
    const char* unmap (LV2_URID urid);

    LV2_URID_Map* mapFeatureData() { return &mapData; }
    LV2_URID_Unmap* unmapFeatureData() { return &unmapData; }

private:
    std::mutex lock;
    std::map<std::string, LV2_URID> ids;
    std::vector<std::unique_ptr<std::string>> uris;
    LV2_URID_Map mapData;
    LV2_URID_Unmap unmapData;
};

// One parameter as the bundle's description declares it (patch:writable).
struct DescribedParameter
{
    std::string uri;
    std::string id; // the URI's part after "<plug-in URI>:"
    std::string label;
    float minimum = 0, maximum = 0, defaultValue = 0;
    bool hasRange = false;
    std::vector<std::pair<float, std::string>> scalePoints; // value and label, in value order
};

struct DescribedPreset
{
    std::string uri;
    std::string label;
};

// A lilv world holding one bundle, loaded from its folder, and the plug-in it describes.
class Bundle
{
public:
    Bundle (const std::string& bundleFolder, const std::string& pluginUri);
    ~Bundle();
    Bundle (const Bundle&) = delete;
    Bundle& operator= (const Bundle&) = delete;

    bool isLoaded() const { return plugin != nullptr; }
    const std::string& error() const { return loadError; }

    LilvWorld* getWorld() const { return world; }
    const LilvPlugin* getPlugin() const { return plugin; }
    UridMap& getUrids() { return urids; }
    const std::string& getPluginUri() const { return uri; }

    std::string getName() const;
    std::vector<std::string> getRequiredFeatures() const;
    std::vector<DescribedParameter> getParameters() const;
    // The presets in program order: the description numbers them preset1, preset2, ...
    std::vector<DescribedPreset> getPresets() const;

    // "" or the URI of the parameter that the plug-in calls id.
    std::string parameterUri (const std::string& id) const;

private:
    std::vector<std::string> stringsOf (const LilvNode* subject, const char* predicate) const;

    UridMap urids;
    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
    std::string uri;
    std::string loadError;
};

class Instance
{
public:
    Instance (Bundle& bundle, double sampleRate, int maxBlockLength);
    ~Instance();
    Instance (const Instance&) = delete;
    Instance& operator= (const Instance&) = delete;

    bool isReady() const { return instance != nullptr; }
    const std::string& error() const { return instantiateError; }

    int numAudioInputs() const { return static_cast<int> (audioInputs.size()); }
    int numAudioOutputs() const { return static_cast<int> (audioOutputs.size()); }
    int getMaxBlockLength() const { return maxBlock; }

    // Sends a patch:Set with the parameter's plain value in the next block's control
    // sequence. Returns false when the description names no such parameter.
    bool setParameter (const std::string& id, float plainValue);

    // One block of at most maxBlockLength frames; input and output hold one pointer per
    // audio port.
    void runBlock (const float* const* input, float* const* output, int frames);

    // A whole signal, block by block; the last block may be shorter.
    hosttest::Audio process (const hosttest::Audio& input, int blockLength);

    // The value of the latency output port (lv2:reportsLatency), or -1 without one.
    float latency() const;

    // The plain values the plug-in reported through patch:Set on its output sequence.
    const std::map<std::string, float>& reportedParameters() const { return reported; }

    // Through lilv's state API, as a host does with presets and sessions.
    bool applyPreset (const std::string& presetUri, std::string& error);
    LilvState* saveState();
    void restoreState (const LilvState* state);

private:
    struct ControlPort
    {
        uint32_t index;
        std::string symbol;
        bool isInput;
        bool reportsLatency;
        float value;
    };

    void collectPatchSets();

    Bundle& owner;
    LilvInstance* instance = nullptr;
    std::string instantiateError;
    int maxBlock;

    std::vector<uint32_t> audioInputs, audioOutputs;
    std::vector<std::vector<float>> inputBuffers, outputBuffers;
    std::vector<std::unique_ptr<ControlPort>> controls;
    std::vector<uint64_t> eventsIn, eventsOut; // 64-bit words keep the atoms aligned
    bool haveEventsIn = false, haveEventsOut = false;

    std::vector<std::pair<LV2_URID, float>> pendingChanges;
    std::map<std::string, float> reported;

    int32_t optionMinBlock = 1, optionMaxBlock, optionNominalBlock, optionSequenceSize;
    float optionSampleRate;
    std::vector<LV2_Options_Option> options;
    std::vector<LV2_Feature> featureStorage;
    std::vector<const LV2_Feature*> features;

    struct Urids
    {
        LV2_URID atomFloat, atomInt, atomSequence, atomChunk, atomObject, atomBlank, atomUrid;
        LV2_URID patchSet, patchProperty, patchValue;
    } ids {};
};
} // namespace lilvhost
