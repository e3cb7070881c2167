#include "tree/CalcForm.h"

#include <algorithm>
#include <cstring>

#include "base/UiServices.h"

namespace {
// Operators stand right-aligned in the expression list, as wide as the widest of their texts.
std::string rightAligned(const char* text)
{
    std::size_t width = 0;
    for (const CalcOperator& op : CalcOperator::all())
        width = std::max(width, std::strlen(op.listText));
    const std::size_t length = std::strlen(text);
    return std::string(width > length ? width - length : 0, ' ') + text;
}
}  // namespace

CalcForm::CalcForm(UiServices& ui, std::vector<Available> available, Flash flash)
    : ui_(ui), available_(std::move(available)), flash_(std::move(flash))
{
}

CalcForm::~CalcForm()
{
    closed();
}

std::vector<std::string> CalcForm::expressionList() const
{
    std::vector<std::string> list;
    for (long double e : program_.elements()) {
        if (const CalcOperator* op = CalcOperator::ofElement(e)) {
            list.push_back(rightAligned(op->listText));
            continue;
        }
        const auto found = std::find_if(available_.begin(), available_.end(),
                                        [e](const Available& a) { return a.index == uint32_t(e); });
        list.push_back(found != available_.end() ? found->title : std::string());
    }
    return list;
}

void CalcForm::select(int row)
{
    if (row < 0 || row >= int(available_.size()))
        return;
    selected_ = row;
    const uint32_t index = available_[std::size_t(row)].index;
    if (flashed_ == index)
        return;
    if (flashed_ && flash_)
        flash_(*flashed_, false);
    flashed_ = index;
    if (flash_)
        flash_(index, true);
}

// The input state follows from the expression itself: after any operator (or at the start) an operand comes.
bool CalcForm::operandExpected() const
{
    return program_.empty() || !CalcProgram::isOperand(program_.elements().back());
}

bool CalcForm::afterUnary() const
{
    const CalcOperator* last = program_.empty() ? nullptr : CalcOperator::ofElement(program_.elements().back());
    return last && !last->binary;
}

bool CalcForm::accepts(const CalcOperator& op) const
{
    return op.binary ? !operandExpected() : operandExpected() && !afterUnary();
}

bool CalcForm::addSelected()
{
    if (!operandExpected() || selected_ < 0) {
        ui_.beep();
        return false;
    }
    program_.appendOperand(available_[std::size_t(selected_)].index);
    return true;
}

bool CalcForm::addOperator(const CalcOperator& op)
{
    if (!accepts(op)) {
        ui_.beep();
        return false;
    }
    program_.appendOperator(op);
    return true;
}

void CalcForm::clear()
{
    program_.clear();
}

void CalcForm::closed()
{
    if (flashed_ && flash_)
        flash_(*flashed_, false);
    flashed_.reset();
}

bool CalcForm::accept()
{
    if (!program_.complete()) {
        ui_.messageBox("The expression is not complete: it must end with a signal.", "Signal calculator",
                       MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    closed();
    return true;
}
