#include "CClientDC.h"
#include "CUGCellType.h"
#include "CUGGrid.h"
#include "Narrow.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Cell = std::pair<int, long>;
constexpr COLORREF kMarker = RGB(255, 0, 255);

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

// Lets the owner change keys, and logs mouse moves.
class ViewGrid : public RecordingGrid {
public:
    UINT ownerKeyReplacement = 0;

    void NotifyKeyDown(UINT* key, int handled) override
    {
        RecordingGrid::NotifyKeyDown(key, handled);
        *key = ownerKeyReplacement ? ownerKeyReplacement - 1 : *key;
    }
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
    void Send(UINT message, WPARAM wParam, POINT p)
    {
        ::SendMessageW(view->m_hWnd, message, wParam, MAKELPARAM(p.x, p.y));
    }
    POINT CentreOf(Cell c)
    {
        RECT r{};
        grid.GetCellRect(c.first, c.second, r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    COLORREF PixelAt(POINT p) { return ::GetPixel(CClientDC(view), p.x, p.y); }
    void Mark() { CClientDC(view).FillSolidRect(0, 0, gi->GridWidth, gi->GridHeight, kMarker); }
    // The cells whose centres lie inside the view.
    std::vector<Cell> VisibleCells()
    {
        std::vector<Cell> cells;
        for (int col = 0; col < 20; ++col) {
            for (long row = 0; row < 200 && CentreOf({col, row}).y < gi->GridHeight; ++row) {
                if ((col < gi->LockedCols || col >= gi->LeftCol) && grid.GetColumnWidth(col) > 0
                    && CentreOf({col, 0}).x < gi->GridWidth && (row < gi->LockedRows || row >= gi->TopRow))
                    cells.push_back({col, row});
            }
        }
        return cells;
    }
    // Each visible cell shows its own colour, or the marker where it was not
    // to be painted.
    void ExpectPicture(const std::string& context, std::function<bool(Cell)> painted = nullptr)
    {
        for (const Cell& c : VisibleCells())
            EXPECT_EQ(PixelAt(CentreOf(c)), !painted || painted(c) ? CellColour(c) : kMarker)
                << context << ": cell " << c.first << "," << c.second;
    }
};

// A repaint request paints the listed cells and the current cell, and leaves
// every other pixel of the view as it was; a joined block is painted once,
// whole, as its origin, from any of its cells.
TEST_F(CellAreaTest, RepaintRequestsPaintOnlyTheListedCells)
{
    Mark();
    view->PaintRow(4);
    view->PaintColumn(1);
    view->PaintRange(2, 5, 3, 6);
    ExpectPicture("row 4, column 1, range (2, 5) to (3, 6)", [](Cell c) {
        return c == Cell(0, 0) || c.second == 4 || c.first == 1
               || (c.first >= 2 && c.first <= 3 && c.second >= 5 && c.second <= 6);
    });
    grid.JoinCells(2, 2, 3, 4);
    type.draws.clear();
    view->PaintCell(3, 3);
    std::sort(type.draws.begin(), type.draws.end());
    EXPECT_EQ(type.draws, (std::vector<Cell>{{0, 0}, {2, 2}})) << "the block and the current cell";
    EXPECT_EQ(PixelAt(CentreOf({3, 4})), CellColour({2, 2}));
}

// Scrolling moves the picture and paints only what it uncovered (a move
// further than the view paints everything); locked rows (columns) stay in
// place on a vertical (horizontal) scroll and are painted again after a
// diagonal one. The same through the off-screen bitmap, which follows the
// view's size.
TEST_F(CellAreaTest, ScrollPaintsOnlyTheUncoveredStrip)
{
    const struct {
        int locked, dCol;
        long dRow;
    } cases[] = {{0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}, {0, 0, 40}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1}};
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
            if (dRow && dCol)
                grid.GotoCell(gi->RightCol, gi->BottomRow);  // one move scrolls both ways
            else
                grid.SetTopRow(gi->TopRow + dRow), grid.SetLeftColumn(gi->LeftCol + dCol);
            ASSERT_EQ(Cell(gi->LeftCol, gi->TopRow), Cell(oldFirst.first + dCol, oldFirst.second + dRow));

            std::set<Cell> expected, drawn(type.draws.begin(), type.draws.end());
            for (const Cell& c : VisibleCells()) {
                if (dRow * gi->DefaultRowHeight > gi->GridHeight
                    || std::find(before.begin(), before.end(), c) == before.end()
                    || (dRow > 0 && c.second >= oldLast.second) || (dRow < 0 && c.second <= oldFirst.second)
                    || (dCol > 0 && c.first >= oldLast.first) || (dCol < 0 && c.first <= oldFirst.first)
                    || (dRow && dCol && (c.first < locked || c.second < locked)))
                    expected.insert(c);
            }
            const std::vector<Cell> visible = VisibleCells();
            std::erase_if(drawn, [&](Cell c) { return std::count(visible.begin(), visible.end(), c) == 0; });
            EXPECT_EQ(drawn, expected);
            ExpectPicture("after the scroll");
            if (locked)
                EXPECT_EQ(PixelAt(dRow ? POINT{5, gi->LockedHeight - 1} : POINT{gi->LockedWidth - 1, 5}),
                          RGB(0, 0, 0))
                    << "the line along the locked cells";
        }
    }
    grid.MoveWindow(0, 0, 200, 150);
    ASSERT_EQ(view->SetDoubleBuffer(1), 0);
    grid.MoveWindow(0, 0, 400, 300);
    Mark();
    Settle();
    ExpectPicture("buffered, after growing");
}

// RightCol and BottomRow are the first column and row that reach past the
// view's edge, not one that ends exactly at it. Zero-size columns and rows
// are skipped and take no space; what the cells leave free gets the
// background.
TEST_F(CellAreaTest, LastColumnAndRowAndZeroSizes)
{
    grid.SetColumnWidth(0, gi->GridWidth - 50);
    grid.SetColumnWidth(1, 50);
    grid.SetRowHeight(0, gi->GridHeight - 20);
    Settle();
    EXPECT_EQ(Cell(gi->RightCol, gi->BottomRow), Cell(2, 2)) << "column and row 1 end at the edge";
    grid.SetColumnWidth(1, 51);
    grid.SetRowHeight(1, 21);
    Settle();
    EXPECT_EQ(Cell(gi->RightCol, gi->BottomRow), Cell(1, 1));

    grid.SetColumnWidth(0, 60);
    grid.SetColumnWidth(1, 0);
    grid.SetRowHeight(0, 30);
    grid.SetRowHeight(1, 0);
    Settle();
    EXPECT_EQ(PixelAt({65, 35}), CellColour({2, 2})) << "column 2 and row 2 follow at once";
    EXPECT_TRUE(std::none_of(type.draws.begin(), type.draws.end(),
                             [](Cell c) { return c.first == 1 || c.second == 1; }));

    const COLORREF background = grid.GetDefaultBackColor(CUGCtrl::SectionCellArea);
    grid.SetColumnCount(2);
    grid.SetRowCount(3);
    Settle();
    EXPECT_EQ(PixelAt({gi->GridWidth - 3, 5}), background) << "right of the columns";
    EXPECT_EQ(PixelAt({5, gi->GridHeight - 3}), background) << "below the rows";
    grid.SetRowCount(0);
    Settle();
    EXPECT_TRUE(type.draws.empty());
    EXPECT_EQ(PixelAt({5, 5}), background) << "a sheet without rows";
}

// A press moves the current cell, then the cell type hears of it, then the
// owner; beyond the cells no cell is reported. While a cell type owns the
// mouse, moves report the current cell instead of the one under the pointer.
// Characters go to the owner. The focus rectangle goes round the current
// cell only while the view has the focus.
TEST_F(CellAreaTest, MouseAndFocusNotifyInOrder)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf({2, 3}));
    Send(WM_LBUTTONUP, 0, CentreOf({2, 3}));
    Send(WM_RBUTTONDOWN, MK_RBUTTON, CentreOf({1, 3}));
    Send(WM_RBUTTONUP, 0, CentreOf({1, 3}));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CentreOf({1, 3}));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {gi->GridWidth + 5, 5});
    Send(WM_LBUTTONUP, 0, {gi->GridWidth + 5, 5});
    type.ownMouse = 1;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf({1, 3}));
    Send(WM_MOUSEMOVE, 0, CentreOf({4, 5}));
    Send(WM_LBUTTONUP, 0, CentreOf({4, 5}));
    Send(WM_MOUSEMOVE, 0, CentreOf({4, 5}));
    Send(WM_CHAR, 'a', {});
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
        const POINT p = {partly ? gi->GridWidth - 2 : test.x > 0 ? gi->GridWidth + test.x : test.x ? test.x : start.x,
                         test.y > 0 ? gi->GridHeight + test.y : test.y ? test.y : start.y};
        const Cell expected{(partly ? gi->RightCol : gi->CurrentCol) + test.moved.first, 100 + test.moved.second};
        Send(WM_LBUTTONDOWN, MK_LBUTTON, start);
        // The release waits in the queue and ends the loop after one pass.
        ::PostMessageW(view->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        PumpMessagesFor(10);
        EXPECT_EQ(Cell(gi->DragCol, gi->DragRow), expected) << test.exponent << " " << test.x << " " << test.y;
    }
}

// Arrow keys move by the accelerated step (divisor 4: three key-downs of 1,
// four of 2, four of 9; a key-up starts again), after the cell type and then
// the owner have had the key and may have changed it. The wheel moves three
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
        UINT key, typeKey, ownerKey;  // the owner's key is one more than the key it makes
        bool control;
        Cell landing;  // from (8, 30)
    } cases[] = {
        {VK_RIGHT, VK_DOWN, 0, false, {8, 31}}, {VK_RIGHT, 0, 1, false, {8, 30}},
        {VK_RIGHT, 0, 0, false, {9, 30}},       {VK_LEFT, 0, 0, false, {7, 30}},
        {VK_UP, 0, 0, false, {8, 29}},          {VK_END, 0, 0, false, {19, 30}},
        {VK_END, 0, 0, true, {8, 199}},         {VK_HOME, 0, 0, true, {8, 0}},
        {VK_HOME, 0, 0, false, {0, 30}},        {VK_NEXT, 0, 0, false, {8, 43}},
        {VK_PRIOR, 0, 0, false, {8, 17}},
    };
    for (const auto& test : cases) {
        grid.GotoCell(8, 30);
        grid.log.Clear();
        type.keyReplacement = test.typeKey;
        grid.ownerKeyReplacement = test.ownerKey;
        BYTE keys[256] = {};
        keys[VK_CONTROL] = test.control ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::SendMessageW(view->m_hWnd, WM_KEYDOWN, test.key, 0);
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(Cell(gi->CurrentCol, gi->CurrentRow), test.landing) << "key " << test.key;
        ASSERT_GE(grid.log.Lines().size(), 2u);
        EXPECT_EQ(grid.log.Lines()[0], "TypeKeyDown 8 30 " + std::to_string(test.key));
        EXPECT_EQ(grid.log.Lines()[1], "KeyDown " + std::to_string(test.typeKey ? test.typeKey : test.key) + " 0");
    }
    for (const auto& [delta, move] : {std::pair{240, -6}, {-240, 6}, {60, 0}, {-119, 0}}) {
        grid.SetTopRow(50);
        ::SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        EXPECT_EQ(gi->TopRow, 50 + move) << "delta " << delta;
    }
}

// A tip is offered once the pointer rests on one cell and withdrawn on the
// next; it names the cell under the cursor. A grid whose hints are on before
// its windows exist has tips from the start.
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
    POINT screen = CentreOf({2, 3}), actual{};
    view->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    ::GetCursorPos(&actual);
    if (actual.x != screen.x || actual.y != screen.y)
        GTEST_SKIP() << "the display does not move the cursor";
    NMTTDISPINFOW request{{view->GetToolTipWindow(), 0, TTN_NEEDTEXTW}};
    ::SendMessageW(view->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(Narrow(request.lpszText ? request.lpszText : L"(none)"), "Col:2 Row:3");
}

}  // namespace
