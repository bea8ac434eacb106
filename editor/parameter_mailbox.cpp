// The parameter mailbox.
#include "editor/parameter_mailbox.h"

#include <cstring>

ParameterMailbox::ParameterMailbox()
{
    clear();
}

void ParameterMailbox::post(int index, float value)
{
    if (index < 0 || index >= kSlots)
        return;
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    slots[index].store(kFull | bits, std::memory_order_release);
}

bool ParameterMailbox::take(int index, float& value)
{
    if (index < 0 || index >= kSlots)
        return false;
    uint64_t slot = slots[index].exchange(0, std::memory_order_acquire);
    if ((slot & kFull) == 0)
        return false;
    uint32_t bits = uint32_t(slot);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

void ParameterMailbox::clear()
{
    for (auto& slot : slots)
        slot.store(0, std::memory_order_relaxed);
}
