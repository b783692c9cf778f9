#include "CClientDC.h"
#include "CUGCellType.h"
#include "CUGGrid.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Cell = std::pair<int, long>;

// Each cell paints itself in a colour of its own, so a pixel tells which
// cell was painted there.
COLORREF CellColour(Cell c) { return RGB(20 + c.first * 10, 20 + (c.second * 7) % 200, 160); }

// Fills its cell with the cell's colour, records each draw and logs input
// to the grid's log.
class PaintType : public CUGCellType {
public:
    std::vector<Cell> draws;
    RecordingGrid* grid = nullptr;
    int ownMouse = 0;
    UINT keyReplacement = 0;
    void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell*, int, int) override
    {
        draws.push_back({col, row});
        dc->FillSolidRect(rect, CellColour({col, row}));
    }
    int OnLeftClick(int col, long row, int down, const RECT*, const POINT*) override
    {
        grid->Note("TypeLeftClick %d %ld %d", col, row, down);
        return ownMouse;
    }
    int OnMouseMove(int col, long row, POINT*, UINT) override
    {
        grid->Note("TypeMove %d %ld", col, row);
        return 0;
    }
    int OnKeyDown(int col, long row, UINT* key) override
    {
        grid->Note("TypeKeyDown %d %ld %u", col, row, *key);
        *key = keyReplacement ? keyReplacement : *key;
        return 0;
    }
};

// Logs mouse moves as well.
class ViewGrid : public RecordingGrid {
public:
    void NotifyCellMouseMove(int col, long row, POINT*, UINT, int handled) override
    {
        Note("CellMouseMove %d %ld %d", col, row, handled);
    }
};

// A 400 x 300 grid of 20 columns and 200 rows, every cell of PaintType.
class CellAreaTest : public ::testing::Test {
protected:
    PaintType type;
    ViewGrid grid;
    std::unique_ptr<GridTestFrame> frame;
    CUGGrid* view = nullptr;
    CUGGridInfo* gi = grid.GridInfo;
    void SetUp() override
    {
        ::SetCursorPos(1200, 1000);  // a pointer over the new window would move the mouse
        frame = std::make_unique<GridTestFrame>(grid, 400, 300);
        view = grid.GetCellArea();
        type.grid = &grid;
        CUGCell column;
        column.SetCellType(grid.AddCellType(&type));
        grid.SetColumnCount(20);
        grid.SetRowCount(200);
        for (int col = 0; col < 20; ++col)
            grid.SetColumnDefault(col, &column);
        gi->MouseScrollDelay = 0;
        view->SetFocus();
        grid.GotoCell(0, 0);
        Settle();
    }
    void Settle()
    {
        view->RedrawAll();
        PumpMessagesFor(20);
        grid.log.Clear();
        type.draws.clear();
    }
    void Send(UINT msg, WPARAM w, POINT p) { ::SendMessageW(view->m_hWnd, msg, w, MAKELPARAM(p.x, p.y)); }
    POINT CentreOf(Cell c)
    {
        RECT r{};
        grid.GetCellRect(c.first, c.second, r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    COLORREF PixelAt(POINT p) { return ::GetPixel(CClientDC(view), p.x, p.y); }
    // The cells whose centres lie inside the view.
    std::vector<Cell> VisibleCells()
    {
        std::vector<Cell> cells;
        for (int col = 0; col < 20; ++col)
            for (long row = 0; row < 200 && CentreOf({col, row}).y < gi->GridHeight; ++row)
                if ((col < gi->LockedCols || col >= gi->LeftCol) && grid.GetColumnWidth(col) > 0
                    && CentreOf({col, 0}).x < gi->GridWidth && (row < gi->LockedRows || row >= gi->TopRow))
                    cells.push_back({col, row});
        return cells;
    }
    // Each visible cell shows its own colour.
    void ExpectPicture(const std::string& context)
    {
        for (const Cell& c : VisibleCells())
            EXPECT_EQ(PixelAt(CentreOf(c)), CellColour(c)) << context << " " << c.first << "," << c.second;
    }
};

// Scrolling moves the picture and paints only what it uncovered (a move
// further than the view paints everything); locked rows (columns) stay in
// place on a vertical (horizontal) scroll and are painted again after a
// diagonal one; a zero-width column takes no space. The same through the
// off-screen bitmap, which follows the view's size.
TEST_F(CellAreaTest, ScrollPaintsOnlyTheUncoveredStrip)
{
    const struct {
        int locked, dCol;
        long dRow;
    } cases[] = {{0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}, {0, 0, 40}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1}};
    grid.SetColumnWidth(7, 0);
    for (int buffered = 0; buffered < 2; ++buffered) {
        ASSERT_EQ(view->SetDoubleBuffer(buffered), 0);
        for (const auto& [locked, dCol, dRow] : cases) {
            SCOPED_TRACE(testing::Message() << "locked " << locked << ", by " << dCol << ", " << dRow
                                            << (buffered ? ", buffered" : ""));
            grid.GotoCell(0, 0);
            grid.SetLockedRows(dRow ? locked : 0);
            grid.SetLockedColumns(dCol ? locked : 0);
            grid.SetLeftColumn(5);
            grid.SetTopRow(50);
            Settle();
            const std::vector<Cell> before = VisibleCells();
            const Cell oldFirst{gi->LeftCol, gi->TopRow}, oldLast{gi->RightCol, gi->BottomRow};
            if (dRow && dCol) {
                grid.GotoCell(gi->RightCol, gi->BottomRow);  // one move scrolls both ways
            } else {
                grid.SetTopRow(gi->TopRow + dRow);
                grid.SetLeftColumn(gi->LeftCol + dCol);
            }
            ASSERT_EQ(Cell(gi->LeftCol, gi->TopRow), Cell(oldFirst.first + dCol, oldFirst.second + dRow));

            std::set<Cell> expected, drawn;
            for (const Cell& c : VisibleCells()) {
                if (dRow * gi->DefaultRowHeight > gi->GridHeight
                    || !std::count(before.begin(), before.end(), c)
                    || (dRow > 0 && c.second >= oldLast.second) || (dRow < 0 && c.second <= oldFirst.second)
                    || (dCol > 0 && c.first >= oldLast.first) || (dCol < 0 && c.first <= oldFirst.first)
                    || (dRow && dCol && (c.first < locked || c.second < locked)))
                    expected.insert(c);
                if (std::count(type.draws.begin(), type.draws.end(), c))
                    drawn.insert(c);
            }
            EXPECT_EQ(drawn, expected);
            ExpectPicture("after the scroll");
            const POINT line = dRow ? POINT{5, gi->LockedHeight - 1} : POINT{gi->LockedWidth - 1, 5};
            EXPECT_TRUE(!locked || PixelAt(line) == RGB(0, 0, 0)) << "the line along the locked cells";
        }
    }
    grid.MoveWindow(0, 0, 200, 150);
    ASSERT_EQ(view->SetDoubleBuffer(1), 0);
    grid.MoveWindow(0, 0, 400, 300);
    CClientDC(view).FillSolidRect(0, 0, gi->GridWidth, gi->GridHeight, RGB(255, 0, 255));
    Settle();
    ExpectPicture("buffered, after growing");
}

// A press moves the current cell, then the cell type hears of it, then the
// owner; beyond the cells no cell is reported. While a cell type owns the
// mouse, moves report the current cell instead of the one under the pointer.
// Characters go to the owner. The focus rectangle goes round the current
// cell only while the view has the focus.
TEST_F(CellAreaTest, MouseAndFocusNotifyInOrder)
{
    const POINT outside{gi->GridWidth + 5, 5};
    const std::tuple<UINT, WPARAM, POINT> input[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, CentreOf({2, 3})}, {WM_LBUTTONUP, 0, CentreOf({2, 3})},
        {WM_RBUTTONDOWN, MK_RBUTTON, CentreOf({1, 3})}, {WM_RBUTTONUP, 0, CentreOf({1, 3})},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, CentreOf({1, 3})}, {WM_LBUTTONDOWN, MK_LBUTTON, outside},
        {WM_LBUTTONUP, 0, outside}, {0, 0, {}},  // from here on the cell type owns the mouse
        {WM_LBUTTONDOWN, MK_LBUTTON, CentreOf({1, 3})}, {WM_MOUSEMOVE, 0, CentreOf({4, 5})},
        {WM_LBUTTONUP, 0, CentreOf({4, 5})}, {WM_MOUSEMOVE, 0, CentreOf({4, 5})}, {WM_CHAR, 'a', {}},
    };
    for (const auto& [message, flags, point] : input) {
        if (!message)
            type.ownMouse = 1;
        Send(message, flags, point);
    }
    const POINT edge = {CentreOf({1, 3}).x, CentreOf({1, 3}).y - gi->DefaultRowHeight / 2};
    EXPECT_NE(PixelAt(edge), CellColour({1, 3}));
    frame->SetFocus();
    const std::vector<std::string> expected = {
        "AskMoveCurrentCell 0 0 2 3", "CurrentColumnChanged 0 2", "CurrentRowChanged 0 3",
        "CurrentCellChanged 0 2 0 3", "TypeLeftClick 2 3 1", "CellLeftButton 2 3 1 0",
        "TypeLeftClick 2 3 0", "CellLeftButton 2 3 0 0",
        "AskMoveCurrentCell 2 3 1 3", "CurrentColumnChanged 2 1", "CurrentCellChanged 2 1 3 3",
        "CellRightButton 1 3 1 0", "CellRightButton 1 3 0 0", "CellDoubleClick 1 3 0",
        "CellLeftButton -1 -1 1 0", "CellLeftButton -1 -1 0 0",
        "TypeLeftClick 1 3 1", "CellLeftButton 1 3 1 1", "TypeMove 1 3", "CellMouseMove 1 3 0",
        "TypeLeftClick 4 5 0", "CellLeftButton 4 5 0 1", "TypeMove 4 5", "CellMouseMove 4 5 0",
        "Character 97 0", "FocusLost 1",
    };
    EXPECT_EQ(grid.log.Lines(), expected);
    view->RedrawAll();
    EXPECT_EQ(PixelAt(edge), CellColour({1, 3}));
}

// With the button held beyond an edge each pass moves one cell, or
// (cells beyond + 1)^exponent with a scroll exponent; over the partly shown
// last column the view moves sideways only.
TEST_F(CellAreaTest, DragBeyondAnEdgeScrolls)
{
    const struct {
        int exponent, x, y;  // past the right or bottom edge, or left or above; 0, 0: the last column
        Cell moved;
    } cases[] = {{0, 5, 0, {1, 0}},   {0, -5, 0, {-1, 0}}, {0, 0, 5, {0, 1}}, {0, 0, -5, {0, -1}},
                 {2, 150, 0, {9, 0}}, {1, 0, 60, {0, 4}},  {0, 0, 0, {1, 0}}};
    for (const auto& test : cases) {
        const bool partly = !test.x && !test.y;
        grid.GotoCell(partly ? 0 : 10, 100);
        grid.SetLeftColumn(partly ? 0 : 8);
        grid.SetTopRow(95);
        Settle();
        gi->MouseScrollMode = test.exponent;
        const POINT start = CentreOf({gi->CurrentCol, 100});
        const POINT p = {partly       ? gi->GridWidth - 2
                         : test.x > 0 ? gi->GridWidth + test.x
                                      : (test.x ? test.x : start.x),
                         test.y > 0 ? gi->GridHeight + test.y : (test.y ? test.y : start.y)};
        const Cell expected{(partly ? gi->RightCol : gi->CurrentCol) + test.moved.first,
                            100 + test.moved.second};
        Send(WM_LBUTTONDOWN, MK_LBUTTON, start);
        // The release waits in the queue and ends the loop after one pass.
        ::PostMessageW(view->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        PumpMessagesFor(10);
        EXPECT_EQ(Cell(gi->DragCol, gi->DragRow), expected) << test.x << "," << test.y;
    }
}

// Arrow keys move by the accelerated step (divisor 4: three key-downs of 1,
// four of 2, four of 9; a key-up starts again), after the cell type, which
// may change the key, and then the owner have had it. The wheel moves three
// rows a notch, nothing for part of a notch.
TEST_F(CellAreaTest, KeysAndWheelMove)
{
    grid.SetKeyAcceleration(4);
    std::vector<long> steps;
    for (int i = 0; i < 12; ++i) {
        const long before = gi->DragRow;
        ::SendMessageW(view->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        steps.push_back(gi->DragRow - before);
        if (i == 10)
            ::SendMessageW(view->m_hWnd, WM_KEYUP, VK_DOWN, 0);
    }
    EXPECT_EQ(steps, (std::vector<long>{1, 1, 1, 2, 2, 2, 2, 9, 9, 9, 9, 1}));
    grid.SetKeyAcceleration(0);

    const struct {
        UINT key, typeKey;  // the cell type's replacement, if any
        bool control;
        Cell landing;  // from (8, 30)
    } cases[] = {
        {VK_RIGHT, VK_DOWN, false, {8, 31}}, {VK_RIGHT, 0, false, {9, 30}},   {VK_LEFT, 0, false, {7, 30}},
        {VK_UP, 0, false, {8, 29}},          {VK_END, 0, false, {19, 30}},    {VK_END, 0, true, {8, 199}},
        {VK_HOME, 0, true, {8, 0}},          {VK_HOME, 0, false, {0, 30}},    {VK_NEXT, 0, false, {8, 43}},
        {VK_PRIOR, 0, false, {8, 17}},
    };
    for (const auto& test : cases) {
        grid.GotoCell(8, 30);
        grid.log.Clear();
        type.keyReplacement = test.typeKey;
        BYTE keys[256] = {};
        keys[VK_CONTROL] = test.control ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::SendMessageW(view->m_hWnd, WM_KEYDOWN, test.key, 0);
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(Cell(gi->CurrentCol, gi->CurrentRow), test.landing) << "key " << test.key;
        const UINT key = test.typeKey ? test.typeKey : test.key;
        EXPECT_EQ(grid.log.Lines().at(1), "KeyDown " + std::to_string(key) + " 0") << "after the cell type's";
    }
    for (const auto& [delta, move] : {std::pair{240, -6}, {-240, 6}, {60, 0}, {-119, 0}}) {
        grid.SetTopRow(50);
        ::SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        EXPECT_EQ(gi->TopRow, 50 + move) << "delta " << delta;
    }
}

// A tip is offered once the pointer rests on one cell and withdrawn on the
// next. A grid whose hints are on before its windows exist has tips from the
// start.
TEST_F(CellAreaTest, CellTipsFollowTheRestingPointer)
{
    ViewGrid hinted;
    hinted.EnableCellHints(1);
    GridTestFrame hintedFrame(hinted, 100, 100);
    EXPECT_NE(hinted.GetCellArea()->GetToolTipWindow(), nullptr);
    EXPECT_EQ(view->GetToolTipWindow(), nullptr);
    ASSERT_TRUE(view->EnableToolTips(TRUE));
    std::vector<LRESULT> tools;
    for (Cell c : {Cell(1, 1), Cell(2, 3), Cell(2, 3), Cell(1, 3)}) {
        Send(WM_MOUSEMOVE, 0, CentreOf(c));
        tools.push_back(::SendMessageW(view->GetToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0));
    }
    EXPECT_EQ(tools, (std::vector<LRESULT>{0, 0, 1, 0}));
}

}  // namespace

// With the selection on, a move repaints the old block through the view
// before the control brings the view up to date: the picture still scrolls
// once, by as far as the view moved, locked rows and columns or not.
TEST_F(CellAreaTest, ARepaintDuringAMoveDoesNotScrollThePictureTwice)
{
    grid.EnableSelection(1);
    for (int locked : {0, 2}) {
        const std::string name = std::to_string(locked) + " locked";
        grid.SetLockedRows(locked);
        grid.SetLockedColumns(locked);
        grid.SetLeftColumn(5);
        grid.SetTopRow(50);
        Settle();
        grid.SetTopRow(52);
        ExpectPicture(name + ", down");
        grid.SetLeftColumn(6);
        ExpectPicture(name + ", right");
    }
}
