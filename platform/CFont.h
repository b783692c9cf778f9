#pragma once
#include <windows.h>
class CFont { public: HGDIOBJ m_hObject = nullptr; static CFont* FromHandle(HFONT h); };
