#pragma once

#include "CObject.h"

#include <cassert>
#include <utility>
#include <vector>

// Growable array with MFC's CArray interface. Indices are int as in MFC;
// SetSize's growth step is kept for interface fidelity, the storage grows
// geometrically either way.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    void SetSize(int newSize, int growBy = -1)
    {
        assert(newSize >= 0 && "CArray::SetSize: negative size");
        if (growBy >= 0)
            m_growBy = growBy;
        m_items.resize(static_cast<size_t>(newSize));
    }

    void RemoveAll() { m_items.clear(); }

    TYPE GetAt(int index) const { return m_items.at(checked(index)); }
    void SetAt(int index, ARG_TYPE value) { m_items.at(checked(index)) = value; }
    TYPE& ElementAt(int index) { return m_items.at(checked(index)); }
    const TYPE& operator[](int index) const { return m_items.at(checked(index)); }
    TYPE& operator[](int index) { return m_items.at(checked(index)); }

    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    int Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }

    void SetAtGrow(int index, ARG_TYPE value)
    {
        assert(index >= 0 && "CArray::SetAtGrow: negative index");
        if (index >= GetSize())
            m_items.resize(static_cast<size_t>(index) + 1);
        m_items[static_cast<size_t>(index)] = value;
    }

    void InsertAt(int index, ARG_TYPE value, int count = 1)
    {
        assert(index >= 0 && count >= 0 && "CArray::InsertAt: negative index or count");
        if (index > GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), value);
    }

    void RemoveAt(int index, int count = 1)
    {
        assert(index >= 0 && count >= 0 && index + count <= GetSize()
               && "CArray::RemoveAt: range outside the array");
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }

    void Copy(const CArray& source) { m_items = source.m_items; }
    int Append(const CArray& source)
    {
        int first = GetSize();
        m_items.insert(m_items.end(), source.m_items.begin(), source.m_items.end());
        return first;
    }

    // Range-for support for the system's own loops.
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    static size_t checked(int index)
    {
        assert(index >= 0 && "CArray: negative index");
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> m_items;
    int m_growBy = -1;
};
