#include "common/Renderer.h"

#include "common/BuiltArtefacts.h"

#include <algorithm>

namespace hosttest
{
bool renderReference (const RenderRequest& request, const std::string& inPath, const std::string& outPath,
                      Audio& result, std::string& error)
{
    const auto program = renderer();
    if (program.empty())
    {
        error = "this build has no offline renderer (vesk-q84d-render)";
        return false;
    }

    std::vector<std::string> command { program, "--no-latency-compensation",
                                       "--in", inPath, "--out", outPath,
                                       "--block", std::to_string (request.blockLength) };
    if (! request.preset.empty())
        command.insert (command.end(), { "--preset", request.preset });
    if (! request.statePath.empty())
        command.insert (command.end(), { "--state", request.statePath });
    for (const auto& [id, text] : request.settings)
        command.insert (command.end(), { "--set", id + "=" + text });

    const auto run = runProcess (command, 300.0);
    if (! run.succeeded())
    {
        error = "the renderer " + run.describe();
        return false;
    }

    return readWav (outPath, result, error);
}

Audio withSilenceAppended (const Audio& input, int frames)
{
    Audio padded = input;
    for (auto& channel : padded.channels)
        channel.resize ((size_t) std::max (frames, input.numFrames()), 0.0f);
    return padded;
}
} // namespace hosttest
