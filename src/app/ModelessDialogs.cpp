#include "app/ModelessDialogs.h"

#include <QApplication>

#include "tree/FilterControlForm.h"
#include "tree/ui/FilterControlDlg.h"

ModelessDialogs& ModelessDialogs::desktop()
{
    static ModelessDialogs host;
    return host;
}

void ModelessDialogs::open(std::shared_ptr<DialogForm> form)
{
    // The name identifies the form's class, so the cast is safe.
    if (form->formName() == FilterControlForm::Name)
        FilterControlDlg::open(std::static_pointer_cast<FilterControlForm>(std::move(form)), QApplication::activeWindow());
}
