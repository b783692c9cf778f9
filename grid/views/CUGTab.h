#pragma once

#include "CFont.h"
#include "CScrollBar.h"
#include "CString.h"
#include "CWnd.h"

class CUGCtrl;
class CUGGridInfo;

// The strip of sheet tabs at the bottom left, beside the horizontal scroll
// bar. Its width is the sheet's TabWidth: 0 hides it.
class CUGTab : public CWnd {
public:
    static constexpr int MaxTabs = 64;

    CUGTab();

    int AddTab(const wchar_t* label, int id);
    int InsertTab(int index, const wchar_t* label, int id);
    int DeleteTab(int id);
    int SetCurrentTab(int id);
    int GetTabCount() const { return m_tabCount; }
    int GetCurrentTab() const { return m_currentTab; }
    int GetTabId(int index) const;
    int SetTabFont(CFont* font);
    void RedrawAll();

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    // The tab whose span holds x, or -1; its left edge in `left`.
    int TabAt(int x, int* left) const;
    int IndexOf(int id) const;
    void ComputeMaxScrollOffset();
    int MeasureLabel(const wchar_t* label);

    CString m_labels[MaxTabs];
    int m_widths[MaxTabs] = {};
    int m_ids[MaxTabs] = {};
    COLORREF m_textColors[MaxTabs] = {};
    COLORREF m_backColors[MaxTabs] = {};
    int m_tabCount = 0;
    int m_scrollOffset = 0;
    int m_maxScrollOffset = 0;
    int m_currentTab = 0;
    int m_arrowsWidth = 0;
    CScrollBar m_arrows;
    CFont m_tabFont;
    CFont* m_fontInUse = nullptr;
    int m_atGrip = 0;
    int m_sizing = 0;
};
