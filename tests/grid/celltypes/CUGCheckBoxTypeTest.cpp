#include "MemoryCanvas.h"
#include "CString.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF Yellow = RGB(255, 255, 0);

// Records the check box's notifications as "col row state".
struct ToggleGrid : CUGCtrl {
    std::vector<std::string> toggles;
    int NotifyCellTypeEvent(long, int col, long row, long message, LONG_PTR param) override
    {
        if (message == CUGCheckBoxType::CheckBoxToggled)
            toggles.push_back(std::to_string(col) + " " + std::to_string(row) + " "
                              + std::to_string(param));
        return 0;
    }
};

// One character per pixel: '#' black, '.' the window colour, 'S' the button
// shadow, 'L' the light grey, 'F' the button face, ' ' the cell's background.
char Code(COLORREF colour)
{
    const COLORREF colours[] = {RGB(0, 0, 0), ::GetSysColor(COLOR_WINDOW),
                                ::GetSysColor(COLOR_BTNSHADOW), RGB(225, 225, 225),
                                ::GetSysColor(COLOR_BTNFACE), Yellow};
    for (int i = 0; i < 6; ++i)
        if (colour == colours[i])
            return "#.SLF "[i];
    return '?';
}

}  // namespace

// Five cells 20 pixels wide side by side, as the user sees them from 3
// pixels into each cell, where the box begins: in rows 20 pixels high a
// checked flat box with a cross, a checked sunken box with a tick and an
// unchecked raised box, 12 pixels each; in rows 14 pixels high an 8-pixel
// box with the thin cross of 0.5 and one with the thin tick. A row too low
// for a 6-pixel box shows none.
TEST(CUGCheckBoxType, BoxesAndMarksFollowTheStyleAndTheRowHeight)
{
    for (auto [height, size] : {std::pair{20, 12}, {14, 8}, {11, 5}}) {
        const RECT box = CUGCheckBoxType::BoxOf(RECT{10, 0, 60, height});
        EXPECT_EQ(CRect(box), CRect(13, (height - size) / 2, 13 + size, (height + size) / 2));
    }
    CUGCtrl ctrl;
    ctrl.GridInfo->GridLines = 0;
    const struct { long style; const wchar_t* text; int top, bottom; } cells[] = {
        {0, L"1", 0, 20}, {0x1100, L"1", 0, 20}, {0x200, L"0", 0, 20},
        {0, L"0.5", 3, 17}, {0x1000, L"1", 3, 17}, {0, L"0", 4, 15},
    };
    MemoryCanvas picture(120, 20, Yellow);
    for (int i = 0; i < 6; ++i) {
        CUGCell cell;
        cell.SetText(cells[i].text);
        cell.SetBackColor(Yellow);
        if (cells[i].style)
            cell.SetCellTypeEx(cells[i].style);
        RECT rect{20 * i, cells[i].top, 20 * i + 20, cells[i].bottom};
        ctrl.GetCellType(2)->OnDraw(&picture.dc, &rect, 0, 0, &cell, 0, 0);
    }
    EXPECT_EQ(picture.Differences({100, 0, 120, 20}, nullptr, Yellow), 0);
    std::string shown;
    for (int y = 4; y < 17; ++y)
        for (int x = 0; x < 100; ++x)
            if (x % 20 >= 3 && x % 20 < 18)
                shown += Code(picture.At(x, y));
            else if (x % 20 == 18)
                shown += x == 98 ? '\n' : ' ';
    EXPECT_EQ(shown,
              "#############   SSSSSSSSSSSSL   LLLLLLLLLLLL#                                  \n"
              "#...........#   S###########L#  LFFFFFFFFFFF#                                  \n"
              "#.##.....##.#   S#.........F### LF.........S#   #########       #########      \n"
              "#.###...###.#   S#.........###  LF.........S#   #.......#       #.......# #    \n"
              "#..###.###..#   S#........###   LF.........S#   #.#...#.#       #.......##     \n"
              "#...#####...#   S#..#....###L   LF.........S#   #..#.#..#       #.......#      \n"
              "#....###....#   S#..##..###FL   LF.........S#   #...#...#       #..#...##      \n"
              "#...#####...#   S#..######.FL   LF.........S#   #..#.#..#       #...#.#.#      \n"
              "#..###.###..#   S#...####..FL   LF.........S#   #.#...#.#       #....#..#      \n"
              "#.###...###.#   S#....##...FL   LF.........S#   #.......#       #.......#      \n"
              "#.##.....##.#   S#.........FL   LF.........S#   #########       #########      \n"
              "#...........#   SFFFFFFFFFFFL   LSSSSSSSSSSS#                                  \n"
              "#############   SLLLLLLLLLLLL   L############                                  \n");
}

// A click toggles on the button's release over the box; the space bar
// reads the state as a boolean, so 0.5 and T toggle differently by click
// and by key. Cells that are read-only ignore both.
TEST(CUGCheckBoxType, ClickAndSpaceToggleTheStoredNumber)
{
    const struct {
        const wchar_t* text; bool space; int readOnly; const wchar_t* after; const char* toggle;
    } cases[] = {
        {L"0.5", false, -1, L"0.000000", "1 0 0"}, {L"0.5", true, -1, L"1.000000", "1 0 1"},
        {L"T", true, -1, L"0.000000", "1 0 0"},    {L"T", false, -1, L"1.000000", "1 0 1"},
        {L"", false, 0, L"1.000000", "1 0 1"},     {L"1", true, 0, L"0.000000", "1 0 0"},
        {L"1", true, 1, L"1", nullptr},             {L"0", false, 1, L"0", nullptr},
    };
    const RECT cellRect{75, 0, 150, 20};
    const POINT onBox{80, 10};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)) + (c.space ? " space" : " click"));
        ToggleGrid ctrl;
        ctrl.SetColumnCount(2, FALSE);
        ctrl.SetRowCount(1, FALSE);
        ctrl.QuickSetText(1, 0, c.text);
        if (c.readOnly >= 0)
            ctrl.QuickSetReadOnly(1, 0, c.readOnly);
        CUGCellType* type = ctrl.GetCellType(2);
        UINT space = 32;
        if (c.space) {
            EXPECT_EQ(type->OnCharDown(1, 0, &space), c.toggle ? 1 : 0);
        } else {
            EXPECT_EQ(type->OnLeftClick(1, 0, 1, &cellRect, &onBox), 0);
            EXPECT_EQ(type->OnLeftClick(1, 0, 0, &cellRect, &onBox), c.toggle ? 1 : 0);
        }
        CString text;
        ctrl.QuickGetText(1, 0, &text);
        EXPECT_STREQ(text.GetString(), c.after);
        EXPECT_EQ(ctrl.toggles, std::vector<std::string>(c.toggle ? 1 : 0, c.toggle ? c.toggle : ""));
    }

    // A double click toggles through its two releases only, and a release
    // beside the box does nothing.
    ToggleGrid ctrl;
    ctrl.SetRowCount(1, FALSE);
    ctrl.QuickSetText(0, 0, L"0");
    CUGCellType* type = ctrl.GetCellType(2);
    const RECT first{0, 0, 75, 20};
    const POINT corner{3, 4}, beside{16, 10};
    type->OnLeftClick(0, 0, 1, &first, &corner);
    type->OnLeftClick(0, 0, 0, &first, &corner);
    EXPECT_EQ(type->OnDoubleClick(0, 0, &first, &corner), 0);
    type->OnLeftClick(0, 0, 0, &first, &corner);
    EXPECT_EQ(type->OnLeftClick(0, 0, 0, &first, &beside), 0);
    EXPECT_EQ(ctrl.toggles, (std::vector<std::string>{"0 0 1", "0 0 0"}));
}
