// Composer and parser speed at 3, 1,000 and 10,000 columns, reported per statement
// byte so that linear growth shows as a flat figure.
#include "dialog/MemoryQuery.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Letters only, so that names differ without digits; every third one holds a
// blank and is written in brackets.
std::string ColumnName(int index)
{
    std::string letters;
    for (int n = index + 1; n > 0; n /= 26)
        letters += static_cast<char>('a' + n % 26);
    return (index % 3 == 0 ? "Unit " : "Field") + letters;
}

struct Workload {
    int columns;
    int conditions;
};

Workload WorkloadFor(int columns)
{
    return Workload{columns, columns <= 3 ? 2 : 1000};
}

// A form after the dialog's initialisation, with every column selected, the
// conditions added and, for the large forms, every column a sort key.
std::unique_ptr<CMemoryQuery> OpenedForm(const Workload& load)
{
    auto query = std::make_unique<CMemoryQuery>();
    std::string columns;
    for (int i = 0; i < load.columns; ++i)
        columns += ColumnName(i) + '\t';
    query->State().AddTableColumns("Order Details", columns.c_str());
    query->Open();
    CMemoryForm& form = query->Form();
    form.SetColumnCheck(0, 0);
    for (int i = 1; i <= load.columns; ++i)
        form.SetColumnCheck(i, 1);
    for (int r = 0; r < load.conditions; ++r)
        query->State().AddWhereRow(1 + r % 2, -1, r % 4, r % 3 == 0 ? "'x%'" : "42");
    const int sortKeys = load.columns <= 3 ? 2 : load.columns;
    for (int row = 0; row < sortKeys; ++row) {
        form.OrderBy().SetCellCheck(row, kOrderByCheck, 1);
        form.OrderBy().EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
        form.OrderBy().SetItemText(row, kOrderByAscDesc, row % 2 ? "DESC" : "ASC");
    }
    return query;
}

std::string ComposedStatement(const Workload& load)
{
    auto query = OpenedForm(load);
    query->PressOk();
    return query->State().m_strStatement.Str();
}

void ReportPerByte(benchmark::State& state, size_t bytes)
{
    const double total = static_cast<double>(bytes) * static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(total));
    state.counters["statement_bytes"] = static_cast<double>(bytes);
    // CPU time per statement byte, shown with its SI prefix (for example «8.5ns»).
    state.counters["per_byte"] = benchmark::Counter(total, benchmark::Counter::kIsRate |
                                                               benchmark::Counter::kInvert);
}

void BM_Compose(benchmark::State& state)
{
    auto query = OpenedForm(WorkloadFor(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        query->State().BuildSQLStatement();
        benchmark::DoNotOptimize(query->State().m_strStatement.GetString());
    }
    ReportPerByte(state, static_cast<size_t>(query->State().m_strStatement.GetLength()));
}

// The table's column string: every name followed by its TAB.
std::string ColumnString(int columnCount)
{
    std::string columns;
    for (int i = 0; i < columnCount; ++i)
        columns += ColumnName(i) + '\t';
    return columns;
}

// Only the parse is timed; each iteration reads into a freshly filled form.
void BM_Parse(benchmark::State& state)
{
    const int columnCount = static_cast<int>(state.range(0));
    const std::string statement = ComposedStatement(WorkloadFor(columnCount));
    const std::string columns = ColumnString(columnCount);
    for (auto _ : state) {
        state.PauseTiming();
        auto query = std::make_unique<CMemoryQuery>();
        CQueryFormState& form = query->State();
        form.AddTableColumns("Order Details", columns.c_str());
        form.SetSQLQuery(statement.c_str());
        form.InitChoiceLists();
        form.FillColumnList();
        form.FillTableCombo();
        form.FillOrderByRows();
        state.ResumeTiming();
        benchmark::DoNotOptimize(form.ParseSQLStatement());
        state.PauseTiming();
        query.reset();
        state.ResumeTiming();
    }
    ReportPerByte(state, statement.size());
}

// What the dialog's initialisation costs as a whole: filling the form and parsing.
void BM_OpenAndParse(benchmark::State& state)
{
    const int columnCount = static_cast<int>(state.range(0));
    const std::string statement = ComposedStatement(WorkloadFor(columnCount));
    const std::string columns = ColumnString(columnCount);
    for (auto _ : state) {
        CMemoryQuery query;
        query.State().AddTableColumns("Order Details", columns.c_str());
        query.State().SetSQLQuery(statement.c_str());
        query.Open();
        benchmark::DoNotOptimize(query.Form().GetColumnCheck(1));
    }
    ReportPerByte(state, statement.size());
}

}  // namespace

BENCHMARK(BM_Compose)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Parse)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndParse)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
