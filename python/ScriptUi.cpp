#include "ScriptUi.h"

#include "base/ProgressReport.h"

namespace {
class CallbackProgress : public ProgressReport {
public:
    explicit CallbackProgress(const ScriptUi::Progress& progress) : progress_(progress) {}
    bool advance(uint64_t done, uint64_t total) override { return progress_(done, total); }

private:
    ScriptUi::Progress progress_;
};
}  // namespace

std::string ScriptUi::takeMessages()
{
    std::string messages = text.str();
    text.str({});
    while (!messages.empty() && messages.back() == '\n')
        messages.pop_back();
    return messages;
}

std::unique_ptr<ProgressReport> ScriptUi::startProgress()
{
    if (!progress_)
        return nullptr;
    return std::make_unique<CallbackProgress>(progress_);
}
