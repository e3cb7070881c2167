#pragma once
// A WAV copy, made by the converter program, of a file the program cannot read itself.
#include <filesystem>

class UiServices;

// The converter lies beside the program's executable. The copy lives in a private temporary folder (the
// program folder may not be writable) and is deleted with this object, so it never outlives the open that
// uses it.
class ConvertedAudio {
public:
    static constexpr const char* ConverterName = "Sonvert";

    // Runs the converter of `executableFolder` on `source` and waits for it to end or be cancelled.
    ConvertedAudio(UiServices& ui, const std::filesystem::path& executableFolder, const std::filesystem::path& source);
    ~ConvertedAudio();
    ConvertedAudio(const ConvertedAudio&) = delete;
    ConvertedAudio& operator=(const ConvertedAudio&) = delete;

    // The WAV file; empty when the converter produced nothing usable.
    std::filesystem::path wav() const;
    // Whether the person cancelled the converter while it ran.
    bool cancelled() const { return cancelled_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path wav_;
    bool cancelled_ = false;
};
