#include "CFont.h"
#include <map>
CFont* CFont::FromHandle(HFONT h) { static std::map<HFONT, CFont> m; m[h].m_hObject = h; return &m[h]; }
