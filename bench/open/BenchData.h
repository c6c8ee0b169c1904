// The table and starting statement every opening run uses: n columns, every one ticked,
// min(n, 1000) conditions and every column an ascending sort key, written as the
// dialog itself writes statements, so OK hands the same text back.
#pragma once

#include <string>
#include <vector>

struct BenchData {
    int columns = 0;
    int conditions = 0;
    std::vector<std::string> names;
    std::string columnString;  // each name followed by a TAB
    std::string statement;
    std::string table = "Warehouse";
};

// Names of letters only (no brackets needed), distinct for any count.
inline std::string BenchColumnName(int index)
{
    std::string name = "Col";
    for (int n = index + 1; n > 0; n /= 26) name += static_cast<char>('a' + n % 26);
    return name;
}

inline BenchData MakeBenchData(int columns)
{
    BenchData data;
    data.columns = columns;
    data.conditions = columns < 1000 ? columns : 1000;
    for (int i = 0; i < columns; ++i) {
        data.names.push_back(BenchColumnName(i));
        data.columnString += data.names.back() + '\t';
    }
    std::string& s = data.statement;
    s = "SELECT ";
    for (int i = 0; i < columns; ++i) s += (i ? "," : "") + data.names[static_cast<size_t>(i)];
    s += " FROM " + data.table + " WHERE ";
    for (int i = 0; i < data.conditions; ++i) {
        if (i) s += i % 2 ? " AND" : " OR";
        s += " ( " + data.names[static_cast<size_t>(i)] + " = " + std::to_string(i) + " )";
    }
    s += " ORDER BY ";
    for (int i = 0; i < columns; ++i) s += (i ? "," : "") + data.names[static_cast<size_t>(i)] + " ASC";
    return data;
}

// What a condition row shows: connector (none on the first row), field, operator, value.
inline std::string BenchConnector(int row) { return row == 0 ? "" : row % 2 ? "AND" : "OR"; }
