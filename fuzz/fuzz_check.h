#pragma once
// A broken invariant stops the run where it broke, so the fuzzer keeps the
// input and the stack points at the check.

#define FUZZ_CHECK(cond)               \
    do {                               \
        if (!(cond)) __builtin_trap(); \
    } while (0)
