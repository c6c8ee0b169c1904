// Query: one SELECT statement as plain values, the composer that writes it as text and the
// reader that turns text back into it. Window-free: the dialog maps a Query onto its
// controls and back.
#pragma once

#include <string>
#include <vector>

struct Condition {
    std::string connector;  // "" for the first condition; "AND", "OR" or whatever the row holds
    std::string field;
    std::string op;
    std::string value;      // written as "''" when empty; not written for IS NULL and IS NOT NULL
};

struct SortKey {
    std::string name;
    std::string direction;  // "ASC", "DESC", or blank for none
};

struct Query {
    bool allColumns = false;           // "*"; it wins over columns
    std::vector<std::string> columns;  // the selected column names, in order
    std::string table;
    std::vector<Condition> conditions;
    std::vector<SortKey> sortKeys;
    // When Printed texts, «{'prompt'|'default'}», standing for a whole clause; empty for none.
    std::string wpSelect, wpFrom, wpOrderBy;
};

bool operator==(const Condition& a, const Condition& b);
bool operator==(const SortKey& a, const SortKey& b);
bool operator==(const Query& a, const Query& b);
inline bool operator!=(const Query& a, const Query& b) { return !(a == b); }

extern const char kErrorNoColumns[];    // "Syntax Error: SELECT ?Columns?"
extern const char kErrorNoTable[];      // "Syntax Error: SELECT Columns FROM ?table?"
extern const char kErrorNoConnector[];  // "Syntax Error: WHERE clause."

struct Composed {
    std::string statement;
    std::string error;  // the first syntax error, checked SELECT, FROM, WHERE; empty on success
    bool Ok() const { return error.empty(); }
};

// «SELECT list FROM table [WHERE  ( field op value ) AND ( ... ) ][ORDER BY key DESC,...]»:
// one line, names through QuoteName, values and operators as they are.
Composed ComposeStatement(const Query& query);

// Reads a statement against the table's columns (and the host's tables, to tell which one
// it names). Text in the composer's own layout comes back as the query that composed it;
// other text is read forgivingly, keywords found in any letter case, what matches nothing
// dropped or defaulted. Every column, field and sort key of the result is one of columns;
// with nothing selected the result selects "*". The table is the named one of tables, else
// the statement's own text.
Query ReadStatement(const std::string& text, const std::vector<std::string>& columns,
                    const std::vector<std::string>& tables = {});

// What the dialog holds right after opening on a statement: the statement read, its table
// chosen when it is one of tables, else the first of them (none without tables).
Query OpenStatement(const std::string& statement, const std::vector<std::string>& columns,
                    const std::vector<std::string>& tables);
