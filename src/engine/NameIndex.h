// NameIndex: names found by their text in one lookup, the first of each text and from it the
// others of the same text in turn. One small table serves every lookup of the engine and the
// dialog (a hash map per key type would cost the DLL kilobytes each).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class NameIndex {
public:
    // The index views the texts, which must stay in place while it is used.
    explicit NameIndex(std::vector<std::string_view> texts);

    // The index of the first text equal to text, or -1.
    int Find(std::string_view text) const { return Find(text, Hash(text)); }
    // The same, for a text whose Hash is known (a TextHashes slice).
    int Find(std::string_view text, uint64_t hash) const;
    // The index of the next text equal to the one at index, or -1.
    int Next(int index) const { return m_next[static_cast<size_t>(index)]; }
    size_t Size() const { return m_texts.size(); }

    // A polynomial hash, so that the hash of any slice of a longer text comes at once.
    static uint64_t Hash(std::string_view text);

private:
    size_t Slot(std::string_view text, uint64_t hash) const;

    std::vector<std::string_view> m_texts;
    std::vector<uint64_t> m_hashes;  // by index: its text's Hash, compared before the text
    std::vector<int> m_slots;  // open addressing: the first index of a text, or -1
    std::vector<int> m_next;
};

// The Hash of every slice of one text, each in constant time: searching a statement for
// names of any length then costs the same whatever the names' length.
class TextHashes {
public:
    explicit TextHashes(std::string_view text);
    uint64_t Of(size_t begin, size_t end) const { return m_prefix[end] - m_prefix[begin] * m_power[end - begin]; }

private:
    std::vector<uint64_t> m_prefix;  // the hash of each prefix
    std::vector<uint64_t> m_power;   // the base to each power
};
