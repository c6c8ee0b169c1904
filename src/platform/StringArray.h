// CStringArray: an ordered list of CString whose indexed access is checked.
#pragma once

#include "platform/CString.h"

#include <vector>

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }

    // Every indexed access throws CInvalidArgException outside 0..GetSize()-1.
    const CString& GetAt(int index) const;
    void SetAt(int index, const char* text);
    CString& operator[](int index);
    const CString& operator[](int index) const;

    // Returns the index of the new entry.
    int Add(const char* text);
    int Add(const CString& text);
    void RemoveAll() { m_items.clear(); }
    void Copy(const CStringArray& other) { m_items = other.m_items; }

private:
    void CheckIndex(int index) const;

    std::vector<CString> m_items;
};
