// A strict reader of JSON text (RFC 8259): whether a report of the batch tool
// is JSON a program can read, with no "inf", "nan" or trailing comma.
#pragma once

#include <cstddef>
#include <string_view>

namespace flexara::testing {

class JsonCheck {
public:
    // True when text is exactly one JSON value, blanks around it allowed.
    static bool Valid(std::string_view text)
    {
        JsonCheck check(text);
        check.Blanks();
        if (!check.Value(0))
            return false;
        check.Blanks();
        return check.pos == text.size();
    }

private:
    explicit JsonCheck(std::string_view text) : text(text) {}

    static constexpr int MaxDepth = 64;

    bool At(char c) const { return pos < text.size() && text[pos] == c; }
    bool Digit() const { return pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; }

    void Blanks()
    {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r'))
            ++pos;
    }

    bool Word(std::string_view word)
    {
        if (text.substr(pos, word.size()) != word)
            return false;
        pos += word.size();
        return true;
    }

    bool Value(int depth)
    {
        if (depth > MaxDepth || pos >= text.size())
            return false;
        switch (text[pos]) {
        case '{':
            return Object(depth);
        case '[':
            return Array(depth);
        case '"':
            return String();
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    bool Object(int depth)
    {
        ++pos;
        Blanks();
        if (At('}')) {
            ++pos;
            return true;
        }
        for (;;) {
            Blanks();
            if (!At('"') || !String())
                return false;
            Blanks();
            if (!At(':'))
                return false;
            ++pos;
            Blanks();
            if (!Value(depth + 1))
                return false;
            Blanks();
            if (At('}')) {
                ++pos;
                return true;
            }
            if (!At(','))
                return false;
            ++pos;
        }
    }

    bool Array(int depth)
    {
        ++pos;
        Blanks();
        if (At(']')) {
            ++pos;
            return true;
        }
        for (;;) {
            Blanks();
            if (!Value(depth + 1))
                return false;
            Blanks();
            if (At(']')) {
                ++pos;
                return true;
            }
            if (!At(','))
                return false;
            ++pos;
        }
    }

    bool String()
    {
        ++pos;
        while (pos < text.size()) {
            const unsigned char c = static_cast<unsigned char>(text[pos]);
            if (c == '"') {
                ++pos;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                ++pos;
                if (pos >= text.size())
                    return false;
                const char e = text[pos];
                if (e == 'u') {
                    for (int i = 1; i <= 4; ++i) {
                        const char h = pos + i < text.size() ? text[pos + i] : '\0';
                        if (!((h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F')))
                            return false;
                    }
                    pos += 4;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
            ++pos;
        }
        return false;
    }

    bool Number()
    {
        if (At('-'))
            ++pos;
        if (At('0')) {
            ++pos;
        } else if (Digit()) {
            while (Digit())
                ++pos;
        } else {
            return false;
        }
        if (At('.')) {
            ++pos;
            if (!Digit())
                return false;
            while (Digit())
                ++pos;
        }
        if (At('e') || At('E')) {
            ++pos;
            if (At('+') || At('-'))
                ++pos;
            if (!Digit())
                return false;
            while (Digit())
                ++pos;
        }
        return true;
    }

    std::string_view text;
    std::size_t pos = 0;
};

} // namespace flexara::testing
