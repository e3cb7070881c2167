#include "tree/ConvertedAudio.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "base/UiServices.h"

ConvertedAudio::ConvertedAudio(UiServices& ui, const std::filesystem::path& executableFolder,
                               const std::filesystem::path& source)
{
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "marlune-XXXXXX").string();
    if (error || !mkdtemp(pattern.data()))
        return;
    folder_ = pattern;
    wav_ = folder_ / source.stem().concat(".wav");
    cancelled_ = ui.runProcess((executableFolder / ConverterName).string(), {source.string(), wav_.string()}) ==
                 UiServices::ProcessCancelled;
}

ConvertedAudio::~ConvertedAudio()
{
    std::error_code error;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, error);
}

std::filesystem::path ConvertedAudio::wav() const
{
    // The converter reports failure only on its standard output; what counts is a non-empty file.
    std::error_code error;
    if (wav_.empty() || !std::filesystem::is_regular_file(wav_, error) || std::filesystem::file_size(wav_, error) == 0)
        return {};
    return wav_;
}
