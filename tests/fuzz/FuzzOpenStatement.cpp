// Fuzz target: a host's table name, column string and starting statement, any bytes,
// opened as the dialog opens them and composed as OK does; the composed text is opened
// and composed once more. Input: table, NUL, column string, NUL, statement (a missing
// part is empty). A second round may change the text again (the parser is forgiving),
// so only the rules of OpenAndPressOk hold.
#include "FuzzSupport.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string parts[3];
    for (std::string& part : parts) {
        for (; size > 0 && *data != 0; ++data, --size)
            part += static_cast<char>(*data);
        if (size > 0)
            ++data, --size;
    }
    CMemoryQuery first;
    const std::string composed = fuzz::OpenAndPressOk(parts[0], parts[1], parts[2], first);
    if (!composed.empty()) {
        CMemoryQuery second;
        fuzz::OpenAndPressOk(parts[0], parts[1], composed, second);
    }
    return 0;
}
