#pragma once

#include <windows.h>

class CWnd;

// The direction and the dialog of one data exchange (CDialog::UpdateData).
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds a control object to the dialog's control `id` the first time the
// exchange runs.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
