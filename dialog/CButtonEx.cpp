#include "CButtonEx.h"

#include "TabaGrid2.h"

void CButtonEx::OnLButtonDown(UINT, CPoint)
{
    DialogCancelling = 1;
    if (ActiveLotDialog)
        ActiveLotDialog->OnCancel();
}
