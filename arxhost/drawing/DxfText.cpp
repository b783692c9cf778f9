#include "DxfText.h"

#include <windows.h>

#include <cctype>
#include <cstdio>

namespace {

// "AC1021" and later (2007+) are UTF-8.
bool IsUtf8Version(std::string_view version)
{
    if (version.size() != 6 || version.substr(0, 2) != "AC")
        return false;
    int number = 0;
    for (char ch : version.substr(2)) {
        if (ch < '0' || ch > '9')
            return false;
        number = number * 10 + (ch - '0');
    }
    return number >= 1021;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// Replaces each \U+XXXX by its character; anything else stays as it is.
std::wstring ResolveEscapes(std::wstring text)
{
    size_t at = text.find(L"\\U+");
    if (at == std::wstring::npos)
        return text;
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'\\' && i + 7 <= text.size() && text[i + 1] == L'U' && text[i + 2] == L'+') {
            int value = 0;
            bool hex = true;
            for (size_t k = 3; k < 7; ++k) {
                int digit = HexDigit(text[i + k]);
                hex = hex && digit >= 0;
                value = value * 16 + (digit < 0 ? 0 : digit);
            }
            if (hex) {
                out += static_cast<wchar_t>(value);
                i += 7;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

}  // namespace

DxfText::DxfText() : m_codePage(CP_UTF8) {}

DxfText::DxfText(std::string_view acadVersion, std::string_view codePageName)
{
    if (IsUtf8Version(acadVersion)) {
        m_codePage = CP_UTF8;
        return;
    }
    unsigned page = CodePageOf(codePageName);
    m_codePage = page && IsValidCodePage(page) ? page : 1252;
}

unsigned DxfText::CodePageOf(std::string_view name)
{
    std::string upper;
    for (char ch : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    // ANSI_1252, ANSI_932, DOS850, ISO8859-1 (as some writers name Latin-1).
    for (std::string_view prefix : {"ANSI_", "DOS"}) {
        if (upper.compare(0, prefix.size(), prefix) == 0) {
            unsigned page = 0;
            for (char ch : std::string_view(upper).substr(prefix.size())) {
                if (ch < '0' || ch > '9')
                    return 0;
                page = page * 10 + static_cast<unsigned>(ch - '0');
                if (page > 65535)
                    return 0;
            }
            return page;
        }
    }
    if (upper == "ISO8859-1" || upper == "ISO-8859-1")
        return 28591;
    if (upper == "UTF8" || upper == "UTF-8")
        return CP_UTF8;
    return 0;
}

std::wstring DxfText::Decode(std::string_view bytes) const
{
    if (bytes.empty())
        return {};
    bool ascii = true;
    for (char ch : bytes)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    std::wstring text;
    if (ascii) {
        text.assign(bytes.begin(), bytes.end());
    } else {
        int size = MultiByteToWideChar(m_codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                       nullptr, 0);
        text.resize(static_cast<size_t>(size));
        MultiByteToWideChar(m_codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                            text.data(), size);
    }
    return ResolveEscapes(std::move(text));
}

std::string DxfText::Encode(std::wstring_view text) const
{
    std::string out;
    out.reserve(text.size());
    if (m_codePage == CP_UTF8) {
        int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
        out.resize(static_cast<size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            size, nullptr, nullptr);
        return out;
    }
    // Character by character, so that what the page cannot hold becomes an
    // escape that every DXF reader turns back into the character.
    for (wchar_t ch : text) {
        if (ch < 0x80) {
            out += static_cast<char>(ch);
            continue;
        }
        char bytes[8];
        BOOL lost = FALSE;
        int size = WideCharToMultiByte(m_codePage, WC_NO_BEST_FIT_CHARS, &ch, 1, bytes,
                                       sizeof bytes, nullptr, &lost);
        if (size > 0 && !lost) {
            out.append(bytes, static_cast<size_t>(size));
        } else {
            char escape[12];
            std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(ch));
            out += escape;
        }
    }
    return out;
}
