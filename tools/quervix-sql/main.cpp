// quervix-sql: prints the statement the query builder would hand back for a table,
// its columns and a starting statement, or lints that the statement survives.
#include "ClauseDiff.h"
#include "CommandLine.h"

#include "engine/Names.h"
#include "engine/Query.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

const int kExitDone = 0;
const int kExitRefused = 1;
const int kExitBadUse = 2;

int BadUse(const std::string& message)
{
    std::cerr << "quervix-sql: " << message << " (see --help)\n";
    return kExitBadUse;
}

void DropFinalLineBreak(std::string& text)
{
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
}

// The host hands the statement over as a NUL-terminated string, so a NUL inside
// it would silently cut it: refuse such input instead.
bool ReadStatement(const QuervixSqlOptions& options, std::string& statement, std::string& error)
{
    if (!options.statementFile.empty()) {
        std::ifstream file(options.statementFile, std::ios::binary);
        if (!file) {
            error = "cannot read " + options.statementFile;
            return false;
        }
        statement.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad()) {
            error = "cannot read " + options.statementFile;
            return false;
        }
        DropFinalLineBreak(statement);
    } else if (options.statementGiven && options.statementArg == "-") {
        std::ostringstream input;
        input << std::cin.rdbuf();
        statement = input.str();
        if (std::cin.bad()) {
            error = "cannot read standard input";
            return false;
        }
        DropFinalLineBreak(statement);
    } else {
        statement = options.statementArg;
    }
    if (statement.find('\0') != std::string::npos) {
        error = "the statement holds a NUL character";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QuervixSqlOptions options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error))
        return BadUse(error);
    if (options.help) {
        std::cout << kQuervixSqlUsage;
        return kExitDone;
    }
    std::string statement;
    if (!ReadStatement(options, statement, error))
        return BadUse(error);

    std::vector<std::string> tables, columns;
    if (options.hasTable) {
        tables.push_back(options.table);
        columns = SplitColumnString(options.columns);
    }
    // An empty statement is composed at once, as the dialog composes it when it opens.
    const Composed composed = ComposeStatement(OpenStatement(statement, columns, tables));
    if (!composed.Ok()) {
        std::cout << composed.error << '\n';
        return kExitRefused;
    }

    const std::string& result = composed.statement;
    if (!options.check) {
        std::cout << result << '\n';
        return kExitDone;
    }
    if (result == statement)
        return kExitDone;
    std::cout << "changed:";
    const char* separator = " ";
    for (const std::string& clause : ChangedClauses(statement, result)) {
        std::cout << separator << clause;
        separator = ", ";
    }
    std::cout << '\n' << result << '\n';
    return kExitRefused;
}
