// Fuzz target: a host's table name, column string and starting statement, any bytes
// at all, opened as the dialog opens them and composed as OK composes; the composed
// text is then opened and composed once more. Input: table, NUL, column string, NUL,
// statement; a missing part is empty. A second round may change the text again
// (the parser is forgiving, not exact), so only the rules of OpenAndPressOk hold.
#include "FuzzSupport.h"

#include <cstdint>

namespace {

std::string TakeUpToNul(const uint8_t*& data, size_t& size)
{
    size_t length = 0;
    while (length < size && data[length] != 0)
        ++length;
    std::string part(reinterpret_cast<const char*>(data), length);
    const size_t used = length < size ? length + 1 : length;
    data += used;
    size -= used;
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string table = TakeUpToNul(data, size);
    const std::string columns = TakeUpToNul(data, size);
    const std::string statement = TakeUpToNul(data, size);

    CMemoryQuery first;
    const std::string composed = fuzz::OpenAndPressOk(table, columns, statement, first);
    if (!composed.empty()) {
        CMemoryQuery second;
        fuzz::OpenAndPressOk(table, columns, composed, second);
    }
    return 0;
}
