#pragma once
// "Import signal...": one window (kind 24) per data column of an ASCII table.
#include <filesystem>

class marluneMDIChild;
class marluneMDIClient;

// A first column of evenly spaced values may become the X axis of the others; otherwise the sample rate is
// asked.
class AsciiImport {
public:
    static constexpr const char* FileFilter = "All Files (*.*)|*.*|";

    explicit AsciiImport(marluneMDIClient& client) : client_(client) {}

    // The file dialog, then the import of the chosen file.
    void command();
    // The first window made (the head of the group); null when nothing was imported.
    marluneMDIChild* import(const std::filesystem::path& path);
    // The import with the sample rate and the X-axis choice already made (a workspace's keys); a rate
    // that cannot be used is refused with a message naming the file, as a signal file's is.
    marluneMDIChild* importWith(const std::filesystem::path& path, long double rate, bool xAxis);

private:
    marluneMDIClient& client_;
};
