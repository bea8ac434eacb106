// Counts the calls of operator new between a start and a stop, for tests that prove a path allocates
// nothing. The counting operators are in allocation_counter.cpp, linked into the programs that use it.
#pragma once

void startCountingAllocations();
// The allocations since the start; counting stops.
long stopCountingAllocations();
