#pragma once
// UiServices for tests: answers come from queues, everything shown is recorded.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/DialogForm.h"
#include "base/UiServices.h"

class ScriptedUi : public UiServices {
public:
    struct Message {
        std::string text;
        std::string caption;
    };
    struct Process {
        std::string program;
        std::vector<std::string> arguments;
    };
    // Fills in a form and says whether OK was pressed.
    using FormAnswer = std::function<bool(DialogForm&)>;

    std::vector<Message> messages;
    std::deque<MessageResult> messageAnswers;           // default Ok / Yes
    std::deque<std::optional<std::string>> inputAnswers; // default cancelled
    std::deque<FormAnswer> formAnswers;                  // default cancelled
    std::vector<std::string> formsShown;
    std::vector<std::shared_ptr<DialogForm>> modelessForms;  // kept open, as the desktop's dialogs keep them
    std::deque<std::vector<std::string>> openAnswers;
    std::vector<std::string> openFilters;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> saveFilters;
    std::vector<std::string> saveDefaultExtensions;
    // The folders the file dialogs were asked to start in, empty where none was given.
    std::vector<std::string> openFolders;
    std::vector<std::string> saveFolders;
    std::vector<std::string> openedWithDesktop;
    std::vector<Process> processes;
    std::vector<Process> detached;
    std::function<int(const Process&)> processRunner;
    std::map<StatusField, std::string> status;
    bool statusBar3D = false;
    // The clipboard's block of samples and its picture, as copies leave them or a test puts them there.
    std::optional<std::vector<uint8_t>> clipboard;
    std::optional<RgbPicture> picture;
    // Progress reports: how many advances were made, and after how many the person presses Cancel.
    int progressAdvances = 0;
    std::optional<int> cancelProgressAfter;
    int beeps = 0;
    int waitDepth = 0;
    int waitCursorsShown = 0;
    // Calls asked for later, with their delays, until the test runs them.
    std::deque<std::function<void()>> later;
    std::vector<int> laterDelays;

    MessageResult messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<std::string> inputDialog(const std::string& caption, const std::string& label,
                                           const std::string& initial, int maxLength) override;
    bool runDialog(DialogForm& form) override;
    void openModeless(std::shared_ptr<DialogForm> form) override { modelessForms.push_back(std::move(form)); }
    std::vector<std::string> openFileDialog(const std::string& filter, bool multiple, const std::string& folder) override;
    std::optional<std::string> saveFileDialog(const std::string& filter, const std::string& defaultExtension,
                                              const std::string& folder) override;
    void beep() override { ++beeps; }
    void beginWaitCursor() override;
    void endWaitCursor() override { --waitDepth; }
    void setClipboardBlock(const std::vector<uint8_t>& block) override { clipboard = block; }
    std::optional<std::vector<uint8_t>> clipboardBlock() const override { return clipboard; }
    void setClipboardPicture(const RgbPicture& copied) override
    {
        clipboard.reset();
        picture = copied;
    }
    std::optional<RgbPicture> clipboardPicture() const override { return picture; }
    void openWithDesktop(const std::string& target) override { openedWithDesktop.push_back(target); }
    int runProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override
    {
        detached.push_back({program, arguments});
        return true;
    }
    void setStatusText(StatusField field, const std::string& text) override { status[field] = text; }
    void show3DStatusBar(bool on) override { statusBar3D = on; }
    std::unique_ptr<ProgressReport> startProgress() override;
    void callLater(int ms, std::function<void()> function) override
    {
        laterDelays.push_back(ms);
        later.push_back(std::move(function));
    }
    // Runs the calls waiting now, in order (not those they ask for); how many ran.
    std::size_t runLater();

    // Texts of all messages shown so far.
    std::vector<std::string> messageTexts() const;
};
