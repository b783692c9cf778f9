#include "ModalAnswerer.h"

namespace {
ModalAnswerer* g_answerer = nullptr;

std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    if (window)
        ::GetWindowTextW(window, text, 1024);
    return text;
}
} // namespace

ModalAnswerer::ModalAnswerer(std::vector<int> answers, Which which)
    : m_hook(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())),
      m_answers(std::move(answers)), m_which(which)
{
    g_answerer = this;
}

ModalAnswerer::~ModalAnswerer()
{
    UnhookWindowsHookEx(m_hook);
    g_answerer = nullptr;
}

LRESULT CALLBACK ModalAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_answerer)
        g_answerer->Activated(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalAnswerer::Activated(HWND window)
{
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (std::wstring(className) != L"#32770" || m_known.count(window) || m_answers.empty())
        return;
    if (m_which == MessageBoxesOnly && !::GetDlgItem(window, 0xFFFF))
        return;
    m_known.insert(window);
    // The box is looked at and answered once its modal loop runs, when it
    // has finished setting itself up.
    m_pending.push_back(window);
    ::SetTimer(nullptr, 0, 1, &ModalAnswerer::AnswerPending);
}

void CALLBACK ModalAnswerer::AnswerPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (!g_answerer || g_answerer->m_pending.empty())
        return;
    HWND window = g_answerer->m_pending.front();
    g_answerer->m_pending.erase(g_answerer->m_pending.begin());
    if (!::IsWindow(window) || g_answerer->m_answers.empty())
        return;
    // A message box shows its text in the static control 0xFFFF; its default
    // button is the one drawn as the default push button.
    int defaultButton = 0;
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultButton = ::GetDlgCtrlID(child);
    }
    g_answerer->seen.push_back(
        {TextOf(window), TextOf(::GetDlgItem(window, 0xFFFF)), defaultButton});
    int answer = g_answerer->m_answers.front();
    g_answerer->m_answers.erase(g_answerer->m_answers.begin());
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, answer)));
}
