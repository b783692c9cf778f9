#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// Owner of the list nodes of the memory data source. Nodes are handed out from
// chunks that never move, so node addresses stay valid while the lists link
// them; a released node is reset (dropping whatever it owns) and reused.
// Allocating in chunks keeps a walk along a list close in memory and spares
// one heap block per node.
//
// Node must be default-constructible, move-assignable and have a `Next`
// pointer to Node, which links the free nodes.
template <class Node>
class CUGNodePool {
public:
    CUGNodePool() = default;
    CUGNodePool(const CUGNodePool&) = delete;
    CUGNodePool& operator=(const CUGNodePool&) = delete;

    Node* Allocate()
    {
        if (m_free) {
            Node* node = m_free;
            m_free = node->Next;
            node->Next = nullptr;
            return node;
        }
        if (m_chunks.empty() || m_usedInLast == m_lastChunkSize) {
            const size_t size = m_chunks.empty() ? FirstChunkSize
                                                 : std::min(m_lastChunkSize * 2, MaxChunkSize);
            m_chunks.push_back(std::make_unique<Node[]>(size));
            m_lastChunkSize = size;
            m_usedInLast = 0;
        }
        return &m_chunks.back()[m_usedInLast++];
    }

    void Release(Node* node)
    {
        *node = Node{};
        node->Next = m_free;
        m_free = node;
    }

    // Destroys every node at once, handed out or free.
    void Clear()
    {
        m_chunks.clear();
        m_free = nullptr;
        m_lastChunkSize = 0;
        m_usedInLast = 0;
    }

private:
    static constexpr size_t FirstChunkSize = 64;
    static constexpr size_t MaxChunkSize = 16384;

    std::vector<std::unique_ptr<Node[]>> m_chunks;
    size_t m_lastChunkSize = 0;
    size_t m_usedInLast = 0;
    Node* m_free = nullptr;
};
