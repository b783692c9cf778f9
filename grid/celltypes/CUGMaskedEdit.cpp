// CUGMaskedEdit: the in-place edit window with an input mask.
//
//   Creation ........... Create, OnCreate (the parent grid becomes the owner)
//   The mask ........... SetMask (position strings), Accepts, ApplyMask,
//                        ReformatText
//   Typing ............. OnChar -> CheckTypedCharacter (literal first) ->
//                        the owner's AskEditKey -> the EDIT control
//   Focus and keys ..... OnSetFocus (the edit cell's mask), OnKillFocus
//                        (-> CUGCtrl::FinishEdit), OnKeyDown, OnGetDlgCode
#include "CUGMaskedEdit.h"

#include "CUGCell.h"
#include "CUGCtrl.h"
#include "InPlaceEdit.h"

#include <cwctype>

// --- Creation --------------------------------------------------------------------

BOOL CUGMaskedEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CEdit::Create(style | ES_AUTOHSCROLL, rect, parent, id);
}

int CUGMaskedEdit::OnCreate(LPCREATESTRUCTW createStruct)
{
    const int result = CEdit::OnCreate(createStruct);
    if (result != -1)
        m_ctrl = dynamic_cast<CUGCtrl*>(GetParent());
    return result;
}

// --- The mask --------------------------------------------------------------------

void CUGMaskedEdit::SetMask(const wchar_t* mask)
{
    if (!mask || !*mask) {
        MaskActive = 0;
        // The window is reused for cells without a mask, which take any
        // length of text.
        if (GetSafeHwnd())
            LimitText(0);
        return;
    }
    MaskText = mask;
    MaskActive = 1;
    if (GetSafeHwnd())
        LimitText(MaskText.GetLength());

    InputMask.Empty();
    LiteralMask.Empty();
    for (int i = 0; mask[i]; ++i) {
        wchar_t ch = mask[i];
        bool literal = MaskCharacters.Find(ch) < 0;
        if (ch == L'\\' && mask[i + 1]) {
            ch = mask[++i];
            literal = true;
        }
        InputMask += literal ? kOtherPosition : ch;
        LiteralMask += literal ? ch : kOtherPosition;
    }
    ReformatText();
}

bool CUGMaskedEdit::Accepts(wchar_t maskChar, wchar_t character)
{
    const bool digit = std::iswdigit(character) != 0;
    const bool letter = std::iswalpha(character) != 0;
    const bool space = character == L' ';
    switch (maskChar) {
    case L'0':
        return digit;
    case L'9':
        return digit || space;
    case L'#':
        return digit || space || character == L'+' || character == L'-';
    case L'L':
        return letter;
    case L'?':
        return letter || space;
    case L'A':
        return std::iswalnum(character) != 0;
    case L'a':
        return std::iswalnum(character) != 0 || space;
    case L'&':
    case L'C':
        return std::iswprint(character) != 0;
    default:
        return true;
    }
}

// Literals are written in their places whatever the text holds there; a
// character that its position does not take is dropped and the next one
// tried in that position.
CString CUGMaskedEdit::ApplyMask(const CString& text) const
{
    CString result;
    int j = 0;
    const int length = text.GetLength();
    for (int i = 0; i < InputMask.GetLength(); ++i) {
        if (InputMask[i] == kOtherPosition) {
            result += LiteralMask[i];
            continue;
        }
        while (j < length && !Accepts(InputMask[i], text[j]))
            ++j;
        if (j >= length)
            break;
        result += text[j++];
    }
    return result;
}

void CUGMaskedEdit::ReformatText()
{
    if (!MaskActive || SelfTyping || !GetSafeHwnd() || GetWindowTextLength() == 0)
        return;
    int start = 0, end = 0;
    GetSel(start, end);
    SelfTyping = 1;
    CString text;
    GetWindowText(text);
    SetWindowText(ApplyMask(text));
    SetSel(start, end);
    SelfTyping = 0;
}

// --- Typing ----------------------------------------------------------------------

// The test comes before anything changes, so a refused character leaves the
// text and its selection as they were. An accepted one replaces the
// selection, after the literal at the caret (at most one) was typed.
int CUGMaskedEdit::CheckTypedCharacter(UINT character)
{
    if (!MaskActive || !std::iswprint(static_cast<wint_t>(character)))
        return 1;
    int start = 0, end = 0;
    GetSel(start, end);
    const int positions = InputMask.GetLength();
    if (start >= positions)
        return 0;
    const bool literalFirst = LiteralMask[start] != kOtherPosition;
    const int position = literalFirst ? start + 1 : start;
    if (position >= positions || !Accepts(InputMask[position], static_cast<wchar_t>(character)))
        return 0;

    Clear();
    if (literalFirst) {
        SelfTyping = 1;
        SendMessage(WM_CHAR, LiteralMask[start], 1);
        SelfTyping = 0;
    }
    return 1;
}

void CUGMaskedEdit::OnChar(UINT ch, UINT repeatCount, UINT flags)
{
    UINT character = ch;
    if (SelfTyping) {
        if (character != VK_TAB && character != VK_RETURN && character != VK_ESCAPE)
            CEdit::OnChar(ch, repeatCount, flags);
        return;
    }
    if (!CheckTypedCharacter(character)) {
        SoundBeep();
        return;
    }
    if (!InPlaceEdit::OfferCharacter(*this, m_ctrl, false, character))
        return;
    DefWindowProc(WM_CHAR, character, MAKELPARAM(repeatCount, flags));
}

void CUGMaskedEdit::SoundBeep()
{
    ::MessageBeep(MB_OK);
}

// --- Focus and keys --------------------------------------------------------------

void CUGMaskedEdit::OnSetFocus(CWnd* oldWnd)
{
    const CUGCell* cell = m_ctrl ? m_ctrl->GetEditCell() : nullptr;
    SetMask(cell && cell->IsPropertySet(CUGCell::PropMask) ? cell->GetMask() : nullptr);
    CancelFlag = 0;
    ContinueFlag = 0;
    SetSel(0, -1);
    CEdit::OnSetFocus(oldWnd);
}

// Leaving for a window outside the grid keeps the text (the user went to do
// something else); only a focus that goes nowhere cancels, or Escape.
void CUGMaskedEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (!newWnd || !newWnd->GetSafeHwnd())
        CancelFlag = 1;
    else if (!InPlaceEdit::IsGridWindow(m_ctrl, newWnd))
        CancelFlag = 0;
    if (m_ctrl && m_ctrl->IsEditInProgress())
        InPlaceEdit::ReportFocusLoss(*this, m_ctrl, CancelFlag, ContinueFlag, NextCol, NextRow);
}

void CUGMaskedEdit::ContinueIn(int col, long row)
{
    NextCol = col;
    NextRow = static_cast<int>(row);
    ContinueFlag = 1;
    m_ctrl->SetFocus();
}

void CUGMaskedEdit::OnKeyDown(UINT ch, UINT repeatCount, UINT flags)
{
    if (!m_ctrl) {
        CEdit::OnKeyDown(ch, repeatCount, flags);
        return;
    }
    const int col = m_ctrl->GetEditCol();
    const long row = m_ctrl->GetEditRow();
    switch (ch) {
    case VK_TAB:
        break;
    case VK_RETURN:
    case VK_DOWN:
        ContinueIn(col, row + 1);
        break;
    case VK_UP:
        ContinueIn(col, row - 1);
        break;
    case VK_ESCAPE:
        CancelFlag = 1;
        ContinueFlag = 0;
        m_ctrl->SetFocus();
        break;
    default:
        CEdit::OnKeyDown(ch, repeatCount, flags);
        break;
    }
}

UINT CUGMaskedEdit::OnGetDlgCode()
{
    return InPlaceEdit::DialogCode(CEdit::OnGetDlgCode());
}

int CUGMaskedEdit::OnMouseActivate(CWnd* /*topParent*/, UINT /*hitTest*/, UINT /*message*/)
{
    return MA_ACTIVATE;
}
