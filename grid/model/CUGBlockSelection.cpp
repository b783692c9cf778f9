#include "CUGBlockSelection.h"

#include "CUGCtrl.h"

#include <windows.h>

#include <algorithm>

CUGBlockSelection::~CUGBlockSelection()
{
    // The grid is going away: no repaint of everything on the way out.
    SelectionCounter = 0;
    ClearAll();
    while (Blocks)
        Blocks = std::move(Blocks->Next);
}

void CUGBlockSelection::SetOwner(CUGCtrl* owner, CUGGridInfo* settings)
{
    Owner = owner;
    Settings = settings;
}

int CUGBlockSelection::SetMode(int mode)
{
    ClearAll();
    Mode = mode;
    return 0;
}

void CUGBlockSelection::SetBounds(SelectionBlock& block) const
{
    if (IsRowMode()) {
        block.Left = 0;
        block.Right = Owner ? Owner->GetColumnCount() : 0;
    } else {
        block.Left = std::min(block.AnchorCol, block.CurrentCol);
        block.Right = std::max(block.AnchorCol, block.CurrentCol);
    }
    block.Top = std::min(block.AnchorRow, block.CurrentRow);
    block.Bottom = std::max(block.AnchorRow, block.CurrentRow);
}

int CUGBlockSelection::StartBlock(int col, long row)
{
    if (!IsActive())
        return 0;
    LastCellCol = AnchorCol = col;
    LastCellRow = AnchorRow = row;
    HasCurrentBlock = 1;

    auto block = std::make_unique<SelectionBlock>();
    block->AnchorCol = block->CurrentCol = col;
    block->AnchorRow = block->CurrentRow = row;
    block->Selected = 1;
    SetBounds(*block);
    CurrentBlock = block.get();

    std::unique_ptr<SelectionBlock>* tail = &Blocks;
    while (*tail)
        tail = &(*tail)->Next;
    *tail = std::move(block);

    ++SelectionCounter;
    ExtendPending = 1;
    return 0;
}

// Only the strips between the old and the new moving corner can change
// state, so only they are repainted: first the rows the corner crossed, then
// the columns.
int CUGBlockSelection::ExtendBlock(int col, long row)
{
    if (!IsActive())
        return 0;
    if (!HasCurrentBlock || !CurrentBlock)
        return 1;
    SelectionBlock& block = *CurrentBlock;
    const SelectionBlock old{block.AnchorCol, block.CurrentCol, block.AnchorRow, block.CurrentRow,
                             block.Left,      block.Right,      block.Top,       block.Bottom,
                             block.Selected,  nullptr};

    block.CurrentCol = col;
    block.CurrentRow = row;
    SetBounds(block);
    block.Selected = 1;
    if (ExtendPending) {
        ++SelectionCounter;
        ExtendPending = 0;
    }

    if (Owner) {
        if (old.CurrentRow != row)
            Owner->RedrawRange(std::min(old.Left, block.Left), std::min(old.CurrentRow, row),
                               std::max(old.Right, block.Right), std::max(old.CurrentRow, row));
        if (old.CurrentCol != col)
            Owner->RedrawRange(std::min(old.CurrentCol, col), std::min(old.Top, block.Top),
                               std::max(old.CurrentCol, col), std::max(old.Bottom, block.Bottom));
    }
    return 0;
}

// A single started block has only its own cell to repaint, which the move
// repaints anyway; once a block was extended the whole grid is repainted.
int CUGBlockSelection::ClearAll()
{
    if (!IsActive())
        return 0;
    HasCurrentBlock = 0;
    CurrentBlock = nullptr;
    while (Blocks)
        Blocks = std::move(Blocks->Next);
    if (SelectionCounter > 1 && Owner)
        Owner->RedrawAll();
    Enumerating = 0;
    SelectionCounter = 0;
    LastMoveCol = -1;
    LastMoveRow = -1;
    return 0;
}

int CUGBlockSelection::IsSelected(int col, long row, int* blockIndex) const
{
    if (!IsActive())
        return 0;
    int result = 0;
    int index = 0;
    int found = -1;
    for (const SelectionBlock* block = Blocks.get(); block; block = block->Next.get(), ++index) {
        if (col < block->Left || col > block->Right || row < block->Top || row > block->Bottom)
            continue;
        result = block->Selected;
        found = index;
        if (Mode & ModeFirstBlockWins)
            break;
    }
    if (found >= 0 && blockIndex)
        *blockIndex = found;
    return result;
}

int CUGBlockSelection::GetCurrentBlock(int* left, long* top, int* right, long* bottom) const
{
    if (!IsActive())
        return 0;
    if (!HasCurrentBlock || !CurrentBlock)
        return 1;
    *left = CurrentBlock->Left;
    *top = CurrentBlock->Top;
    *right = CurrentBlock->Right;
    *bottom = CurrentBlock->Bottom;
    return 0;
}

int CUGBlockSelection::GetTotalRange(int* left, long* top, int* right, long* bottom) const
{
    if (!IsActive())
        return 1;
    if (!Blocks)
        return 2;
    *left = Blocks->Left;
    *top = Blocks->Top;
    *right = Blocks->Right;
    *bottom = Blocks->Bottom;
    for (const SelectionBlock* block = Blocks->Next.get(); block; block = block->Next.get()) {
        *left = std::min(*left, block->Left);
        *top = std::min(*top, block->Top);
        *right = std::max(*right, block->Right);
        *bottom = std::max(*bottom, block->Bottom);
    }
    return 0;
}

int CUGBlockSelection::GetLastCell(int* col, long* row) const
{
    if (!HasCurrentBlock)
        return 1;
    *col = LastCellCol;
    *row = LastCellRow;
    return 0;
}

// --- Enumeration ------------------------------------------------------------

// Without a selection the current cell stands for it, so that copying always
// has at least one cell to work on.
int CUGBlockSelection::EnumFirstSelected(int* col, long* row)
{
    const int currentCol = Owner ? Owner->GetCurrentCol() : -1;
    const long currentRow = Owner ? Owner->GetCurrentRow() : -1;
    if (!IsActive() || !Blocks) {
        *col = currentCol;
        *row = currentRow;
        return 0;
    }
    Enumerating = 1;
    EnumMinCol = EnumMaxCol = currentCol;
    EnumMinRow = EnumMaxRow = currentRow;
    for (const SelectionBlock* block = Blocks.get(); block; block = block->Next.get()) {
        EnumMinCol = std::min(EnumMinCol, block->Left);
        EnumMinRow = std::min(EnumMinRow, block->Top);
        EnumMaxCol = std::max(EnumMaxCol, block->Right);
        EnumMaxRow = std::max(EnumMaxRow, block->Bottom);
    }
    EnumCol = EnumMinCol;
    EnumRow = EnumMinRow;
    return EnumScan(col, row);
}

int CUGBlockSelection::EnumNextSelected(int* col, long* row)
{
    if (!IsActive() || !Enumerating)
        return 1;
    return EnumScan(col, row);
}

int CUGBlockSelection::EnumScan(int* col, long* row)
{
    for (long r = EnumRow; r <= EnumMaxRow; ++r) {
        for (int c = (r == EnumRow ? EnumCol : EnumMinCol); c <= EnumMaxCol; ++c) {
            if (IsSelected(c, r) == 1) {
                *col = c;
                *row = r;
                EnumCol = c + 1;
                EnumRow = r;
                return 0;
            }
        }
    }
    EnumCol = EnumMinCol;
    EnumRow = EnumMaxRow + 1;
    return 1;
}

// --- Moves ------------------------------------------------------------------

int CUGBlockSelection::OnMove(int moveKind, int col, long row, int keyFlags)
{
    if (!IsActive())
        return 0;
    const bool sameAsLast = col == LastMoveCol && row == LastMoveRow;
    switch (moveKind) {
    case MoveKeyboard:
        if (sameAsLast)
            break;
        if (GetKeyState(VK_SHIFT) < 0) {
            ExtendBlock(col, row);
            break;
        }
        if (GetKeyState(VK_CONTROL) >= 0) {
            RedrawSelection();
            ClearAll();
        }
        StartBlock(col, row);
        break;
    case MoveLeftButton:
        if (sameAsLast)
            break;
        LastMoveCol = col;
        LastMoveRow = row;
        if (!(keyFlags & MK_CONTROL)) {
            if (keyFlags & MK_SHIFT) {
                ExtendBlock(col, row);
                break;
            }
            RedrawSelection();
            ClearAll();
        }
        StartBlock(col, row);
        break;
    case MoveRightButton:
        // A right click inside the selection keeps it (for a popup menu).
        if (IsSelected(col, row) == 0) {
            RedrawSelection();
            ClearAll();
            StartBlock(col, row);
        }
        break;
    default:
        if (!sameAsLast)
            ExtendBlock(col, row);
        break;
    }
    return 0;
}

int CUGBlockSelection::RedrawSelection()
{
    if (!IsActive() || !Owner)
        return 0;
    int left = 0, right = 0;
    long top = 0, bottom = 0;
    if (GetTotalRange(&left, &top, &right, &bottom) == 0)
        Owner->RedrawRange(left, top, right, bottom);
    return 0;
}
