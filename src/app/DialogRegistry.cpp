#include "app/DialogRegistry.h"

#include "fileio/SampleRateForm.h"
#include "instruments/ValShowForm.h"
#include "instruments/ui/ValShowDlg.h"
#include "fileio/ui/SampleRateDlg.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SmoothingForm.h"
#include "settings/ui/FFTDefaultsDlg.h"
#include "settings/ui/SmoothingDlg.h"
#include "soundcard/AQForm.h"
#include "soundcard/CalibrationForm.h"
#include "soundcard/ui/AQDlg.h"
#include "soundcard/ui/CalibrationDlg.h"
#include "tree/CalcForm.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterControlForm.h"
#include "tree/FilterForm.h"
#include "tree/GenSigForm.h"
#include "tree/StepChangeForm.h"
#include "tree/ui/CalcDlg.h"
#include "tree/ui/ExtractOdDoDlg.h"
#include "tree/ui/FilterControlDlg.h"
#include "tree/ui/FilterDlg.h"
#include "tree/ui/GenSigDlg.h"
#include "tree/ui/StepChangeDlg.h"
#include "views/TimeFFTForm.h"
#include "views/TimeFFTStatForm.h"
#include "views/YAxisForm.h"
#include "views/ZAxisForm.h"
#include "views/ZoomFirst2nForm.h"
#include "views/ui/TimeFFTDlg.h"
#include "views/ui/TimeFFTStatDlg.h"
#include "views/ui/YAxisDlg.h"
#include "views/ui/ZAxisDlg.h"
#include "views/ui/ZoomFirst2nDlg.h"

template <class Form, class Dialog>
void DialogRegistry::add()
{
    // The name identifies the form's class, so the cast is safe.
    add(Form::Name, [](DialogForm& form, QWidget* parent) { return Dialog::run(static_cast<Form&>(form), parent); });
}

template <class Form, class Dialog>
void DialogRegistry::addModeless()
{
    openers_[std::string(Form::Name)] = [](std::shared_ptr<DialogForm> form, QWidget* parent) {
        Dialog::open(std::static_pointer_cast<Form>(std::move(form)), parent);
    };
}

DialogRegistry::DialogRegistry()
{
    add<SampleRateForm, SampleRateDlg>();
    add<StepChangeForm, StepChangeDlg>();
    add<YAxisForm, YAxisDlg>();
    add<ZAxisForm, ZAxisDlg>();
    add<ZoomFirst2nForm, ZoomFirst2nDlg>();
    add<FFTDefaultsForm, FFTDefaultsDlg>();
    add<SmoothingForm, SmoothingDlg>();
    add<FilterForm, FilterDlg>();
    add<GenSigForm, GenSigDlg>();
    add<ExtractOdDoForm, ExtractOdDoDlg>();
    add<TimeFFTForm, TimeFFTDlg>();
    add<CalcForm, CalcDlg>();
    add<ValShowForm, ValShowDlg>();
    add<TimeFFTStatForm, TimeFFTStatDlg>();
    add<AQForm, AQDlg>();
    add<CalibrationForm, CalibrationDlg>();
    addModeless<FilterControlForm, FilterControlDlg>();
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

bool DialogRegistry::open(std::shared_ptr<DialogForm> form, QWidget* parent) const
{
    const auto opener = openers_.find(form->formName());
    if (opener == openers_.end())
        return false;
    opener->second(std::move(form), parent);
    return true;
}
