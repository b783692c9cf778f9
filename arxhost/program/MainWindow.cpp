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

bool FileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The words of a command line; a word in double quotes may hold blanks
// ("SAVEAS "Site plan 2.dxf"").
std::vector<std::wstring> Words(const std::wstring& line)
{
    std::vector<std::wstring> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::iswspace(line[i]))
            ++i;
        if (i >= line.size())
            break;
        std::wstring word;
        if (line[i] == L'"') {
            size_t end = line.find(L'"', i + 1);
            word = line.substr(i + 1, end == std::wstring::npos ? std::wstring::npos : end - i - 1);
            i = end == std::wstring::npos ? line.size() : end + 1;
        } else {
            size_t end = i;
            while (end < line.size() && !std::iswspace(line[end]))
                ++end;
            word = line.substr(i, end - i);
            i = end;
        }
        words.push_back(word);
    }
    return words;
}

}  // namespace

MainWindow::MainWindow(ArxHost& host) : m_host(host), m_drawing(host) {}

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
    m_host.SetZoomExtentsHandler([this] { m_drawing.ZoomExtents(); });
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

// The wheel goes to the window with the focus, the command line, which hands
// it on to this window: over the drawing it zooms there.
BOOL MainWindow::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    CRect drawing;
    m_drawing.GetWindowRect(&drawing);
    if (drawing.PtInRect(screenPoint))
        return static_cast<BOOL>(m_drawing.SendMessage(
            WM_MOUSEWHEEL, MAKEWPARAM(flags, static_cast<WORD>(delta)),
            MAKELPARAM(screenPoint.x, screenPoint.y)));
    return CWnd::OnMouseWheel(flags, delta, screenPoint);
}

void MainWindow::OnClose()
{
    DestroyWindow();
}

void MainWindow::OnDestroy()
{
    m_host.SetZoomExtentsHandler(nullptr);
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

std::wstring MainWindow::StartupRoutine(const ArxHost& host)
{
    for (const std::wstring& folder :
         {host.DrawingPrefix(), std::wstring(), ArxHost::ProgramFolder()})
        if (FileExists(folder + L"acaddoc.lsp"))
            return folder + L"acaddoc.lsp";
    return {};
}

bool MainWindow::OpenDrawing(const std::wstring& path)
{
    std::wstring error;
    bool opened = m_host.OpenDrawing(path, error);
    if (!opened)
        m_host.WriteErr(L"; error: " + error + L"\n");
    m_drawingName = m_host.DrawingName();
    SetWindowText((L"arxhost - [" + m_drawingName + L"]").c_str());
    m_drawing.DrawingOpened(m_drawingName);
    std::wstring routine = StartupRoutine(m_host);
    if (opened && !routine.empty())
        m_host.EvaluateFile(routine);
    return opened;
}

// The view and the title follow what a command or an expression did.
void MainWindow::DrawingMayHaveChanged()
{
    if (m_host.DrawingName() != m_drawingName) {
        m_drawingName = m_host.DrawingName();
        SetWindowText((L"arxhost - [" + m_drawingName + L"]").c_str());
        m_drawing.DrawingOpened(m_drawingName);
    }
    m_drawing.RefreshIfChanged();
}

void MainWindow::RunDrawingCommand(const std::vector<std::wstring>& words)
{
    std::wstring message;
    if (!m_host.RunDrawingCommand(words, message))
        m_host.WriteErr(L"; error: " + message + L"\n");
}

void MainWindow::RunCommand(const std::wstring& input)
{
    std::wstring line = Trim(input);
    // A routine's last message may end without a line end; the prompt starts
    // a line of its own, as in the CAD host.
    int lastLine = static_cast<int>(m_history.SendMessage(EM_GETLINECOUNT)) - 1;
    int lastStart = static_cast<int>(m_history.SendMessage(EM_LINEINDEX, lastLine));
    bool midLine = lastStart >= 0 && m_history.SendMessage(EM_LINELENGTH, lastStart) > 0;
    AppendHistory((midLine ? L"\n" : L"") + std::wstring(L"Command: ") + line + L"\n");
    if (line.empty())
        return;
    m_command.Remember(line);

    if (line[0] == L'(' || line[0] == L'\'') {
        ShowResults(line);
    } else if (line[0] == L'!') {
        ShowResults(line.substr(1));
    } else {
        // A command: the host's own, or a C: function of a LISP routine.
        std::vector<std::wstring> words = Words(line);
        std::wstring word = Upper(words[0]);
        if (word == L"OPEN" && words.size() > 1)
            OpenDrawing(words[1]);
        else if (word == L"OPEN")
            AppendHistory(L"OPEN needs the drawing's file name: OPEN \"D:\\site\\plan.dxf\"\n");
        else if (ArxHost::IsDrawingCommand(word))
            RunDrawingCommand(words);
        else if (m_host.HasFunction(L"C:" + word))
            ShowResults(L"(C:" + word + L")");
        else
            AppendHistory(L"Unknown command \"" + word + L"\".  Press F1 for help.\n");
    }
    DrawingMayHaveChanged();
}
