#pragma once

#include <string>
#include <vector>

// Plain text from the way DXF writes text: TEXT's %% codes (%%d degree,
// %%p plus-minus, %%c diameter, %%u and %%o underline and overline marks)
// and MTEXT's inline format codes (\P new paragraph, \~ hard space, fonts,
// heights and colours in braces, \S stacked fractions).
class DrawingTextFormat {
public:
    static std::wstring PlainText(const std::wstring& text);
    // The lines of an MTEXT, format codes taken out.
    static std::vector<std::wstring> MTextLines(const std::wstring& text);
};
