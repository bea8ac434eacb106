// Turns the bank source into the product's 64 programs and writes them as a bank file with the
// plug-in's own record and bank writer, so the file has the very format the plug-in reads.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/product_program.h"
#include "tools/bank_builder/bank_source.h"

class BankBuilder {
public:
    static constexpr int kProgramCount = 64;

    // Each program starts as "Clear Preset" leaves it, then takes its settings; false with one message
    // per fault when a value is bad or the source does not hold exactly 64 programs.
    bool build(const BankSource& source);
    // The header and the 64 records; false when the file cannot be written (it is then left as it was).
    bool write(const std::string& path) const;

    const std::vector<std::string>& errors() const { return faults; }

private:
    void apply(const BankSource& source, const BankSource::Program& from, ProductProgram& to);

    std::vector<std::unique_ptr<ProductProgram>> programs;
    std::vector<std::string> faults;
};
