#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "fileio/SignalFileReader.h"

// The person's answer to the sample rate question, taken from the first bytes of the input: a flag for
// Cancel, then a long double of any value (NaN, infinities, denormals, negatives). The rest is the file.
struct RateAnswer {
    AskSampleRate ask;
    const uint8_t* file;
    std::size_t fileSize;

    RateAnswer(const uint8_t* data, std::size_t size)
    {
        constexpr std::size_t Head = 1 + sizeof(long double);
        std::optional<long double> rate;
        if (size >= Head && data[0] & 1) {
            long double value = 0;
            std::memcpy(&value, data + 1, sizeof value);
            rate = value;
        }
        ask = [rate] { return rate; };
        file = size >= Head ? data + Head : data;
        fileSize = size >= Head ? size - Head : size;
    }
};
