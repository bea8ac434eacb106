// A loop of stereo audio that sounds are mixed into; what runs past the end comes round to the start,
// so the loop repeats without a seam.
#pragma once

#include <cstddef>
#include <vector>

class StereoBuffer {
public:
    explicit StereoBuffer(std::size_t frames) : left(frames, 0.0), right(frames, 0.0) { }

    std::size_t frames() const { return left.size(); }

    // A mono sound placed at start, panned by pan in -1 (left) .. 1 (right) with equal power.
    void addMono(const std::vector<double>& sound, std::size_t start, double gain, double pan);
    void add(std::size_t frame, double l, double r)
    {
        left[frame % left.size()] += l;
        right[frame % right.size()] += r;
    }

    double peak() const;
    void scale(double factor);
    // Interleaved 32-bit floats as a sound file takes them.
    std::vector<float> interleaved() const;

private:
    std::vector<double> left;
    std::vector<double> right;
};
