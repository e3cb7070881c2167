#include "soundcard/marluneSter.h"

#include "signal/SignalKind.h"
#include "soundcard/marluneSB.h"
#include "tree/CommandIds.h"

marluneSter::marluneSter(marluneSB& acquisition, std::unique_ptr<Signal> signal)
    : marluneMDIChild(acquisition.client(), SignalKind::Acquisition, std::move(signal)), acquisition_(&acquisition)
{
    setFixedMinMax(true);
    setXLabel("sec");
}

marluneSter::~marluneSter()
{
    if (acquisition_)
        acquisition_->companion_ = nullptr;
}

void marluneSter::recordingComplete()
{
    if (acquisition_)
        acquisition_->recordingComplete();
}

std::optional<CommandState> marluneSter::commandState(int id) const
{
    if (acquisition_ && (id == Cmd::Start || id == Cmd::Stop))
        return acquisition_->commandState(id);
    return marluneMDIChild::commandState(id);
}

bool marluneSter::command(int id)
{
    if (acquisition_ && (id == Cmd::Start || id == Cmd::Stop))
        return acquisition_->command(id);
    return marluneMDIChild::command(id);
}
