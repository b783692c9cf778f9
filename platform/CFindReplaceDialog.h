#pragma once

#include "CDialog.h"

#include <commdlg.h>

// The system's modeless find or find-and-replace dialog. Its actions reach
// the parent as the registered message "commdlg_FindReplace" whose lParam
// GetNotifier turns back into the dialog object. The object owns itself:
// Open creates it, and it deletes itself when its window is destroyed.
class CFindReplaceDialog : public CDialog {
public:
    static constexpr int kTextLength = 128;

    // The open dialog, or null when the system could not create it.
    static CFindReplaceDialog* Open(BOOL findDialogOnly, LPCWSTR findWhat,
                                    LPCWSTR replaceWith, DWORD flags, CWnd* parent);
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);
    static UINT FindReplaceMessage();

    CString GetFindString() const { return m_szFindWhat; }
    CString GetReplaceString() const { return m_szReplaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACEW m_fr{};
    wchar_t m_szFindWhat[kTextLength] = {};
    wchar_t m_szReplaceWith[kTextLength] = {};

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    CFindReplaceDialog();
};
