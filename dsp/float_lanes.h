// Vector lanes for the sample loops: the same float operation on every lane in one instruction,
// rounded exactly as the scalar operation would be. FloatPair holds left and right; Float4 holds
// four consecutive samples of one channel.
#pragma once

typedef float FloatPair __attribute__((vector_size(8)));
typedef float Float4 __attribute__((vector_size(16)));
// Four floats at any float address.
typedef float UnalignedFloat4 __attribute__((vector_size(16), aligned(4), may_alias));

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

inline Float4 load4(const float* p)
{
    return *reinterpret_cast<const UnalignedFloat4*>(p);
}

inline void store4(float* p, Float4 v)
{
    *reinterpret_cast<UnalignedFloat4*>(p) = v;
}
