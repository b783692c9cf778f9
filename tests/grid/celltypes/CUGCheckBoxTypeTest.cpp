#include "MemoryCanvas.h"
#include "CFont.h"
#include "CString.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0), Yellow = RGB(255, 255, 0), Blue = RGB(0, 0, 255);

struct Picture : MemoryCanvas {
    Picture(int width, int height) : MemoryCanvas(width, height, Yellow) {}
};

// Records the check box's notifications as "col row state".
class ToggleGrid : public CUGCtrl {
public:
    std::vector<std::string> toggles;
    int NotifyCellTypeEvent(long, int col, long row, long message, LONG_PTR param) override
    {
        if (message == CUGCheckBoxType::CheckBoxToggled)
            toggles.push_back(std::to_string(col) + " " + std::to_string(row) + " "
                              + std::to_string(param));
        return 0;
    }
};

}  // namespace

// The box is min(h - 6, 12) pixels, centred vertically 3 pixels in; rows
// too low for a 6-pixel box draw none. A cross fills the box's diagonal,
// and the label starts size + 6 pixels in whether or not the box shows.
TEST(CUGCheckBoxType, BoxSizeFollowsTheRowHeight)
{
    struct Case {
        int height;
        const wchar_t* text;
        int size;
        bool box;
    };
    const Case cases[] = {
        {20, L"1", 12, true}, {14, L"0.5", 8, true}, {14, L"0", 8, true}, {11, L"1", 5, false},
    };
    for (const Case& c : cases) {
        CUGCtrl ctrl;
        ctrl.GridInfo->GridLines = 0;
        CUGCellType* type = ctrl.GetCellType(2);
        CUGCell cell;
        cell.SetText(c.text);
        cell.SetBackColor(Yellow);
        const RECT box = CUGCheckBoxType::BoxOf(RECT{0, 0, 60, c.height});
        EXPECT_EQ(box.right - box.left, c.size) << c.height;
        EXPECT_EQ(box.top, (c.height - c.size) / 2) << c.height;

        Picture picture(60, c.height);
        RECT rect{0, 0, 60, c.height};
        type->OnDraw(&picture.dc, &rect, 0, 0, &cell, 0, 0);
        const bool checked = std::wstring(c.text) != L"0";
        EXPECT_EQ(picture.At(box.left, box.top) == Black, c.box) << c.height;
        const int mid = box.left + c.size / 2;
        if (c.box) {
            EXPECT_NE(picture.At(box.right + 1, box.top), Black) << c.height;
            EXPECT_EQ(picture.At(mid, box.top + c.size / 2) == Black, checked) << c.height;
            EXPECT_EQ(picture.At(mid, box.top + 1), ::GetSysColor(COLOR_WINDOW)) << c.height;
        }
    }
}

// A tick runs up to the right of the box; the sunken and raised boxes use
// the shadow and light pens on their outer ring.
TEST(CUGCheckBoxType, StylesDrawTheirBoxAndMark)
{
    CUGCtrl ctrl;
    ctrl.GridInfo->GridLines = 0;
    CUGCellType* type = ctrl.GetCellType(2);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = RGB(225, 225, 225);
    struct Case {
        long style;
        COLORREF leftEdge, bottomEdge;
    };
    for (const Case& c : {Case{0x100, shadow, light}, Case{0x200, light, Black}}) {
        CUGCell cell;
        cell.SetText(L"0");
        cell.SetCellTypeEx(c.style);
        Picture picture(60, 20);
        RECT rect{0, 0, 60, 20};
        type->OnDraw(&picture.dc, &rect, 0, 0, &cell, 0, 0);
        EXPECT_EQ(picture.At(3, 8), c.leftEdge) << c.style;
        EXPECT_EQ(picture.At(8, 16), c.bottomEdge) << c.style;
    }
    CUGCell tick;
    tick.SetText(L"1");
    tick.SetCellTypeEx(0x1000);
    Picture picture(60, 20);
    RECT rect{0, 0, 60, 20};
    type->OnDraw(&picture.dc, &rect, 0, 0, &tick, 0, 0);
    // Inside the box (4, 5)-(15, 16) the tick falls to (8, 14) and rises
    // past the box's right edge.
    EXPECT_EQ(picture.At(7, 13), Black);
    EXPECT_EQ(picture.At(13, 9), Black);
    EXPECT_EQ(picture.At(17, 5), Black);
    EXPECT_NE(picture.At(5, 5), Black);
}

// A click toggles on the button's release over the box; the space bar
// reads the state as a boolean, so 0.5 and T toggle differently by click
// and by key. Read-only cells ignore both.
TEST(CUGCheckBoxType, ClickAndSpaceToggleTheStoredNumber)
{
    struct Case {
        const wchar_t* text;
        bool space;
        bool readOnly;
        const wchar_t* after;
        const char* toggle;
    };
    const Case cases[] = {
        {L"0.5", false, false, L"0.000000", "1 0 0"}, {L"0.5", true, false, L"1.000000", "1 0 1"},
        {L"T", true, false, L"0.000000", "1 0 0"},    {L"T", false, false, L"1.000000", "1 0 1"},
        {L"", false, false, L"1.000000", "1 0 1"},    {L"1", true, true, L"1", nullptr},
        {L"0", false, true, L"0", nullptr},
    };
    const RECT cellRect{75, 0, 150, 20};
    for (const Case& c : cases) {
        ToggleGrid ctrl;
        ctrl.SetColumnCount(2, FALSE);
        ctrl.SetRowCount(1, FALSE);
        ctrl.QuickSetText(1, 0, c.text);
        if (c.readOnly)
            ctrl.QuickSetReadOnly(1, 0, 1);
        CUGCellType* type = ctrl.GetCellType(2);
        UINT space = 32;
        const POINT onBox{80, 10};
        if (c.space) {
            EXPECT_EQ(type->OnCharDown(1, 0, &space), c.toggle ? 1 : 0);
        } else {
            EXPECT_EQ(type->OnLeftClick(1, 0, 1, &cellRect, &onBox), 0);
            EXPECT_EQ(type->OnLeftClick(1, 0, 0, &cellRect, &onBox), c.toggle ? 1 : 0);
        }
        CString text;
        ctrl.QuickGetText(1, 0, &text);
        EXPECT_STREQ(text.GetString(), c.after) << "from " << static_cast<int>(std::wstring(c.text).size());
        EXPECT_EQ(ctrl.toggles, c.toggle ? std::vector<std::string>{c.toggle}
                                         : std::vector<std::string>{});
    }

    // A double click toggles through its two releases only, and a release
    // beside the box does nothing.
    ToggleGrid ctrl;
    ctrl.SetRowCount(1, FALSE);
    ctrl.QuickSetText(0, 0, L"0");
    CUGCellType* type = ctrl.GetCellType(2);
    const RECT first{0, 0, 75, 20};
    const POINT onBox{3, 4}, beside{16, 10};
    type->OnLeftClick(0, 0, 1, &first, &onBox);
    type->OnLeftClick(0, 0, 0, &first, &onBox);
    EXPECT_EQ(type->OnDoubleClick(0, 0, &first, &onBox), 0);
    type->OnLeftClick(0, 0, 0, &first, &onBox);
    EXPECT_EQ(type->OnLeftClick(0, 0, 0, &first, &beside), 0);
    EXPECT_EQ(ctrl.toggles, (std::vector<std::string>{"0 0 1", "0 0 0"}));
}
