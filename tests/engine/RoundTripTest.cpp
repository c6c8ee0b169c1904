// Seeded random forms: a statement composed from a form that meets the round-trip
// conditions reads back as the same form and composes to the same text; and any
// text at all opens without a fault and composes.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace enginetest;

namespace {

const char kNameChars[] = "abcdefghijklmnpqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ_0123456789$#-.() ";
const char kValueChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789'%()*<>=,.[_-";
const char* const kOperators[] = {"=", "LIKE", "IN", "BETWEEN"};
const char* const kDirections[] = {"", "   ", "ASC", "DESC"};

class FormGenerator {
public:
    explicit FormGenerator(unsigned seed) : m_random(seed) {}

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    bool Chance(int percent) { return Pick(100) < percent; }

    std::string Text(const char* alphabet, int minLength, int maxLength)
    {
        const int length = minLength + Pick(maxLength - minLength + 1);
        const int alphabetSize = static_cast<int>(std::char_traits<char>::length(alphabet));
        std::string text;
        for (int i = 0; i < length; ++i)
            text += alphabet[Pick(alphabetSize)];
        return text;
    }

    // Names carry no comma, apostrophe, bracket, outer blank or keyword, and no two
    // differ only in letter case.
    std::string Name(std::set<std::string>& taken)
    {
        for (;;) {
            std::string name = Text(kNameChars, 1, 10);
            const std::string key = NoCaseKey(name.c_str());
            if (name.front() == ' ' || name.back() == ' ' || taken.count(key))
                continue;
            bool keyword = false;
            for (const char* word : {"select", "from", "where", "order", "and", "or"})
                keyword = keyword || key.find(word) != std::string::npos;
            if (keyword)
                continue;
            taken.insert(key);
            return name;
        }
    }

    // Values hold no white space, and "]" only after a bracketed field.
    std::string Value(bool fieldBracketed)
    {
        if (Chance(20))
            return "";
        for (;;) {
            std::string value = Text(kValueChars, 1, 8);
            if (value == "AND" || value == "OR" || (!fieldBracketed && value.find(']') != std::string::npos))
                continue;
            return value;
        }
    }

private:
    std::mt19937 m_random;
};

struct GeneratedForm {
    std::string table;
    std::vector<std::string> columns;
    bool star = false;
    std::vector<bool> checked;
    bool whereEnabled = true;
    std::vector<WhereRow> where;
    bool orderByEnabled = true;
    std::vector<std::string> directions;  // per row; null-like "-" for an unchecked row
};

GeneratedForm Generate(FormGenerator& gen)
{
    GeneratedForm form;
    std::set<std::string> taken;
    form.table = gen.Name(taken);
    const int columnCount = 1 + gen.Pick(10);
    for (int i = 0; i < columnCount; ++i)
        form.columns.push_back(gen.Name(taken));

    form.star = gen.Chance(20);
    form.checked.assign(form.columns.size(), false);
    if (!form.star) {
        for (size_t i = 0; i < form.columns.size(); ++i)
            form.checked[i] = gen.Chance(40);
        form.checked[static_cast<size_t>(gen.Pick(columnCount))] = true;
    }

    form.whereEnabled = gen.Chance(80);
    const int rowCount = gen.Pick(6);
    for (int r = 0; r < rowCount; ++r) {
        const std::string& field = form.columns[static_cast<size_t>(gen.Pick(columnCount))];
        const bool bracketed = CQueryFormState::QuoteName(field.c_str())[0] == '[';
        form.where.push_back(WhereRow{r == 0 ? "" : (gen.Chance(50) ? "AND" : "OR"), field,
                                      kOperators[gen.Pick(4)], gen.Value(bracketed)});
    }

    form.orderByEnabled = gen.Chance(80);
    for (const std::string& column : form.columns) {
        if (!gen.Chance(35)) {
            form.directions.push_back("-");
            continue;
        }
        const bool hasBlank = column.find(' ') != std::string::npos;
        form.directions.push_back(kDirections[hasBlank ? 2 + gen.Pick(2) : gen.Pick(4)]);
    }
    return form;
}

void Apply(const GeneratedForm& generated, CMemoryQuery& query)
{
    CMemoryForm& form = query.Form();
    form.SetColumnCheck(0, generated.star ? 1 : 0);
    for (size_t i = 0; i < generated.checked.size(); ++i)
        form.SetColumnCheck(static_cast<int>(i) + 1, generated.checked[i] ? 1 : 0);
    for (size_t r = 0; r < generated.where.size(); ++r) {
        const WhereRow& row = generated.where[r];
        query.State().AddWhereRow(-1, -1, -1, row.value.c_str());
        CMemoryGrid& grid = form.Where();
        const int at = static_cast<int>(r);
        grid.SetItemText(at, kWhereAndOr, row.andOr.c_str());
        grid.SetItemText(at, kWhereField, row.field.c_str());
        grid.SetItemText(at, kWhereOperator, row.op.c_str());
    }
    form.SetWhereEnabled(generated.whereEnabled);
    for (size_t r = 0; r < generated.directions.size(); ++r) {
        if (generated.directions[r] != "-")
            CheckSortRow(query, static_cast<int>(r), generated.directions[r].c_str());
    }
    form.SetOrderByEnabled(generated.orderByEnabled);
}

// The form as it should read back: empty values as "''", blank directions as none,
// clauses of a cleared box absent.
void ExpectReadBack(const GeneratedForm& generated, const CMemoryForm& form)
{
    std::vector<std::string> checked;
    if (generated.star)
        checked.push_back("*");
    for (size_t i = 0; i < generated.checked.size(); ++i) {
        if (generated.checked[i])
            checked.push_back(generated.columns[i]);
    }
    EXPECT_EQ(CheckedColumns(form), checked);

    std::vector<WhereRow> where;
    if (generated.whereEnabled) {
        for (WhereRow row : generated.where) {
            if (row.value.empty())
                row.value = "''";
            where.push_back(row);
        }
    }
    EXPECT_EQ(WhereRows(form), where);

    std::vector<std::string> keys;
    for (size_t r = 0; generated.orderByEnabled && r < generated.directions.size(); ++r) {
        CString direction(generated.directions[r]);
        if (direction == "-")
            continue;
        direction.TrimRight();
        keys.push_back(direction.IsEmpty() ? generated.columns[r]
                                           : generated.columns[r] + " " + direction.Str());
    }
    EXPECT_EQ(SortKeys(form), keys);
}

}  // namespace

TEST(RoundTripPropertyTest, ComposedFormsReadBackAndComposeAlike)
{
    FormGenerator gen(20240917u);
    for (int trial = 0; trial < 600; ++trial) {
        const GeneratedForm generated = Generate(gen);
        const std::string columns = ColumnString(generated.columns);

        CMemoryQuery composing;
        OpenQuery(composing, generated.table.c_str(), columns, "");
        Apply(generated, composing);
        ASSERT_TRUE(composing.PressOk()) << composing.State().m_strError.Str();
        const std::string statement = composing.State().m_strStatement.Str();

        CMemoryQuery reading;
        OpenQuery(reading, generated.table.c_str(), columns, statement.c_str());
        SCOPED_TRACE("trial " + std::to_string(trial) + ": " + statement);
        ExpectReadBack(generated, reading.Form());
        ASSERT_TRUE(reading.PressOk());
        ASSERT_EQ(reading.State().m_strStatement.Str(), statement);
    }
}

TEST(RoundTripPropertyTest, AnyTextOpensAndComposes)
{
    const char* const tokens[] = {"SELECT ", "select", "FROM ", "WHERE ", "ORDER BY ", " AND ", " OR ",
                                  "and", ",", "*", "[", "]", "(", ")", " ", "  ", "'", "a", "B", "c d",
                                  "=", "LIKE", "desc", "ASC", "\t", "\n", "{WHEN PRINTED}", "x]", "1"};
    const int tokenCount = static_cast<int>(sizeof(tokens) / sizeof(tokens[0]));
    FormGenerator gen(77u);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text;
        const int length = gen.Pick(24);
        for (int i = 0; i < length; ++i)
            text += tokens[gen.Pick(tokenCount)];
        CMemoryQuery query;
        OpenQuery(query, "t", ColumnString({"a", "B", "c d", "x"}), text.c_str());
        ASSERT_TRUE(query.PressOk()) << text;
        const std::string out = query.State().m_strStatement.Str();
        EXPECT_EQ(out.rfind("SELECT ", 0), 0u) << text;
        EXPECT_NE(out.find(" FROM t "), std::string::npos) << text;
        EXPECT_GE(CheckedColumns(query.Form()).size(), 1u) << text;
    }
}
