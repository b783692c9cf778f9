#include "CUGPtrList.h"

#include <gtest/gtest.h>

// Indices never move: a removed slot keeps its param and is the next one
// filled; the array grows by ten only when every slot is in use, keeping
// the entries it had.
TEST(CUGPtrList, GrowsByTenAndKeepsIndicesStable)
{
    CUGPtrList list;
    int objects[12] = {};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(list.Add(&objects[i]), i);
    EXPECT_EQ(list.GetCapacity() * 100 + list.GetCount(), 2011);
    EXPECT_EQ(list.SetParam(3, 7) + list.Remove(3) + list.Remove(3), 0);
    EXPECT_EQ(list.GetCount() * 100 + list.GetParam(3), 1007);
    EXPECT_EQ(list.GetPointer(3), nullptr);
    EXPECT_EQ(list.SetParam(3, 8), 2);
    EXPECT_EQ(list.Add(&objects[11], 5), 3);
    EXPECT_EQ(list.GetPointer(3), &objects[11]);
    EXPECT_EQ(list.Remove(-1) + list.Remove(20) + list.SetParam(25, 1) + list.GetParam(25), 3);
    EXPECT_EQ(list.GetPointer(25), nullptr);
    for (int i = 0; i < 9; ++i)
        list.Add(&objects[0]);
    EXPECT_EQ(list.GetCapacity(), 20);
    EXPECT_EQ(list.Add(&objects[1]), 20);
    EXPECT_EQ(list.GetCapacity(), 30);
    EXPECT_EQ(list.GetPointer(10), &objects[10]);
    EXPECT_EQ(list.GetParam(3), 5);
}
