#include "support/ScriptedUi.h"

namespace {
template <class T>
T takeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
}  // namespace

MessageResult ScriptedUi::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                     MessageIcon)
{
    messages.push_back({text, caption});
    const MessageResult fallback =
        (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel) ? MessageResult::Yes
                                                                                     : MessageResult::Ok;
    return takeFront(messageAnswers, fallback);
}

std::optional<std::string> ScriptedUi::inputDialog(const std::string& caption, const std::string&,
                                                   const std::string&, int)
{
    formsShown.push_back(caption);
    return takeFront<std::optional<std::string>>(inputAnswers, std::nullopt);
}

bool ScriptedUi::runDialog(DialogForm& form)
{
    formsShown.emplace_back(form.formName());
    FormAnswer answer = takeFront<FormAnswer>(formAnswers, nullptr);
    // A form that refuses OK would keep a real dialog open; the script then counts as cancelled.
    return answer && answer(form) && form.accept();
}

std::vector<std::string> ScriptedUi::openFileDialog(const std::string& filter, bool, const std::string& folder)
{
    openFilters.push_back(filter);
    openFolders.push_back(folder);
    return takeFront<std::vector<std::string>>(openAnswers, {});
}

std::optional<std::string> ScriptedUi::saveFileDialog(const std::string& filter, const std::string& defaultExtension,
                                                      const std::string& folder)
{
    saveFolders.push_back(folder);
    saveFilters.push_back(filter);
    saveDefaultExtensions.push_back(defaultExtension);
    return takeFront<std::optional<std::string>>(saveAnswers, std::nullopt);
}

void ScriptedUi::beginWaitCursor()
{
    ++waitDepth;
    ++waitCursorsShown;
}

int ScriptedUi::runProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    processes.push_back({program, arguments});
    return processRunner ? processRunner(processes.back()) : ProcessFailed;
}

std::unique_ptr<ProgressReport> ScriptedUi::startProgress()
{
    class Report : public ProgressReport {
    public:
        explicit Report(ScriptedUi& ui) : ui_(ui) {}
        bool advance(uint64_t, uint64_t) override
        {
            ++ui_.progressAdvances;
            return !(ui_.cancelProgressAfter && ui_.progressAdvances >= *ui_.cancelProgressAfter);
        }

    private:
        ScriptedUi& ui_;
    };
    return std::make_unique<Report>(*this);
}

std::vector<std::string> ScriptedUi::messageTexts() const
{
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

std::size_t ScriptedUi::runLater()
{
    std::deque<std::function<void()>> due;
    due.swap(later);
    for (auto& function : due)
        function();
    return due.size();
}
