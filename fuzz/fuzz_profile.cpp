// libFuzzer target: make fuzz
#include "fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tw::FuzzOne(data, size);
    return 0;
}
