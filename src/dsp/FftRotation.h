#pragma once
// A twiddle recurrence: turns a cosine/sine pair on by a fixed angle, in single precision.
#include <cmath>

struct FftRotation {
    float cd;  // 1 - cos(angle), held as 2 sin²(angle / 2) so small angles keep their digits
    float sd;  // sin(angle)

    static FftRotation fromHalfAngle(float half)
    {
        const float s = std::sin(half);
        return {2.0f * (s * s), std::sin(half + half)};
    }

    // Rescaling by 0.5 / (c² + s²) + 0.5 pulls the pair back onto the unit circle each step,
    // so rounding cannot make the twiddles grow or shrink over long spans.
    void advance(float& c, float& s) const
    {
        const float t = c - (cd * c + sd * s);
        s = (sd * c - cd * s) + s;
        const float scale = 0.5f / (t * t + s * s) + 0.5f;
        s = scale * s;
        c = scale * t;
    }
};
