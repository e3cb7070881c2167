#include "ScriptProgress.h"

#include "ScriptUi.h"

namespace py = pybind11;

ScriptProgress::ScriptProgress(ScriptUi& ui, py::object callback) : ui_(ui), callback_(std::move(callback))
{
    if (callback_.is_none())
        return;
    ui_.setProgress([this](uint64_t done, uint64_t total) {
        py::gil_scoped_acquire locked;
        if (stopped_)
            return false;
        try {
            const py::object answer = callback_(done, total);
            stopped_ = !answer.is_none() && !answer.cast<bool>();
        } catch (...) {
            raised_ = std::current_exception();
            stopped_ = true;
        }
        return !stopped_;
    });
}

ScriptProgress::~ScriptProgress()
{
    ui_.setProgress(nullptr);
}

void ScriptProgress::finish()
{
    if (raised_)
        std::rethrow_exception(raised_);
    if (stopped_)
        throw ScriptCancelled();
}
