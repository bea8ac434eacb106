// The comb's delay line, its reset and the crossfade between two delays.
#include "dsp/comb_delay.h"

#include <algorithm>
#include <cmath>

bool CombDelay::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate))
        return false;
    sampleRate_ = rate;
    length_ = std::max(1, static_cast<int>(rate * 1.0f + 0.5f));
    buffer_.assign(static_cast<size_t>(length_), 0.0f);
    crossfadeStep_ = 1.0f / (0.01f * rate);
    reset();
    return true;
}

void CombDelay::reset()
{
    readIndex_ = 0;
    nextReadIndex_ = 0;
    writeIndex_ = delaySamples();
    changeActive_ = false;
    changePending_ = false;
    crossfading_ = false;
    crossfadePosition_ = 0.0f;
    std::fill(buffer_.begin(), buffer_.end(), 0.0f);
}

void CombDelay::requestDelay(float seconds)
{
    delayTime_ = seconds;
    changeActive_ = true;
    changePending_ = true;
}

int CombDelay::delaySamples() const
{
    // Rounded to whole samples; held inside the line whatever delay was asked for.
    float d = delayTime_ * sampleRate_ + 0.5f;
    if (length_ < 2 || !(d >= 0.0f))
        return 0;
    if (d > static_cast<float>(length_ - 1))
        return length_ - 1;
    return static_cast<int>(d);
}

float CombDelay::crossfadeSample(float x)
{
    if (changePending_ && !crossfading_) {
        changePending_ = false;
        crossfading_ = true;
        nextReadIndex_ = writeIndex_ - delaySamples();
        if (nextReadIndex_ < 0)
            nextReadIndex_ += length_;
        crossfadePosition_ = 0.0f;
    }
    const float p = crossfadePosition_;
    const float y = (1.0f - p) * buffer_[readIndex_] + p * buffer_[nextReadIndex_];
    buffer_[writeIndex_] = finiteOrZero(y * feedback_ + x);
    advance(readIndex_);
    advance(nextReadIndex_);
    advance(writeIndex_);
    crossfadePosition_ += crossfadeStep_;
    if (crossfadePosition_ >= 1.0f) {
        crossfading_ = false;
        readIndex_ = nextReadIndex_;
        crossfadePosition_ = 0.0f;
        if (!changePending_)
            changeActive_ = false;
    }
    return y;
}
