#pragma once

#include "CEdit.h"
#include "CString.h"

class CUGCtrl;

// An in-place edit window with an input mask, which an owner hands the grid
// in AskEditStart for cells that carry a Mask. Each position of the mask is
// either an input position, which takes only the characters its mask
// character allows, or a literal, which the window types by itself when the
// caret reaches it. A refused character leaves the text as it was and beeps.
//
//   mask character   accepts
//   0                a digit
//   9                a digit or a space
//   #                a digit, a space, + or -
//   L                a letter
//   ?                a letter or a space
//   A                a letter or a digit
//   a                a letter, a digit or a space
//   & C              any printable character
//
// A backslash makes the next mask character a literal. The window does not
// grow; Enter and Down go on in the cell below, Up in the cell above, Escape
// cancels, and Tab does nothing.
class CUGMaskedEdit : public CEdit {
public:
    // Marks a literal position in InputMask and an input position in
    // LiteralMask.
    static constexpr wchar_t kOtherPosition = 8;

    // Adds ES_AUTOHSCROLL: a mask may be longer than the cell is wide.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // A null or empty mask switches the mask off.
    void SetMask(const wchar_t* mask);
    // 1 when `character` may be typed at the caret, 0 when it is refused;
    // types the literal at the caret first when there is one.
    int CheckTypedCharacter(UINT character);
    // `text` rewritten to fit the mask: literals in their places, characters
    // that fit no position left out.
    CString ApplyMask(const CString& text) const;
    void ReformatText();

    // Whether mask character `maskChar` takes `character`; a position that is
    // not an input position takes anything.
    static bool Accepts(wchar_t maskChar, wchar_t character);

    int IsMaskActive() const { return MaskActive; }
    const CString& GetInputMask() const { return InputMask; }
    const CString& GetLiteralMask() const { return LiteralMask; }

    CUGCtrl* m_ctrl = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT ch, UINT repeatCount, UINT flags) override;
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    UINT OnGetDlgCode() override;
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) override;

    // The sound of a refused character; tests listen here.
    virtual void SoundBeep();

    void ContinueIn(int col, long row);

    int SelfTyping = 0;
    int MaskActive = 0;
    wchar_t PromptCharacter = L'_';
    int PromptFlag = 1;
    CString MaskCharacters = L"09#L?Aa&C";
    CString MaskText;
    CString InputMask;
    CString LiteralMask;
    int CancelFlag = 0;
    int ContinueFlag = 0;
    int NextCol = 0;
    int NextRow = 0;
};
