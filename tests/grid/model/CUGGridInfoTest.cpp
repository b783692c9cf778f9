#include "CUGGridInfo.h"
#include "CUGPtrList.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CUGGridInfo, NewRecordStartsWithTheGridsDefaults)
{
    CUGGridInfo info;
    EXPECT_EQ(info.CurrentCol, -1);
    EXPECT_EQ(info.CurrentRow, -1);
    EXPECT_EQ(info.DragCol, -1);
    EXPECT_EQ(info.DragRow, -1);
    EXPECT_EQ(info.LeftCol, 0);
    EXPECT_EQ(info.TopRow, 0);
    EXPECT_EQ(info.DefaultColWidth, 75);
    EXPECT_EQ(info.DefaultRowHeight, 20);
    EXPECT_EQ(info.ColumnHeadingRows, 1);
    EXPECT_EQ(info.ColumnHeadingRowHeights, std::vector<int>{20});
    EXPECT_EQ(info.RowHeadingCols, 1);
    EXPECT_EQ(info.RowHeadingColWidths, std::vector<int>{25});
    EXPECT_EQ(info.ColumnHeadingHeight, 20);
    EXPECT_EQ(info.RowHeadingWidth, 40);
    EXPECT_EQ(info.VScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(info.HScrollHeight, GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(info.CurrentCellStyle, 1);
    EXPECT_EQ(info.UserSizingMode, 1);
    EXPECT_EQ(info.MouseScrollDelay, 200);
    EXPECT_EQ(info.TextIndent, 4);
    EXPECT_EQ(info.CancelEditOnFocusLoss, 1);
    EXPECT_TRUE(info.Columns.empty());

    // Headings: button face, raised frame, centred both ways.
    EXPECT_EQ(info.HeadingDefaultCell.GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(info.HeadingDefaultCell.GetBorder(), 0x2000);
    EXPECT_EQ(info.HeadingDefaultCell.GetAlignment(), 0x24);
    EXPECT_EQ(info.HeadingDefaultCell.GetPropertyFlags(),
              CUGCell::PropBackColor | CUGCell::PropBorder | CUGCell::PropAlignment);
    EXPECT_EQ(info.ColumnDefaultTemplate.GetPropertyFlags(), 0u);

    // The sheet's data source is its own memory source until another is set.
    ASSERT_NE(info.MemDataSource, nullptr);
    EXPECT_EQ(info.DataSource, info.MemDataSource.get());
    ASSERT_NE(info.MultiSelect, nullptr);
    EXPECT_EQ(info.MultiSelect->GetMode(), 0);
    EXPECT_EQ(info.Registry.GetCount(), 0);

    LOGPEN pen{};
    ASSERT_NE(info.GridLinePen.m_hObject, nullptr);
    ASSERT_EQ(GetObjectW(info.GridLinePen.m_hObject, sizeof pen, &pen), static_cast<int>(sizeof pen));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.lopnWidth.x, 1);
    EXPECT_EQ(pen.lopnColor, RGB(220, 220, 220));
    EXPECT_NE(info.ArrowCursor, nullptr);
}

TEST(CUGGridInfo, ControlBindsItsSheetsSourceAndSelection)
{
    RecordingCtrl ctrl;
    CUGGridInfo& info = *ctrl.GridInfo;
    EXPECT_EQ(info.MemDataSource->GetOwner(), &ctrl);
    EXPECT_EQ(info.MemDataSource->GetID(), 0);

    // The selection reaches the control: an extended block repaints through it.
    info.MultiSelect->SetMode(CUGBlockSelection::ModeCells);
    info.MultiSelect->StartBlock(0, 0);
    info.MultiSelect->ExtendBlock(1, 0);
    EXPECT_EQ(ctrl.ranges.size(), 1u);
}

TEST(CUGPtrList, GrowsByTenAndKeepsIndicesStable)
{
    CUGPtrList list;
    EXPECT_EQ(list.GetCapacity(), 0);
    int objects[12] = {};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(list.Add(&objects[i]), i);
    EXPECT_EQ(list.GetCapacity(), 20);
    EXPECT_EQ(list.GetCount(), 11);

    EXPECT_EQ(list.SetParam(3, 7), 0);
    EXPECT_EQ(list.Remove(3), 0);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetPointer(3), nullptr);
    EXPECT_EQ(list.GetParam(3), 7);  // a free slot keeps its param
    EXPECT_EQ(list.SetParam(3, 8), 2);
    EXPECT_EQ(list.Remove(3), 0);    // removing a free slot is harmless
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetPointer(4), &objects[4]);  // nothing moved

    EXPECT_EQ(list.Add(&objects[11], 5), 3);
    EXPECT_EQ(list.GetPointer(3), &objects[11]);
    EXPECT_EQ(list.GetParam(3), 5);

    EXPECT_EQ(list.Remove(-1), 1);
    EXPECT_EQ(list.Remove(20), 1);
    EXPECT_EQ(list.Remove(19), 0);  // inside the array though never used
    EXPECT_EQ(list.GetPointer(25), nullptr);
    EXPECT_EQ(list.GetParam(25), 0);
    EXPECT_EQ(list.SetParam(25, 1), 1);

    // Filling every slot grows again; the earlier entries survive the move.
    for (int i = 0; i < 9; ++i)
        list.Add(&objects[0]);
    EXPECT_EQ(list.GetCapacity(), 20);
    EXPECT_EQ(list.Add(&objects[1]), 20);
    EXPECT_EQ(list.GetCapacity(), 30);
    EXPECT_EQ(list.GetPointer(10), &objects[10]);
    EXPECT_EQ(list.GetParam(3), 5);
}
