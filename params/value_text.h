// The short text that describes a record's target value, the same whatever locale the host has set.
#pragma once

class Parameter;

// Room the two-argument form needs: the longest text ("1/32T bars") has 10 characters.
constexpr int kValueTextSize = 11;

// Writes at most kValueTextSize bytes, terminator included; longer texts (only possible for values
// outside the record's range) are cut.
void formatValue(const Parameter& parameter, char* text);
void formatValue(const Parameter& parameter, char* text, int size);
