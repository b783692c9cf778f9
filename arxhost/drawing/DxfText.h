#pragma once

#include <string>
#include <string_view>

// The text of a DXF file's string values. Files before AutoCAD 2007 are in the
// code page that $DWGCODEPAGE names (ANSI_1252, ANSI_932, ...); 2007 and later
// are UTF-8. Both may carry characters outside their code page as \U+XXXX.
class DxfText {
public:
    // A codec for the file's version ($ACADVER, "AC1021" is 2007) and code
    // page name. An unknown page name falls back to Windows-1252.
    DxfText(std::string_view acadVersion, std::string_view codePageName);
    DxfText();   // UTF-8 (a file without a header)

    std::wstring Decode(std::string_view bytes) const;
    std::string Encode(std::wstring_view text) const;

    bool IsUtf8() const { return m_codePage == 65001; }
    unsigned CodePage() const { return m_codePage; }

    // The Windows code page of a $DWGCODEPAGE name, or 0 when unknown.
    static unsigned CodePageOf(std::string_view name);

private:
    unsigned m_codePage;
};
