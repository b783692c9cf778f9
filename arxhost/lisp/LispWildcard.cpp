#include "LispWildcard.h"

#include <cwctype>

LispWildcard::LispWildcard(std::wstring_view pattern, bool ignoreCase) : m_ignoreCase(ignoreCase)
{
    using Kind = Token::Kind;
    m_alternatives.emplace_back();
    bool start = true;
    for (size_t i = 0; i < pattern.size(); ++i) {
        wchar_t ch = pattern[i];
        Alternative& alternative = m_alternatives.back();
        Token token;
        if (ch == L'~' && start) {
            alternative.negated = true;
            continue;
        }
        start = false;
        switch (ch) {
        case L',':
            m_alternatives.emplace_back();
            start = true;
            continue;
        case L'`':
            token.ch = i + 1 < pattern.size() ? pattern[++i] : L'`';
            break;
        case L'#': token.kind = Kind::Digit; break;
        case L'@': token.kind = Kind::Letter; break;
        case L'.': token.kind = Kind::Other; break;
        case L'?': token.kind = Kind::Any; break;
        case L'*': token.kind = Kind::Star; break;
        case L'[': {
            // The first character of a set is taken as it is, even "]".
            size_t k = i + 1;
            token.negated = k < pattern.size() && pattern[k] == L'~';
            if (token.negated)
                ++k;
            size_t first = k;
            while (k < pattern.size() && (pattern[k] != L']' || k == first)) {
                wchar_t low = pattern[k];
                if (low == L'`' && k + 1 < pattern.size())
                    low = pattern[++k];
                wchar_t high = low;
                if (k + 2 < pattern.size() && pattern[k + 1] == L'-' && pattern[k + 2] != L']') {
                    high = pattern[k + 2];
                    k += 2;
                }
                token.ranges.emplace_back(low, high);
                ++k;
            }
            if (k >= pattern.size()) {
                token = Token{};   // an unclosed bracket is only itself
                token.ch = L'[';
                break;
            }
            token.kind = Kind::Set;
            i = k;
            break;
        }
        default:
            token.ch = ch;
        }
        alternative.tokens.push_back(std::move(token));
    }
}

wchar_t LispWildcard::Fold(wchar_t ch) const
{
    // Layer names are mostly ASCII, and ssget folds one for every entity of
    // the drawing: the library's towupper costs more than the whole match.
    if (!m_ignoreCase)
        return ch;
    if (ch < 0x80)
        return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - (L'a' - L'A')) : ch;
    return static_cast<wchar_t>(std::towupper(ch));
}

bool LispWildcard::MatchesOne(const Token& token, wchar_t ch) const
{
    using Kind = Token::Kind;
    switch (token.kind) {
    case Kind::Literal: return Fold(token.ch) == Fold(ch);
    case Kind::Digit: return ch >= L'0' && ch <= L'9';
    case Kind::Letter: return std::iswalpha(ch) != 0;
    case Kind::Other: return std::iswalnum(ch) == 0;
    case Kind::Any: return true;
    case Kind::Star: return false;
    case Kind::Set: {
        wchar_t folded = Fold(ch);
        bool listed = false;
        for (const auto& range : token.ranges)
            listed = listed || (folded >= Fold(range.first) && folded <= Fold(range.second));
        return listed != token.negated;
    }
    }
    return false;
}

bool LispWildcard::MatchesAlternative(const Alternative& alternative, std::wstring_view text) const
{
    // Every token but * takes one character, so going back to the last star
    // and letting it take one more is enough: no search of all splits.
    const std::vector<Token>& tokens = alternative.tokens;
    size_t t = 0, p = 0;
    size_t starToken = std::wstring_view::npos, starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Token::Kind::Star) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && MatchesOne(tokens[p], text[t])) {
            ++p;
            ++t;
        } else if (starToken != std::wstring_view::npos) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Token::Kind::Star)
        ++p;
    return p == tokens.size();
}

bool LispWildcard::Matches(std::wstring_view text) const
{
    for (const Alternative& alternative : m_alternatives)
        if (MatchesAlternative(alternative, text) != alternative.negated)
            return true;
    return false;
}
