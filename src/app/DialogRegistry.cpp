#include "app/DialogRegistry.h"

#include "fileio/SampleRateForm.h"
#include "fileio/ui/SampleRateDlg.h"
#include "tree/StepChangeForm.h"
#include "tree/ui/StepChangeDlg.h"

template <class Form, class Dialog>
void DialogRegistry::add()
{
    // The name identifies the form's class, so the cast is safe.
    add(Form::Name, [](DialogForm& form, QWidget* parent) { return Dialog::run(static_cast<Form&>(form), parent); });
}

DialogRegistry::DialogRegistry()
{
    add<SampleRateForm, SampleRateDlg>();
    add<StepChangeForm, StepChangeDlg>();
}

void DialogRegistry::add(std::string_view formName, Runner runner)
{
    runners_[std::string(formName)] = std::move(runner);
}

bool DialogRegistry::knows(std::string_view formName) const
{
    return runners_.find(formName) != runners_.end();
}

bool DialogRegistry::run(DialogForm& form, QWidget* parent) const
{
    const auto runner = runners_.find(form.formName());
    return runner != runners_.end() && runner->second(form, parent);
}
