// This product's program: 53 values, format version 3.0, our id, and the defaults "Clear Preset" gives.
#include "host/product_program.h"

namespace {

struct Default {
    int index;
    float value;
};

// A cleared program: band-pass wide open, master at unity, both LFOs synced on cutoff and resonance.
constexpr Default kDefaults[] = {
    {1, 0.0f},   {2, 1.0f},   {3, 0.5f},   {4, 0.5f},   {5, 0.0f},  {13, 1.0f},  {15, 0.5f},
    {16, 0.5f},  {18, 0.5f},  {22, 0.1f},  {25, 0.5f},  {28, 0.1f}, {29, 1.0f},  {30, 1.0f},
    {31, 1.0f},  {33, 0.13f}, {35, 0.5f},  {36, 0.79f}, {37, 1.0f}, {39, 0.14f}, {41, 0.5f},
    {42, 0.79f}, {43, 1.0f},  {44, 0.13f}, {45, 0.14f},
};

} // namespace

ProductProgram::ProductProgram() : PluginProgram(kProductProgramValues, kProductId)
{
    formatVersion = 3.0f;
}

void ProductProgram::loadDefaults()
{
    for (const Default& d : kDefaults)
        setValue(d.index, d.value);
}
