// A float pair: left and right in two lanes of one vector register, so one instruction does the same
// float operation on both channels, rounded exactly as the scalar operation would be.
#pragma once

typedef float FloatPair __attribute__((vector_size(8)));

inline FloatPair loadPair(const float* left, const float* right, int i)
{
    return FloatPair{left[i], right[i]};
}

inline void storePair(float* left, float* right, int i, FloatPair v)
{
    left[i] = v[0];
    right[i] = v[1];
}

inline FloatPair splat(float v)
{
    return FloatPair{v, v};
}
