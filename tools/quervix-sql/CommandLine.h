// The options of quervix-sql and their parsing.
#pragma once

#include <string>

struct QuervixSqlOptions {
    bool help = false;
    bool check = false;
    bool hasTable = false;
    std::string table;
    std::string columns;        // the column string: each name followed by a TAB
    bool columnsGiven = false;
    std::string statementArg;   // the statement, "-" for standard input
    bool statementGiven = false;
    std::string statementFile;  // --file PATH
};

extern const char kQuervixSqlUsage[];

// Fills options from argv; on a bad invocation returns false with a one-line reason.
bool ParseCommandLine(int argc, char** argv, QuervixSqlOptions& options, std::string& error);

// "\t" becomes a TAB and "\\" a backslash; any other backslash stays as typed.
std::string UnescapeColumns(const std::string& text);
