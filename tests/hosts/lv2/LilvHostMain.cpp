// vesk-lilv-host: runs a WAV file through an LV2 bundle block by block, the way a Linux
// host built on lilv does, and writes the raw output (no latency compensation).
//
//   vesk-lilv-host --bundle DIR --in IN.wav --out OUT.wav [--uri URI] [--block N]
//                  [--preset LABEL|URI] [--set ID=VALUE]... [--list-presets]
//
// --set takes the parameter's plain value, the number the LV2 description's range is in
// (for "oversampling" the choice index, for "power" 0 or 1). Changes and the preset are
// applied before the first block. It prints the latency port's value after each run.

#include "common/WavFile.h"
#include "lv2/LilvHost.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace
{
constexpr const char* defaultUri = "https://www.veskaudio.com/plugins/q84d";

int usage (const std::string& problem)
{
    std::cerr << "vesk-lilv-host: " << problem << "\n"
              << "usage: vesk-lilv-host --bundle DIR --in IN.wav --out OUT.wav [--uri URI] [--block N]\n"
              << "                      [--preset LABEL|URI] [--set ID=VALUE]... [--list-presets]\n";
    return 2;
}
} // namespace

int main (int argc, char** argv)
{
    std::string bundlePath, uri = defaultUri, inPath, outPath, preset;
    int block = 512;
    bool listPresets = false;
    std::vector<std::pair<std::string, float>> settings;

    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string
        {
            if (i + 1 >= argc)
                throw std::runtime_error (arg + " needs a value");
            return argv[++i];
        };

        try
        {
            if (arg == "--bundle")
                bundlePath = value();
            else if (arg == "--uri")
                uri = value();
            else if (arg == "--in")
                inPath = value();
            else if (arg == "--out")
                outPath = value();
            else if (arg == "--block")
                block = std::stoi (value());
            else if (arg == "--preset")
                preset = value();
            else if (arg == "--list-presets")
                listPresets = true;
            else if (arg == "--set")
            {
                const auto setting = value();
                const auto equals = setting.find ('=');
                if (equals == std::string::npos || equals == 0)
                    return usage ("--set needs ID=VALUE, got \"" + setting + "\"");
                settings.emplace_back (setting.substr (0, equals), std::stof (setting.substr (equals + 1)));
            }
            else
                return usage ("unknown option " + arg);
        }
        catch (const std::exception& e)
        {
            return usage (e.what());
        }
    }

    if (bundlePath.empty())
        return usage ("--bundle is required");
    if (block < 1)
        return usage ("--block must be at least 1");

    lilvhost::Bundle bundle (bundlePath, uri);
    if (! bundle.isLoaded())
    {
        std::cerr << "vesk-lilv-host: " << bundle.error() << "\n";
        return 1;
    }

    if (listPresets)
    {
        for (const auto& p : bundle.getPresets())
            std::cout << p.uri << "\t" << p.label << "\n";
        if (inPath.empty())
            return 0;
    }

    if (inPath.empty() || outPath.empty())
        return usage ("--in and --out are required");

    hosttest::Audio input;
    std::string error;
    if (! hosttest::readWav (inPath, input, error))
    {
        std::cerr << "vesk-lilv-host: " << error << "\n";
        return 1;
    }

    lilvhost::Instance instance (bundle, input.sampleRate, block);
    if (! instance.isReady())
    {
        std::cerr << "vesk-lilv-host: " << instance.error() << "\n";
        return 1;
    }

    if (! preset.empty())
    {
        std::string presetUri;
        for (const auto& p : bundle.getPresets())
            if (p.label == preset || p.uri == preset)
                presetUri = p.uri;

        if (presetUri.empty())
        {
            std::cerr << "vesk-lilv-host: the bundle has no preset \"" << preset << "\" (try --list-presets)\n";
            return 1;
        }

        if (! instance.applyPreset (presetUri, error))
        {
            std::cerr << "vesk-lilv-host: " << error << "\n";
            return 1;
        }
    }

    for (const auto& [id, plainValue] : settings)
        if (! instance.setParameter (id, plainValue))
        {
            std::cerr << "vesk-lilv-host: the bundle describes no parameter \"" << id << "\"\n";
            return 1;
        }

    const auto output = instance.process (input, block);

    if (! hosttest::writeWav (outPath, output, error))
    {
        std::cerr << "vesk-lilv-host: " << error << "\n";
        return 1;
    }

    std::cout << "latency " << instance.latency() << "\n";
    return 0;
}
