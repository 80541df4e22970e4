#pragma once

#include <cstdlib>

namespace quillory::fuzz {

// A promise of the code under test; a broken one stops the fuzzer with the input that broke it.
inline void check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

}  // namespace quillory::fuzz
