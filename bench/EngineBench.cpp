// Composer and reader speed at 3, 1,000 and 10,000 columns, and the reader's with one column
// name of 1,000 to 100,000 characters, reported per statement byte so that linear growth
// shows as a flat figure.
#include "engine/Query.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Letters only, so that names differ without digits; every third one holds a blank and is
// written in brackets.
std::string ColumnName(int index)
{
    std::string letters;
    for (int n = index + 1; n > 0; n /= 26)
        letters += static_cast<char>('a' + n % 26);
    return (index % 3 == 0 ? "Unit " : "Field") + letters;
}

std::vector<std::string> Columns(int count)
{
    std::vector<std::string> columns;
    for (int i = 0; i < count; ++i)
        columns.push_back(ColumnName(i));
    return columns;
}

// Every column selected; 2 conditions at 3 columns, else 1,000, with quoted values holding
// blanks and clause words; 2 sort keys at 3 columns, else every column, in reverse order.
Query Workload(const std::vector<std::string>& columns)
{
    const int count = static_cast<int>(columns.size());
    const char* const kOperators[] = {"=", "LIKE", "IN", "BETWEEN"};
    const char* const kValues[] = {"'x ) AND ( y%'", "42", "(1, 2, 3)", "1 AND 5"};
    Query query;
    query.columns = columns;
    query.table = "Order Details";
    for (int r = 0, rows = count <= 3 ? 2 : 1000; r < rows; ++r)
        query.conditions.push_back({r ? (r % 2 ? "AND" : "OR") : "", columns[static_cast<size_t>(r % count)],
                                    kOperators[r % 4], kValues[r % 4]});
    for (int k = 0, keys = count <= 3 ? 2 : count; k < keys; ++k)
        query.sortKeys.push_back({columns[static_cast<size_t>(count - 1 - k)], k % 2 ? "DESC" : "ASC"});
    return query;
}

void ReportPerByte(benchmark::State& state, size_t bytes)
{
    const double total = static_cast<double>(bytes) * static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(total));
    state.counters["statement_bytes"] = static_cast<double>(bytes);
    // CPU time per statement byte, shown with its SI prefix (for example «8.5ns»).
    state.counters["per_byte"] = benchmark::Counter(total, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Compose(benchmark::State& state)
{
    const Query query = Workload(Columns(static_cast<int>(state.range(0))));
    std::string statement;
    for (auto _ : state) {
        statement = ComposeStatement(query).statement;
        benchmark::DoNotOptimize(statement.data());
    }
    ReportPerByte(state, statement.size());
}

// The composer's own text, read back exactly.
void BM_Read(benchmark::State& state)
{
    const std::vector<std::string> columns = Columns(static_cast<int>(state.range(0)));
    const std::string statement = ComposeStatement(Workload(columns)).statement;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadStatement(statement, columns, {"Order Details"}).conditions.size());
    ReportPerByte(state, statement.size());
}

// The same text with its keywords in lower case: the exact reading fails and the forgiving
// one reads it.
void BM_ReadOtherLayout(benchmark::State& state)
{
    const std::vector<std::string> columns = Columns(static_cast<int>(state.range(0)));
    std::string statement = ComposeStatement(Workload(columns)).statement;
    for (const char* keyword : {"SELECT ", " FROM "})
        for (size_t at = statement.find(keyword); at != std::string::npos; at = statement.find(keyword, at + 1))
            for (size_t i = at; i < at + std::string(keyword).size(); ++i)
                statement[i] = static_cast<char>(statement[i] | 0x20);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadStatement(statement, columns, {"Order Details"}).conditions.size());
    ReportPerByte(state, statement.size());
}

// One very long name among short ones, selected, compared and sorted on: a host's odd table
// must not make opening its statement take the square of the name's length.
void BM_ReadLongName(benchmark::State& state)
{
    std::string name(static_cast<size_t>(state.range(0)), 'x');
    for (size_t i = 0; i < name.size(); i += 7)
        name[i] = ' ';
    const std::vector<std::string> columns = {"ID", name, "Name"};
    Query query;
    query.columns = {name, "Name"};
    query.table = "T";
    query.conditions = {{"", name, "=", "'a b'"}, {"AND", "ID", "LIKE", "'x ) AND ( y'"}};
    query.sortKeys = {{name, "DESC"}, {"ID", ""}};
    const std::string statement = ComposeStatement(query).statement;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadStatement(statement, columns, {"T"}).conditions.size());
    ReportPerByte(state, statement.size());
}

}  // namespace

BENCHMARK(BM_Compose)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Read)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOtherLayout)->Arg(3)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLongName)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
