#pragma once

#include "CObject.h"

#include <memory>

// A registry of pointers addressed by stable indices: a removed slot stays
// free for the next Add and nothing ever moves. The control keeps its fonts,
// bitmaps and cell types here; the objects pointed to are the owner's.
class CUGPtrList : public CObject {
public:
    static constexpr int BlockSize = 16;
    static constexpr int GrowBy = 10;

    CUGPtrList() = default;
    ~CUGPtrList() override = default;
    CUGPtrList(const CUGPtrList&) = delete;
    CUGPtrList& operator=(const CUGPtrList&) = delete;

    // Fills the first free slot; the index, or -1 when the list cannot grow.
    int Add(void* pointer, long param = 0, const void* block = nullptr);
    // 1 for an index outside the array, else 0.
    int Remove(int index);

    void* GetPointer(int index) const;
    long GetParam(int index) const;
    // 1 for an index outside the array, 2 for a free slot, else 0.
    int SetParam(int index, long param);

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }

private:
    struct Slot {
        int InUse = 0;
        void* Pointer = nullptr;
        long Param = 0;
        unsigned char Block[BlockSize] = {};
    };

    bool IsIndex(int index) const { return index >= 0 && index < m_capacity; }
    bool Grow();

    std::unique_ptr<Slot[]> m_slots;
    int m_capacity = 0;
    int m_count = 0;
};
