// CInvalidArgException: what the collection classes throw on an index outside their bounds.
// It keeps its message in itself rather than in a std::string, so that throwing it needs
// none of the runtime's string-carrying exception classes.
#pragma once

#include <cstring>
#include <exception>
#include <string>

class CInvalidArgException : public std::exception {
public:
    explicit CInvalidArgException(const std::string& what) noexcept
    {
        const std::size_t length = what.size() < sizeof m_what - 1 ? what.size() : sizeof m_what - 1;
        std::memcpy(m_what, what.data(), length);
        m_what[length] = '\0';
    }
    const char* what() const noexcept override { return m_what; }

private:
    char m_what[96] = {};
};
