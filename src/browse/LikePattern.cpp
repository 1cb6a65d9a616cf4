#include "browse/LikePattern.h"

#include <cstdint>

namespace {

constexpr std::size_t NoMatch = std::string_view::npos;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Value bits a lead byte carries, as the store's decoder takes them (bytes 0xC0 to 0xFF).
std::uint32_t leadBits(unsigned char lead)
{
    if (lead < 0xE0)
        return lead & 0x1F;
    if (lead < 0xF0)
        return lead & 0x0F;
    if (lead < 0xF8)
        return lead & 0x07;
    if (lead < 0xFC)
        return lead & 0x03;
    if (lead < 0xFE)
        return lead & 0x01;
    return 0;
}

// Any 32-bit value as one character: UTF-8 where it reaches, the old longer forms above.
void encode(std::uint32_t c, std::string &out)
{
    const auto put = [&out](unsigned lead, int continuations, std::uint32_t value) {
        out += char(lead | (continuations < 6 ? value >> (6 * continuations) : 0));
        for (int i = continuations - 1; i >= 0; --i)
            out += char(0x80 | ((value >> (6 * i)) & 0x3F));
    };
    if (c < 0x80)
        out += char(c);
    else if (c < 0x800)
        put(0xC0, 1, c);
    else if (c < 0x10000)
        put(0xE0, 2, c);
    else if (c < 0x200000)
        put(0xF0, 3, c);
    else if (c < 0x4000000)
        put(0xF8, 4, c);
    else if (c < 0x80000000)
        put(0xFC, 5, c);
    else
        put(0xFE, 6, c);
}

// Bytes of the prepared character that starts with lead.
std::size_t characterLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF8)
        return 4;
    if (lead < 0xFC)
        return 5;
    if (lead < 0xFE)
        return 6;
    return 7;
}

// Length of the well-formed UTF-8 character at text[i] that the store reads as itself;
// 0 for anything it would read otherwise.
std::size_t plainCharacter(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(byte(k)))
            return 0;
    }
    // Nothing more may follow that the store would take into the same character.
    if (text.size() - i > length && isContinuation(byte(length)))
        return 0;
    if (length == 3) {
        const std::uint32_t c = (lead & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
        if (c < 0x800 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
            return 0;
    } else if (length == 4) {
        const std::uint32_t c =
            (lead & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6;
        if (c < 0x10000 || c > 0x10FFFF || (c & 0xFFFE) == 0xFFFE)
            return 0;
    }
    return length;
}

} // namespace

std::string LikePattern::prepare(std::string_view utf8)
{
    std::string out;
    prepare(utf8, out);
    return out;
}

void LikePattern::prepare(std::string_view utf8, std::string &out)
{
    const std::size_t end = std::min(utf8.find('\0'), utf8.size());
    utf8 = utf8.substr(0, end);
    out.reserve(out.size() + end);
    std::size_t i = 0;
    while (i < end) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += byte >= 'A' && byte <= 'Z' ? char(byte + ('a' - 'A')) : char(byte);
            ++i;
            continue;
        }
        // Well-formed text, by far the most common, is kept as it is.
        if (const std::size_t length = plainCharacter(utf8, i)) {
            out.append(utf8.data() + i, length);
            i += length;
            continue;
        }
        ++i;
        if (byte < 0x80) {
            out += byte >= 'A' && byte <= 'Z' ? char(byte + ('a' - 'A')) : char(byte);
            continue;
        }
        // A continuation byte without a lead stands for itself; a lead byte takes every
        // continuation byte that follows, however many; what decodes to an ASCII value,
        // a surrogate or a non-character is the replacement character.
        std::uint32_t c = byte;
        if (byte >= 0xC0) {
            c = leadBits(byte);
            while (i < end && isContinuation(static_cast<unsigned char>(utf8[i])))
                c = (c << 6) + (static_cast<unsigned char>(utf8[i++]) & 0x3F);
            if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
                c = 0xFFFD;
        }
        encode(c, out);
    }
}

LikePattern::LikePattern(std::string_view utf8) : m_text(prepare(utf8))
{
    const std::string &pattern = m_text;
    Segment segment;
    const auto addLiteral = [&segment](std::string_view bytes) {
        if (segment.atoms.empty() || segment.atoms.back().literal.empty())
            segment.atoms.push_back({});
        segment.atoms.back().literal += bytes;
    };
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '%') {
            m_segments.push_back(std::move(segment));
            segment = {};
            ++i;
            continue;
        }
        ++segment.characters;
        if (c == '_') {
            if (segment.atoms.empty() || !segment.atoms.back().literal.empty())
                segment.atoms.push_back({});
            ++segment.atoms.back().anyChars;
            ++i;
            continue;
        }
        const std::size_t length = characterLength(static_cast<unsigned char>(c));
        addLiteral(std::string_view(pattern).substr(i, length));
        i += length;
    }
    m_segments.push_back(std::move(segment));

    // Runs of "%" say no more than one.
    std::vector<Segment> kept;
    for (std::size_t s = 0; s < m_segments.size(); ++s) {
        const bool inner = s > 0 && s + 1 < m_segments.size();
        if (!inner || !m_segments[s].isEmpty())
            kept.push_back(std::move(m_segments[s]));
    }
    m_segments = std::move(kept);
    m_contains = m_segments.size() == 3 && m_segments[0].isEmpty() && m_segments[2].isEmpty() &&
                 m_segments[1].atoms.size() == 1 && !m_segments[1].atoms[0].literal.empty();
    if (m_contains)
        m_containedText = m_segments[1].atoms[0].literal;
}

std::string LikePattern::longestLiteral() const
{
    std::string longest;
    for (const Segment &segment : m_segments) {
        for (const Atom &atom : segment.atoms) {
            if (atom.literal.size() > longest.size())
                longest = atom.literal;
        }
    }
    return longest;
}

bool LikePattern::isFloatingPart() const
{
    return m_segments.size() == 3 && m_segments[0].isEmpty() && m_segments[2].isEmpty() &&
           !longestLiteral().empty();
}

std::size_t LikePattern::longestAtom() const
{
    const std::vector<Atom> &atoms = m_segments[1].atoms;
    std::size_t longest = 0;
    for (std::size_t a = 1; a < atoms.size(); ++a) {
        if (atoms[a].literal.size() > atoms[longest].literal.size())
            longest = a;
    }
    return longest;
}

bool LikePattern::partMatchesAround(std::string_view texts, std::size_t literalAt) const
{
    const Segment &part = m_segments[1];
    const std::size_t anchor = longestAtom();
    int charactersBefore = 0;
    for (std::size_t a = 0; a < anchor; ++a) {
        const Atom &atom = part.atoms[a];
        charactersBefore += atom.literal.empty() ? atom.anyChars : 0;
        for (std::size_t i = 0; i < atom.literal.size();
             i += characterLength(static_cast<unsigned char>(atom.literal[i])))
            ++charactersBefore;
    }
    std::size_t start = literalAt;
    for (int n = 0; n < charactersBefore; ++n) {
        if (start == 0)
            return false;
        do
            --start;
        while (start > 0 && isContinuation(static_cast<unsigned char>(texts[start])));
    }
    // A match over a NUL would join two values.
    const std::size_t end = matchAt(part, texts, start);
    return end != NoMatch && texts.substr(start, end - start).find('\0') == std::string_view::npos;
}

bool LikePattern::matchesEveryText() const
{
    return m_segments.size() == 2 && m_segments[0].isEmpty() && m_segments[1].isEmpty();
}

// Where the segment ends when it starts at `at`; NoMatch when it does not match there.
std::size_t LikePattern::matchAt(const Segment &segment, std::string_view text, std::size_t at)
{
    for (const Atom &atom : segment.atoms) {
        if (!atom.literal.empty()) {
            if (text.size() - at < atom.literal.size() ||
                text.compare(at, atom.literal.size(), atom.literal) != 0)
                return NoMatch;
            at += atom.literal.size();
            continue;
        }
        for (int n = 0; n < atom.anyChars; ++n) {
            if (at >= text.size())
                return NoMatch;
            at += characterLength(static_cast<unsigned char>(text[at]));
        }
    }
    return at;
}

// The end of the leftmost match of the segment at or after `from`. Every match of a
// segment spans the same number of characters, so the leftmost one leaves the most
// room for the rest of the pattern.
std::size_t LikePattern::find(const Segment &segment, std::string_view text, std::size_t from)
{
    const std::string &first = segment.atoms.front().literal;
    if (!first.empty()) {
        // A prepared character's first byte never occurs inside another character, so
        // every hit of the bytes starts a character.
        for (std::size_t hit = text.find(first, from); hit != NoMatch;
             hit = text.find(first, hit + 1)) {
            const std::size_t end = matchAt(segment, text, hit);
            if (end != NoMatch)
                return end;
        }
        return NoMatch;
    }
    for (std::size_t at = from; at < text.size();
         at += characterLength(static_cast<unsigned char>(text[at]))) {
        const std::size_t end = matchAt(segment, text, at);
        if (end != NoMatch)
            return end;
    }
    return NoMatch;
}

bool LikePattern::matches(std::string_view text) const
{
    if (m_segments.size() == 1)
        return matchAt(m_segments.front(), text, 0) == text.size();
    std::size_t at = 0;
    if (!m_segments.front().isEmpty()) {
        at = matchAt(m_segments.front(), text, 0);
        if (at == NoMatch)
            return false;
    }
    for (std::size_t s = 1; s + 1 < m_segments.size(); ++s) {
        at = find(m_segments[s], text, at);
        if (at == NoMatch)
            return false;
    }
    const Segment &last = m_segments.back();
    if (last.isEmpty())
        return true;
    // The last segment ends the text: it starts as many characters before the end as it has.
    std::size_t start = text.size();
    for (int n = 0; n < last.characters; ++n) {
        if (start <= at)
            return false;
        do
            --start;
        while (start > at && isContinuation(static_cast<unsigned char>(text[start])));
    }
    return matchAt(last, text, start) == text.size();
}
