#include "SelectionSet.h"

// The slots of removed entities stay in place, so positions of the others
// never shift; a binary indexed tree over the slots counts the live ones,
// which finds the n-th live slot in logarithmic time.

SelectionSet::Id SelectionSet::At(std::size_t index) const
{
    if (index >= Size())
        return kNoId;
    if (Size() == m_slots.size())
        return m_slots[index];   // nothing removed: slots are positions
    // Descend the tree for the slot before which `index` live ones lie.
    std::size_t slot = 0;
    std::size_t step = 1;
    while (step * 2 <= m_tree.size())
        step *= 2;
    std::size_t left = index;
    for (; step > 0; step /= 2) {
        std::size_t next = slot + step;
        if (next <= m_tree.size() && static_cast<std::size_t>(m_tree[next - 1]) <= left) {
            slot = next;
            left -= static_cast<std::size_t>(m_tree[next - 1]);
        }
    }
    return m_slots[slot];
}

bool SelectionSet::Add(Id id)
{
    if (!m_positions.emplace(id, m_slots.size()).second)
        return false;
    m_slots.push_back(id);
    if (m_slots.size() > m_tree.size())
        Rebuild(m_slots.size() * 2);
    else
        Count(m_slots.size() - 1, +1);
    return true;
}

bool SelectionSet::Remove(Id id)
{
    auto found = m_positions.find(id);
    if (found == m_positions.end())
        return false;
    Count(found->second, -1);
    m_slots[found->second] = kNoId;
    m_positions.erase(found);
    if (m_positions.empty()) {
        m_slots.clear();
        m_tree.clear();
    }
    return true;
}

void SelectionSet::Count(std::size_t slot, int change)
{
    for (std::size_t i = slot + 1; i <= m_tree.size(); i += i & (~i + 1))
        m_tree[i - 1] += change;
}

void SelectionSet::Rebuild(std::size_t capacity)
{
    m_tree.assign(capacity, 0);
    for (std::size_t i = 1; i <= capacity; ++i) {
        if (i <= m_slots.size() && m_slots[i - 1] != kNoId)
            m_tree[i - 1] += 1;
        std::size_t parent = i + (i & (~i + 1));
        if (parent <= capacity)
            m_tree[parent - 1] += m_tree[i - 1];
    }
}
