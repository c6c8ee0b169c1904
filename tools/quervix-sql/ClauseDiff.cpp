// ChangedClauses: statement texts cut at their keywords and compared clause by clause.
#include "ClauseDiff.h"

#include "platform/CString.h"

#include <algorithm>
#include <array>

namespace {

const std::array<const char*, 4> kKeywords = {"SELECT ", "FROM ", "WHERE ", "ORDER BY "};
const std::array<const char*, 4> kClauseNames = {"SELECT", "FROM", "WHERE", "ORDER BY"};

// The text of each clause; text before the first keyword belongs to the first clause found.
std::array<std::string, 4> CutClauses(const std::string& text)
{
    CString upper(text);
    upper.MakeUpper();
    std::array<int, 4> starts{};
    for (size_t k = 0; k < kKeywords.size(); ++k)
        starts[k] = upper.Find(kKeywords[k]);

    std::array<std::string, 4> clauses;
    int first = -1;
    for (size_t k = 0; k < starts.size(); ++k) {
        if (starts[k] < 0)
            continue;
        int end = static_cast<int>(text.size());
        for (int other : starts) {
            if (other > starts[k])
                end = std::min(end, other);
        }
        clauses[k] = text.substr(static_cast<size_t>(starts[k]), static_cast<size_t>(end - starts[k]));
        if (first < 0 || starts[k] < starts[static_cast<size_t>(first)])
            first = static_cast<int>(k);
    }
    if (first >= 0)
        clauses[static_cast<size_t>(first)].insert(0, text.substr(0, static_cast<size_t>(starts[static_cast<size_t>(first)])));
    else
        clauses[0] = text;
    return clauses;
}

}  // namespace

std::vector<std::string> ChangedClauses(const std::string& before, const std::string& after)
{
    const std::array<std::string, 4> a = CutClauses(before);
    const std::array<std::string, 4> b = CutClauses(after);
    std::vector<std::string> changed;
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k] != b[k])
            changed.push_back(kClauseNames[k]);
    }
    return changed;
}
