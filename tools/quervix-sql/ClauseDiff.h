// Which clauses of a statement changed: for quervix-sql --check.
#pragma once

#include <string>
#include <vector>

// Cuts both texts at the first "SELECT ", "FROM ", "WHERE " and "ORDER BY " (any
// letter case), each clause running to the next keyword found, and names the
// clauses whose text differs ("SELECT", "FROM", "WHERE", "ORDER BY").
std::vector<std::string> ChangedClauses(const std::string& before, const std::string& after);
