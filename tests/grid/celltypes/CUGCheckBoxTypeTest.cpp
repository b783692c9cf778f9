#include "MemoryCanvas.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr COLORREF Yellow = RGB(255, 255, 0);

// One character per pixel: '#' black, '.' the window colour, 'S' the button
// shadow, 'L' the light grey, 'F' the button face, ' ' the cell's background.
char Code(COLORREF colour)
{
    const COLORREF colours[] = {RGB(0, 0, 0), ::GetSysColor(COLOR_WINDOW),
                                ::GetSysColor(COLOR_BTNSHADOW), RGB(225, 225, 225),
                                ::GetSysColor(COLOR_BTNFACE), Yellow};
    return "#.SLF ?"[std::find(colours, colours + 6, colour) - colours];
}
}  // namespace

// From 3 pixels into each cell, where the box begins: in rows 20 high a flat
// box with a cross, a sunken one with a tick, a raised unchecked one; the thin
// cross of 0.5 in 14 high, and the smallest box drawn, 6 pixels, in 12 high.
TEST(CUGCheckBoxType, BoxesAndMarksFollowTheStyleAndTheRowHeight)
{
    CUGCtrl ctrl;
    ctrl.GridInfo->GridLines = 0;
    const struct { long style; const wchar_t* text; int top, bottom; } cells[] = {
        {0, L"1", 0, 20}, {0x1100, L"1", 0, 20}, {0x200, L"0", 0, 20},
        {0, L"0.5", 3, 17}, {0x1000, L"1", 4, 16},
    };
    MemoryCanvas picture(100, 20, Yellow);
    for (int i = 0; i < 5; ++i) {
        CUGCell cell;
        cell.SetText(cells[i].text);
        cell.SetBackColor(Yellow);
        cell.SetCellTypeEx(cells[i].style);
        RECT rect{20 * i, cells[i].top, 20 * i + 20, cells[i].bottom};
        ctrl.GetCellType(2)->OnDraw(&picture.dc, &rect, 0, 0, &cell, 0, 0);
    }
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
              "#.##.....##.#   S#.........F### LF.........S#   #########                      \n"
              "#.###...###.#   S#.........###  LF.........S#   #.......#       #######        \n"
              "#..###.###..#   S#........###   LF.........S#   #.#...#.#       #.....# #      \n"
              "#...#####...#   S#..#....###L   LF.........S#   #..#.#..#       #..#..##       \n"
              "#....###....#   S#..##..###FL   LF.........S#   #...#...#       #...#.#        \n"
              "#...#####...#   S#..######.FL   LF.........S#   #..#.#..#       #....##        \n"
              "#..###.###..#   S#...####..FL   LF.........S#   #.#...#.#       #.....#        \n"
              "#.###...###.#   S#....##...FL   LF.........S#   #.......#       #######        \n"
              "#.##.....##.#   S#.........FL   LF.........S#   #########                      \n"
              "#...........#   SFFFFFFFFFFFL   LSSSSSSSSSSS#                                  \n"
              "#############   SLLLLLLLLLLLL   L############                                  \n");
}

// Steps: p press and r release on the box, b release beside it, d double
// click, s space bar. Only a release on the box toggles; the space bar reads
// the state as a boolean (0.5 and T differ); read-only cells ignore both.
TEST(CUGCheckBoxType, ClickAndSpaceToggleTheStoredNumber)
{
    // toggles: the notifications as column, row and new state
    const struct {
        const wchar_t* text; int readOnly; const char *steps, *answers, *toggles;
        const wchar_t* after;
    } cases[] = {
        {L"0.5", -1, "pr", "01", "100", L"0.000000"}, {L"0.5", -1, "s", "1", "101", L"1.000000"},
        {L"T", -1, "s", "1", "100", L"0.000000"},     {L"T", -1, "pr", "01", "101", L"1.000000"},
        {L"", 0, "pr", "01", "101", L"1.000000"},     {L"1", 0, "s", "1", "100", L"0.000000"},
        {L"1", 1, "s", "0", "", L"1"},                {L"0", 1, "pr", "00", "", L"0"},
        {L"0", -1, "prdrb", "01010", "101100", L"0.000000"},
    };
    const RECT cellRect{75, 0, 150, 20};  // its box is (78, 4, 90, 16), edges included
    const POINT onBox{78, 4}, beside{91, 10};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        struct ToggleGrid : CUGCtrl {
            std::string toggles;
            int NotifyCellTypeEvent(long, int col, long row, long message, LONG_PTR state) override
            {
                if (message == CUGCheckBoxType::CheckBoxToggled)
                    toggles += std::to_string(col) + std::to_string(row) + std::to_string(state);
                return 0;
            }
        } ctrl;
        ctrl.SetColumnCount(2, FALSE);
        ctrl.SetRowCount(1, FALSE);
        ctrl.QuickSetText(1, 0, c.text);
        if (c.readOnly >= 0)
            ctrl.QuickSetReadOnly(1, 0, c.readOnly);
        CUGCellType* type = ctrl.GetCellType(2);
        std::string answers;
        UINT space = 32;
        for (const char* step = c.steps; *step; ++step) {
            const POINT* at = *step == 'b' ? &beside : &onBox;
            answers += std::to_string(*step == 's' ? type->OnCharDown(1, 0, &space)
                                      : *step == 'd'
                                          ? type->OnDoubleClick(1, 0, &cellRect, at)
                                          : type->OnLeftClick(1, 0, *step == 'p', &cellRect, at));
        }
        EXPECT_EQ(answers, c.answers);
        EXPECT_EQ(ctrl.toggles, c.toggles);
        EXPECT_STREQ(ctrl.QuickGetTextPtr(1, 0), c.after);
    }
}
