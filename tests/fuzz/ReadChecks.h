#pragma once
#include <cstddef>
#include <cstdlib>

#include "fileio/FileReadResult.h"

// What holds for every read, whatever the bytes: a sample takes at least one byte of the file, the rate
// is one the views can divide by, and every sample can be visited (so ASan sees the whole block).
inline void checkRead(const FileReadResult& result, std::size_t fileBytes)
{
    if (!result.ok() && !result.signals.empty())
        std::abort();
    std::size_t samples = 0;
    for (const auto& signal : result.signals) {
        if (!signal || !isUsableSampleRate(signal->sampleRate()))
            std::abort();
        samples += signal->count();
        volatile float sum = 0;
        for (uint32_t i = 0; i < signal->count(); ++i)
            sum = sum + signal->samples()[i];
        if (signal->count())
            static_cast<void>(signal->extremes(0, signal->count()));
    }
    if (samples > fileBytes)
        std::abort();
}
