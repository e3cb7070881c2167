#pragma once
// A script's progress callback, called with the interpreter's lock from whichever thread reports.
#include <exception>

#include <pybind11/pybind11.h>

class ScriptUi;

// Raised as marlune.Cancelled: the callback answered False.
class ScriptCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "the computation was cancelled"; }
};

// For its lifetime, long computations of `ui` call `callback(done, total)`; an answer of False (or an
// exception) stops them. finish() raises what the callback raised, or ScriptCancelled when it stopped.
class ScriptProgress {
public:
    ScriptProgress(ScriptUi& ui, pybind11::object callback);
    ~ScriptProgress();
    ScriptProgress(const ScriptProgress&) = delete;
    ScriptProgress& operator=(const ScriptProgress&) = delete;

    void finish();

private:
    ScriptUi& ui_;
    pybind11::object callback_;
    std::exception_ptr raised_;
    bool stopped_ = false;
};
