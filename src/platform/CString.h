// CString: the narrow-character string of the library (ANSI code page, value semantics).
#pragma once

#include "platform/BaseTypes.h"

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text);  // a null pointer gives an empty string
    CString(const char* text, int length);
    CString(const std::string& text) : m_text(text) {}
    CString(char ch, int repeat = 1);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty() ? TRUE : FALSE; }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    // Out-of-range positions throw CInvalidArgException, as the collections do.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }

    CString& operator=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    int Compare(const char* other) const;
    // Letter case folded as the C locale folds it; the same equality as NoCaseKey.
    int CompareNoCase(const char* other) const;
    // The locale's collation of the case-folded texts; equal exactly when CompareNoCase is.
    int CollateNoCase(const char* other) const;

    CString& MakeUpper();
    CString& MakeLower();

    // White space is blank, tab, carriage return, line feed, vertical tab and form feed.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    // Positions count from 0; -1 when not found or when start lies outside the text.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;

    // Arguments outside the text are clamped to it, never an error.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// The key under which CompareNoCase finds texts equal: for hash indexes that must
// give the same first match as a linear case-insensitive search.
std::string NoCaseKey(const char* text);
