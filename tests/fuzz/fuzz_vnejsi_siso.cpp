// libFuzzer entry point: the input is an external SISO system file (see cile_fuzz.h).

#include <cstddef>
#include <cstdint>

#include "cile_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::vnejsiSISO(data, size);
    return 0;
}
