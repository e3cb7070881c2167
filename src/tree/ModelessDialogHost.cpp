#include "tree/ModelessDialogHost.h"

namespace {
ModelessDialogHost* host = nullptr;
}  // namespace

ModelessDialogHost* ModelessDialogHost::installed()
{
    return host;
}

void ModelessDialogHost::install(ModelessDialogHost* newHost)
{
    host = newHost;
}
