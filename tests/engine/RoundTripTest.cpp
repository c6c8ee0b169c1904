// Seeded random inputs through the fuzz targets' rules (tests/fuzz), so that every
// build checks them: forms composed, read back and composed again; any text opened.
#include "../fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);  // FuzzFormRoundTrip.cpp

TEST(RoundTripTest, ComposedFormsReadBackAndComposeAlike)
{
    const std::string nameChars = "abcdefghijklmnpqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ_0123456789$#-.() ";
    const std::string valueChars = "abcdefghijklmnopqrstuvwxyz0123456789'%()*<>=,.[]_-";
    std::mt19937 random(20240917u);
    auto pick = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    for (int trial = 0; trial < 3000; ++trial) {
        std::string input;
        for (size_t name = 0, names = 2 + pick(10); name < names; ++name) {
            for (size_t i = 0, length = 1 + pick(8); i < length; ++i)
                input += nameChars[pick(nameChars.size())];
            input += name == 0 ? '\n' : '\t';
        }
        input += '\n';
        for (int i = 0; i < 60; ++i) {
            const size_t kind = pick(10);
            input += kind < 4 ? static_cast<char>(pick(8)) : kind < 6 ? '\n' : valueChars[pick(valueChars.size())];
        }
        SCOPED_TRACE(input);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
}

TEST(RoundTripTest, AnyTextOpensAndComposes)
{
    const char* const tokens[] = {"SELECT ", "select", "FROM ", "WHERE ", "ORDER BY ", " AND ", " OR ", "and", ",",
                                  "*", "[", "]", "(", ")", " ", "  ", "'", "a", "B", "c d", "=", "LIKE", "desc",
                                  "ASC", "\t", "\n", "{WHEN PRINTED}", "x]", "1"};
    std::mt19937 random(77u);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text;
        for (unsigned i = 0, length = random() % 24; i < length; ++i)
            text += tokens[random() % (sizeof tokens / sizeof tokens[0])];
        CMemoryQuery first, second;
        const std::string composed = fuzz::OpenAndPressOk("t", "a\tB\tc d\tx\t", text, first);
        EXPECT_NE(composed.find(" FROM t "), std::string::npos) << text;
        fuzz::OpenAndPressOk("t", "a\tB\tc d\tx\t", composed, second);
    }
}
