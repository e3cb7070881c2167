#pragma once
// UiServices on Qt Widgets: message boxes, dialogs, file dialogs, cursor, clipboard, status bars, desktop and processes.
#include <QPointer>
#include <QString>

#include "app/DialogRegistry.h"
#include "base/UiServices.h"

class QWidget;
class StatusBars;

// UiServices on Qt Widgets: message boxes, dialogs, file dialogs, cursor, clipboard, desktop and
// processes. Dialogs are owned by the main window once it is attached.
class QtUiServices : public UiServices {
public:
    // Sample blocks travel under this type, byte for byte.
    static constexpr const char* SamplesMimeType = "application/x-marlune-samples";

    void attach(QWidget* window, StatusBars* statusBars);
    void detach();
    DialogRegistry& dialogs() { return dialogs_; }

    MessageResult messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<std::string> inputDialog(const std::string& caption, const std::string& label,
                                           const std::string& initial, int maxLength) override;
    bool runDialog(DialogForm& form) override;
    void openModeless(std::shared_ptr<DialogForm> form) override;
    std::vector<std::string> openFileDialog(const std::string& filter, bool multiple, const std::string& folder) override;
    std::optional<std::string> saveFileDialog(const std::string& filter, const std::string& defaultExtension,
                                              const std::string& folder) override;
    void beep() override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    void setClipboardBlock(const std::vector<uint8_t>& block) override;
    std::optional<std::vector<uint8_t>> clipboardBlock() const override;
    bool hasClipboardBlock() const override;
    void setClipboardPicture(const RgbPicture& picture) override;
    std::optional<RgbPicture> clipboardPicture() const override;
    bool hasClipboardPicture() const override;
    void openWithDesktop(const std::string& target) override;
    int runProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override;
    void callLater(int ms, std::function<void()> function) override;
    void setStatusText(StatusField field, const std::string& text) override;
    void show3DStatusBar(bool on) override;
    std::unique_ptr<ProgressReport> startProgress() override;

private:
    // A program that ends within this time shows no progress window.
    static constexpr int ProgressDelayMs = 400;

    QPointer<QWidget> window_;
    StatusBars* statusBars_ = nullptr;
    DialogRegistry dialogs_;
    // The folder a file dialog opens in: the one asked for, else where the last one was confirmed.
    QString startFolder(const std::string& folder) const;

    QString lastFolder_;
};
