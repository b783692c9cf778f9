#include "CUGPtrList.h"

#include <cstring>
#include <new>

int CUGPtrList::Add(void* pointer, long param, const void* block)
{
    if (m_count >= m_capacity && !Grow())
        return -1;
    for (int index = 0; index < m_capacity; ++index) {
        Slot& slot = m_slots[index];
        if (slot.InUse)
            continue;
        slot.InUse = 1;
        slot.Pointer = pointer;
        slot.Param = param;
        if (block)
            std::memcpy(slot.Block, block, BlockSize);
        else
            std::memset(slot.Block, 0, BlockSize);
        ++m_count;
        return index;
    }
    return -1;
}

// The new array is complete before the old one goes, so a failed allocation
// leaves the list as it was.
bool CUGPtrList::Grow()
{
    const int capacity = m_capacity + GrowBy;
    std::unique_ptr<Slot[]> slots(new (std::nothrow) Slot[static_cast<size_t>(capacity)]);
    if (!slots)
        return false;
    for (int index = 0; index < m_capacity; ++index)
        slots[index] = m_slots[index];
    m_slots = std::move(slots);
    m_capacity = capacity;
    return true;
}

int CUGPtrList::Remove(int index)
{
    if (!IsIndex(index))
        return 1;
    Slot& slot = m_slots[index];
    if (slot.InUse) {
        slot.InUse = 0;
        slot.Pointer = nullptr;
        --m_count;
    }
    return 0;
}

void* CUGPtrList::GetPointer(int index) const
{
    if (!IsIndex(index) || !m_slots[index].InUse)
        return nullptr;
    return m_slots[index].Pointer;
}

long CUGPtrList::GetParam(int index) const
{
    return IsIndex(index) ? m_slots[index].Param : 0;
}

int CUGPtrList::SetParam(int index, long param)
{
    if (!IsIndex(index))
        return 1;
    if (!m_slots[index].InUse)
        return 2;
    m_slots[index].Param = param;
    return 0;
}
