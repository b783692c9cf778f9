#include "CommandLineEdit.h"

bool CommandLineEdit::Create(CWnd* parent)
{
    return CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                    CRect(), parent, 0)
           != FALSE;
}

void CommandLineEdit::Remember(const std::wstring& line)
{
    m_lines.push_back(line);
    m_recall = m_lines.size();
}

void CommandLineEdit::OnKeyDown(UINT ch, UINT, UINT)
{
    switch (ch) {
    case VK_RETURN:
        Enter();
        break;
    case VK_UP:
    case VK_DOWN:
        Recall(ch);
        break;
    default:
        Default();
        break;
    }
}

void CommandLineEdit::OnChar(UINT ch, UINT, UINT)
{
    // Enter was handled on key down; the edit control would beep at it.
    if (ch != L'\r')
        Default();
}

// The line is taken out before the handler runs, so that the handler (or a
// dialog it opens) finds an empty command line.
void CommandLineEdit::Enter()
{
    CString text;
    GetWindowText(text);
    SetWindowText(L"");
    if (m_onLine)
        m_onLine(text.str());
}

void CommandLineEdit::Recall(UINT key)
{
    if (m_lines.empty())
        return;
    if (key == VK_UP && m_recall > 0)
        --m_recall;
    else if (key == VK_DOWN && m_recall < m_lines.size())
        ++m_recall;
    const std::wstring text = m_recall < m_lines.size() ? m_lines[m_recall] : L"";
    SetWindowText(text.c_str());
    int end = static_cast<int>(text.size());
    SetSel(end, end, TRUE);
}
