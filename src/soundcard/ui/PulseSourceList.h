#pragma once
// The sources a PulseAudio server records from, monitors of its sinks included.
#include <optional>
#include <string>
#include <vector>

// With its default source, asked afresh at every query. Qt Multimedia lists no monitor sources; this list
// has them all.
class PulseSourceList {
public:
    struct Source {
        std::string name;
        std::string description;
    };

    // Nothing when no server answers in time: none runs (it is never started for us), or it hangs.
    static std::optional<PulseSourceList> query();

    std::string defaultSource;
    std::vector<Source> sources;

    const Source* find(const std::string& name) const;
};
