// What each fuzz target (one file in fuzz/targets/) defines: its seeds, made by our own writers, and
// one run over a piece of outside data. A failed check aborts, so the fuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_seeds.h"

void fuzzSeeds(FuzzSeeds& seeds);
void fuzzInput(const std::uint8_t* data, std::size_t size);

#define FUZZ_CHECK(condition)                                                                        \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);       \
            std::abort();                                                                            \
        }                                                                                            \
    } while (0)
