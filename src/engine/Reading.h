// The two readings behind ReadStatement (engine-internal).
#pragma once

#include "engine/NameIndex.h"
#include "engine/Query.h"

#include <cstddef>
#include <string>
#include <vector>

// Names as the composer writes them (QuoteName), each found by its written text; where
// names are written alike, the first is found, and from it the others in turn.
class WrittenNames {
public:
    explicit WrittenNames(const std::vector<std::string>& names);
    WrittenNames(const WrittenNames&) = delete;
    WrittenNames& operator=(const WrittenNames&) = delete;

    // The index of the first name written as text[begin, end), or -1; hashes are text's.
    int Find(const std::string& text, const TextHashes& hashes, size_t begin, size_t end) const;
    int Next(int index) const { return m_index.Next(index); }
    // Of the names written as the one at index: the first after previous, else index.
    int After(int index, int previous) const;
    // Of the names written as the one at index: the first that used does not mark yet, else
    // index; marks it.
    int Unused(int index, std::vector<char>& used) const;
    // The lengths names are written with, each once, shortest first: a name is looked for
    // only where one of them ends.
    const std::vector<size_t>& Lengths() const { return m_lengths; }
    size_t Longest() const { return m_lengths.empty() ? 0 : m_lengths.back(); }
    size_t Size() const { return m_written.size(); }
    bool Empty() const { return m_written.empty(); }

private:
    std::vector<std::string> m_written;
    NameIndex m_index;
    std::vector<size_t> m_lengths;
};

// The composer's own layout, read back exactly: fills query and returns true only when the
// text is what ComposeStatement writes for it.
bool ReadComposedLayout(const std::string& text, const std::vector<std::string>& columns,
                        const std::vector<std::string>& tables, Query& query);

// Any other text: clause keywords found in any letter case, lists cut at commas, conditions
// at their connectors and blanks; what matches nothing is dropped or defaulted.
Query ReadForgivingly(const std::string& text, const std::vector<std::string>& columns,
                      const std::vector<std::string>& tables);
