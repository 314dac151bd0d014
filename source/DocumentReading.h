#pragma once

#include <JuceHeader.h>

// Reading and writing the documents that persist: the user presets file, the editor size
// file and the host's state block. Their bytes come from disk or from a host and may be
// anything, so everything here is written for hostile input: no read past the data, no
// integer overflow, no unbounded recursion in the framework's parsers, and a file is only
// replaced once its new content has been written completely.
namespace documentReading
{
// UTF-8 bytes as text, ending at the first zero byte. A leading byte-order mark is skipped
// and every malformed sequence becomes U+FFFD, so nothing is read beyond numBytes.
juce::String textFromUtf8 (const void* data, size_t numBytes);

// The whole file as text; false when it is not a readable file.
bool readTextFile (const juce::File& file, juce::String& text);

// Parses an XML document with the framework's parser, after refusing what that parser
// cannot take safely: declarations such as DOCTYPE and ENTITY (whose entities it expands
// recursively) and elements nested deeper than any document of ours. Null when refused or
// malformed.
std::unique_ptr<juce::XmlElement> parseXml (const juce::String& text);

// Parses JSON with the framework's parser, after refusing nesting deeper than any document of
// ours and rewriting number literals whose digits would overflow that parser's integers.
// A void var when refused or malformed.
juce::var parseJson (const juce::String& text);

// The leading decimal number of a text, as the framework reads it (leading white space,
// sign, digits, fraction, exponent; 0 when the text does not start with a number), without
// the overflow the framework's reader has on exponents of ten or more digits.
double leadingNumber (const juce::String& text);

// The leading integer of a text, as the framework reads it (leading white space and an
// optional minus sign; 0 when there are no digits), saturated at the 64-bit limits.
juce::int64 leadingInteger (const juce::String& text);

// Replaces a file's content with text (UTF-8, no byte-order mark) through a hidden temporary
// file in the same folder, moved over the target only when every byte was written and
// flushed. The temporary file never outlives the call. False when anything failed; the
// previous file is then unchanged.
bool replaceFileWithText (const juce::File& target, const juce::String& text);
} // namespace documentReading
