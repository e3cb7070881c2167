#pragma once
// The rules of a dialog (field linking, enabling, validation) without any widgets.
#include <string_view>

// The desktop shows a form through UiServices::runDialog; tests fill it in directly.
class DialogForm {
public:
    virtual ~DialogForm() = default;
    // Names the dialog, so the desktop layer knows which window shows this form.
    virtual std::string_view formName() const = 0;
    // Called when the person presses OK; false keeps the dialog open.
    virtual bool accept() = 0;
};
