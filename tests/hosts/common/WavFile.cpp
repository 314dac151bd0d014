#include "common/WavFile.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace hosttest
{
namespace
{
    constexpr uint16_t formatPcm = 1;
    constexpr uint16_t formatFloat = 3;
    constexpr uint16_t formatExtensible = 0xfffe;

    uint32_t readLE (const unsigned char* bytes, int count)
    {
        uint32_t value = 0;
        for (int i = count; --i >= 0;)
            value = (value << 8) | bytes[i];
        return value;
    }

    void appendLE (std::string& out, uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            out.push_back (static_cast<char> ((value >> (8 * i)) & 0xff));
    }

    float decodeSample (const unsigned char* p, uint16_t format, int bits)
    {
        if (format == formatFloat && bits == 32)
        {
            float value;
            const uint32_t raw = readLE (p, 4);
            std::memcpy (&value, &raw, 4);
            return value;
        }

        if (format == formatFloat && bits == 64)
        {
            uint64_t raw = 0;
            for (int i = 8; --i >= 0;)
                raw = (raw << 8) | p[i];
            double value;
            std::memcpy (&value, &raw, 8);
            return static_cast<float> (value);
        }

        if (bits == 16)
            return static_cast<float> (static_cast<int16_t> (readLE (p, 2))) / 32768.0f;

        if (bits == 24)
        {
            auto value = static_cast<int32_t> (readLE (p, 3) << 8) >> 8;
            return static_cast<float> (value) / 8388608.0f;
        }

        return static_cast<float> (static_cast<double> (static_cast<int32_t> (readLE (p, 4))) / 2147483648.0);
    }
} // namespace

bool readWav (const std::string& path, Audio& audio, std::string& error)
{
    std::ifstream stream (path, std::ios::binary);
    if (! stream)
    {
        error = "cannot open " + path;
        return false;
    }

    const std::string data ((std::istreambuf_iterator<char> (stream)), std::istreambuf_iterator<char>());
    const auto* bytes = reinterpret_cast<const unsigned char*> (data.data());

    if (data.size() < 12 || data.compare (0, 4, "RIFF") != 0 || data.compare (8, 4, "WAVE") != 0)
    {
        error = path + " is not a RIFF WAVE file";
        return false;
    }

    uint16_t format = 0, numChannels = 0, bits = 0;
    uint32_t rate = 0;
    bool haveFormat = false;

    for (size_t pos = 12; pos + 8 <= data.size();)
    {
        const auto id = data.substr (pos, 4);
        const auto size = static_cast<size_t> (readLE (bytes + pos + 4, 4));
        const auto body = pos + 8;
        const auto available = std::min (size, data.size() - body);

        if (id == "fmt " && available >= 16)
        {
            format = static_cast<uint16_t> (readLE (bytes + body, 2));
            numChannels = static_cast<uint16_t> (readLE (bytes + body + 2, 2));
            rate = readLE (bytes + body + 4, 4);
            bits = static_cast<uint16_t> (readLE (bytes + body + 14, 2));

            // The first two bytes of the extensible sub-format GUID name the real format.
            if (format == formatExtensible && available >= 26)
                format = static_cast<uint16_t> (readLE (bytes + body + 24, 2));

            haveFormat = true;
        }
        else if (id == "data")
        {
            if (! haveFormat || numChannels == 0)
            {
                error = path + ": data before a usable format chunk";
                return false;
            }

            const bool supported = (format == formatPcm && (bits == 16 || bits == 24 || bits == 32))
                                || (format == formatFloat && (bits == 32 || bits == 64));
            if (! supported)
            {
                error = path + ": unsupported sample format " + std::to_string (format) + "/" + std::to_string (bits);
                return false;
            }

            const size_t frameBytes = static_cast<size_t> (numChannels) * (bits / 8);
            const size_t frames = available / frameBytes;
            audio.sampleRate = rate;
            audio.channels.assign (numChannels, std::vector<float> (frames));

            for (size_t f = 0; f < frames; ++f)
                for (size_t c = 0; c < numChannels; ++c)
                    audio.channels[c][f] = decodeSample (bytes + body + f * frameBytes + c * (bits / 8), format, bits);

            return true;
        }

        pos = body + size + (size & 1);
    }

    error = path + " holds no data chunk";
    return false;
}

bool writeWav (const std::string& path, const Audio& audio, std::string& error)
{
    const auto channels = static_cast<uint32_t> (audio.numChannels());
    const auto frames = static_cast<uint32_t> (audio.numFrames());
    const uint32_t dataBytes = frames * channels * 4;

    std::string out;
    out.reserve (44 + dataBytes);
    out += "RIFF";
    appendLE (out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    appendLE (out, 16, 4);
    appendLE (out, formatFloat, 2);
    appendLE (out, channels, 2);
    appendLE (out, static_cast<uint32_t> (audio.sampleRate), 4);
    appendLE (out, static_cast<uint32_t> (audio.sampleRate) * channels * 4, 4);
    appendLE (out, channels * 4, 2);
    appendLE (out, 32, 2);
    out += "data";
    appendLE (out, dataBytes, 4);

    for (uint32_t f = 0; f < frames; ++f)
        for (uint32_t c = 0; c < channels; ++c)
        {
            uint32_t raw;
            std::memcpy (&raw, &audio.channels[c][f], 4);
            appendLE (out, raw, 4);
        }

    std::ofstream stream (path, std::ios::binary | std::ios::trunc);
    stream.write (out.data(), static_cast<std::streamsize> (out.size()));
    if (! stream)
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

Difference compareAudio (const Audio& expected, const Audio& actual)
{
    Difference result;
    std::ostringstream summary;

    if (expected.numChannels() != actual.numChannels() || expected.numFrames() != actual.numFrames())
    {
        result.identical = false;
        summary << "shape differs: expected " << expected.numChannels() << " channels x " << expected.numFrames()
                << " frames, got " << actual.numChannels() << " x " << actual.numFrames();
        result.summary = summary.str();
        return result;
    }

    int firstFrame = -1, firstChannel = -1;

    for (int c = 0; c < expected.numChannels(); ++c)
        for (int f = 0; f < expected.numFrames(); ++f)
        {
            const float a = expected.channels[(size_t) c][(size_t) f];
            const float b = actual.channels[(size_t) c][(size_t) f];

            // Bit for bit: NaN never equals itself, and -0 and +0 count as equal.
            if (a != b)
            {
                ++result.differingSamples;
                result.largestDifference = std::max (result.largestDifference, std::abs ((double) a - (double) b));

                if (firstFrame < 0 || f < firstFrame)
                {
                    firstFrame = f;
                    firstChannel = c;
                }
            }
        }

    if (result.differingSamples > 0)
    {
        result.identical = false;
        const auto fc = (size_t) firstChannel;
        const auto ff = (size_t) firstFrame;
        summary.precision (9);
        summary << result.differingSamples << " samples differ (largest by " << result.largestDifference
                << "); first at frame " << firstFrame << " of channel " << firstChannel << ": expected "
                << expected.channels[fc][ff] << ", got " << actual.channels[fc][ff];
        result.summary = summary.str();
    }

    return result;
}
} // namespace hosttest
