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
#include <tuple>
#include <vector>

namespace {

using Cell = std::pair<int, long>;
constexpr COLORREF kMarker = RGB(255, 0, 255);

// Each cell paints itself in a colour of its own, so a pixel tells which
// cell was painted there.
COLORREF CellColour(int col, long row) { return RGB(20 + col * 10, 20 + (row * 7) % 200, 160); }

// Fills its cell with the cell's colour, records each draw and logs input.
class PaintType : public CUGCellType {
public:
    std::vector<Cell> draws;
    MessageLog* log = nullptr;
    int ownMouse = 0;
    UINT keyReplacement = 0;

    void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell*, int, int) override
    {
        draws.push_back({col, row});
        dc->FillSolidRect(rect, CellColour(col, row));
    }
    int OnLeftClick(int col, long row, int down, const RECT*, const POINT*) override
    {
        Note("TypeLeftClick", col, row, down);
        return ownMouse;
    }
    int OnMouseMove(int col, long row, POINT*, UINT) override { return Note("TypeMove", col, row, 0); }
    int OnKeyDown(int col, long row, UINT* key) override
    {
        Note("TypeKeyDown", col, row, static_cast<int>(*key));
        if (keyReplacement)
            *key = keyReplacement;
        return 0;
    }

private:
    int Note(const char* what, int col, long row, int value)
    {
        char line[80];
        std::snprintf(line, sizeof line, "%s %d %ld %d", what, col, row, value);
        log->Add(line);
        return 0;
    }
};

class ViewGrid : public RecordingGrid {
public:
    int focusRects = 0;
    RECT lastFocus{};
    UINT ownerKeyReplacement = ~0u;
    std::wstring hint;

    void DrawFocusRectangle(CDC* dc, RECT* rect) override
    {
        ++focusRects;
        lastFocus = *rect;
        CUGCtrl::DrawFocusRectangle(dc, rect);
    }
    void NotifyKeyDown(UINT* key, int handled) override
    {
        RecordingGrid::NotifyKeyDown(key, handled);
        if (ownerKeyReplacement != ~0u)
            *key = ownerKeyReplacement;
    }
    void NotifyCellMouseMove(int col, long row, POINT*, UINT, int handled) override
    {
        Note("CellMouseMove %d %ld %d", col, row, handled);
    }
    int GetCellHintText(int col, long row, int section, CString* text) override
    {
        if (hint.empty())
            return CUGCtrl::GetCellHintText(col, row, section, text);
        *text = hint.c_str();
        return 1;
    }
};

// A 400 x 300 grid of 20 columns and 200 rows, every cell of PaintType.
class CellAreaTest : public ::testing::Test {
protected:
    static constexpr int kCols = 20;
    static constexpr long kRows = 200;
    PaintType type;
    ViewGrid grid;
    std::unique_ptr<GridTestFrame> frame;
    CUGGrid* view = nullptr;
    CUGGridInfo* gi = nullptr;

    void SetUp() override
    {
        ::SetCursorPos(1200, 1000);  // a pointer over the new window would move the mouse
        frame = std::make_unique<GridTestFrame>(grid, 400, 300);
        view = grid.GetCellArea();
        gi = grid.GridInfo;
        type.log = &grid.log;
        CUGCell column;
        column.SetCellType(grid.AddCellType(&type));
        grid.SetColumnCount(kCols);
        grid.SetRowCount(kRows);
        for (int col = 0; col < kCols; ++col)
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
        grid.focusRects = 0;
    }
    void Send(UINT message, WPARAM wParam, POINT p)
    {
        ::SendMessageW(view->m_hWnd, message, wParam, MAKELPARAM(p.x, p.y));
    }
    RECT RectOf(int col, long row)
    {
        RECT rect{};
        grid.GetCellRect(col, row, rect);
        return rect;
    }
    POINT CentreOf(int col, long row)
    {
        const RECT r = RectOf(col, row);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    COLORREF PixelAt(POINT p)
    {
        CClientDC dc(view);
        return ::GetPixel(dc, p.x, p.y);
    }
    // The cells whose centres lie inside the view.
    std::vector<Cell> VisibleCells()
    {
        std::vector<Cell> cells;
        for (int col = 0; col < kCols; ++col) {
            if ((col >= gi->LockedCols && col < gi->LeftCol) || grid.GetColumnWidth(col) == 0
                || CentreOf(col, 0).x >= gi->GridWidth)
                continue;
            for (long row = 0; row < kRows && CentreOf(col, row).y < gi->GridHeight; ++row)
                if (row < gi->LockedRows || row >= gi->TopRow)
                    cells.push_back({col, row});
        }
        return cells;
    }
    // Each visible cell shows its own colour, or the marker when `painted`
    // says it was not to be painted.
    void ExpectPicture(const std::string& context,
                       std::function<bool(Cell)> painted = [](Cell) { return true; })
    {
        for (const Cell& c : VisibleCells())
            EXPECT_EQ(PixelAt(CentreOf(c.first, c.second)),
                      painted(c) ? CellColour(c.first, c.second) : kMarker)
                << context << ": cell " << c.first << "," << c.second;
    }
};

// A repaint request paints the listed cells and the current cell, and leaves
// every other pixel of the view as it was.
TEST_F(CellAreaTest, RepaintRequestsPaintOnlyTheListedCells)
{
    struct Case {
        const char* name;
        std::function<void(CUGGrid*)> request;
        std::function<bool(Cell)> listed;
    };
    const Case cases[] = {
        {"cell", [](CUGGrid* v) { v->PaintCell(2, 3); }, [](Cell c) { return c == Cell(2, 3); }},
        {"row", [](CUGGrid* v) { v->PaintRow(4); }, [](Cell c) { return c.second == 4; }},
        {"column", [](CUGGrid* v) { v->PaintColumn(1); }, [](Cell c) { return c.first == 1; }},
        {"range", [](CUGGrid* v) { v->PaintRange(1, 5, 2, 6); },
         [](Cell c) { return c.first >= 1 && c.first <= 2 && c.second >= 5 && c.second <= 6; }},
    };
    for (const Case& test : cases) {
        CClientDC(view).FillSolidRect(0, 0, gi->GridWidth, gi->GridHeight, kMarker);
        test.request(view);
        ExpectPicture(test.name, [&](Cell c) { return test.listed(c) || c == Cell(0, 0); });
    }

    // A joined block is painted once, whole, as its origin, from any cell.
    grid.JoinCells(2, 2, 3, 4);
    type.draws.clear();
    view->PaintRange(2, 3, 3, 4);
    EXPECT_EQ(std::count(type.draws.begin(), type.draws.end(), Cell(2, 2)), 1);
    EXPECT_EQ(type.draws.size(), 2u) << "the block and the current cell";
    EXPECT_EQ(PixelAt(CentreOf(3, 4)), CellColour(2, 2));
}

// Scrolling moves the picture and paints only what it uncovered (a move
// further than the view paints everything); locked rows (columns) stay in
// place on a vertical (horizontal) scroll. The same through the off-screen
// bitmap.
TEST_F(CellAreaTest, ScrollPaintsOnlyTheUncoveredStrip)
{
    struct Case {
        const char* name;
        int locked;
        int dCol;
        long dRow;
    };
    const Case cases[] = {
        {"down one row", 0, 0, 1},         {"up one row", 0, 0, -1},
        {"right one column", 0, 1, 0},     {"left one column", 0, -1, 0},
        {"down past the view", 0, 0, 40},  {"down under a locked row", 1, 0, 1},
        {"right beside a locked column", 1, 1, 0},
    };
    for (int buffered = 0; buffered < 2; ++buffered) {
        ASSERT_EQ(view->SetDoubleBuffer(buffered), 0);
        for (const Case& test : cases) {
            const std::string name = std::string(test.name) + (buffered ? ", buffered" : "");
            grid.SetLockedRows(test.dRow ? test.locked : 0);
            grid.SetLockedColumns(test.dCol ? test.locked : 0);
            grid.SetLeftColumn(5);
            grid.SetTopRow(50);
            Settle();
            const std::vector<Cell> before = VisibleCells();
            const int oldLeft = gi->LeftCol, oldRight = gi->RightCol;
            const long oldTop = gi->TopRow, oldBottom = gi->BottomRow;
            grid.SetTopRow(gi->TopRow + test.dRow);
            grid.SetLeftColumn(gi->LeftCol + test.dCol);

            std::set<Cell> expected, drawn;
            for (const Cell& c : VisibleCells()) {
                if (test.dRow * gi->DefaultRowHeight > gi->GridHeight
                    || std::find(before.begin(), before.end(), c) == before.end()
                    || (test.dRow > 0 && c.second >= oldBottom) || (test.dRow < 0 && c.second <= oldTop)
                    || (test.dCol > 0 && c.first >= oldRight) || (test.dCol < 0 && c.first <= oldLeft))
                    expected.insert(c);
                if (std::find(type.draws.begin(), type.draws.end(), c) != type.draws.end())
                    drawn.insert(c);
            }
            EXPECT_EQ(drawn, expected) << name;
            ExpectPicture(name);
            if (test.locked && test.dRow)
                EXPECT_EQ(PixelAt({5, gi->LockedHeight - 1}), RGB(0, 0, 0)) << name;
            if (test.locked && test.dCol)
                EXPECT_EQ(PixelAt({gi->LockedWidth - 1, 5}), RGB(0, 0, 0)) << name;
        }
    }
    // The bitmap follows the view's size.
    grid.MoveWindow(0, 0, 200, 150);
    ASSERT_EQ(view->SetDoubleBuffer(1), 0);
    grid.MoveWindow(0, 0, 400, 300);
    CClientDC(view).FillSolidRect(0, 0, gi->GridWidth, gi->GridHeight, kMarker);
    Settle();
    ExpectPicture("buffered, after growing");
}

// RightCol and BottomRow are the first column and row that reach past the
// view's edge, not one that ends exactly at it. Zero-size columns and rows
// are skipped and take no space; what the cells leave free gets the
// background.
TEST_F(CellAreaTest, LastColumnAndRowAndZeroSizes)
{
    const int width = gi->GridWidth, height = gi->GridHeight;
    grid.SetColumnWidth(0, width - 50);
    grid.SetColumnWidth(1, 50);
    grid.SetRowHeight(0, height - 20);
    Settle();
    EXPECT_EQ(gi->RightCol, 2) << "column 1 ends exactly at the edge";
    EXPECT_EQ(gi->BottomRow, 2) << "row 1 ends exactly at the edge";
    grid.SetColumnWidth(1, 51);
    grid.SetRowHeight(1, 21);
    Settle();
    EXPECT_EQ(Cell(gi->RightCol, gi->BottomRow), Cell(1, 1));

    grid.SetColumnWidth(0, 60);
    grid.SetColumnWidth(1, 0);
    grid.SetRowHeight(0, 30);
    grid.SetRowHeight(1, 0);
    Settle();
    EXPECT_EQ(PixelAt({65, 35}), CellColour(2, 2)) << "column 2 and row 2 follow at once";
    for (const Cell& c : type.draws)
        EXPECT_TRUE(c.first != 1 && c.second != 1) << c.first << "," << c.second;

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

// The focus rectangle goes round the current cell only while the view has
// the focus.
TEST_F(CellAreaTest, FocusRectangleOnlyWithTheFocus)
{
    grid.GotoCell(2, 3);
    Settle();
    view->RedrawAll();
    const RECT current = RectOf(2, 3);
    EXPECT_EQ(grid.focusRects, 1);
    EXPECT_TRUE(::EqualRect(&grid.lastFocus, &current));
    const POINT edge[] = {{current.left, current.top}, {current.left + 1, current.top}};
    EXPECT_TRUE(PixelAt(edge[0]) != CellColour(2, 3) || PixelAt(edge[1]) != CellColour(2, 3));

    frame->SetFocus();
    EXPECT_EQ(grid.log.Lines().back(), "FocusLost 1");
    grid.focusRects = 0;
    view->RedrawAll();
    EXPECT_EQ(grid.focusRects, 0);
    EXPECT_EQ(PixelAt(edge[0]), CellColour(2, 3));
    EXPECT_EQ(PixelAt(edge[1]), CellColour(2, 3));
}

// A press moves the current cell, then the cell type hears of it, then the
// owner; beyond the cells no cell is reported. While a cell type owns the
// mouse, moves report the current cell instead of the one under the pointer.
TEST_F(CellAreaTest, MouseInputNotifiesInOrder)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(2, 3));
    Send(WM_LBUTTONUP, 0, CentreOf(2, 3));
    Send(WM_RBUTTONDOWN, MK_RBUTTON, CentreOf(1, 3));
    Send(WM_RBUTTONUP, 0, CentreOf(1, 3));
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CentreOf(1, 3));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {gi->GridWidth + 5, 5});
    Send(WM_LBUTTONUP, 0, {gi->GridWidth + 5, 5});
    type.ownMouse = 1;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(1, 3));
    Send(WM_MOUSEMOVE, 0, CentreOf(4, 5));
    Send(WM_LBUTTONUP, 0, CentreOf(4, 5));
    Send(WM_MOUSEMOVE, 0, CentreOf(4, 5));
    const std::vector<std::string> expected = {
        "AskMoveCurrentCell 0 0 2 3", "CurrentColumnChanged 0 2", "CurrentRowChanged 0 3",
        "CurrentCellChanged 0 2 0 3", "TypeLeftClick 2 3 1", "CellLeftButton 2 3 1 0",
        "TypeLeftClick 2 3 0", "CellLeftButton 2 3 0 0",
        "AskMoveCurrentCell 2 3 1 3", "CurrentColumnChanged 2 1", "CurrentCellChanged 2 1 3 3",
        "CellRightButton 1 3 1 0", "CellRightButton 1 3 0 0", "CellDoubleClick 1 3 0",
        "CellLeftButton -1 -1 1 0", "CellLeftButton -1 -1 0 0",
        "TypeLeftClick 1 3 1", "CellLeftButton 1 3 1 1",
        "TypeMove 1 3 0", "CellMouseMove 1 3 0",
        "TypeLeftClick 4 5 0", "CellLeftButton 4 5 0 1",
        "TypeMove 4 5 0", "CellMouseMove 4 5 0",
    };
    EXPECT_EQ(grid.log.Lines(), expected);
}

// With the button held beyond an edge each pass moves one cell, or
// (cells beyond + 1)^exponent with a scroll exponent; over the partly shown
// last column the view moves sideways only.
TEST_F(CellAreaTest, DragBeyondAnEdgeScrolls)
{
    struct Case {
        const char* name;
        int exponent, x, y;  // x, y: beyond the right and bottom edge when positive
        int dCol;
        long dRow;
    };
    const Case cases[] = {
        {"right", 0, 5, 0, 1, 0},   {"left", 0, -5, 0, -1, 0},      {"below", 0, 0, 5, 0, 1},
        {"above", 0, 0, -5, 0, -1}, {"squared", 2, 150, 0, 9, 0},   {"linear", 1, 0, 60, 0, 4},
        {"partly shown column", 0, -1000, 0, 1, 0},
    };
    for (const Case& test : cases) {
        const bool partly = test.x == -1000;
        grid.GotoCell(partly ? 0 : 10, 100);
        grid.SetLeftColumn(partly ? 0 : 8);
        grid.SetTopRow(95);
        Settle();
        gi->MouseScrollMode = test.exponent;
        const int col = gi->CurrentCol;
        const POINT start = CentreOf(col, 100);
        POINT p = start;
        if (partly)
            p.x = gi->GridWidth - 2;
        else if (test.x)
            p.x = test.x < 0 ? test.x : gi->GridWidth + test.x;
        if (test.y)
            p.y = test.y < 0 ? test.y : gi->GridHeight + test.y;
        const int expectedCol = (partly ? gi->RightCol : col) + test.dCol;
        Send(WM_LBUTTONDOWN, MK_LBUTTON, start);
        // The release waits in the queue and ends the loop after one pass.
        ::PostMessageW(view->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        PumpMessagesFor(10);
        EXPECT_EQ(Cell(gi->DragCol, gi->DragRow), Cell(expectedCol, 100 + test.dRow)) << test.name;
    }
}

// Arrow keys move by the accelerated step (divisor 4: three key-downs of 1,
// four of 2, four of 9; a key-up starts again), after the cell type and the
// owner have had the key and may have changed it. The wheel moves three rows
// a notch, nothing for part of a notch.
TEST_F(CellAreaTest, KeysAndWheelMove)
{
    auto key = [&](UINT message, UINT vk) { ::SendMessageW(view->m_hWnd, message, vk, 0); };
    for (int divisor : {0, 4}) {
        grid.SetKeyAcceleration(divisor);
        grid.GotoCell(1, 0);
        std::vector<long> steps;
        for (int i = 0; i < 12; ++i) {
            const long before = gi->DragRow;
            key(WM_KEYDOWN, VK_DOWN);
            steps.push_back(gi->DragRow - before);
            if (i == 10)
                key(WM_KEYUP, VK_DOWN);
        }
        const std::vector<long> expected = divisor ? std::vector<long>{1, 1, 1, 2, 2, 2, 2, 9, 9, 9, 9, 1}
                                                   : std::vector<long>(12, 1);
        EXPECT_EQ(steps, expected) << "divisor " << divisor;
        key(WM_KEYUP, VK_DOWN);
    }

    // {key, the cell type's replacement, the owner's, Ctrl held, where it lands}
    const std::tuple<UINT, UINT, UINT, bool, Cell> keyCases[] = {
        {VK_RIGHT, VK_DOWN, ~0u, false, {3, 4}}, {VK_RIGHT, 0, 0, false, {3, 3}},
        {VK_END, 0, ~0u, false, {kCols - 1, 3}}, {VK_END, 0, ~0u, true, {3, kRows - 1}},
        {VK_HOME, 0, ~0u, true, {3, 0}}};
    for (const auto& [vk, typeKey, ownerKey, control, landing] : keyCases) {
        grid.GotoCell(3, 3);
        grid.log.Clear();
        type.keyReplacement = typeKey;
        grid.ownerKeyReplacement = ownerKey;
        BYTE keys[256] = {};
        keys[VK_CONTROL] = control ? 0x80 : 0;
        ::SetKeyboardState(keys);
        key(WM_KEYDOWN, vk);
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(Cell(gi->CurrentCol, gi->CurrentRow), landing) << "key " << vk;
        ASSERT_GE(grid.log.Lines().size(), 2u);
        EXPECT_EQ(grid.log.Lines()[0], "TypeKeyDown 3 3 " + std::to_string(vk));
        EXPECT_EQ(grid.log.Lines()[1], "KeyDown " + std::to_string(typeKey ? typeKey : vk) + " 0");
    }

    for (const auto& [delta, move] : {std::pair{240, -6}, {-240, 6}, {60, 0}, {-119, 0}}) {
        grid.SetTopRow(50);
        ::SendMessageW(view->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        EXPECT_EQ(gi->TopRow, 50 + move) << "delta " << delta;
    }
}

// A tip is offered once the pointer rests on one cell and withdrawn on the
// next; its text is the owner's hint for the cell under the cursor, whole
// even when longer than the request's own buffer.
TEST_F(CellAreaTest, CellTipsFollowTheRestingPointer)
{
    ASSERT_TRUE(view->EnableToolTips(TRUE));
    HWND tip = view->GetToolTipWindow();
    auto toolsAfterMoveTo = [&](int col, long row) {
        Send(WM_MOUSEMOVE, 0, CentreOf(col, row));
        return ::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
    };
    toolsAfterMoveTo(1, 1);
    EXPECT_EQ(toolsAfterMoveTo(2, 3), 0) << "first move onto a new cell";
    EXPECT_EQ(toolsAfterMoveTo(2, 3), 1) << "resting on it";
    EXPECT_EQ(toolsAfterMoveTo(1, 3), 0) << "the next cell";

    POINT screen = CentreOf(2, 3), actual{};
    view->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    ::GetCursorPos(&actual);
    if (actual.x != screen.x || actual.y != screen.y)
        GTEST_SKIP() << "the display does not move the cursor";
    for (const std::wstring& hint : {std::wstring(), std::wstring(120, L'h')}) {
        grid.hint = hint;
        NMTTDISPINFOW request{};
        request.hdr.hwndFrom = tip;
        request.hdr.code = TTN_NEEDTEXTW;
        ::SendMessageW(view->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
        ASSERT_NE(request.lpszText, nullptr);
        EXPECT_EQ(Narrow(request.lpszText), hint.empty() ? "Col:2 Row:3" : Narrow(hint));
    }
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
