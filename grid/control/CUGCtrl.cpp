#include "CUGCtrl.h"

#include "CUGCell.h"

#include <cwchar>
#include <utility>

CUGCtrl::CUGCtrl()
{
    Sheets.push_back(CreateSheet());
    SheetNumber = 0;
    GridInfo = Sheets[0].get();
}

CUGCtrl::~CUGCtrl() = default;

std::unique_ptr<CUGGridInfo> CUGCtrl::CreateSheet()
{
    auto sheet = std::make_unique<CUGGridInfo>();
    sheet->MemDataSource->SetOwner(this);
    sheet->MemDataSource->SetID(0);
    sheet->MultiSelect->SetOwner(this, sheet.get());
    return sheet;
}

// FIXME: repaint the part windows once the control creates them.
void CUGCtrl::RedrawAll()
{
}

// FIXME: hand the range to the cell area once the control creates it.
void CUGCtrl::RedrawRange(int /*startCol*/, long /*startRow*/, int /*endCol*/, long /*endRow*/)
{
}

namespace {

int Sign(double value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

// The default order: missing cells first, then cells without text, then by
// the first cell's data type either the texts (UTF-16 code units) or the
// numbers. Flag 2 turns the order round.
int CUGCtrl::CompareCellsForSort(CUGCell* a, CUGCell* b, int flags)
{
    if (flags & 2)
        std::swap(a, b);
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);

    const bool aHasText = a->IsPropertySet(CUGCell::PropText);
    const bool bHasText = b->IsPropertySet(CUGCell::PropText);
    if (!aHasText || !bHasText)
        return (aHasText ? 1 : 0) - (bHasText ? 1 : 0);

    switch (a->GetDataType()) {
    case 2:
    case 3:
    case 5:
        return Sign(a->GetNumber() - b->GetNumber());
    default:
        return Sign(std::wcscmp(a->GetText(), b->GetText()));
    }
}
