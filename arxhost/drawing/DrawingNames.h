#pragma once

#include <algorithm>
#include <cwctype>
#include <string>
#include <string_view>

// Names in a drawing (layers, blocks, styles, dictionary keys) are told
// apart without regard to case, as the CAD host does.
namespace DrawingNames {

inline bool Same(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
                  return std::towupper(x) == std::towupper(y);
              });
}

inline std::wstring Upper(std::wstring text)
{
    for (wchar_t& ch : text)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return text;
}

}  // namespace DrawingNames
