// CUGTab: the sheet tabs.
//
//   Tabs ........ AddTab, MeasureLabel, ComputeMaxScrollOffset
//   Window ...... OnCreate (the arrows), OnSize, OnPaint
#include "CUGTab.h"

#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"

#include <algorithm>

namespace {

constexpr UINT kArrowsId = 100;
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

CUGTab::CUGTab()
{
    m_tabFont.CreateFont(14, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    m_fontInUse = &m_tabFont;
    m_arrowsWidth = 2 * GetSystemMetrics(SM_CXHSCROLL);
}

// --- Tabs -----------------------------------------------------------------------

int CUGTab::AddTab(const wchar_t* label, int id)
{
    if (m_tabCount >= MaxTabs)
        return 1;
    const int index = m_tabCount++;
    m_labels[index] = label ? label : L"";
    m_ids[index] = id;
    m_textColors[index] = GetSysColor(COLOR_WINDOWTEXT);
    m_backColors[index] = GetSysColor(COLOR_BTNFACE);
    m_widths[index] = MeasureLabel(m_labels[index]);
    ComputeMaxScrollOffset();
    return 0;
}

int CUGTab::MeasureLabel(const wchar_t* label)
{
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, static_cast<HFONT>(*m_fontInUse));
    SIZE size{};
    GetTextExtentPoint32W(screen, label, lstrlenW(label), &size);
    SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return size.cx + 10;
}

void CUGTab::ComputeMaxScrollOffset()
{
    RECT client{};
    if (GetSafeHwnd())
        GetClientRect(&client);
    int sum = m_arrowsWidth - client.right;
    for (int i = 0; i < m_tabCount; ++i)
        sum += m_widths[i];
    m_maxScrollOffset = sum < 1 ? 0 : sum + 20;
}

void CUGTab::RedrawAll()
{
    if (!GetSafeHwnd())
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

// --- Window ---------------------------------------------------------------------

int CUGTab::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    RECT client;
    GetClientRect(&client);
    const RECT arrows{client.left, client.top, client.left + m_arrowsWidth, client.bottom};
    m_arrows.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, arrows, this, kArrowsId);
    return 0;
}

void CUGTab::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RECT client;
    GetClientRect(&client);
    if (m_arrows.GetSafeHwnd())
        m_arrows.MoveWindow(client.left, client.top + 1, m_arrowsWidth - client.left,
                            client.bottom - (client.top + 1));
    ComputeMaxScrollOffset();
}

void CUGTab::OnPaint()
{
    CPaintDC dc(this);
    const int saved = dc.SaveDC();
    dc.SelectObject(m_fontInUse);
    RECT client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));

    // A tab is a trapezoid slanting out to the right; the current one is
    // drawn last, white and open towards the sheet above it.
    auto drawTab = [&](int index, int left, COLORREF back) {
        const int right = left + m_widths[index];
        const int top = client.top;
        const int bottom = client.bottom - 1;
        CBrush brush(back);
        CBrush* oldBrush = dc.SelectObject(&brush);
        const POINT shape[4] = {{left, top}, {left + 7, bottom}, {right + 2, bottom},
                                {right + 9, top}};
        dc.Polygon(shape, 4);
        dc.SelectObject(oldBrush);
        dc.SetBkColor(back);
        dc.SetTextColor(m_textColors[index]);
        dc.ExtTextOut(left + 10, top + 1, 0, nullptr, m_labels[index],
                      m_labels[index].GetLength(), nullptr);
    };
    int x = m_arrowsWidth - m_scrollOffset;
    int currentLeft = -1;
    for (int i = 0; i < m_tabCount; ++i) {
        if (i == m_currentTab)
            currentLeft = x;
        drawTab(i, x, i == m_currentTab ? kWhite : m_backColors[i]);
        x += m_widths[i];
    }
    if (currentLeft >= 0 && m_currentTab < m_tabCount) {
        drawTab(m_currentTab, currentLeft, kWhite);
        CPen white(PS_SOLID, 1, kWhite);
        CPen* oldPen = dc.SelectObject(&white);
        dc.MoveTo(currentLeft + 1, client.top);
        dc.LineTo(currentLeft + m_widths[m_currentTab] + 9, client.top);
        dc.SelectObject(oldPen);
    }

    // The grip at the right end, for sizing the strip against the scroll bar.
    const struct {
        int fromRight;
        COLORREF color;
    } grip[] = {{1, RGB(0, 0, 0)},
                {2, GetSysColor(COLOR_BTNSHADOW)},
                {3, GetSysColor(COLOR_BTNFACE)},
                {4, GetSysColor(COLOR_BTNFACE)},
                {5, kWhite},
                {6, GetSysColor(COLOR_BTNFACE)}};
    for (const auto& line : grip) {
        CPen pen(PS_SOLID, 1, line.color);
        CPen* oldPen = dc.SelectObject(&pen);
        dc.MoveTo(client.right - line.fromRight, 0);
        dc.LineTo(client.right - line.fromRight, client.bottom);
        dc.SelectObject(oldPen);
    }
    {
        CPen black(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* oldPen = dc.SelectObject(&black);
        dc.MoveTo(0, 0);
        dc.LineTo(m_arrowsWidth + 1, 0);
        dc.SelectObject(oldPen);
    }
    dc.RestoreDC(saved);
    if (m_arrows.GetSafeHwnd()) {
        m_arrows.Invalidate(TRUE);
        m_arrows.UpdateWindow();
    }
}

// --- Tabs, continued ----------------------------------------------------------------

int CUGTab::IndexOf(int id) const
{
    for (int i = 0; i < m_tabCount; ++i) {
        if (m_ids[i] == id)
            return i;
    }
    return -1;
}

int CUGTab::GetTabId(int index) const
{
    return index >= 0 && index < m_tabCount ? m_ids[index] : -1;
}

int CUGTab::InsertTab(int index, const wchar_t* label, int id)
{
    if (index == m_tabCount)
        return AddTab(label, id);
    if (index < 0 || index > m_tabCount)
        return 0;
    if (m_tabCount >= MaxTabs)
        return 1;
    for (int i = m_tabCount; i > index; --i) {
        m_labels[i] = m_labels[i - 1];
        m_widths[i] = m_widths[i - 1];
        m_ids[i] = m_ids[i - 1];
        m_textColors[i] = m_textColors[i - 1];
        m_backColors[i] = m_backColors[i - 1];
    }
    ++m_tabCount;
    if (m_currentTab >= index)
        ++m_currentTab;
    m_labels[index] = label ? label : L"";
    m_ids[index] = id;
    m_textColors[index] = GetSysColor(COLOR_WINDOWTEXT);
    m_backColors[index] = GetSysColor(COLOR_BTNFACE);
    m_widths[index] = MeasureLabel(m_labels[index]);
    ComputeMaxScrollOffset();
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 0;
}

int CUGTab::DeleteTab(int id)
{
    const int index = IndexOf(id);
    if (index < 0)
        return 0;
    for (int i = index; i + 1 < m_tabCount; ++i) {
        m_labels[i] = m_labels[i + 1];
        m_widths[i] = m_widths[i + 1];
        m_ids[i] = m_ids[i + 1];
        m_textColors[i] = m_textColors[i + 1];
        m_backColors[i] = m_backColors[i + 1];
    }
    --m_tabCount;
    if (index == m_currentTab) {
        m_currentTab = 0;
        if (m_tabCount > 0)
            SetCurrentTab(m_ids[0]);
    } else if (m_currentTab > index) {
        --m_currentTab;
    }
    ComputeMaxScrollOffset();
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 1;
}

// Makes the tab current and scrolls the strip so that it can be seen.
int CUGTab::SetCurrentTab(int id)
{
    const int index = IndexOf(id);
    if (index < 0)
        return 0;
    int x = -5;
    for (int i = 0; i < index; ++i)
        x += m_widths[i];
    x = std::max(x, 0);
    m_currentTab = index;
    const int stripWidth = m_GI ? m_GI->TabWidth : 0;
    if (x < m_scrollOffset)
        m_scrollOffset = x;
    else if (x > stripWidth - (2 * m_widths[index] + 10) + m_scrollOffset)
        m_scrollOffset = x + 2 * m_widths[index] + 10 - stripWidth;
    if (x > m_maxScrollOffset)
        m_scrollOffset = m_maxScrollOffset;
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 1;
}

int CUGTab::SetTabFont(CFont* font)
{
    if (font)
        m_fontInUse = font;
    for (int i = 0; i < m_tabCount; ++i)
        m_widths[i] = MeasureLabel(m_labels[i]);
    ComputeMaxScrollOffset();
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 1;
}

// --- Mouse ------------------------------------------------------------------------

namespace {

constexpr int kGripZone = 7;

}  // namespace

int CUGTab::TabAt(int x, int* left) const
{
    int tabLeft = m_arrowsWidth - m_scrollOffset;
    for (int i = 0; i < m_tabCount; ++i) {
        const int right = tabLeft + m_widths[i];
        // The slanted edge reaches 2 pixels past the tab's nominal right.
        if (x >= tabLeft && x <= right + 2) {
            if (left)
                *left = tabLeft;
            return i;
        }
        tabLeft = right;
    }
    return -1;
}

void CUGTab::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    if (code == SB_LINELEFT && m_scrollOffset >= 1) {
        m_scrollOffset = std::max(m_scrollOffset - 5, 0);
        Invalidate(TRUE);
    } else if (code == SB_LINERIGHT && m_scrollOffset < m_maxScrollOffset - 5) {
        m_scrollOffset += 5;
        Invalidate(TRUE);
    }
    CWnd::OnHScroll(code, pos, scrollBar);
}

void CUGTab::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_atGrip) {
        SetCapture();
        m_sizing = 1;
        return;
    }
    int left = 0;
    const int index = TabAt(point.x, &left);
    if (index >= 0) {
        m_currentTab = index;
        RECT client;
        GetClientRect(&client);
        const int right = left + m_widths[index];
        if (left - 5 < m_arrowsWidth)
            m_scrollOffset = std::max(m_scrollOffset + left - 5 - m_arrowsWidth, 0);
        else if (right + 19 > client.right)
            m_scrollOffset =
                std::min(m_scrollOffset + right + 19 - static_cast<int>(client.right),
                         m_maxScrollOffset);
        Invalidate(TRUE);
        m_ctrl->NotifySheetTabSelected(m_ids[index]);
    }
    CWnd::OnLButtonDown(flags, point);
}

void CUGTab::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_sizing) {
        m_sizing = 0;
        ::ReleaseCapture();
    }
    CWnd::OnLButtonUp(flags, point);
}

void CUGTab::OnMouseMove(UINT /*flags*/, CPoint point)
{
    if (!m_sizing) {
        RECT client;
        GetClientRect(&client);
        m_atGrip = point.x > client.right - kGripZone;
        return;
    }
    RECT controlClient;
    m_ctrl->GetClientRect(&controlClient);
    m_GI->TabWidth = std::min<int>(point.x, controlClient.right - 15);
    m_ctrl->SetTabSizing(1);
    m_ctrl->AdjustComponentSizes();
    m_ctrl->SetTabSizing(0);
}

void CUGTab::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    if (!m_GI->PopupMenuEnabled)
        return;
    const int index = TabAt(point.x, nullptr);
    POINT screen = point;
    ClientToScreen(&screen);
    m_ctrl->ShowPopupMenu(index, 0, &screen, CUGCtrl::SectionTabs);
}

BOOL CUGTab::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(LoadCursorW(nullptr, m_atGrip ? IDC_SIZEWE : IDC_ARROW));
    return TRUE;
}
