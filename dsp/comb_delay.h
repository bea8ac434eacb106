// Feedback comb on a one-second delay line whose delay changes are crossfaded over 10 ms.
#pragma once

#include <cmath>
#include <vector>

class CombDelay {
public:
    // Allocates the one-second line; a rate that is not a positive number is refused.
    bool setSampleRate(float rate);
    // Applies the current delay at once, without a crossfade, and clears the line.
    void reset();
    // The new delay takes over through a crossfade; a request made during a crossfade waits for its end.
    void requestDelay(float seconds);
    void setFeedback(float amount) { feedback_ = amount; }

    float delayTime() const { return delayTime_; }
    float feedback() const { return feedback_; }
    int length() const { return length_; }

    float process(float x)
    {
        if (length_ == 0)
            return 0.0f;
        if (!changeActive_) {
            float y = buffer_[readIndex_];
            buffer_[writeIndex_] = finiteOrZero(y * feedback_ + x);
            advance(readIndex_);
            advance(writeIndex_);
            return y;
        }
        return crossfadeSample(x);
    }

private:
    // One NaN or infinity at the input would otherwise circulate in the line for good.
    static float finiteOrZero(float v) { return std::isfinite(v) ? v : 0.0f; }
    void advance(int& index) const
    {
        if (++index >= length_)
            index = 0;
    }
    int delaySamples() const;
    float crossfadeSample(float x);

    std::vector<float> buffer_;
    float sampleRate_ = 0.0f;
    float delayTime_ = 0.0f;
    float feedback_ = 0.0f;
    float crossfadeStep_ = 0.0f;
    float crossfadePosition_ = 0.0f;
    int length_ = 0;
    int readIndex_ = 0;
    int nextReadIndex_ = 0;
    int writeIndex_ = 0;
    bool changeActive_ = false;
    bool changePending_ = false;
    bool crossfading_ = false;
};
