#include "tree/BatchUiServices.h"

#include <ostream>
#include <spawn.h>
#include <sys/wait.h>

#include "base/NoMoreMemory.h"

extern char** environ;

MessageResult BatchUiServices::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                          MessageIcon)
{
    messages_ << (caption.empty() ? "" : caption + ": ") << text << '\n';
    ranOutOfMemory_ = ranOutOfMemory_ || text == NoMoreMemoryText;
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageResult::No
                                                                                      : MessageResult::Ok;
}

bool BatchUiServices::runDialog(DialogForm& form)
{
    if (form.accept())
        return true;
    messages_ << "Not answered in a batch run: the dialog " << form.formName() << '\n';
    return false;
}

void BatchUiServices::openWithDesktop(const std::string& target)
{
    messages_ << "Not opened in a batch run: " << target << '\n';
}

bool BatchUiServices::startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    messages_ << "Not started in a batch run: " << program;
    for (const std::string& argument : arguments)
        messages_ << ' ' << argument;
    messages_ << '\n';
    return false;
}

int BatchUiServices::runProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return ProcessFailed;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return ProcessFailed;
    return WEXITSTATUS(status);
}
