// CMapStringToString: a string-to-string map that iterates in insertion order.
#pragma once

#include "platform/CString.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CMapStringToString {
public:
    // The block size of the classic map is accepted and has no effect.
    explicit CMapStringToString(int blockSize = 10);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_entries.empty() ? TRUE : FALSE; }

    // Keys are compared exactly (case-sensitive). Replacing a value keeps the
    // key's place in the iteration order.
    void SetAt(const char* key, const char* value);
    BOOL Lookup(const char* key, CString& value) const;
    void RemoveAll();

    // Iteration by index 0..GetCount()-1, in insertion order, the same for every
    // caller; a bad index throws CInvalidArgException.
    const CString& GetKeyAt(int index) const;
    const CString& GetValueAt(int index) const;

private:
    const std::pair<CString, CString>& EntryAt(int index) const;

    std::vector<std::pair<CString, CString>> m_entries;
    std::unordered_map<std::string, size_t> m_indexByKey;
};
