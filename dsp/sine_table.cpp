// The shared sine table: computed in double, stored as float.
#include "dsp/sine_table.h"

#include <cmath>
#include <mutex>

SineTable::SineTable()
{
    const double pi = 4.0 * std::atan(1.0);
    for (int i = 0; i < kSize; ++i)
        values[i] = static_cast<float>(std::sin(i * pi / 100.0));
}

std::shared_ptr<const SineTable> SineTable::acquire()
{
    static std::mutex mutex;
    static std::weak_ptr<const SineTable> shared;
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<const SineTable> table = shared.lock();
    if (!table) {
        table = std::make_shared<const SineTable>();
        shared = table;
    }
    return table;
}
