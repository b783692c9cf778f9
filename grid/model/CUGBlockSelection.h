#pragma once

#include <memory>

class CUGCtrl;
class CUGGridInfo;

// The multiple selection of one sheet: rectangular blocks of cells (or whole
// rows) in the order they were started. Shift extends the latest block, Ctrl
// starts another one beside the earlier blocks. The control reports every
// committed move of the current cell (OnMove) and reads the current cell back
// from GetLastCell; the cell area asks IsSelected while drawing.
//
// While Mode has neither ModeCells nor ModeRows the object is inert: queries
// answer that nothing is selected and every other operation does nothing.
class CUGBlockSelection {
public:
    static constexpr int ModeCells = 1;
    static constexpr int ModeRows = 2;
    // The first block containing a cell decides its state instead of the last.
    static constexpr int ModeFirstBlockWins = 16;

    // Move kinds reported to OnMove.
    static constexpr int MoveKeyboard = 0;
    static constexpr int MoveLeftButton = 1;
    static constexpr int MoveRightButton = 2;
    static constexpr int MoveDrag = 3;
    static constexpr int MoveScrollBar = 4;

    struct SelectionBlock {
        int AnchorCol = 0;
        int CurrentCol = 0;
        long AnchorRow = 0;
        long CurrentRow = 0;
        int Left = 0;
        int Right = 0;
        long Top = 0;
        long Bottom = 0;
        int Selected = 1;  // 1 selects the block's cells, 0 deselects them
        std::unique_ptr<SelectionBlock> Next;
    };

    CUGBlockSelection() = default;
    ~CUGBlockSelection();
    CUGBlockSelection(const CUGBlockSelection&) = delete;
    CUGBlockSelection& operator=(const CUGBlockSelection&) = delete;

    // Binding to the control and the sheet record that own the selection.
    void SetOwner(CUGCtrl* owner, CUGGridInfo* settings);

    int SetMode(int mode);
    int GetMode() const { return Mode; }

    int StartBlock(int col, long row);
    int ExtendBlock(int col, long row);
    int ClearAll();

    int IsSelected(int col, long row, int* blockIndex = nullptr) const;
    int GetCurrentBlock(int* left, long* top, int* right, long* bottom) const;
    int GetTotalRange(int* left, long* top, int* right, long* bottom) const;
    int GetBlockCount() const { return SelectionCounter; }
    int GetLastCell(int* col, long* row) const;

    int EnumFirstSelected(int* col, long* row);
    int EnumNextSelected(int* col, long* row);

    int OnMove(int moveKind, int col, long row, int keyFlags);
    int RedrawSelection();

private:
    bool IsActive() const { return (Mode & (ModeCells | ModeRows)) != 0; }
    bool IsRowMode() const { return (Mode & ModeRows) != 0; }
    // Sets a block's bounds from its anchor and moving corner.
    void SetBounds(SelectionBlock& block) const;
    // Scans the enumeration area from (EnumCol, EnumRow) for the next cell.
    int EnumScan(int* col, long* row);

    std::unique_ptr<SelectionBlock> Blocks;
    int AnchorCol = 0;
    long AnchorRow = 0;
    int HasCurrentBlock = 0;
    SelectionBlock* CurrentBlock = nullptr;
    int Mode = 0;
    int SelectionCounter = 0;
    int ExtendPending = 0;
    int EnumMinCol = 0;
    long EnumMinRow = 0;
    int EnumMaxCol = 0;
    long EnumMaxRow = 0;
    int EnumCol = 0;
    long EnumRow = 0;
    int Enumerating = 0;
    CUGCtrl* Owner = nullptr;
    CUGGridInfo* Settings = nullptr;
    int LastMoveCol = -1;
    long LastMoveRow = -1;
    int LastCellCol = 0;
    long LastCellRow = 0;
};
