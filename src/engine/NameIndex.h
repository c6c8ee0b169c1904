// NameIndex: names found by their text in one lookup, the first of each text and from it the
// others of the same text in turn. One small table serves every lookup of the engine and the
// dialog (a hash map per key type would cost the DLL kilobytes each).
#pragma once

#include <string_view>
#include <vector>

class NameIndex {
public:
    // The index views the texts, which must stay in place while it is used.
    explicit NameIndex(std::vector<std::string_view> texts);

    // The index of the first text equal to text, or -1.
    int Find(std::string_view text) const;
    // The index of the next text equal to the one at index, or -1.
    int Next(int index) const { return m_next[static_cast<size_t>(index)]; }
    size_t Size() const { return m_texts.size(); }

private:
    size_t Slot(std::string_view text) const;

    std::vector<std::string_view> m_texts;
    std::vector<int> m_slots;  // open addressing: the first index of a text, or -1
    std::vector<int> m_next;
};
