// Value texts by record kind, formatted without the C library so the host's locale cannot change them.
#include "params/value_text.h"

#include "params/fixed_text.h"
#include "params/parameter.h"
#include "params/parameter_table.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr int kWorkSize = 400;

int integerPart(float v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483520.0f)
        return INT_MAX;
    if (v <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(v);
}

// "%d"
void writeInteger(char* out, int v)
{
    auto result = std::to_chars(out, out + kWorkSize - 1, v);
    *result.ptr = '\0';
}

// "%<width>.<precision>f" with the C locale's decimal point.
void writeFixed(char* out, double v, int width, int precision)
{
    char digits[kWorkSize];
    auto result = std::to_chars(digits, digits + sizeof digits - 1, v, std::chars_format::fixed,
                                precision);
    int length = static_cast<int>(result.ptr - digits);
    int pad = width > length ? width - length : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, digits, static_cast<size_t>(length));
    out[pad + length] = '\0';
}

void writeCutoff(char* out, float v)
{
    if (v >= 1.0f) {
        writeInteger(out, 16000);
        return;
    }
    if (v <= 0.0f) {
        writeInteger(out, 80);
        return;
    }
    float x = -0.25f * std::log10(1.0f - v);
    if (x > 1.0f)
        x = 1.0f;
    if (x < 1e-7f)
        x = 0.0f;
    writeInteger(out, integerPart(x * 15920.0f + 80.0f));
}

void writeRate(char* out, const Parameter& p, float v)
{
    if (p.synced && p.listCount > 0) {
        copyFixedText(out, kWorkSize - 8, p.listNames[p.divisionIndex()]);
        std::strcat(out, " bars");
        return;
    }
    writeFixed(out, p.minimumRate + (p.maximumRate - p.minimumRate) * v, 1, 1);
    std::strcat(out, " Hz");
}

} // namespace

void formatValue(const Parameter& parameter, char* text, int size)
{
    char work[kWorkSize];
    const float v = parameter.target;
    switch (parameter.kind) {
    case 0:
        writeInteger(work, integerPart(v));
        break;
    case 2:
        writeRate(work, parameter, v);
        break;
    case 4:
        writeFixed(work, v, 2, 1);
        break;
    case 5:
        writeFixed(work, frequencyScaleHz(v), 0, 0);
        break;
    case 6:
        writeCutoff(work, v);
        break;
    case 7:
        writeFixed(work, 20.0f * std::log10(1.0f - v), 2, 0);
        break;
    case 8:
        if (v < 0.001f)
            copyFixedText(work, kWorkSize, "-inf");
        else
            writeFixed(work, 20.0f * std::log10(std::pow(v, 2.737f)), 2, 0);
        break;
    default:
        writeInteger(work, integerPart(v * 100.0f));
        break;
    }
    copyFixedText(text, size, work);
}

void formatValue(const Parameter& parameter, char* text)
{
    formatValue(parameter, text, kValueTextSize);
}
