#include "DrawingTextFormat.h"

#include <cwctype>

std::wstring DrawingTextFormat::PlainText(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%' || i + 2 >= text.size() || text[i + 1] != L'%') {
            out += text[i];
            continue;
        }
        wchar_t code = static_cast<wchar_t>(std::towlower(text[i + 2]));
        switch (code) {
        case L'd': out += L'\u00B0'; break;
        case L'p': out += L'\u00B1'; break;
        case L'c': out += L'\u2300'; break;
        case L'%': out += L'%'; break;
        case L'u': case L'o': case L'k': break;   // underline, overline, strike: marks only
        default:
            if (std::iswdigit(code)) {
                // %%nnn: the character of that code.
                size_t end = i + 2;
                unsigned value = 0;
                while (end < text.size() && end < i + 5 && std::iswdigit(text[end]))
                    value = value * 10 + static_cast<unsigned>(text[end++] - L'0');
                out += static_cast<wchar_t>(value);
                i = end - 1;
                continue;
            }
            out += text.substr(i, 3);
            break;
        }
        i += 2;
    }
    return out;
}

std::vector<std::wstring> DrawingTextFormat::MTextLines(const std::wstring& text)
{
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t ch = text[i];
        if (ch == L'{' || ch == L'}')
            continue;   // groups only scope formatting
        if (ch != L'\\' || i + 1 >= text.size()) {
            lines.back() += ch;
            continue;
        }
        wchar_t code = text[++i];
        switch (code) {
        case L'P': case L'X':
            lines.emplace_back();
            break;
        case L'~':
            lines.back() += L'\u00A0';
            break;
        case L'\\': case L'{': case L'}':
            lines.back() += code;
            break;
        case L'L': case L'l': case L'O': case L'o': case L'K': case L'k': case L'N':
            break;   // switches without argument
        case L'S': {
            // \Sup^down; \Sup/down; \Sup#down; shown as up/down.
            size_t end = text.find(L';', i + 1);
            std::wstring stacked = text.substr(i + 1, end == std::wstring::npos ? std::wstring::npos
                                                                              : end - i - 1);
            for (wchar_t& s : stacked)
                if (s == L'^' || s == L'#')
                    s = L'/';
            lines.back() += stacked;
            i = end == std::wstring::npos ? text.size() : end;
            break;
        }
        default: {
            // \f..; \H..; \C..; \W..; \Q..; \T..; \A..; \p..; and the like:
            // an argument up to the semicolon.
            size_t end = text.find(L';', i + 1);
            i = end == std::wstring::npos ? text.size() : end;
            break;
        }
        }
    }
    for (std::wstring& line : lines)
        line = PlainText(line);
    return lines;
}
