#pragma once
// Everything a command or a pane needs from a person or the desktop, behind one interface the Qt layer implements.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ProgressReport.h"

class DialogForm;

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

// A picture as RGB triples, line after line from the top.
struct RgbPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

// Text fields of the two status bars.
enum class StatusField { RangeFrom, RangeTo, X, Y, Step, SampleRate, X3D, Y3D, Value3D };

// Everything a command needs from a person or the desktop. The Qt layer implements it;
// tests answer from a script and record what was shown.
class UiServices {
public:
    // What runProcess gives when the program did not start or did not end by itself, and when the
    // person ended it with Cancel; anything else is the program's exit code.
    static constexpr int ProcessFailed = -1;
    static constexpr int ProcessCancelled = -2;

    virtual ~UiServices() = default;

    virtual MessageResult messageBox(const std::string& text, const std::string& caption = {},
                                     MessageButtons buttons = MessageButtons::Ok,
                                     MessageIcon icon = MessageIcon::None) = 0;
    // A one-line text input; nullopt when cancelled.
    virtual std::optional<std::string> inputDialog(const std::string& caption, const std::string& label,
                                                   const std::string& initial, int maxLength) = 0;
    // Shows the dialog of the form modally; true when it was closed with OK (and form.accept() agreed).
    virtual bool runDialog(DialogForm& form) = 0;
    // Shows the dialog of the form beside the windows and returns at once; the dialog keeps the form
    // while it is open. Where no such dialog can be shown it only beeps.
    virtual void openModeless(std::shared_ptr<DialogForm> form) = 0;
    // Filters in the form "Name|*.a;*.b|Other|*.c|"; empty when cancelled. The dialog starts in `folder`
    // when one is given, else where the last one ended.
    virtual std::vector<std::string> openFileDialog(const std::string& filter, bool multiple,
                                                    const std::string& folder = {}) = 0;
    virtual std::optional<std::string> saveFileDialog(const std::string& filter, const std::string& defaultExtension,
                                                      const std::string& folder = {}) = 0;
    virtual void beep() = 0;
    // Nested begin/end pairs; WaitCursor below keeps them balanced.
    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
    // Blocks of samples under the private clipboard format.
    virtual void setClipboardBlock(const std::vector<uint8_t>& block) = 0;
    virtual std::optional<std::vector<uint8_t>> clipboardBlock() const = 0;
    // Asked whenever menus refresh, so it must not copy the block.
    virtual bool hasClipboardBlock() const { return clipboardBlock().has_value(); }
    // Replaces whatever the clipboard holds with the picture alone.
    virtual void setClipboardPicture(const RgbPicture& picture) = 0;
    // The picture on the clipboard, if there is one.
    virtual std::optional<RgbPicture> clipboardPicture() const = 0;
    // Asked whenever menus refresh, so it must not convert the picture.
    virtual bool hasClipboardPicture() const { return clipboardPicture().has_value(); }
    // Opens a document with the desktop's handler, or starts an executable.
    virtual void openWithDesktop(const std::string& target) = 0;
    // Starts a program with an argument list (no shell) and waits for it; its exit code, ProcessFailed
    // or ProcessCancelled.
    virtual int runProcess(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Starts a program with an argument list (no shell) and returns at once; false when it did not start.
    virtual bool startDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
    virtual void setStatusText(StatusField field, const std::string& text) = 0;
    // Shows the 3D status bar instead of the signal bar, or back; a focused pane shows its own.
    virtual void show3DStatusBar(bool on) = 0;
    // A report for a computation that may take long: when it does, the person sees how far it has come
    // (windows keep repainting, commands wait) and may stop it. Null where nobody watches.
    virtual std::unique_ptr<ProgressReport> startProgress() = 0;
    // Runs `function` once, about `ms` milliseconds from now, on the user-interface thread after the
    // current command or notification has ended. Whatever it uses must be checked when it runs.
    virtual void callLater(int ms, std::function<void()> function) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(UiServices& ui) : ui_(ui) { ui_.beginWaitCursor(); }
    ~WaitCursor() { ui_.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UiServices& ui_;
};
