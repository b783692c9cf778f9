#include "CellDCState.h"

#include "CDC.h"

CellDCState::CellDCState(CDC* dc)
    : m_dc(dc->GetSafeHdc()), m_saved(::SaveDC(m_dc)), m_start(Read(m_dc))
{
}

CellDCState::~CellDCState()
{
    if (m_saved)
        ::RestoreDC(m_dc, m_saved);
}

CellDCState::Attributes CellDCState::Read(HDC dc)
{
    Attributes a{};
    a.font = ::GetCurrentObject(dc, OBJ_FONT);
    a.pen = ::GetCurrentObject(dc, OBJ_PEN);
    a.brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    a.textColor = ::GetTextColor(dc);
    a.backColor = ::GetBkColor(dc);
    a.backMode = ::GetBkMode(dc);
    a.rop2 = ::GetROP2(dc);
    a.textAlign = ::GetTextAlign(dc);
    a.mapMode = ::GetMapMode(dc);
    ::GetViewportOrgEx(dc, &a.viewportOrigin);
    ::GetWindowOrgEx(dc, &a.windowOrigin);
    ::GetClipBox(dc, &a.clipBox);
    return a;
}

bool CellDCState::SameFrame(const Attributes& a, const Attributes& b)
{
    return a.mapMode == b.mapMode && a.viewportOrigin.x == b.viewportOrigin.x
           && a.viewportOrigin.y == b.viewportOrigin.y && a.windowOrigin.x == b.windowOrigin.x
           && a.windowOrigin.y == b.windowOrigin.y && ::EqualRect(&a.clipBox, &b.clipBox);
}

void CellDCState::Restore()
{
    const Attributes now = Read(m_dc);
    if (!SameFrame(now, m_start) && m_saved) {
        ::RestoreDC(m_dc, m_saved);
        m_saved = ::SaveDC(m_dc);
        return;
    }
    if (now.font != m_start.font)
        ::SelectObject(m_dc, m_start.font);
    if (now.pen != m_start.pen)
        ::SelectObject(m_dc, m_start.pen);
    if (now.brush != m_start.brush)
        ::SelectObject(m_dc, m_start.brush);
    if (now.textColor != m_start.textColor)
        ::SetTextColor(m_dc, m_start.textColor);
    if (now.backColor != m_start.backColor)
        ::SetBkColor(m_dc, m_start.backColor);
    if (now.backMode != m_start.backMode)
        ::SetBkMode(m_dc, m_start.backMode);
    if (now.rop2 != m_start.rop2)
        ::SetROP2(m_dc, m_start.rop2);
    if (now.textAlign != m_start.textAlign)
        ::SetTextAlign(m_dc, m_start.textAlign);
}
