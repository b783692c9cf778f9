#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

// A selection set: entities in the order they were added, each once, known
// by its number ("<Selection set: 2>"). Adding, removing, membership and
// the entity at a position each take at most logarithmic time, so that
// sets of a whole drawing (hundreds of thousands of entities) stay quick
// also while a routine takes them apart one by one from the front.
class SelectionSet {
public:
    using Id = std::uint32_t;
    static constexpr Id kNoId = 0xFFFFFFFFu;

    explicit SelectionSet(int number) : m_number(number) {}

    int Number() const { return m_number; }
    std::size_t Size() const { return m_positions.size(); }
    bool Contains(Id id) const { return m_positions.count(id) != 0; }
    // The entity at `index` (0 the first), or kNoId past the end.
    Id At(std::size_t index) const;
    // False when the entity is in the set already.
    bool Add(Id id);
    // False when the entity is not in the set.
    bool Remove(Id id);

private:
    void Count(std::size_t slot, int change);
    void Rebuild(std::size_t capacity);

    int m_number;
    std::vector<Id> m_slots;                      // in order of adding; kNoId once removed
    std::unordered_map<Id, std::size_t> m_positions;   // entity -> its slot
    std::vector<std::int32_t> m_tree;             // live slots, as a binary indexed tree
};
