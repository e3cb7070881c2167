#pragma once
// The Python `Signal`: a record of the core and its window's title and axis labels.
#include <cstdint>
#include <memory>
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

class Signal;
class marluneMDIChild;
class ScriptSession;

// The record is shared, never copied: its samples are the numpy array `samples` hands out.
struct ScriptSignal {
    std::shared_ptr<Signal> record;
    std::string title;
    std::string xLabel;
    std::string yLabel;

    // The window's record as it stands, kept alive with its session.
    static ScriptSignal ofWindow(ScriptSession& session, const marluneMDIChild& window);
    // A record of its own with a copy of the window's samples, for windows whose tree goes on changing.
    static ScriptSignal copyOfWindow(const marluneMDIChild& window);

    // The samples as a float32 array over the record's memory, which the array keeps alive.
    pybind11::array_t<float> samples() const;
};

// A record of `kind` with a float32 copy of a one-dimensional array of real numbers; TypeError or
// ValueError for anything else, an empty array, or a rate or offset that is no finite number.
std::unique_ptr<Signal> recordOfArray(const pybind11::array& values, double rate, double xOffset, int32_t kind);

// A Python argument that must be a signal with at least one sample.
const ScriptSignal& checkedSignal(const ScriptSignal* signal, const char* argument);

void bindSignal(pybind11::module_& module);
