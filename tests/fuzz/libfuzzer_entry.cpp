// The entry point of a libFuzzer build (clang, -DVAREMO_FUZZ_LIBFUZZER=ON): one executable per target,
// VAREMO_FUZZ_TARGET names it. libFuzzer owns the loop, the corpus and the crash files.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const varemo::fuzz::Target* target = varemo::fuzz::findTarget(VAREMO_FUZZ_TARGET);
    target->run(data, size);
    return 0;
}
