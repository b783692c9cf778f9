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

ModalAnswerer::ModalAnswerer(std::vector<int> answers)
    : m_hook(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())),
      m_answers(std::move(answers))
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
    m_known.insert(window);
    // A message box shows its text in the static control 0xFFFF.
    LRESULT defaultId = ::SendMessageW(window, DM_GETDEFID, 0, 0);
    seen.push_back({TextOf(window), TextOf(::GetDlgItem(window, 0xFFFF)),
                    HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : 0});
    int answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, answer)));
}
