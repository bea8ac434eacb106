// This product's program: 53 values, format version 3.0, our id, and the defaults "Clear Preset" gives.
#pragma once

#include "host/plugin_program.h"

constexpr std::int32_t kProductId = 0x52615333; // RaS3
constexpr int kProductProgramValues = 53;

class ProductProgram : public PluginProgram {
public:
    ProductProgram();
    void loadDefaults() override;
};
