#include "CUGCnrBtn.h"

// FIXME: painting of cell (-1, -1).
void CUGCnrBtn::RedrawAll()
{
    RedrawWindow();
}

void CUGCnrBtn::OnPaint()
{
    Default();
}
