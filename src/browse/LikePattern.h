#pragma once

#include <string>
#include <string_view>
#include <vector>

// A pattern of the store's LIKE as it works by default: "%" stands for any run of
// characters, "_" for any one character, a Latin letter A-Z equals its small letter, and
// every other character equals only itself; there is no escape character.
//
// Patterns and texts are taken as the store takes them: cut at the first NUL, and split
// into characters the way the store decodes UTF-8, malformed bytes included. prepare()
// rewrites a text into a form where each of those characters has one canonical byte
// sequence and capitals are folded, so that matching compares bytes.
class LikePattern final
{
public:
    // utf8: the pattern as the store holds the bound text.
    explicit LikePattern(std::string_view utf8);

    // The form in which texts are matched: prepare once, match often.
    static std::string prepare(std::string_view utf8);
    // The same, appended to out.
    static void prepare(std::string_view utf8, std::string &out);

    // text: a prepared text.
    bool matches(std::string_view text) const;

    // Matches every text, the empty one included ("%", "%%").
    bool matchesEveryText() const;
    // Two patterns with the same text match the same texts.
    const std::string &text() const { return m_text; }
    // "%", a text without wildcards, "%": matches exactly the texts that contain it.
    bool isContains() const { return m_contains; }
    // The text of a contains pattern, prepared.
    const std::string &containedText() const { return m_containedText; }
    // The longest run of literal characters, prepared: every text that matches holds it.
    std::string longestLiteral() const;

    // "%", a part with "_" in it and a literal run, "%": such a pattern is found in a long
    // run of NUL-separated texts by looking for its longest literal run; then this tells
    // whether the part matches around the run found at literalAt without crossing a NUL.
    bool isFloatingPart() const;
    bool partMatchesAround(std::string_view texts, std::size_t literalAt) const;

private:
    // A run of literal characters, or of anyChars "_" when literal is empty.
    struct Atom
    {
        std::string literal;
        int anyChars = 0;
    };
    // The part of the pattern between two "%".
    struct Segment
    {
        std::vector<Atom> atoms;
        int characters = 0;
        bool isEmpty() const { return atoms.empty(); }
    };

    static std::size_t matchAt(const Segment &segment, std::string_view text, std::size_t at);
    std::size_t longestAtom() const; // in the part of a floating pattern
    static std::size_t find(const Segment &segment, std::string_view text, std::size_t from);

    std::string m_text;              // prepared
    std::vector<Segment> m_segments; // one more than there are runs of "%"
    bool m_contains = false;
    std::string m_containedText;
};
