#include "MainWindow.h"

#include <algorithm>
#include <cwctype>

#include "AfxRegisterClass.h"
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

// The window goes while the objects of its children are still whole.
MainWindow::~MainWindow()
{
    DestroyWindow();
}

// The window's own class gives it the application icon and the dialog
// background between the controls.
LPCWSTR MainWindow::RegisterClassOnce()
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kClassName;
    AfxRegisterClass(&cls);
    return kClassName;
}

bool MainWindow::Create(const std::wstring& drawingName)
{
    m_drawingName = drawingName;
    std::wstring title = L"arxhost - [" + drawingName + L"]";
    return CreateEx(0, RegisterClassOnce(), title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, 1000, 720, nullptr, nullptr)
           != FALSE;
}

void MainWindow::Show()
{
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    m_command.SetFocus();
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

// The children are placed by OnSize.
int MainWindow::OnCreate(LPCREATESTRUCTW)
{
    m_font.CreateFont(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH | FF_MODERN, L"Courier New");
    m_drawing.Create(this, m_drawingName);
    m_history.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY
                           | ES_AUTOVSCROLL,
                       CRect(), this, 0);
    m_prompt.Create(L"Command:", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, CRect(), this, 0);
    m_command.Create(this);
    m_history.SetFont(&m_font, FALSE);
    m_prompt.SetFont(&m_font, FALSE);
    m_command.SetFont(&m_font, FALSE);
    m_history.LimitText(0);
    m_command.SetLineHandler([this](const std::wstring& line) { RunCommand(line); });
    return 0;
}

void MainWindow::OnSize(UINT, int cx, int cy)
{
    int drawingHeight = std::max(0, cy - kHistoryHeight - kCommandHeight);
    m_drawing.MoveWindow(0, 0, cx, drawingHeight, TRUE);
    m_history.MoveWindow(0, drawingHeight, cx, kHistoryHeight, TRUE);
    m_prompt.MoveWindow(4, drawingHeight + kHistoryHeight, kPromptWidth - 4, kCommandHeight,
                        TRUE);
    m_command.MoveWindow(kPromptWidth, drawingHeight + kHistoryHeight, cx - kPromptWidth,
                         kCommandHeight, TRUE);
}

void MainWindow::OnSetFocus(CWnd*)
{
    m_command.SetFocus();
}

void MainWindow::OnClose()
{
    DestroyWindow();
}

void MainWindow::OnDestroy()
{
    PostQuitMessage(0);
}

void MainWindow::AppendHistory(const std::wstring& text)
{
    if (!m_history.GetSafeHwnd())
        return;
    std::wstring lines;
    for (wchar_t ch : text) {
        if (ch == L'\n')
            lines += L"\r\n";
        else
            lines += ch;
    }
    int end = m_history.GetWindowTextLength();
    m_history.SetSel(end, end, TRUE);
    m_history.ReplaceSel(lines.c_str());
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
    m_command.Remember(line);

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
