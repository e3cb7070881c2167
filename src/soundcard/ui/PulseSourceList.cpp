#include "soundcard/ui/PulseSourceList.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/rtclock.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <memory>

namespace {
// A local server answers in milliseconds; one that takes longer is taken for gone.
constexpr pa_usec_t Patience = 2 * PA_USEC_PER_SEC;

struct Query {
    PulseSourceList list;
    int answersDue = 0;
};

void serverInfo(pa_context*, const pa_server_info* info, void* data)
{
    auto& query = *static_cast<Query*>(data);
    if (info && info->default_source_name)
        query.list.defaultSource = info->default_source_name;
    --query.answersDue;
}

void sourceInfo(pa_context*, const pa_source_info* info, int last, void* data)
{
    auto& query = *static_cast<Query*>(data);
    if (last) {
        --query.answersDue;
        return;
    }
    if (info && info->name)
        query.list.sources.push_back({info->name, info->description ? info->description : info->name});
}
}  // namespace

std::optional<PulseSourceList> PulseSourceList::query()
{
    const std::unique_ptr<pa_mainloop, decltype(&pa_mainloop_free)> loop(pa_mainloop_new(), pa_mainloop_free);
    if (!loop)
        return std::nullopt;
    const std::unique_ptr<pa_context, decltype(&pa_context_unref)> context(
        pa_context_new(pa_mainloop_get_api(loop.get()), "Marlune"), pa_context_unref);
    if (!context || pa_context_connect(context.get(), nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return std::nullopt;
    Query query;
    bool asked = false;
    const pa_usec_t deadline = pa_rtclock_now() + Patience;
    std::optional<PulseSourceList> answer;
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context.get());
        if (!PA_CONTEXT_IS_GOOD(state))
            break;
        if (state == PA_CONTEXT_READY && !asked) {
            asked = true;
            pa_operation* const operations[] = {pa_context_get_server_info(context.get(), serverInfo, &query),
                                                pa_context_get_source_info_list(context.get(), sourceInfo, &query)};
            for (pa_operation* operation : operations)
                if (operation) {
                    ++query.answersDue;
                    pa_operation_unref(operation);
                }
            if (query.answersDue < 2)
                break;
        }
        if (asked && query.answersDue == 0) {
            answer = std::move(query.list);
            break;
        }
        const pa_usec_t now = pa_rtclock_now();
        if (now >= deadline || pa_mainloop_prepare(loop.get(), int(deadline - now)) < 0 ||
            pa_mainloop_poll(loop.get()) < 0 || pa_mainloop_dispatch(loop.get()) < 0)
            break;
    }
    pa_context_disconnect(context.get());
    return answer;
}

const PulseSourceList::Source* PulseSourceList::find(const std::string& name) const
{
    const auto found = std::find_if(sources.begin(), sources.end(), [&name](const Source& s) { return s.name == name; });
    return found == sources.end() ? nullptr : &*found;
}
