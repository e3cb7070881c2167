#pragma once
// The desktop of a run without a person: messages to a stream, nothing waits.
#include <iosfwd>

#include "base/DialogForm.h"
#include "base/UiServices.h"

// UiServices for runs without a person: messages go to a stream, dialogs keep their values, questions
// and file choices are cancelled.
class BatchUiServices : public UiServices {
public:
    explicit BatchUiServices(std::ostream& messages) : messages_(messages) {}

    MessageResult messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<std::string> inputDialog(const std::string&, const std::string&, const std::string&, int) override
    {
        return std::nullopt;
    }
    // A dialog takes the stored or default values it opens with, as if OK were pressed at once; when the
    // form refuses them (the "Sample rate" dialog of a raw file opens empty) the messages say so.
    bool runDialog(DialogForm& form) override;
    void openModeless(std::shared_ptr<DialogForm>) override { beep(); }
    std::vector<std::string> openFileDialog(const std::string&, bool, const std::string&) override { return {}; }
    std::optional<std::string> saveFileDialog(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
    void setClipboardBlock(const std::vector<uint8_t>&) override {}
    std::optional<std::vector<uint8_t>> clipboardBlock() const override { return std::nullopt; }
    void setClipboardPicture(const RgbPicture&) override {}
    std::optional<RgbPicture> clipboardPicture() const override { return std::nullopt; }
    // Programs that are waited for run (the converter); documents and programs that would go on
    // beside the run (alarm applications) are not started, and the messages say so.
    void openWithDesktop(const std::string& target) override;
    int runProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override;
    void setStatusText(StatusField, const std::string&) override {}
    void show3DStatusBar(bool) override {}
    std::unique_ptr<ProgressReport> startProgress() override { return nullptr; }
    // A run without a person has no loop to come back to, so nothing runs later.
    void callLater(int, std::function<void()>) override {}

    // Whether an allocation failed during the run: the run then fails as a whole.
    bool ranOutOfMemory() const { return ranOutOfMemory_; }

private:
    std::ostream& messages_;
    bool ranOutOfMemory_ = false;
};
