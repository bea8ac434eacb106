// Parameter changes handed from any thread to the user-interface thread: one atomic slot per record, so a
// later value replaces an earlier one that was not taken yet. No locks, no allocation.
#pragma once

#include <atomic>
#include <cstdint>

class ParameterMailbox {
public:
    static constexpr int kSlots = 512;

    ParameterMailbox();

    // Any thread; indices outside the slots are dropped.
    void post(int index, float value);
    // User-interface thread: takes the value waiting for index, if any.
    bool take(int index, float& value);
    void clear();

private:
    static constexpr uint64_t kFull = uint64_t(1) << 32;
    std::atomic<uint64_t> slots[kSlots];
};
