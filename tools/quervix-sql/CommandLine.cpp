// quervix-sql option parsing and the usage text.
#include "CommandLine.h"

#include <cstring>

const char kQuervixSqlUsage[] =
    "Usage: quervix-sql [--table NAME] [--columns STRING] [--column NAME]... [--check]\n"
    "                   [--file PATH | STATEMENT | -]\n"
    "Opens the query builder's form on one table with a starting statement, as the\n"
    "dialog does, and prints the statement it hands back when OK is pressed at once.\n"
    "\n"
    "  --table NAME      the table; without it the form has no table and no columns\n"
    "  --columns STRING  the column string: each name followed by a TAB; \\t stands\n"
    "                    for a TAB and \\\\ for a backslash\n"
    "  --column NAME     one more column name (repeatable; its TAB is added)\n"
    "  --file PATH       read the statement from PATH; one final line break is dropped\n"
    "  STATEMENT         the statement itself; \"-\" reads it from standard input;\n"
    "                    none at all opens the form with an empty statement\n"
    "  --check           print nothing and exit 0 when the statement comes back\n"
    "                    unchanged; otherwise name the changed clauses, show the new\n"
    "                    text and exit 1\n"
    "  -h, --help        show this text\n"
    "\n"
    "Exit status: 0 composed (unchanged, with --check); 1 a syntax error, whose message\n"
    "is printed, or a changed statement with --check; 2 a bad invocation or input that\n"
    "cannot be read.\n";

std::string UnescapeColumns(const std::string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 't' || text[i + 1] == '\\')) {
            result += text[i + 1] == 't' ? '\t' : '\\';
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

namespace {

bool TakeValue(int argc, char** argv, int& i, std::string& value, std::string& error)
{
    if (i + 1 >= argc) {
        error = std::string("option ") + argv[i] + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, QuervixSqlOptions& options, std::string& error)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (!optionsEnded && (arg == "-h" || arg == "--help")) {
            options.help = true;
        } else if (!optionsEnded && arg == "--check") {
            options.check = true;
        } else if (!optionsEnded && arg == "--table") {
            if (!TakeValue(argc, argv, i, options.table, error))
                return false;
            options.hasTable = true;
        } else if (!optionsEnded && arg == "--columns") {
            if (!TakeValue(argc, argv, i, value, error))
                return false;
            options.columns += UnescapeColumns(value);
            options.columnsGiven = true;
        } else if (!optionsEnded && arg == "--column") {
            if (!TakeValue(argc, argv, i, value, error))
                return false;
            if (value.find('\t') != std::string::npos) {
                error = "a --column name cannot hold a TAB";
                return false;
            }
            options.columns += value + '\t';
            options.columnsGiven = true;
        } else if (!optionsEnded && arg == "--file") {
            if (!TakeValue(argc, argv, i, options.statementFile, error))
                return false;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (options.statementGiven) {
            error = "more than one statement given (quote it as one argument)";
            return false;
        } else {
            options.statementArg = arg;
            options.statementGiven = true;
        }
    }
    if (options.statementGiven && !options.statementFile.empty()) {
        error = "give the statement either as an argument or with --file, not both";
        return false;
    }
    if (options.columnsGiven && !options.hasTable) {
        error = "--columns and --column need --table";
        return false;
    }
    return true;
}
