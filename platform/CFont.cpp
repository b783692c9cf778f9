#include "CFont.h"

#include "CDC.h"

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <unordered_map>

namespace {

std::unordered_map<HFONT, std::unique_ptr<CFont>>& TemporaryFonts()
{
    static std::unordered_map<HFONT, std::unique_ptr<CFont>> table;
    return table;
}

} // namespace

CFont* CFont::FromHandle(HFONT font)
{
    if (!font)
        return nullptr;
    auto& wrapper = TemporaryFonts()[font];
    if (!wrapper) {
        wrapper = std::make_unique<CFont>();
        wrapper->m_hObject = font;
    }
    return wrapper.get();
}

void CFont::DeleteTempMap()
{
    // The fonts belong to others: the wrappers let go of them undeleted.
    for (auto& entry : TemporaryFonts())
        entry.second->Detach();
    TemporaryFonts().clear();
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                       BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCWSTR faceName)
{
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic,
                                underline, strikeOut, charSet, outPrecision, clipPrecision,
                                quality, pitchAndFamily, faceName));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    return logFont ? Attach(::CreateFontIndirectW(logFont)) : FALSE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc)
{
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        wcsncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);

    // Tenths of a point to device pixels through the device's vertical
    // resolution; a negative height asks for the character height rather
    // than the cell height, which is what a point size means.
    HDC hdc = dc ? dc->GetSafeHdc() : ::GetDC(nullptr);
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), pointSize, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hdc, &pt, 1);
    ::DPtoLP(hdc, &origin, 1);
    logFont.lfHeight = -std::abs(pt.y - origin.y);
    if (!dc)
        ::ReleaseDC(nullptr, hdc);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    return GetObject(sizeof(LOGFONT), logFont);
}
