#pragma once

#include "CFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

// A CFile over bytes in memory, for reading and writing archives many
// thousands of times without the file system.
class MemoryFile : public CFile {
public:
    explicit MemoryFile(std::vector<unsigned char> bytes = {}, const wchar_t* name = L"memory.tab")
        : m_bytes(std::move(bytes))
    {
        m_strFileName = name;
    }

    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

    UINT Read(void* buffer, UINT count) override
    {
        std::size_t n = std::min<std::size_t>(count, m_bytes.size() - std::min(m_position, m_bytes.size()));
        if (n)
            std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        return static_cast<UINT>(n);
    }
    void Write(const void* buffer, UINT count) override
    {
        const unsigned char* in = static_cast<const unsigned char*>(buffer);
        if (m_position + count > m_bytes.size())
            m_bytes.resize(m_position + count);
        std::copy(in, in + count, m_bytes.begin() + static_cast<long>(m_position));
        m_position += count;
    }
    void Flush() override {}
    void Close() override {}
    ULONGLONG GetLength() const override { return m_bytes.size(); }
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG Seek(LONGLONG offset, UINT from) override
    {
        LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_position)
                                                            : static_cast<LONGLONG>(m_bytes.size());
        m_position = static_cast<std::size_t>(std::max<LONGLONG>(0, base + offset));
        return m_position;
    }

private:
    std::vector<unsigned char> m_bytes;
    std::size_t m_position = 0;
};
