#pragma once
// The desktop of a Python script: messages kept for the exception they end in, progress to a callback.
#include <functional>
#include <sstream>
#include <string>

#include "tree/BatchUiServices.h"

// The stream the messages are written to, made before the batch desktop that writes into it.
struct ScriptMessages {
    std::ostringstream text;
};

// A batch desktop whose messages become the text of the exception a failed call raises, and whose long
// computations report to the script's callback.
class ScriptUi : private ScriptMessages, public BatchUiServices {
public:
    // `done` of `total`; false stops the computation.
    using Progress = std::function<bool(uint64_t done, uint64_t total)>;

    ScriptUi() : BatchUiServices(text) {}

    // The messages shown since the last call, one per line, without the last line break.
    std::string takeMessages();
    // While set, long computations report to it.
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    std::unique_ptr<ProgressReport> startProgress() override;

private:
    Progress progress_;
};
