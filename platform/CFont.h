#pragma once

#include "CGdiObject.h"

class CDC;

// A logical font.
class CFont : public CGdiObject {
public:
    CFont() = default;

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCWSTR faceName);
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // A font of `pointSize` tenths of a point for the device of `dc` (the
    // screen when null), with the default character set.
    BOOL CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc = nullptr);

    // The font's description; answers nonzero on success.
    int GetLogFont(LOGFONT* logFont) const;

    // A temporary wrapper for a font that someone else owns (null for null):
    // it never deletes the font, is the same object for the same handle and
    // lives until DeleteTempMap.
    static CFont* FromHandle(HFONT font);
    static void DeleteTempMap();
};
