#pragma once
// The "Time FFT statistic" dialog.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/DialogForm.h"

class FFTSignal;

// A named set of five frequency bands from "tfftstat.rng".
struct BandSet {
    std::string name;
    std::array<float, 10> values{};  // from and to of each band
};

// Minimum, maximum, sum and average of the current view level of a Time FFT over up to five frequency
// bands, with the band sets kept beside the program.
class TimeFFTStatForm : public DialogForm {
public:
    static constexpr std::string_view Name = "TimeFFTStat";
    static constexpr std::size_t Bands = 5;
    static constexpr std::size_t MaxSets = 20;
    static constexpr std::size_t FieldLength = 20;
    // Twenty sets take a few kilobytes; a larger file, or one that is not a regular file, holds none.
    static constexpr uint64_t MaxFileBytes = uint64_t(1) << 20;

    // Reads the band sets of `bandFile` (none when it cannot be read); the first set, when there is
    // one, is chosen at once.
    TimeFFTStatForm(const FFTSignal& data, const std::filesystem::path& bandFile);

    // Lines "%f-%f;%f-%f;%f-%f;%f-%f;%f-%f;%s", at most 20, in the C locale.
    static std::vector<BandSet> readBandSets(const std::filesystem::path& file);

    std::array<std::string, Bands> fromText;
    std::array<std::string, Bands> toText;
    const std::vector<BandSet>& sets() const { return sets_; }
    // The results edit: a header and one line and an empty line per band.
    const std::string& results() const { return results_; }

    // The person picked a set: its values go into the fields ("%f") and the results follow.
    void chooseSet(std::size_t index);
    // "Calculate": the results of the fields as they are.
    void calculate();

    std::string_view formName() const override { return Name; }
    bool accept() override { return true; }

private:
    const FFTSignal& data_;
    std::vector<BandSet> sets_;
    std::string results_;
};
