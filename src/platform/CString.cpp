// CString: construction, comparison, case, trimming, searching and slicing.
#include "platform/CString.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

char FoldChar(char ch)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

CString::CString(const char* text) : m_text(text ? text : "") {}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        throw CInvalidArgException("CString index " + std::to_string(index) + " outside the text");
    return m_text[static_cast<size_t>(index)];
}

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

int CString::Compare(const char* other) const
{
    return Sign(std::strcmp(m_text.c_str(), other ? other : ""));
}

int CString::CompareNoCase(const char* other) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
    for (;; ++a, ++b) {
        int fa = std::tolower(*a);
        int fb = std::tolower(*b);
        if (fa != fb)
            return fa < fb ? -1 : 1;
        if (fa == 0)
            return 0;
    }
}

int CString::CollateNoCase(const char* other) const
{
    std::string a = NoCaseKey(m_text.c_str());
    std::string b = NoCaseKey(other);
    if (a == b)
        return 0;
    int order = Sign(std::strcoll(a.c_str(), b.c_str()));
    // A collation may rank distinct texts alike; keep "equal" meaning "equal ignoring case".
    return order != 0 ? order : (a < b ? -1 : 1);
}

CString& CString::MakeUpper()
{
    for (char& ch : m_text)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& ch : m_text)
        ch = FoldChar(ch);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    m_text.erase(0, m_text.find_first_not_of(kWhiteSpace));
    return *this;
}

CString& CString::TrimRight()
{
    size_t last = m_text.find_last_not_of(kWhiteSpace);
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t pos = m_text.find(sub ? sub : "", static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Str() < b.Str(); }
bool operator>(const CString& a, const CString& b) { return b < a; }
bool operator<=(const CString& a, const CString& b) { return !(b < a); }
bool operator>=(const CString& a, const CString& b) { return !(a < b); }

std::string NoCaseKey(const char* text)
{
    std::string key(text ? text : "");
    std::transform(key.begin(), key.end(), key.begin(), FoldChar);
    return key;
}
