#pragma once

#include "CObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "CString.h"

#include <windows.h>
#include <commctrl.h>

class CDC;
class CFont;
class CMenu;
class CScrollBar;

// A window as MFC's CWnd: the object is attached to its HWND from the
// window's first message on (windows made through CreateEx) or from
// SubclassWindow/SubclassDlgItem (existing controls). WindowProc unpacks each
// message the system handles and calls one virtual OnXxx handler; a handler
// that wants the platform's behaviour calls Default(), which runs the
// window's original procedure with the message being handled.
//
// Message flow:
//   AfxWndProc (the subclass procedure every attached window gets)
//     -> CWnd::WindowProc -> OnXxx handler -> (optionally) Default()
//     -> the original window procedure (system class or DefWindowProcW)
//   WM_NCDESTROY detaches the object after the original procedure ran, then
//   calls PostNcDestroy.
class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Handles --------------------------------------------------------------
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    // The attached object of a window, or a temporary one for a window that
    // no object is attached to (kept until the window's handle is reused or
    // the thread ends). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // Only the attached object, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Creation and destruction --------------------------------------------
    // A null class name uses the framework's own window class (a plain
    // window whose procedure is DefWindowProcW).
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU idOrMenu,
                  LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Window state and geometry ------------------------------------------
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // Opens the clipboard for this window; FALSE while another window holds it.
    BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    void SetWindowText(LPCWSTR text);
    int GetWindowText(LPWSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    // Centres the window over `alternateOwner`, else over its owner or parent,
    // else on the work area of the screen.
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // Painting -------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // A device context for the client area, released with ReleaseDC; the
    // object is temporary (see FromHandle).
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    CFont* GetFont() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);

    // Timers, capture, scroll bars, tool tips -----------------------------
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    CWnd* SetCapture();
    static CWnd* GetCapture();
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    // Shows the tip of the tool that OnToolHitTest finds under the mouse;
    // the tip's text is asked for with TTN_NEEDTEXTW through OnNotify.
    BOOL EnableToolTips(BOOL enable = TRUE);
    HWND GetToolTipWindow() const { return m_toolTip; }

    // Messages -------------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The message being handled, passed on to the original procedure.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Frees the temporary objects of windows, DCs and fonts that no object
    // owns (FromHandle); done after every message handled at the outermost
    // level.
    static void DeleteTempMaps();

    // The subclass procedure of every attached window.
    static LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called after the window's last message; the object is detached then.
    virtual void PostNcDestroy() {}

    // WM_COMMAND: reflected to the sending control first (OnChildNotify).
    // Answers TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflected to the sending control first.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this control to its parent, offered to the control
    // before the parent; TRUE keeps it from the parent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The tool under `point` for the tip window: its id (and the tool's
    // rectangle and text in `info`), or -1 when there is none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const;

    virtual int OnCreate(LPCREATESTRUCTW createStruct);
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    virtual UINT OnGetDlgCode();
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnKeyDown(UINT ch, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT ch, UINT repeatCount, UINT flags);
    virtual void OnChar(UINT ch, UINT repeatCount, UINT flags);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    virtual void OnMButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    virtual void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    virtual void OnSysColorChange();
    virtual void OnCaptureChanged(CWnd* wnd);

    // Installs the thread's creation hook so that the next window of the
    // class `className` (of any class when null) created on this thread is
    // attached to `wnd` before its first message.
    static void HookWindowCreate(CWnd* wnd, LPCWSTR className = nullptr);
    static void UnhookWindowCreate();

private:
    friend struct CWndAttach;
    void Attach(HWND hwnd, WNDPROC original);
    void Detach();
    void RelayToolTipEvent(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_superProc = nullptr;
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    } m_current;
    HWND m_toolTip = nullptr;
    INT_PTR m_lastTool = -1;
};

// The handle of a window object, null for null (for code that only has a
// declaration of CWnd).
HWND AfxHwndOf(const CWnd* wnd);
