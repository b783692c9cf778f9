// CWnd: attaching objects to windows and dispatching their messages.
//
//   Thread state ....... the HWND -> CWnd maps and the creation hook
//   Attaching .......... CreateEx (through the hook), SubclassWindow, Detach
//   AfxWndProc ......... the subclass procedure: current message, tool tips,
//                        WindowProc, detach after WM_NCDESTROY
//   WindowProc ......... unpacks a message and calls its OnXxx handler
//   Handlers ........... the defaults, each calling Default()
//   Wrappers ........... thin calls of the Win32 window functions
#include "CWnd.h"

#include "AfxRegisterClass.h"
#include "CDC.h"
#include "CFont.h"
#include "CScrollBar.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <unordered_map>

// --- Thread state -----------------------------------------------------------

namespace {

struct WindowThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    CWnd* pendingCreate = nullptr;
    int messageDepth = 0;
    std::wstring pendingClass;
    HHOOK createHook = nullptr;
};

WindowThreadState& ThreadState()
{
    static thread_local WindowThreadState state;
    return state;
}

HINSTANCE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                           | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CWnd::AfxWndProc), &module);
    return module;
}

// The framework's window class: double clicks, arrow cursor, no background
// (the windows that use it paint all of their client area).
constexpr wchar_t kFrameworkClass[] = L"LotGridWnd";

LPCWSTR FrameworkClass()
{
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = OwnModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameworkClass;
    AfxRegisterClass(&wc);
    return kFrameworkClass;
}

std::wstring ClassNameOf(HWND hwnd)
{
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring ClassNameOf(LPCWSTR className)
{
    if (IS_INTRESOURCE(className)) {
        wchar_t name[256] = {};
        GetAtomNameW(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className)), name, 256);
        return name;
    }
    return className;
}

} // namespace

// Attaches the pending object to the first window of its class created while
// the hook is in place, before that window's first message.
struct CWndAttach {
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
    {
        WindowThreadState& state = ThreadState();
        if (code == HCBT_CREATEWND && state.pendingCreate) {
            HWND hwnd = reinterpret_cast<HWND>(wParam);
            if (state.pendingClass.empty()
                || _wcsicmp(ClassNameOf(hwnd).c_str(), state.pendingClass.c_str()) == 0) {
                CWnd* wnd = state.pendingCreate;
                state.pendingCreate = nullptr;
                auto original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                    hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
                wnd->Attach(hwnd, original);
            }
        }
        return CallNextHookEx(state.createHook, code, wParam, lParam);
    }
};

void CWnd::HookWindowCreate(CWnd* wnd, LPCWSTR className)
{
    WindowThreadState& state = ThreadState();
    state.pendingCreate = wnd;
    state.pendingClass = className ? ClassNameOf(className) : std::wstring();
    if (!state.createHook)
        state.createHook = SetWindowsHookExW(WH_CBT, &CWndAttach::CbtProc, nullptr,
                                             GetCurrentThreadId());
}

void CWnd::UnhookWindowCreate()
{
    WindowThreadState& state = ThreadState();
    state.pendingCreate = nullptr;
    state.pendingClass.clear();
    if (state.createHook) {
        UnhookWindowsHookEx(state.createHook);
        state.createHook = nullptr;
    }
}

// --- Attaching -------------------------------------------------------------

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    // Detach first so that no message of the dying window reaches an object
    // that is half destroyed.
    HWND hwnd = m_hWnd;
    bool alive = ::IsWindow(hwnd) && m_superProc;
    Detach();
    if (alive)
        ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& map = ThreadState().permanent;
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    auto& temporary = ThreadState().temporary[hwnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hwnd;
    }
    return temporary.get();
}

void CWnd::Attach(HWND hwnd, WNDPROC original)
{
    assert(!m_hWnd && "CWnd::Attach: the object already has a window");
    WindowThreadState& state = ThreadState();
    if (auto it = state.temporary.find(hwnd); it != state.temporary.end()) {
        it->second->m_hWnd = nullptr;
        state.temporary.erase(it);
    }
    m_hWnd = hwnd;
    m_superProc = original;
    state.permanent[hwnd] = this;
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    if (m_superProc && ::IsWindow(m_hWnd)
        && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    ThreadState().permanent.erase(m_hWnd);
    m_hWnd = nullptr;
    m_superProc = nullptr;
    m_toolTip = nullptr;
    m_lastTool = -1;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU idOrMenu,
                    LPVOID param)
{
    assert(!m_hWnd && "CWnd::CreateEx: the object already has a window");
    bool ownClass = className == nullptr;
    if (ownClass)
        className = FrameworkClass();
    HookWindowCreate(this, className);
    HWND hwnd = CreateWindowExW(exStyle, className, windowName, style, x, y, width, height,
                                parent, idOrMenu, OwnModule(), param);
    UnhookWindowCreate();
    return hwnd != nullptr && m_hWnd == hwnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxHwndOf(parent),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (!original)
        return FALSE;
    Attach(hwnd, original);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = ::GetDlgItem(AfxHwndOf(parent), static_cast<int>(id));
    return SubclassWindow(item);
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    Detach();
    return hwnd;
}

HWND AfxHwndOf(const CWnd* wnd)
{
    return wnd ? wnd->m_hWnd : nullptr;
}

// --- AfxWndProc -------------------------------------------------------------

LRESULT CALLBACK CWnd::AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);

    if (wnd->m_toolTip)
        wnd->RelayToolTipEvent(message, wParam, lParam);

    WindowThreadState& state = ThreadState();
    ++state.messageDepth;
    CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        wnd->Detach();
        wnd->PostNcDestroy();
    } else {
        wnd->m_current = outer;
    }
    // The temporary wrappers handed out while the message was handled are
    // not to be kept beyond it; once no message is being handled they go.
    if (--state.messageDepth == 0)
        DeleteTempMaps();
    return result;
}

void CWnd::DeleteTempMaps()
{
    WindowThreadState& state = ThreadState();
    for (auto& entry : state.temporary)
        entry.second->m_hWnd = nullptr;
    state.temporary.clear();
    CDC::DeleteTempMap();
    CFont::DeleteTempMap();
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc)
        return CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

// --- WindowProc -------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto point = [lParam] { return CPoint(lParam); };
    auto windowOf = [](WPARAM w) { return FromHandle(reinterpret_cast<HWND>(w)); };

    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(windowOf(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(windowOf(wParam));
        return 0;
    case WM_MOUSEACTIVATE:
        return OnMouseActivate(windowOf(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_SETCURSOR:
        return OnSetCursor(windowOf(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), point());
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), point());
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), point());
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), point());
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), point());
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(static_cast<UINT>(wParam), point());
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(static_cast<UINT>(wParam), point());
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(static_cast<UINT>(wParam), point());
        return 0;
    case WM_MBUTTONDBLCLK:
        OnMButtonDblClk(static_cast<UINT>(wParam), point());
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), point());
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point());
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        HWND bar = reinterpret_cast<HWND>(lParam);
        CWnd* control = FromHandlePermanent(bar);
        LRESULT reflected = 0;
        if (control && control->OnChildNotify(message, wParam, lParam, &reflected))
            return reflected;
        auto* scrollBar = dynamic_cast<CScrollBar*>(control);
        if (message == WM_HSCROLL)
            OnHScroll(LOWORD(wParam), HIWORD(wParam), scrollBar);
        else
            OnVScroll(LOWORD(wParam), HIWORD(wParam), scrollBar);
        return 0;
    }
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        return Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        return Default();
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                       FromHandle(reinterpret_cast<HWND>(lParam)),
                       message - WM_CTLCOLORMSGBOX));
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        return 0;
    default:
        return Default();
    }
}

// --- Handlers ---------------------------------------------------------------

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    LRESULT result = 0;
    return control && control != this
           && control->OnChildNotify(WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    CWnd* control = header ? FromHandlePermanent(header->hwndFrom) : nullptr;
    return control && control != this
           && control->OnChildNotify(WM_NOTIFY, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFOW*) const { return -1; }

int CWnd::OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }

// --- Tool tips ---------------------------------------------------------------

BOOL CWnd::EnableToolTips(BOOL enable)
{
    if (!enable) {
        if (m_toolTip)
            ::DestroyWindow(m_toolTip);
        m_toolTip = nullptr;
        m_lastTool = -1;
        return TRUE;
    }
    if (m_toolTip)
        return TRUE;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                m_hWnd, nullptr, OwnModule(), nullptr);
    m_lastTool = -1;
    return m_toolTip != nullptr;
}

// Asks OnToolHitTest on each mouse message; when the tool under the mouse
// changes, the tip window gets the new tool (its text asked for later with
// TTN_NEEDTEXTW), then sees the mouse message itself.
void CWnd::RelayToolTipEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONUP
        && message != WM_RBUTTONDOWN && message != WM_RBUTTONUP)
        return;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    INT_PTR hit = OnToolHitTest(CPoint(lParam), &info);
    if (hit != m_lastTool) {
        TOOLINFOW old{};
        old.cbSize = sizeof(old);
        old.hwnd = m_hWnd;
        old.uId = static_cast<UINT_PTR>(m_lastTool);
        if (m_lastTool != -1)
            ::SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
        m_lastTool = hit;
        if (hit != -1) {
            info.hwnd = m_hWnd;
            info.uId = static_cast<UINT_PTR>(hit);
            info.uFlags &= ~TTF_IDISHWND;
            if (!info.lpszText)
                info.lpszText = LPSTR_TEXTCALLBACKW;
            if (::IsRectEmpty(&info.rect))
                ::GetClientRect(m_hWnd, &info.rect);
            ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
    MSG msg{m_hWnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// --- Wrappers ----------------------------------------------------------------

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, AfxHwndOf(insertAfter), x, y, cx, cy, flags);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }

int CWnd::GetWindowText(LPWSTR buffer, int maxCount) const
{
    return ::GetWindowTextW(m_hWnd, buffer, maxCount);
}

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    wchar_t* buffer = text.GetBufferSetLength(length + 1);
    ::GetWindowTextW(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    HWND over = AfxHwndOf(alternateOwner);
    bool child = (GetStyle() & WS_CHILD) != 0;
    if (!over)
        over = child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect area;
    if (child) {
        ::GetClientRect(over, &area);
    } else if (over && ::IsWindowVisible(over) && !::IsIconic(over)) {
        ::GetWindowRect(over, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    CRect window;
    GetWindowRect(&window);
    int x = area.left + (area.Width() - window.Width()) / 2;
    int y = area.top + (area.Height() - window.Height()) / 2;
    if (!child) {
        // Keep the caption on the screen.
        CRect work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = std::max<int>(work.left, std::min<int>(x, work.right - window.Width()));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - window.Height()));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* newParent)
{
    return FromHandle(::SetParent(m_hWnd, AfxHwndOf(newParent)));
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, rect, region, flags);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc)
{
    return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0;
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw)
{
    return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    info->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}
