#pragma once
#include <cstdint>

// A window whose signal fills up to a maximum length (the log of an instrument value) shows only
// its filled part; such a window implements this.
class FillLevel {
public:
    virtual uint32_t filledCount() const = 0;
    virtual uint32_t maxLength() const = 0;

protected:
    ~FillLevel() = default;
};
