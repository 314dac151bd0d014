#include "AudioFiles.h"

namespace render
{
juce::Result readAudioFile (const juce::File& file, AudioData& data)
{
    const auto name = "input file \"" + file.getFullPathName() + "\"";

    if (file.isDirectory())
        return juce::Result::fail ("cannot read " + name + ": it is a folder");
    if (! file.existsAsFile())
        return juce::Result::fail ("cannot read " + name + ": no such file");

    auto stream = std::make_unique<juce::FileInputStream> (file);
    if (! stream->openedOk())
        return juce::Result::fail ("cannot read " + name + ": " + stream->getStatus().getErrorMessage());

    // Only the two formats the renderer promises, recognised by their content.
    juce::OwnedArray<juce::AudioFormat> formats;
    formats.add (new juce::WavAudioFormat());
    formats.add (new juce::AiffAudioFormat());

    std::unique_ptr<juce::AudioFormatReader> reader;
    for (auto* format : formats)
    {
        stream->setPosition (0);
        reader.reset (format->createReaderFor (stream.get(), false));
        if (reader != nullptr)
        {
            stream.release(); // the reader owns it now
            break;
        }
    }

    if (reader == nullptr)
        return juce::Result::fail ("cannot read " + name + ": not a WAV or AIFF file");

    const auto channels = static_cast<int> (reader->numChannels);
    if (channels < 1 || channels > 2)
        return juce::Result::fail ("cannot use " + name + ": it has " + juce::String (channels)
                                   + " channels; the plug-in takes mono or stereo");
    if (reader->sampleRate < 8000.0 || reader->sampleRate > 768000.0)
        return juce::Result::fail ("cannot use " + name + ": its sample rate " + juce::String (reader->sampleRate)
                                   + " Hz is outside 8000..768000 Hz");
    if (reader->lengthInSamples > std::numeric_limits<int>::max() / 2)
        return juce::Result::fail ("cannot use " + name + ": it is too long");

    const auto length = static_cast<int> (reader->lengthInSamples);
    data.samples.setSize (channels, length);
    data.sampleRate = reader->sampleRate;

    if (length > 0 && ! reader->read (&data.samples, 0, length, 0, true, channels > 1))
        return juce::Result::fail ("cannot read " + name + ": its audio data is damaged");

    return juce::Result::ok();
}

juce::Result checkOutputTarget (const juce::File& file)
{
    const auto folder = file.getParentDirectory();
    if (! folder.isDirectory())
        return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the folder \""
                                   + folder.getFullPathName() + "\" does not exist");
    if (file.isDirectory())
        return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": it is a folder");
    return juce::Result::ok();
}

namespace
{
    juce::Result moveIntoPlace (juce::TemporaryFile& temporary, const juce::File& file)
    {
        if (! temporary.overwriteTargetFileWithTemporary())
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the finished file could not be moved into place");
        return juce::Result::ok();
    }
} // namespace

juce::Result writeWavFile (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate, int bits)
{
    if (auto folder = checkOutputTarget (file); folder.failed())
        return folder;

    juce::TemporaryFile temporary (file);
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr || ! stream->openedOk())
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the folder is not writable");

        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (
            wav.createWriterFor (stream.get(), sampleRate, static_cast<unsigned int> (samples.getNumChannels()), bits, {}, 0));
        if (writer == nullptr)
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": no WAV writer for "
                                       + juce::String (samples.getNumChannels()) + " channels at " + juce::String (bits) + " bits");
        stream.release(); // the writer owns it now

        if (! writer->writeFromAudioSampleBuffer (samples, 0, samples.getNumSamples()) || ! writer->flush())
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the disk refused the data");
    } // the writer completes the header when it is destroyed

    return moveIntoPlace (temporary, file);
}

juce::Result writeBinaryFile (const juce::File& file, const juce::MemoryBlock& bytes)
{
    if (auto folder = checkOutputTarget (file); folder.failed())
        return folder;

    juce::TemporaryFile temporary (file);
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr || ! stream->openedOk())
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the folder is not writable");
        if (! stream->write (bytes.getData(), bytes.getSize()))
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": the disk refused the data");
        stream->flush();
        if (stream->getStatus().failed())
            return juce::Result::fail ("cannot write \"" + file.getFullPathName() + "\": " + stream->getStatus().getErrorMessage());
    }

    return moveIntoPlace (temporary, file);
}
} // namespace render
