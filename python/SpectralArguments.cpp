#include "SpectralArguments.h"

#include <array>
#include <string_view>

#include "NameTable.h"
#include "ScriptSession.h"
#include "dsp/SpectrumOutput.h"
#include "dsp/TapWindow.h"
#include "settings/SpectralSettingsIni.h"

namespace py = pybind11;

namespace {
// The window types in the order of their codes, as the dialogs list them.
constexpr std::array WindowNames{"hanning", "hamming", "blackman", "rectangle", "triangle"};
// The output quantities in the order of their codes.
constexpr std::array OutputNames{"real", "imaginary", "magnitude", "db", "phase", "db_max", "psd", "welch"};

template <std::size_t N>
int32_t codeOf(const py::handle& value, const std::array<const char*, N>& names, const char* argument)
{
    return int32_t(codeOfName(names, py::str(value).cast<std::string>(), argument));
}

// Takes the argument out of the dictionary; none when it was not given.
std::optional<py::object> take(py::kwargs& arguments, const char* name)
{
    if (!arguments.contains(name))
        return std::nullopt;
    py::object value = arguments[name];
    PyDict_DelItemString(arguments.ptr(), name);
    return value;
}

int32_t integerIn(const py::object& value, const char* argument, long low, long high)
{
    if (py::isinstance<py::bool_>(value) || !py::isinstance<py::int_>(value))
        throw py::type_error(std::string(argument) + " must be an integer");
    const long number = value.cast<long>();
    if (number < low || number > high)
        throw ScriptValueError("Wrong settings !!: " + std::string(argument) + " must be " + std::to_string(low) +
                               " ... " + std::to_string(high) + ", not " + std::to_string(number));
    return int32_t(number);
}

int32_t flag(const py::object& value) { return value.cast<bool>() ? 1 : 0; }
}  // namespace

const char* const SpectralArgumentsHelp = R"(Spectral settings, as the "Spectral analysis defaults" dialog names them:
    window: "hanning" (the default), "hamming", "blackman", "rectangle", "triangle", or None for no window
    output: "magnitude" (the default), "real", "imaginary", "db" (10*log10 of the power / N: dB relative
        to a full-scale value of 1), "phase" (degrees), "db_max" (dB with the maximum at 0), "psd" (power
        spectral density), "welch" (power spectrum by Welch's method)
    expansion: None, or the zero expansion factor 2, 4 or 8
    subtract_mean, remove_trend: bool
    remove_peaks: None, or the limit k (1 ... 100): values beyond k standard deviations are replaced
    smoothing: None, or (window, length): the output smoothed with a kernel of that type and length
    test_peaks: None, or the confidence 95 or 99: only the significant peaks kept (magnitude only)
    averaging: 0 (each spectrum alone), or the number of spectra averaged (1 ... 99))";

SpectralSettings spectralArguments(py::kwargs& arguments)
{
    SpectralSettings s = builtInSpectralDefaults({});
    if (const auto value = take(arguments, "window")) {
        s.doTaper = value->is_none() ? 0 : 1;
        if (!value->is_none())
            s.window = codeOf(*value, WindowNames, "window");
    }
    if (const auto value = take(arguments, "output"))
        s.show = codeOf(*value, OutputNames, "output");
    if (const auto value = take(arguments, "expansion")) {
        s.doExpandWithZeros = value->is_none() ? 0 : 1;
        if (!value->is_none()) {
            const int32_t factor = integerIn(*value, "expansion", 2, 8);
            if (factor != 2 && factor != 4 && factor != 8)
                throw ScriptValueError("expansion must be None, 2, 4 or 8, not " + std::to_string(factor));
            s.expandWithZerosVal = factor == 2 ? 0 : factor == 4 ? 1 : 2;
        }
    }
    if (const auto value = take(arguments, "subtract_mean"))
        s.doNormalize = flag(*value);
    if (const auto value = take(arguments, "remove_trend"))
        s.doRemoveLinTrend = flag(*value);
    if (const auto value = take(arguments, "remove_peaks")) {
        s.doRemovePeaks = value->is_none() ? 0 : 1;
        if (!value->is_none())
            s.removePeaksVal = integerIn(*value, "remove_peaks", 1, 100);
    }
    if (const auto value = take(arguments, "smoothing")) {
        s.doSmooth = value->is_none() ? 0 : 1;
        if (!value->is_none()) {
            const auto pair = value->cast<py::tuple>();
            if (pair.size() != 2)
                throw py::type_error("smoothing must be a pair (window, length)");
            s.smoothWindow = codeOf(pair[0], WindowNames, "smoothing window");
            // A negative length would mirror nothing: the dialog's "not 0" is kept as "above 0".
            s.smoothLen = integerIn(pair[1].cast<py::object>(), "smoothing length", 1, 9999);
        }
    }
    if (const auto value = take(arguments, "test_peaks")) {
        s.doTestPeaks = value->is_none() ? 0 : 1;
        if (!value->is_none()) {
            const int32_t confidence = integerIn(*value, "test_peaks", 95, 99);
            if (confidence != 95 && confidence != 99)
                throw ScriptValueError("test_peaks must be None, 95 or 99, not " + std::to_string(confidence));
            s.testPeaksLevel = confidence == 95 ? 5 : 1;
        }
    }
    if (const auto value = take(arguments, "averaging")) {
        s.average = integerIn(*value, "averaging", 0, 99);
        s.type = s.average > 0 ? SpectrumType::Averaged : SpectrumType::Instantaneous;
    }
    return s;
}

void refuseOtherArguments(const py::kwargs& arguments, const char* function)
{
    for (const auto& item : arguments)
        throw py::type_error(std::string(function) + "() got an unexpected keyword argument '" +
                             py::str(item.first).cast<std::string>() + "'");
}
