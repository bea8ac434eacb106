// A loop of stereo audio that sounds are mixed into; what runs past the end comes round to the start,
// so the loop repeats without a seam.
#include "tools/demo_loop/stereo_buffer.h"

#include <cmath>

void StereoBuffer::addMono(const std::vector<double>& sound, std::size_t start, double gain, double pan)
{
    double angle = (pan + 1.0) * 0.25 * 3.14159265358979323846;
    double l = gain * std::cos(angle);
    double r = gain * std::sin(angle);
    for (std::size_t i = 0; i < sound.size(); ++i)
        add(start + i, sound[i] * l, sound[i] * r);
}

double StereoBuffer::peak() const
{
    double highest = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i)
        highest = std::fmax(highest, std::fmax(std::fabs(left[i]), std::fabs(right[i])));
    return highest;
}

void StereoBuffer::scale(double factor)
{
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] *= factor;
        right[i] *= factor;
    }
}

std::vector<float> StereoBuffer::interleaved() const
{
    std::vector<float> samples;
    samples.reserve(left.size() * 2);
    for (std::size_t i = 0; i < left.size(); ++i) {
        samples.push_back(static_cast<float>(left[i]));
        samples.push_back(static_cast<float>(right[i]));
    }
    return samples;
}
