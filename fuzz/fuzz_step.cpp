// Fuzz target: the STEP reader of cyclide-cao (lireFacesCao) on arbitrary
// bytes written to a .step file; see fuzz_cao.h for what is checked.
#include "fuzz_cao.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    initialiserFuzzCao();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lireOctetsCao(data, size, ".step");
    return 0;
}
