#include "DocumentReading.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace documentReading
{
namespace
{
// Our documents are at most three elements deep (USER_PRESETS / PRESET / PARAM) and our JSON
// is one object; the framework's parsers recurse once per level, so a few megabytes of
// opening brackets would otherwise exhaust the stack.
constexpr int maximumNestingDepth = 16;

// The framework's integer reader overflows from 19 significant digits on, its exponent
// reader from 10; anything with more digits than these is rewritten before parsing.
constexpr int maximumIntegerDigits = 18;
constexpr int maximumExponentDigits = 6;

void appendUtf8 (std::string& out, juce::uint32 codePoint)
{
    if (codePoint < 0x80)
    {
        out += (char) codePoint;
    }
    else if (codePoint < 0x800)
    {
        out += (char) (0xc0 | (codePoint >> 6));
        out += (char) (0x80 | (codePoint & 0x3f));
    }
    else if (codePoint < 0x10000)
    {
        out += (char) (0xe0 | (codePoint >> 12));
        out += (char) (0x80 | ((codePoint >> 6) & 0x3f));
        out += (char) (0x80 | (codePoint & 0x3f));
    }
    else
    {
        out += (char) (0xf0 | (codePoint >> 18));
        out += (char) (0x80 | ((codePoint >> 12) & 0x3f));
        out += (char) (0x80 | ((codePoint >> 6) & 0x3f));
        out += (char) (0x80 | (codePoint & 0x3f));
    }
}

bool startsWith (juce::String::CharPointerType text, const char* prefix)
{
    for (; *prefix != 0; ++prefix, ++text)
        if (*text != (juce::juce_wchar) (unsigned char) *prefix)
            return false;

    return true;
}

// Moves text past the next occurrence of terminator; false when there is none.
bool skipPast (juce::String::CharPointerType& text, const char* terminator)
{
    for (; ! text.isEmpty(); ++text)
    {
        if (startsWith (text, terminator))
        {
            text += (int) std::strlen (terminator);
            return true;
        }
    }

    return false;
}

// True when the framework's XML parser can be given the text without risk. It follows the
// parser's own reading of tags, quoted attribute values, comments and CDATA sections closely
// enough never to underestimate the nesting.
bool isSafeForXmlParser (const juce::String& text)
{
    const auto documentStart = text.getCharPointer().findEndOfWhitespace();
    auto p = text.getCharPointer();
    int depth = 0;

    while (! p.isEmpty())
    {
        if (p.getAndAdvance() != '<')
            continue;

        if (startsWith (p, "!--"))
        {
            if (! skipPast (p, "-->"))
                return true; // the parser reports the unterminated comment itself
            continue;
        }

        if (startsWith (p, "![CDATA["))
        {
            if (! skipPast (p, "]]>"))
                return true;
            continue;
        }

        if (*p == '!')
            return false; // DOCTYPE, ENTITY and friends never appear in our documents

        if (*p == '?')
        {
            // Only the XML declaration at the very start: the framework's parser loops
            // forever on a processing instruction followed by text inside an element.
            if ((p - 1).getAddress() != documentStart.getAddress())
                return false;

            if (! skipPast (p, "?>"))
                return true;
            continue;
        }

        if (*p == '/')
        {
            depth = juce::jmax (0, depth - 1);
            skipPast (p, ">");
            continue;
        }

        if (++depth > maximumNestingDepth)
            return false;

        // The rest of the opening tag: attributes, with '>' and '/' allowed inside quotes.
        while (! p.isEmpty())
        {
            const auto c = *p;

            if (c == '"' || c == '\'')
            {
                ++p;
                while (! p.isEmpty() && *p != c)
                    ++p;

                if (! p.isEmpty())
                    ++p;

                continue;
            }

            if (c == '/' && p[1] == '>')
            {
                depth = juce::jmax (0, depth - 1);
                p += 2;
                break;
            }

            if (c == '>')
            {
                ++p;
                break;
            }

            if (c == '<')
                break; // a malformed tag; count the next one as a new element

            ++p;
        }
    }

    return true;
}

bool isDigit (juce::juce_wchar c) { return c >= '0' && c <= '9'; }

// Appends the number literal at p (digits, fraction, exponent, in the framework's reading)
// to literal and moves p past it. Reports whether it holds more significant digits than
// the framework's readers can take.
bool readNumberLiteral (juce::String::CharPointerType& p, juce::String& literal)
{
    auto start = p;
    int significantIntegerDigits = 0;

    while (isDigit (*p))
    {
        if (significantIntegerDigits > 0 || *p != '0')
            ++significantIntegerDigits;
        ++p;
    }

    if (*p == '.')
    {
        ++p;
        while (isDigit (*p))
            ++p;
    }

    int significantExponentDigits = 0;

    if (*p == 'e' || *p == 'E')
    {
        auto exponent = p + 1;

        if (*exponent == '+' || *exponent == '-')
            ++exponent;

        if (isDigit (*exponent))
        {
            p = exponent;

            while (isDigit (*p))
            {
                if (significantExponentDigits > 0 || *p != '0')
                    ++significantExponentDigits;
                ++p;
            }
        }
    }

    literal = juce::String (start, p);
    return significantIntegerDigits > maximumIntegerDigits
        || significantExponentDigits > maximumExponentDigits;
}

// The same value in a form the framework's JSON parser reads without overflow.
juce::String safeNumberLiteral (const juce::String& literal)
{
    const auto value = leadingNumber (literal);

    if (std::isinf (value))
        return "1e400"; // read back as infinity

    return juce::String (value, 15, true);
}

// False when the nesting is too deep for the framework's recursive parser; otherwise
// safeText is the text with the risky number literals rewritten.
bool makeSafeForJsonParser (const juce::String& text, juce::String& safeText)
{
    juce::MemoryOutputStream out;
    auto p = text.getCharPointer();
    auto copiedUpTo = p;
    bool rewritten = false;
    int depth = 0;

    while (! p.isEmpty())
    {
        const auto c = *p;

        if (c == '"' || c == '\'')
        {
            ++p;
            while (! p.isEmpty() && *p != c)
            {
                if (*p == '\\' && ! (p + 1).isEmpty())
                    ++p;
                ++p;
            }

            if (! p.isEmpty())
                ++p;

            continue;
        }

        if (c == '[' || c == '{')
        {
            if (++depth > maximumNestingDepth)
                return false;
        }
        else if (c == ']' || c == '}')
        {
            depth = juce::jmax (0, depth - 1);
        }
        else if (isDigit (c))
        {
            const auto literalStart = p;
            juce::String literal;

            if (readNumberLiteral (p, literal))
            {
                out << juce::String (copiedUpTo, literalStart) << safeNumberLiteral (literal);
                copiedUpTo = p;
                rewritten = true;
            }

            continue;
        }

        ++p;
    }

    if (rewritten)
    {
        out << juce::String (copiedUpTo, p);
        safeText = out.toString();
    }
    else
    {
        safeText = text;
    }

    return true;
}
} // namespace

juce::String textFromUtf8 (const void* data, size_t numBytes)
{
    const auto* bytes = static_cast<const juce::uint8*> (data);
    size_t i = 0;

    if (numBytes >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        i = 3;

    std::string utf8;
    utf8.reserve (numBytes - i);

    while (i < numBytes && bytes[i] != 0)
    {
        const juce::uint32 lead = bytes[i];

        if (lead < 0x80)
        {
            utf8 += (char) lead;
            ++i;
            continue;
        }

        int extraBytes = 0;
        juce::uint32 codePoint = 0, smallest = 0;

        if ((lead & 0xe0) == 0xc0)
        {
            extraBytes = 1;
            codePoint = lead & 0x1f;
            smallest = 0x80;
        }
        else if ((lead & 0xf0) == 0xe0)
        {
            extraBytes = 2;
            codePoint = lead & 0x0f;
            smallest = 0x800;
        }
        else if ((lead & 0xf8) == 0xf0)
        {
            extraBytes = 3;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        }

        bool valid = extraBytes > 0;

        for (int k = 1; valid && k <= extraBytes; ++k)
        {
            if (i + (size_t) k >= numBytes || (bytes[i + (size_t) k] & 0xc0) != 0x80)
                valid = false;
            else
                codePoint = (codePoint << 6) | (bytes[i + (size_t) k] & 0x3f);
        }

        valid = valid && codePoint >= smallest && codePoint <= 0x10ffff
             && ! (codePoint >= 0xd800 && codePoint <= 0xdfff);

        if (valid)
        {
            appendUtf8 (utf8, codePoint);
            i += (size_t) extraBytes + 1;
        }
        else
        {
            appendUtf8 (utf8, 0xfffd);
            ++i;
        }
    }

    return juce::String::fromUTF8 (utf8.c_str(), (int) utf8.size());
}

bool readTextFile (const juce::File& file, juce::String& text)
{
    if (! file.existsAsFile())
        return false;

    juce::MemoryBlock bytes;

    if (! file.loadFileAsData (bytes))
        return false;

    text = textFromUtf8 (bytes.getData(), bytes.getSize());
    return true;
}

std::unique_ptr<juce::XmlElement> parseXml (const juce::String& text)
{
    if (! isSafeForXmlParser (text))
        return {};

    return juce::parseXML (text);
}

juce::var parseJson (const juce::String& text)
{
    juce::String safeText;

    if (! makeSafeForJsonParser (text, safeText))
        return {};

    juce::var result;

    if (juce::JSON::parse (safeText, result).failed())
        return {};

    return result;
}

double leadingNumber (const juce::String& text)
{
    // The framework's reader copies at most 18 significant digits and counts the rest, so
    // only the exponent needs taming: more than six significant digits are replaced by
    // 999999, which still reads as infinity or zero.
    auto p = text.getCharPointer().findEndOfWhitespace();
    const auto literalStart = p;

    if (*p == '-' || *p == '+')
        ++p;

    if (! isDigit (*p) && *p != '.')
    {
        auto special = literalStart; // "nan", "inf", or no number at all
        return juce::CharacterFunctions::readDoubleValue (special);
    }

    while (isDigit (*p))
        ++p;

    if (*p == '.')
    {
        ++p;
        while (isDigit (*p))
            ++p;
    }

    auto tamed = juce::String (literalStart, p);

    if (*p == 'e' || *p == 'E')
    {
        auto exponent = p + 1;
        juce::String sign;

        if (*exponent == '+' || *exponent == '-')
            sign = juce::String::charToString (exponent.getAndAdvance());

        if (isDigit (*exponent))
        {
            while (*exponent == '0')
                ++exponent;

            auto digitsStart = exponent;
            int digits = 0;

            while (isDigit (*exponent))
            {
                ++digits;
                ++exponent;
            }

            const auto exponentDigits = digits > maximumExponentDigits ? juce::String ("999999")
                                                                       : juce::String (digitsStart, exponent);
            tamed << "e" << sign << (exponentDigits.isEmpty() ? juce::String ("0") : exponentDigits);
        }
    }

    auto tamedPointer = tamed.getCharPointer();
    return juce::CharacterFunctions::readDoubleValue (tamedPointer);
}

juce::int64 leadingInteger (const juce::String& text)
{
    constexpr auto limit = std::numeric_limits<juce::int64>::max();
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    juce::int64 value = 0;

    for (; isDigit (*p); ++p)
    {
        const auto digit = (juce::int64) (*p - '0');

        if (value > (limit - digit) / 10)
            return negative ? -limit : limit;

        value = value * 10 + digit;
    }

    return negative ? -value : value;
}

bool replaceFileWithText (const juce::File& target, const juce::String& text)
{
    const auto* utf8 = text.toRawUTF8();
    const auto numBytes = std::strlen (utf8);
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk())
            return false;

        const bool written = out.write (utf8, numBytes);
        out.flush();

        if (! written || out.getStatus().failed())
            return false;
    }

    // The stream does not report a write that stopped part-way (a full disk, a file size
    // limit), so the length on disk decides.
    if (temporary.getFile().getSize() != (juce::int64) numBytes)
        return false;

    // The temporary file is deleted when it goes out of scope, moved or not.
    return temporary.overwriteTargetFileWithTemporary();
}
} // namespace documentReading
