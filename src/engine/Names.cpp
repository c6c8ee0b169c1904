// The shared text rules: names as written, the column split, choice lists, When Printed text.
#include "engine/Names.h"

const char kBlankChoice[] = "   ";
const char kWpEntryName[] = "{WHEN PRINTED}";

namespace {

const char* const kConnectors[] = {kBlankChoice, "AND", "OR"};
const char* const kDirections[] = {kBlankChoice, "ASC", "DESC"};
// The first four keep their places: forms and statements of older hosts refer to them.
const char* const kOperators[] = {"=",  "LIKE", "IN",       "BETWEEN", "<>",     "<",           "<=",
                                  ">",  ">=",   "NOT LIKE", "NOT IN",  "NOT BETWEEN", "IS NULL", "IS NOT NULL"};

bool IsTrimmed(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

bool NeedsBrackets(const std::string& name)
{
    for (char ch : name) {
        if (ch == ' ' || ch == '$' || ch == '\'' || (ch >= '0' && ch <= '9'))
            return true;
    }
    return false;
}

}  // namespace

ChoiceList ConnectorChoices() { return {kConnectors, sizeof kConnectors / sizeof *kConnectors}; }
ChoiceList DirectionChoices() { return {kDirections, sizeof kDirections / sizeof *kDirections}; }
ChoiceList OperatorChoices() { return {kOperators, sizeof kOperators / sizeof *kOperators}; }

int IndexOf(ChoiceList list, const std::string& text)
{
    for (size_t i = 0; i < list.count; ++i) {
        if (text == list.items[i])
            return static_cast<int>(i);
    }
    return -1;
}

bool TakesNoValue(const std::string& op)
{
    return op == "IS NULL" || op == "IS NOT NULL";
}

std::string QuoteName(const std::string& name)
{
    size_t first = 0, last = name.size();
    while (first < last && IsTrimmed(name[first]))
        ++first;
    while (last > first && IsTrimmed(name[last - 1]))
        --last;
    std::string text = name.substr(first, last - first);
    if (NeedsBrackets(text)) {
        if (text.front() != '[')
            text.insert(text.begin(), '[');
        if (text.back() != ']')
            text += ']';
    }
    std::string written;
    for (char ch : text) {
        if (ch != '\'')
            written += ch;
    }
    return written;
}

std::vector<std::string> SplitColumnString(const std::string& columns)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        const size_t tab = columns.find('\t', start);
        if (tab == std::string::npos || tab == 0)
            return names;
        names.push_back(columns.substr(start, tab - start));
        start = tab + 1;
        if (start >= columns.size())
            return names;
    }
}

std::string MakeWpText(const std::string& prompt, const std::string& defaultValue)
{
    return "{'" + prompt + "'|'" + defaultValue + "'}";
}

bool IsWpEntry(const std::string& name)
{
    return FoldCase(name) == kWpEntryName;
}

std::string FoldCase(std::string text)
{
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    return text;
}

int FindWrittenName(const std::vector<std::string>& names, const std::string& written)
{
    const std::string wanted = QuoteName(written);
    int folded = -1;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string own = QuoteName(names[i]);
        if (own == wanted)
            return static_cast<int>(i);
        if (folded < 0 && FoldCase(own) == FoldCase(wanted))
            folded = static_cast<int>(i);
    }
    return folded;
}
