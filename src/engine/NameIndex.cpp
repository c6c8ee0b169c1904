// NameIndex: an open-addressing table of first indexes, with a chain to the later ones.
#include "engine/NameIndex.h"

#include <utility>

namespace {

const uint64_t kBase = 0x100000001B3ull;

// The polynomial hash spreads poorly over the low bits that pick a slot.
uint64_t Mixed(uint64_t hash)
{
    hash ^= hash >> 31;
    hash *= 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

}  // namespace

uint64_t NameIndex::Hash(std::string_view text)
{
    uint64_t hash = 0;
    for (char ch : text)
        hash = hash * kBase + static_cast<unsigned char>(ch);
    return hash;
}

TextHashes::TextHashes(std::string_view text) : m_prefix(text.size() + 1, 0), m_power(text.size() + 1, 1)
{
    for (size_t i = 0; i < text.size(); ++i) {
        m_prefix[i + 1] = m_prefix[i] * kBase + static_cast<unsigned char>(text[i]);
        m_power[i + 1] = m_power[i] * kBase;
    }
}

NameIndex::NameIndex(std::vector<std::string_view> texts)
    : m_texts(std::move(texts)), m_next(m_texts.size(), -1)
{
    m_hashes.reserve(m_texts.size());
    for (std::string_view text : m_texts)
        m_hashes.push_back(Hash(text));
    size_t size = 16;
    while (size < 2 * m_texts.size())
        size *= 2;
    m_slots.assign(size, -1);
    std::vector<int> last(size, -1);  // by slot: the latest index of its text
    for (size_t i = 0; i < m_texts.size(); ++i) {
        const size_t slot = Slot(m_texts[i], m_hashes[i]);
        if (m_slots[slot] < 0)
            m_slots[slot] = static_cast<int>(i);
        else
            m_next[static_cast<size_t>(last[slot])] = static_cast<int>(i);
        last[slot] = static_cast<int>(i);
    }
}

// The slot that holds text's first index, or the empty slot where it would go.
size_t NameIndex::Slot(std::string_view text, uint64_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = static_cast<size_t>(Mixed(hash)) & mask;; slot = (slot + 1) & mask) {
        const int index = m_slots[slot];
        if (index < 0 || (m_hashes[static_cast<size_t>(index)] == hash && m_texts[static_cast<size_t>(index)] == text))
            return slot;
    }
}

int NameIndex::Find(std::string_view text, uint64_t hash) const
{
    return m_slots[Slot(text, hash)];
}
