// CInvalidArgException: what the collection classes throw on an index outside their bounds.
#pragma once

#include <stdexcept>
#include <string>

class CInvalidArgException : public std::invalid_argument {
public:
    explicit CInvalidArgException(const std::string& what) : std::invalid_argument(what) {}
};
