// How names are written into a statement, the column string split, the fixed choice lists
// and the When Printed text: the plain-text rules that the composer, the reader and the
// dialog share.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The first entry of the connector and direction lists: three blanks, no choice.
extern const char kBlankChoice[];
// A column or table of this name, in any letter case, stands for a When Printed clause.
extern const char kWpEntryName[];

// A fixed list of choices in the order the form offers them.
struct ChoiceList {
    const char* const* items;
    size_t count;
    const char* const* begin() const { return items; }
    const char* const* end() const { return items + count; }
};
ChoiceList ConnectorChoices();  // "   ", "AND", "OR"
ChoiceList DirectionChoices();  // "   ", "ASC", "DESC"
// "=", "LIKE", "IN", "BETWEEN", then "<>", "<", "<=", ">", ">=", "NOT LIKE", "NOT IN",
// "NOT BETWEEN", "IS NULL", "IS NOT NULL".
ChoiceList OperatorChoices();
// The entry equal to text, or -1.
int IndexOf(ChoiceList list, const std::string& text);
// IS NULL and IS NOT NULL compare with nothing: their conditions carry no value.
bool TakesNoValue(const std::string& op);

// Trimmed; enclosed in "[" and "]" when it holds a blank, "$", an apostrophe or a digit;
// apostrophes removed (after the bracketing was decided). Applying it twice changes nothing.
std::string QuoteName(const std::string& name);
// Each name ends at its TAB: a last name without one is dropped, and a string that begins
// with a TAB yields no names at all.
std::vector<std::string> SplitColumnString(const std::string& columns);
// «{'prompt'|'default'}», nothing escaped.
std::string MakeWpText(const std::string& prompt, const std::string& defaultValue);
bool IsWpEntry(const std::string& name);
// Letters a-z as A-Z, every other byte as it is: the letter case the reader ignores.
std::string FoldCase(std::string text);
// The index of the first name that QuoteName writes as written, else of the first that it
// writes so ignoring letter case, else -1.
int FindWrittenName(const std::vector<std::string>& names, const std::string& written);
