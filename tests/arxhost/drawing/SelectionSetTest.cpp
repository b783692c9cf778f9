// A selection set against a plain list of its entities, through a seeded
// random run of additions, removals (often of the first entity, as routines
// take sets apart) and look-ups by position.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "SelectionSet.h"

TEST(SelectionSet, KeepsOrderAndPositionsOfAListThroughRandomChanges)
{
    std::mt19937 random(20261207);
    SelectionSet set(3);
    std::vector<SelectionSet::Id> model;
    for (int step = 0; step < 40000; ++step) {
        SelectionSet::Id id = random() % 300;
        auto at = std::find(model.begin(), model.end(), id);
        switch (random() % 4) {
        case 0:
        case 1:
            ASSERT_EQ(set.Add(id), at == model.end()) << "step " << step;
            if (at == model.end())
                model.push_back(id);
            break;
        case 2:
            if (!model.empty() && random() % 2)
                id = model.front(), at = model.begin();
            ASSERT_EQ(set.Remove(id), at != model.end()) << "step " << step;
            if (at != model.end())
                model.erase(at);
            break;
        default:
            ASSERT_EQ(set.Contains(id), at != model.end()) << "step " << step;
        }
        ASSERT_EQ(set.Size(), model.size()) << "step " << step;
        size_t index = random() % (model.size() + 2);
        ASSERT_EQ(set.At(index), index < model.size() ? model[index] : SelectionSet::kNoId)
            << "step " << step << ", position " << index;
    }
}
