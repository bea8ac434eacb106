// One sine cycle in 200 steps (plus a guard entry), shared by every unit that reads it.
#pragma once

#include <memory>

class SineTable {
public:
    static constexpr int kSize = 201;

    // The table is built for the first holder and freed with the last one.
    static std::shared_ptr<const SineTable> acquire();

    // Phase in table positions, 0 <= p < 200, interpolated linearly.
    float lookup(float phase) const
    {
        // Index by truncation and clamp: rounding p - 0.5 would give -1 at phase 0. The phase is
        // clamped before the conversion so that no value can index outside the table.
        if (!(phase >= 0.0f))
            phase = 0.0f;
        else if (phase > static_cast<float>(kSize - 1))
            phase = static_cast<float>(kSize - 1);
        int i = static_cast<int>(phase);
        if (i > kSize - 2)
            i = kSize - 2;
        float frac = phase - static_cast<float>(i);
        return values[i] + (values[i + 1] - values[i]) * frac;
    }

    float values[kSize];

    SineTable();
};
