// NameIndex: an open-addressing table of first indexes, with a chain to the later ones.
#include "engine/NameIndex.h"

#include <cstdint>
#include <utility>

NameIndex::NameIndex(std::vector<std::string_view> texts)
    : m_texts(std::move(texts)), m_next(m_texts.size(), -1)
{
    size_t size = 16;
    while (size < 2 * m_texts.size())
        size *= 2;
    m_slots.assign(size, -1);
    std::vector<int> last(size, -1);  // by slot: the latest index of its text
    for (size_t i = 0; i < m_texts.size(); ++i) {
        const size_t slot = Slot(m_texts[i]);
        if (m_slots[slot] < 0)
            m_slots[slot] = static_cast<int>(i);
        else
            m_next[static_cast<size_t>(last[slot])] = static_cast<int>(i);
        last[slot] = static_cast<int>(i);
    }
}

// The slot that holds text's first index, or the empty slot where it would go.
size_t NameIndex::Slot(std::string_view text) const
{
    uint32_t hash = 2166136261u;  // FNV-1a
    for (char ch : text)
        hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619u;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const int index = m_slots[slot];
        if (index < 0 || m_texts[static_cast<size_t>(index)] == text)
            return slot;
    }
}

int NameIndex::Find(std::string_view text) const
{
    return m_slots[Slot(text)];
}
