#pragma once

#include "common/Subprocess.h"
#include "common/WavFile.h"

#include <string>
#include <utility>
#include <vector>

namespace hosttest
{
// One run of the offline renderer, the in-process reference every host is held to. It
// writes the raw stream: no latency compensation, the same as a host that does none.
struct RenderRequest
{
    std::string preset;                                        // a factory preset's name, or none
    std::vector<std::pair<std::string, std::string>> settings; // parameter ID and the text a user types
    int blockLength = 512;
    std::string statePath;                                     // a state block to start from, or none
};

// Runs the renderer on inPath and reads what it wrote to outPath. The renderer's stream
// runs on past the input by the plug-in's tail, fed with silence.
bool renderReference (const RenderRequest& request, const std::string& inPath, const std::string& outPath,
                      Audio& result, std::string& error);

// The input followed by silence up to frames, as a host plays on past the end of a clip.
Audio withSilenceAppended (const Audio& input, int frames);
} // namespace hosttest
