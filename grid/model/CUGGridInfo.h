#pragma once

#include "CObject.h"
#include "CPen.h"
#include "CUGBlockSelection.h"
#include "CUGCell.h"
#include "CUGMem.h"
#include "CUGPtrList.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

class CFont;
class CWnd;
class CUGDataSource;

// Settings and position record of one sheet of the grid. The control keeps
// one per sheet and hands the current one to every part window, so the cell
// area, headings, scroll bars and tabs read sizes, counts and positions from
// the same place. The record owns the sheet's column table, its default cells,
// its built-in memory data source and its selection object.
class CUGGridInfo : public CObject {
public:
    // One entry of the column table.
    struct ColumnEntry {
        int Width = 0;
        CUGDataSource* DataSource = nullptr;   // the column's own or the sheet's
        std::unique_ptr<CUGCell> DefaultCell;  // the column's default layer
        int DataColumn = 0;                    // the column index the source sees
    };

    CUGGridInfo();
    ~CUGGridInfo() override;
    CUGGridInfo(const CUGGridInfo&) = delete;
    CUGGridInfo& operator=(const CUGGridInfo&) = delete;

    int ColumnCount = 0;
    int CurrentCol = -1;
    int PreviousCol = -1;
    int LeftCol = 0;
    int PreviousLeftCol = 0;
    int MaxLeftCol = 0;
    int DefaultColWidth = 75;
    int RightCol = 0;
    int DragCol = -1;  // where the last move went; differs from CurrentCol
                       // only while a multiple selection is being extended
    std::vector<ColumnEntry> Columns;

    int RowCount = 0;
    int CurrentRow = -1;
    int PreviousRow = -1;
    int TopRow = 0;
    int PreviousTopRow = 0;
    int MaxTopRow = 0;
    std::vector<int> RowHeights;  // used only while UniformRowHeight is 0
    int DefaultRowHeight = 20;
    int UniformRowHeight = 0;
    int BottomRow = 0;
    int DragRow = -1;

    int ColumnHeadingRows = 1;
    std::vector<int> ColumnHeadingRowHeights{20};
    int RowHeadingCols = 1;
    std::vector<int> RowHeadingColWidths{25};

    CUGCell ColumnDefaultTemplate;  // copied into every new column's default
    CUGCell HeadingDefaultCell;     // headings and cells beyond the column count

    int ColumnHeadingHeight = 20;
    int RowHeadingWidth = 40;
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    int TabWidth = 0;
    int GridWidth = 0;
    int GridHeight = 0;

    // The part rectangles of the last layout.
    RECT CellAreaRect{};
    RECT ColumnHeadingRect{};
    RECT RowHeadingRect{};
    RECT CornerButtonRect{};
    RECT VScrollRect{};
    RECT HScrollRect{};
    RECT TabRect{};

    int SelectRows = 0;
    int MultiSelectMode = 0;
    int RowSelection = 0;  // the selection collects whole rows
    int CurrentCellStyle = 1;
    int ThreeDDepth = 1;
    int PopupMenuEnabled = 0;
    int CellHints = 0;
    int VScrollHints = 0;
    int HScrollHints = 0;
    int UserSizingMode = 1;
    int BestFitOnDoubleClick = 1;
    int JoinsEnabled = 1;
    int ColumnMoveEnabled = 0;
    int TextOverflow = 1;
    int GridLines = 1;
    int VScrollThumbMode = 0;
    int HScrollThumbMode = 0;
    int MouseScrollMode = 0;
    int MouseScrollDelay = 200;
    int KeyAcceleration = 0;
    int KeyAccelerationDelay = 0;

    int LockedCols = 0;
    int LockedRows = 0;
    int LockedWidth = 0;
    int LockedHeight = 0;

    CFont* DefaultFont = nullptr;  // the control owns fonts

    int DataSourceIndex = 0;
    CUGDataSource* DataSource = nullptr;  // the sheet's default source
    std::unique_ptr<CUGMem> MemDataSource;

    int MoveKind = 0;
    int KeyFlags = 0;  // MK_SHIFT / MK_CONTROL of the last mouse message

    std::unique_ptr<CUGBlockSelection> MultiSelect;

    HCURSOR ArrowCursor = nullptr;  // shared system cursors, not owned
    HCURSOR SizeWECursor = nullptr;
    HCURSOR SizeNSCursor = nullptr;

    CWnd* EditWindow = nullptr;  // set by the control

    int TextIndent = 4;

    CUGPtrList Registry;

    CPen GridLinePen;

    int TrackingWindowMode = 0;
    int CancelEditOnFocusLoss = 1;
};
