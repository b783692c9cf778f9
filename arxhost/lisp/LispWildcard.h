#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// AutoLISP's wild-card patterns, as wcmatch and the filters of ssget take
// them: # a digit, @ a letter, . a character that is neither, * any run of
// characters, ? any one, [...] one of those listed (ranges a-z; [~...] one
// not listed), ` takes the next character as it is, a comma separates
// alternatives and a ~ at the start of one matches what it does not.
// Letters match only their own case unless the pattern is made to ignore it.
class LispWildcard {
public:
    explicit LispWildcard(std::wstring_view pattern, bool ignoreCase = false);
    bool Matches(std::wstring_view text) const;

private:
    struct Token {
        enum class Kind { Literal, Digit, Letter, Other, Any, Star, Set } kind = Kind::Literal;
        wchar_t ch = 0;
        bool negated = false;
        std::vector<std::pair<wchar_t, wchar_t>> ranges;
    };
    struct Alternative {
        bool negated = false;
        std::vector<Token> tokens;
    };

    bool MatchesOne(const Token& token, wchar_t ch) const;
    bool MatchesAlternative(const Alternative& alternative, std::wstring_view text) const;
    wchar_t Fold(wchar_t ch) const;

    std::vector<Alternative> m_alternatives;
    bool m_ignoreCase;
};
