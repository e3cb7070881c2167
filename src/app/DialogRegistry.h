#pragma once
// Maps a form's name to the Qt dialog that shows it.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class DialogForm;
class QWidget;

class DialogRegistry {
public:
    using Runner = std::function<bool(DialogForm&, QWidget* parent)>;
    using Opener = std::function<void(std::shared_ptr<DialogForm>, QWidget* parent)>;

    // Knows every dialog of the program.
    DialogRegistry();

    void add(std::string_view formName, Runner runner);
    bool knows(std::string_view formName) const;
    // Shows the form's dialog modally; false when cancelled or when no dialog shows this form.
    bool run(DialogForm& form, QWidget* parent) const;
    // Opens the form's modeless dialog; false when no modeless dialog shows this form.
    bool open(std::shared_ptr<DialogForm> form, QWidget* parent) const;

private:
    template <class Form, class Dialog>
    void add();
    template <class Form, class Dialog>
    void addModeless();

    std::map<std::string, Runner, std::less<>> runners_;
    std::map<std::string, Opener, std::less<>> openers_;
};
