#include "MainWindow.h"

#include <algorithm>
#include <cwctype>

#include "ArxHost.h"

namespace {

constexpr wchar_t kClassName[] = L"ArxHostMain";
constexpr int kHistoryHeight = 110;
constexpr int kCommandHeight = 24;
constexpr int kPromptWidth = 80;

std::wstring Trim(const std::wstring& text)
{
    size_t first = 0;
    while (first < text.size() && std::iswspace(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && std::iswspace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& ch : text)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return text;
}

}  // namespace

MainWindow::MainWindow(ArxHost& host) : m_host(host) {}

MainWindow::~MainWindow()
{
    if (m_window && IsWindow(m_window))
        DestroyWindow(m_window);
    if (m_font)
        DeleteObject(m_font);
}

void MainWindow::RegisterClassOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kClassName;
    registered = RegisterClassExW(&cls) != 0;
}

bool MainWindow::Create(const std::wstring& drawingName)
{
    RegisterClassOnce();
    m_drawingName = drawingName;
    std::wstring title = L"arxhost - [" + drawingName + L"]";
    m_window = CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, 1000, 720, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    return m_window != nullptr;
}

void MainWindow::Show()
{
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    SetFocus(m_command);
}

int MainWindow::Run()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        self->OnCreate();
        return 0;
    case WM_SIZE:
        self->OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        self->OnSetFocus();
        return 0;
    case WM_CLOSE:
        self->OnClose();
        return 0;
    case WM_DESTROY:
        self->OnDestroy();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindow::CommandEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
        if (self->OnCommandKeyDown(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_CHAR:
        if (wParam == L'\r')
            return 0;   // handled on key down; the edit control would beep
        break;
    default:
        break;
    }
    return CallWindowProcW(self->m_commandDefault, edit, message, wParam, lParam);
}

void MainWindow::OnCreate()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    m_font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         FIXED_PITCH | FF_MODERN, L"Courier New");
    m_drawing.Create(m_window, m_drawingName);
    m_history = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY
                                    | ES_AUTOVSCROLL,
                                0, 0, 0, 0, m_window, nullptr, instance, nullptr);
    m_prompt = CreateWindowExW(0, L"STATIC", L"Command:", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE,
                               0, 0, 0, 0, m_window, nullptr, instance, nullptr);
    m_command = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, m_window,
                                nullptr, instance, nullptr);
    for (HWND child : {m_history, m_prompt, m_command})
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(m_history, EM_SETLIMITTEXT, 0, 0);
    SetWindowLongPtrW(m_command, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_commandDefault = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        m_command, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommandEditProc)));
}

void MainWindow::OnSize(int width, int height)
{
    int drawingHeight = std::max(0, height - kHistoryHeight - kCommandHeight);
    MoveWindow(m_drawing.Handle(), 0, 0, width, drawingHeight, TRUE);
    MoveWindow(m_history, 0, drawingHeight, width, kHistoryHeight, TRUE);
    MoveWindow(m_prompt, 4, drawingHeight + kHistoryHeight, kPromptWidth - 4, kCommandHeight, TRUE);
    MoveWindow(m_command, kPromptWidth, drawingHeight + kHistoryHeight, width - kPromptWidth,
               kCommandHeight, TRUE);
}

void MainWindow::OnSetFocus()
{
    SetFocus(m_command);
}

void MainWindow::OnClose()
{
    DestroyWindow(m_window);
}

void MainWindow::OnDestroy()
{
    PostQuitMessage(0);
}

bool MainWindow::OnCommandKeyDown(UINT key)
{
    switch (key) {
    case VK_RETURN: {
        int length = GetWindowTextLengthW(m_command);
        std::wstring input(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(m_command, input.data(), length + 1);
        input.resize(static_cast<size_t>(length));
        SetWindowTextW(m_command, L"");
        RunCommand(input);
        return true;
    }
    case VK_UP:
    case VK_DOWN: {
        if (m_lines.empty())
            return true;
        if (key == VK_UP && m_recall > 0)
            --m_recall;
        else if (key == VK_DOWN && m_recall < m_lines.size())
            ++m_recall;
        const std::wstring text = m_recall < m_lines.size() ? m_lines[m_recall] : L"";
        SetWindowTextW(m_command, text.c_str());
        SendMessageW(m_command, EM_SETSEL, text.size(), text.size());
        return true;
    }
    default:
        return false;
    }
}

void MainWindow::AppendHistory(const std::wstring& text)
{
    if (!m_history)
        return;
    std::wstring lines;
    for (wchar_t ch : text) {
        if (ch == L'\n')
            lines += L"\r\n";
        else
            lines += ch;
    }
    int end = GetWindowTextLengthW(m_history);
    SendMessageW(m_history, EM_SETSEL, end, end);
    SendMessageW(m_history, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
}

void MainWindow::ShowResults(const std::wstring& source)
{
    for (const ArxEvalResult& result : m_host.Evaluate(source))
        if (result.kind == ArxEvalResult::Kind::Value)
            AppendHistory(result.text + L"\n");
}

void MainWindow::RunCommand(const std::wstring& input)
{
    std::wstring line = Trim(input);
    AppendHistory(L"Command: " + line + L"\n");
    if (line.empty())
        return;
    m_lines.push_back(line);
    m_recall = m_lines.size();

    if (line[0] == L'(' || line[0] == L'\'') {
        ShowResults(line);
    } else if (line[0] == L'!') {
        ShowResults(line.substr(1));
    } else {
        // A command: the first word names a C: function of a LISP routine.
        std::wstring word = Upper(line.substr(0, line.find_first_of(L" \t")));
        if (m_host.HasFunction(L"C:" + word))
            ShowResults(L"(C:" + word + L")");
        else
            AppendHistory(L"Unknown command \"" + word + L"\".  Press F1 for help.\n");
    }
}
