// CStringArray and CMapStringToString: checked access and insertion-ordered lookup.
#include "platform/Exceptions.h"
#include "platform/StringArray.h"
#include "platform/StringMap.h"

void CStringArray::CheckIndex(int index) const
{
    if (index < 0 || index >= GetSize())
        throw CInvalidArgException("CStringArray index " + std::to_string(index) + " outside 0.." +
                                   std::to_string(GetSize() - 1));
}

const CString& CStringArray::GetAt(int index) const
{
    CheckIndex(index);
    return m_items[static_cast<size_t>(index)];
}

void CStringArray::SetAt(int index, const char* text)
{
    CheckIndex(index);
    m_items[static_cast<size_t>(index)] = text;
}

CString& CStringArray::operator[](int index)
{
    CheckIndex(index);
    return m_items[static_cast<size_t>(index)];
}

const CString& CStringArray::operator[](int index) const
{
    return GetAt(index);
}

int CStringArray::Add(const char* text)
{
    m_items.emplace_back(text);
    return GetSize() - 1;
}

int CStringArray::Add(const CString& text)
{
    m_items.push_back(text);
    return GetSize() - 1;
}

CMapStringToString::CMapStringToString(int /*blockSize*/) {}

void CMapStringToString::SetAt(const char* key, const char* value)
{
    CString keyText(key);
    auto found = m_indexByKey.find(keyText.Str());
    if (found != m_indexByKey.end()) {
        m_entries[found->second].second = value;
        return;
    }
    // Out of memory, the map stays as it was: no index entry without its association.
    m_entries.emplace_back(keyText, CString(value));
    try {
        m_indexByKey.emplace(keyText.Str(), m_entries.size() - 1);
    } catch (...) {
        m_entries.pop_back();
        throw;
    }
}

BOOL CMapStringToString::Lookup(const char* key, CString& value) const
{
    auto found = m_indexByKey.find(key ? key : "");
    if (found == m_indexByKey.end())
        return FALSE;
    value = m_entries[found->second].second;
    return TRUE;
}

void CMapStringToString::RemoveAll()
{
    m_entries.clear();
    m_indexByKey.clear();
}

const std::pair<CString, CString>& CMapStringToString::EntryAt(int index) const
{
    if (index < 0 || index >= GetCount())
        throw CInvalidArgException("CMapStringToString position " + std::to_string(index) +
                                   " outside 0.." + std::to_string(GetCount() - 1));
    return m_entries[static_cast<size_t>(index)];
}

const CString& CMapStringToString::GetKeyAt(int index) const
{
    return EntryAt(index).first;
}

const CString& CMapStringToString::GetValueAt(int index) const
{
    return EntryAt(index).second;
}
