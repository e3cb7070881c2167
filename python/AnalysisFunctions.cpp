#include "AnalysisFunctions.h"

#include <array>
#include <cmath>
#include <utility>

#include <pybind11/stl.h>

#include "NameTable.h"
#include "ScriptSession.h"
#include "ScriptSignal.h"
#include "SpectralArguments.h"
#include "dsp/CalcOperator.h"
#include "dsp/CalcProgram.h"
#include "dsp/GeneratorParameters.h"
#include "instruments/InstrumentKinds.h"
#include "signal/SharedSamplesSignal.h"
#include "signal/SignalKind.h"
#include "tree/CalcWindows.h"
#include "tree/DerivedWindows.h"
#include "tree/GeneratorCommand.h"
#include "tree/marluneMDIChild.h"

namespace py = pybind11;

namespace {
// One signal, or the successive states of a parent (as pages of an acquisition come) as a sequence.
std::vector<ScriptSignal> updatesOf(const py::object& signals)
{
    if (py::isinstance<ScriptSignal>(signals))
        return {signals.cast<ScriptSignal>()};
    if (signals.is_none() || !py::isinstance<py::sequence>(signals) || py::isinstance<py::str>(signals))
        throw py::type_error("signal must be a marlune.Signal or a sequence of them");
    std::vector<ScriptSignal> updates;
    for (const py::handle item : signals) {
        if (!py::isinstance<ScriptSignal>(item))
            throw py::type_error("every item of the sequence must be a marlune.Signal");
        updates.push_back(item.cast<ScriptSignal>());
    }
    if (updates.empty())
        throw ScriptValueError("the sequence holds no signal");
    return updates;
}

// The window of `kind` under a root showing the first signal, then each further signal in its place with
// the tree updated after it, as the workstation recomputes a window whose parent changed.
ScriptSignal derive(const std::vector<ScriptSignal>& updates, int32_t kind, const PendingParameters& parameters,
                    const SpectralSettings& spectral, const char* what)
{
    py::gil_scoped_release released;
    const auto session = ScriptSession::make();
    marluneMDIChild& root = session->addRoot(updates.front().record, updates.front().title);
    auto* window = DerivedWindows::create(session->client(), root, kind, parameters, &spectral);
    if (!window)
        throw ScriptValueError(session->messagesOr(std::string("no ") + what + " can be computed from this signal"));
    for (std::size_t i = 1; i < updates.size(); ++i) {
        root.replaceSignal(std::make_unique<SharedSamplesSignal>(&root, updates[i].record));
        root.updateAfterChange();
    }
    if (window->invalid() || window->signal()->sampleRate() == 0)
        throw ScriptValueError(session->messagesOr(std::string("no ") + what + " can be computed from this signal"));
    return ScriptSignal::ofWindow(*session, *window);
}

ScriptSignal spectrum(const py::object& signals, py::kwargs arguments)
{
    const SpectralSettings settings = spectralArguments(arguments);
    refuseOtherArguments(arguments, "spectrum");
    const auto updates = updatesOf(signals);
    if (settings.type == SpectrumType::Averaged && updates.size() < std::size_t(settings.average))
        throw ScriptValueError("averaging=" + std::to_string(settings.average) + " needs at least " +
                               std::to_string(settings.average) + " successive signals, not " +
                               std::to_string(updates.size()));
    return derive(updates, SignalKind::Spectrum, {}, settings, "spectrum");
}

constexpr std::array FilterTypes{"bandstop", "bandpass", "lowpass", "highpass"};

ScriptSignal filter(const ScriptSignal* signal, const std::string& type, double from, std::optional<double> to)
{
    const ScriptSignal& parent = checkedSignal(signal, "signal");
    const std::size_t code = codeOfName(FilterTypes, type, "type");
    // The dialog opens on 0 and half the sample rate, and a low pass starts at 0 whatever is typed.
    const long double top = to ? *to : parent.record->sampleRate() / 2;
    const long double bottom = type == "lowpass" ? 0 : from;
    if (!std::isfinite(double(bottom)) || !std::isfinite(double(top)))
        throw ScriptValueError("the frequencies must be finite");
    return derive({parent}, SignalKind::Filtered, {bottom, top, (long double)(code + 1)}, {}, "filter");
}

constexpr std::array SmoothingWindows{"hanning", "hamming", "blackman", "rectangle"};

ScriptSignal smooth(const ScriptSignal* signal, const std::string& window, long length)
{
    const std::size_t code = codeOfName(SmoothingWindows, window, "window");
    if (length <= 0)
        throw ScriptValueError("Length must be positive value!");
    return derive({checkedSignal(signal, "signal")}, SignalKind::Smoothed, {(long double)code, (long double)length},
                  {}, "smoothing");
}

ScriptSignal simple(const ScriptSignal* signal, int32_t kind, const char* what)
{
    return derive({checkedSignal(signal, "signal")}, kind, {}, {}, what);
}

// The calculator's operators under names a Python expression can spell.
struct OperatorName {
    const char* name;
    char code;
};
constexpr std::array OperatorNames{
    OperatorName{"(1/10)*", '3'},        OperatorName{"(1/2)*", '4'},       OperatorName{"10*", '1'},
    OperatorName{"2*", '5'},             OperatorName{"-", '-'},            OperatorName{"+", '+'},
    OperatorName{"*", '*'},              OperatorName{"/", '/'},            OperatorName{"conv", 'c'},
    OperatorName{"smooth", 'o'},         OperatorName{"cross_spectrum", 'S'}, OperatorName{"dbr", 'D'},
    OperatorName{"coherence", 'C'},      OperatorName{"cross_gain", 'G'},   OperatorName{"phase_shift", 'P'},
    OperatorName{"sqrt", 's'},           OperatorName{"squared", '2'},      OperatorName{"log", 'l'},
};

bool isNameCharacter(char c) { return std::isalnum((unsigned char)c) || c == '_'; }

// Operators, and names of operands, read from left to right.
std::vector<std::string> tokensOf(const std::string& expression)
{
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while (at < expression.size()) {
        if (std::isspace((unsigned char)expression[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < expression.size() && isNameCharacter(expression[end]))
            ++end;
        // A word, unless a symbol of an operator ("2*", "10*") starts here.
        for (const OperatorName& op : OperatorNames) {
            const std::string_view name(op.name);
            if (!isNameCharacter(name.back()) && expression.compare(at, name.size(), name) == 0) {
                end = at + name.size();
                break;
            }
        }
        if (end == at)
            throw ScriptValueError("the expression cannot be read at \"" + expression.substr(at) + "\"");
        tokens.push_back(expression.substr(at, end - at));
        at = end;
    }
    return tokens;
}

ScriptSignal calculate(const std::string& expression, py::kwargs arguments)
{
    const SpectralSettings settings = spectralArguments(arguments);
    std::vector<std::pair<std::string, ScriptSignal>> operands;
    for (const auto& item : arguments) {
        if (!py::isinstance<ScriptSignal>(item.second))
            throw py::type_error("operand " + py::str(item.first).cast<std::string>() + " must be a marlune.Signal");
        operands.emplace_back(py::str(item.first).cast<std::string>(), item.second.cast<ScriptSignal>());
    }
    const std::vector<std::string> tokens = tokensOf(expression);
    py::gil_scoped_release released;
    const auto session = ScriptSession::make();
    std::vector<std::pair<std::string, int32_t>> windows;
    CalcProgram program;
    for (const std::string& token : tokens) {
        const auto op = std::find_if(OperatorNames.begin(), OperatorNames.end(),
                                     [&](const OperatorName& o) { return token == o.name; });
        if (op != OperatorNames.end()) {
            program.appendOperator(*CalcOperator::byCode(op->code));
            continue;
        }
        auto known = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.first == token; });
        if (known == windows.end()) {
            const auto given = std::find_if(operands.begin(), operands.end(), [&](const auto& o) { return o.first == token; });
            if (given == operands.end())
                throw ScriptValueError("the expression names " + token + ", which is no operator and no signal given");
            marluneMDIChild& root = session->addRoot(given->second.record, token);
            windows.emplace_back(token, root.index());
            known = windows.end() - 1;
        }
        program.appendOperand(uint32_t(known->second));
    }
    if (!program.complete())
        throw ScriptValueError("the expression \"" + expression +
                               "\" is not [unary] operand { binary [unary] operand }, read from left to right");
    marluneMDIChild* window = CalcWindows::create(session->client(), program, settings);
    if (!window || window->invalid())
        throw ScriptValueError(session->messagesOr("the calculator computes nothing from \"" + expression + "\""));
    return ScriptSignal::ofWindow(*session, *window);
}

ScriptSignal generate(const std::string& function, double rate, double seconds, std::optional<double> samples,
                      double maximum, double minimum, double frequency, unsigned number)
{
    const auto& names = GeneratorParameters::TitleNames;
    const auto found = std::find(names.begin(), names.end(), function == "triangle" ? "triang" : function);
    if (found == names.end())
        throw ScriptValueError("function must be one of sin, cos, step, random, hanning, hamming, blackman, const, "
                               "triangle, not " + function);
    GeneratorParameters parameters = GeneratorParameters::initial();
    const long double count = samples ? std::trunc((long double)*samples) : std::trunc((long double)rate * seconds);
    parameters.param[0] = rate;
    parameters.param[1] = samples ? count / rate : (long double)seconds;
    parameters.param[2] = count;
    parameters.param[3] = maximum;
    parameters.param[4] = minimum;
    parameters.param[5] = frequency;
    parameters.param[6] = (long double)(found - names.begin());
    if (!parameters.usable())
        throw ScriptValueError("the generator makes no signal of these parameters");
    if (number == 0)
        throw ScriptValueError("number counts from 1");
    py::gil_scoped_release released;
    const auto session = ScriptSession::make();
    // The creation number seeds the random values: window n of a session has its own.
    for (unsigned i = 1; i < number; ++i)
        session->client().nextCreationNumber();
    marluneMDIChild* window = GeneratorCommand::create(session->client(), parameters);
    if (!window)
        throw ScriptValueError(session->messagesOr("the generator made no signal"));
    return ScriptSignal::ofWindow(*session, *window);
}

struct InstrumentName {
    const char* name;
    int32_t kind;
};
constexpr std::array InstrumentNames{
    InstrumentName{"mean", InstrumentKinds::Mean},
    InstrumentName{"std", InstrumentKinds::StandardDeviation},
    InstrumentName{"max", InstrumentKinds::Maximum},
    InstrumentName{"min", InstrumentKinds::Minimum},
    InstrumentName{"value_at", InstrumentKinds::ValueAt},
    InstrumentName{"max_position", InstrumentKinds::MaximumPosition},
    InstrumentName{"min_position", InstrumentKinds::MinimumPosition},
    InstrumentName{"sum", InstrumentKinds::Sum},
    InstrumentName{"rms", InstrumentKinds::Rms},
    InstrumentName{"rms_about_mean", InstrumentKinds::RmsAboutMean},
    InstrumentName{"thd", InstrumentKinds::Thd},
    InstrumentName{"snr", InstrumentKinds::Snr},
};

double instrument(const std::string& name, const ScriptSignal* signal, std::optional<double> x)
{
    const ScriptSignal& parent = checkedSignal(signal, "signal");
    const auto found = std::find_if(InstrumentNames.begin(), InstrumentNames.end(),
                                    [&](const InstrumentName& i) { return name == i.name; });
    if (found == InstrumentNames.end()) {
        std::string known;
        for (const InstrumentName& each : InstrumentNames)
            known += std::string(known.empty() ? "" : ", ") + each.name;
        throw ScriptValueError("no instrument is called " + name + "; there are " + known);
    }
    if ((found->kind == InstrumentKinds::ValueAt) != x.has_value())
        throw py::type_error(found->kind == InstrumentKinds::ValueAt ? "value_at needs x" : "only value_at takes x");
    PendingParameters parameters;
    if (x)
        parameters.push_back(*x);
    py::gil_scoped_release released;
    const auto session = ScriptSession::make();
    marluneMDIChild& root = session->addRoot(parent.record, parent.title);
    marluneChild* window = DerivedWindows::createChild(session->client(), root, found->kind, parameters);
    const std::optional<long double> reading = window ? window->reading() : std::nullopt;
    if (!reading || window->invalid())
        throw ScriptValueError(session->messagesOr("the instrument reads nothing from this signal"));
    return double(*reading);
}
}  // namespace

void bindAnalysisFunctions(py::module_& module)
{
    module.def("spectrum", spectrum, py::arg("signal"),
               (std::string(R"(The spectrum of a signal, as a spectrum window ("FFT") shows it.

`signal` is one Signal, or a sequence of them: the successive states of the parent, each an update of
the window, as an averaged spectrum (averaging=A) needs A of them; the result is the last complete average.
Bin i lies at x_offset + i / rate hertz, from the frequency of bin 1 to the Nyquist frequency.

)") + SpectralArgumentsHelp).c_str());
    module.def("filter", filter, py::arg("signal"), py::arg("type") = "bandpass", py::arg("from_hz") = 0.0,
               py::arg("to_hz") = py::none(),
               R"(The FFT filter of the "Filter" dialog: type "bandpass", "bandstop", "lowpass" or "highpass"
between from_hz and to_hz (by default half the sample rate); both are clamped to the usable band.)");
    module.def("smooth", smooth, py::arg("signal"), py::arg("window") = "hanning", py::arg("length") = 15,
               R"(Smoothing with a normalised kernel ("hanning", "hamming", "blackman" or "rectangle") of
`length` samples, with mirrored edges.)");
    module.def(
        "detrend", [](const ScriptSignal* s) { return simple(s, SignalKind::Detrended, "detrended signal"); },
        py::arg("signal"), "The signal less its least-squares line.");
    module.def(
        "cepstrum", [](const ScriptSignal* s) { return simple(s, SignalKind::Cepstrum, "cepstrum"); },
        py::arg("signal"), "The cepstrum of the signal, X in seconds.");
    module.def(
        "remove_peaks",
        [](const ScriptSignal* s, double k) {
            return derive({checkedSignal(s, "signal")}, SignalKind::PeaksRemoved, {(long double)k}, {},
                          "peak removal");
        },
        py::arg("signal"), py::arg("k") = 2.0,
        "Values more than k standard deviations from the mean replaced by the mean.");
    module.def(
        "extract",
        [](const ScriptSignal* s, double from, double to) {
            return derive({checkedSignal(s, "signal")}, SignalKind::ExtractedFromTo, {from, to}, {}, "part");
        },
        py::arg("signal"), py::arg("x_from"), py::arg("x_to"), "The samples between two X values (\"Extract\").");
    module.def(
        "average",
        [](const py::object& signals) { return derive(updatesOf(signals), SignalKind::Averager, {}, {}, "average"); },
        py::arg("signals"), "The averager over successive states of a parent: the mean of all of them, sample by sample.");
    module.def(
        "peak_hold",
        [](const py::object& signals) { return derive(updatesOf(signals), SignalKind::PeakHold, {}, {}, "peak hold"); },
        py::arg("signals"), "The peak hold over successive states of a parent: the largest value of each sample.");
    module.def("calculate", calculate, py::arg("expression"),
               (std::string(R"(The signal calculator: an expression over the signals given as keyword arguments.

    marlune.calculate("a - b", a=left, b=right)
    marlune.calculate("sqrt x * 10* y", x=one, y=other)

It is read strictly from left to right, [unary] operand { binary [unary] operand }, as the dialog builds
it. Binary operators: - + * / conv smooth cross_spectrum dbr coherence cross_gain phase_shift; unary:
sqrt squared log 2* 10* (1/10)* (1/2)*. Spectral operators use the spectral settings below.

)") + SpectralArgumentsHelp).c_str());
    module.def("generate", generate, py::arg("function") = "sin", py::arg("rate") = 8000.0, py::arg("seconds") = 1.0,
               py::arg("samples") = py::none(), py::arg("maximum") = 1.0, py::arg("minimum") = -1.0,
               py::arg("frequency") = 1000.0, py::arg("number") = 1,
               R"(The signal generator: sin, cos, step, random, hanning, hamming, blackman, const or triangle,
between minimum and maximum, `samples` long (by default rate x seconds). `number` is the window's
creation number, which seeds the random values, so generate("random", number=n) is window n's signal.)");
    module.def("instrument", instrument, py::arg("name"), py::arg("signal"), py::arg("x") = py::none(),
               R"(An instrument's reading of the signal: mean, std, max, min, value_at (needs x), max_position,
min_position, sum, rms, rms_about_mean, thd, snr.)");
}
