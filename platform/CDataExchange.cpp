#include "CDataExchange.h"

#include "CWnd.h"

#include <cassert>

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    BOOL bound = control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
    assert(bound && "DDX_Control: the dialog has no such control, or it is bound already");
    (void)bound;
}
