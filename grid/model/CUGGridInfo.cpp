#include "CUGGridInfo.h"

// Scroll bar sizes and the heading colour follow the system's settings at the
// time the sheet is created.
CUGGridInfo::CUGGridInfo()
    : VScrollWidth(GetSystemMetrics(SM_CXVSCROLL)),
      HScrollHeight(GetSystemMetrics(SM_CYHSCROLL)),
      MemDataSource(std::make_unique<CUGMem>()),
      MultiSelect(std::make_unique<CUGBlockSelection>()),
      ArrowCursor(LoadCursorW(nullptr, IDC_ARROW)),
      SizeWECursor(LoadCursorW(nullptr, IDC_SIZEWE)),
      SizeNSCursor(LoadCursorW(nullptr, IDC_SIZENS)),
      GridLinePen(PS_SOLID, 1, RGB(220, 220, 220))
{
    HeadingDefaultCell.SetBackColor(GetSysColor(COLOR_BTNFACE));
    HeadingDefaultCell.SetBorder(0x2000);     // raised frame
    HeadingDefaultCell.SetAlignment(0x24);    // centred both ways
    DataSource = MemDataSource.get();
}

// The members free what the record owns: the column defaults, the arrays, the
// default cells, the selection (emptied without a repaint), the registry, the
// memory source and the grid line pen. Fonts, cursors, other data sources and
// the edit window belong to others.
CUGGridInfo::~CUGGridInfo() = default;
