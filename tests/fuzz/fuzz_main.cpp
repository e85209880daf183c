// One libFuzzer program per target: FUZZ_ENTRY names the body (fuzz_targets.h).
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_targets.h"

void FuzzCheck(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzSkipsLargePictures = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FUZZ_ENTRY(data, size); }
