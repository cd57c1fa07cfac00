// libFuzzer entry point: the input is the system or signal file of whole command lines (see cile_fuzz.h).

#include <cstddef>
#include <cstdint>

#include "cile_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::prikazovaRadka(data, size);
    return 0;
}
