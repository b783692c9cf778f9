#include "CUGCellFormat.h"

void CUGCellFormat::ApplyFormat(CUGCell* /*cell*/)
{
}

int CUGCellFormat::ValidateFormat()
{
    return 0;
}
