#pragma once
// The "Signal calculator" dialog.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/DialogForm.h"
#include "dsp/CalcProgram.h"

class UiServices;

// The expression is built from the available signals and the operator buttons, each accepted only where the
// grammar allows it.
class CalcForm : public DialogForm {
public:
    static constexpr std::string_view Name = "Calc";

    struct Available {
        uint32_t index;  // the window's place in the client's table
        std::string title;
    };
    // Flashes (true) or un-flashes the window at a table index.
    using Flash = std::function<void(uint32_t index, bool on)>;

    CalcForm(UiServices& ui, std::vector<Available> available, Flash flash);
    ~CalcForm() override;

    const std::vector<Available>& available() const { return available_; }
    // "Expression for the new signal": operands by title, operators by their list texts right-aligned.
    std::vector<std::string> expressionList() const;
    const CalcProgram& program() const { return program_; }

    // Selecting an entry of "Available signals" flashes its window and un-flashes the one before.
    void select(int row);
    int selected() const { return selected_; }
    // What may come next: an operand (or a unary operator before it), or a binary operator.
    bool operandExpected() const;
    bool accepts(const CalcOperator& op) const;
    // ">": appends the selected signal; false (with a beep) where no operand may come.
    bool addSelected();
    // An operator button; false (with a beep) where the operator may not come.
    bool addOperator(const CalcOperator& op);
    // "AC".
    void clear();
    // The dialog closes: the flashed window stops flashing.
    void closed();

    std::string_view formName() const override { return Name; }
    // Refuses an empty expression or one that ends in an operator, with a message.
    bool accept() override;

private:
    // The last element is a unary operator: no second one may follow.
    bool afterUnary() const;

    UiServices& ui_;
    std::vector<Available> available_;
    Flash flash_;
    CalcProgram program_;
    int selected_ = -1;
    std::optional<uint32_t> flashed_;
};
