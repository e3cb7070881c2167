#include "ScriptWorkspace.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "ScriptMatrix.h"
#include "ScriptProgress.h"
#include "ScriptSession.h"
#include "ScriptSignal.h"
#include "fileio/InputFile.h"
#include "signal/SignalKind.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceLoader.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"

namespace py = pybind11;

namespace {
// One window of a workspace; it stays valid while the window is open.
struct ScriptWindow {
    std::shared_ptr<ScriptSession> session;
    marluneChild* window;

    marluneChild& open() const
    {
        if (!session->client().isRegistered(window))
            throw ScriptValueError("the window was closed");
        return *window;
    }
    marluneMDIChild& signalWindow() const
    {
        marluneMDIChild* shown = signalWindowOf(&open());
        if (!shown)
            throw ScriptValueError("window " + window->title() + " holds no signal");
        return *shown;
    }
};

std::vector<ScriptWindow> handles(const std::shared_ptr<ScriptSession>& session, const std::vector<marluneChild*>& windows)
{
    std::vector<ScriptWindow> handles;
    for (marluneChild* window : windows)
        if (window)
            handles.push_back({session, window});
    return handles;
}

py::object dataOf(const ScriptWindow& handle)
{
    marluneChild& window = handle.open();
    if (const marluneMDIChild* shown = signalWindowOf(&window))
        return py::cast(ScriptSignal::copyOfWindow(*shown));
    if (SignalKind::is3D(window.kind()))
        return py::cast(ScriptMatrix::ofWindow(static_cast<const marlune3DChild&>(window)));
    if (const std::optional<long double> reading = window.reading())
        return py::float_(double(*reading));
    return py::none();
}

// Runs a change of the tree with the session's lock and without the interpreter's.
template <typename Change>
auto changed(const std::shared_ptr<ScriptSession>& session, Change&& change)
{
    py::gil_scoped_release released;
    const std::lock_guard lock(session->lock());
    return change();
}

std::shared_ptr<ScriptSession> load(const std::filesystem::path& path, const std::vector<std::string>& files,
                                    const py::object& progress)
{
    auto session = ScriptSession::make();
    ScriptProgress report(session->ui(), progress);
    std::vector<std::string> missing;
    {
        py::gil_scoped_release released;
        if (!InputFile::open(path))
            throw ScriptFileError("Cannot open the workspace " + path.string() + ".");
        std::vector<std::string> arguments{"marlune32", path.string()};
        arguments.insert(arguments.end(), files.begin(), files.end());
        WorkspaceCommands& workspaces = session->client().workspaces();
        workspaces.setArguments(std::move(arguments));
        missing = workspaces.load(path.string());
    }
    report.finish();
    if (!missing.empty())
        throw ScriptFileError(session->messagesOr("Files of the workspace are missing."));
    return session;
}

ScriptWindow windowByKey(const std::shared_ptr<ScriptSession>& session, const py::object& key)
{
    marluneMDIClient& client = session->client();
    if (py::isinstance<py::int_>(key)) {
        const int number = key.cast<int>();
        if (marluneChild* window = client.window(number - 1))
            return {session, window};
        throw py::key_error("no window " + std::to_string(number));
    }
    const std::string title = py::str(key).cast<std::string>();
    for (marluneChild* window : client.windows())
        if (window->title() == title)
            return {session, window};
    throw py::key_error("no window is titled \"" + title + "\"");
}

}  // namespace

void bindWorkspace(py::module_& module)
{
    py::class_<ScriptWindow>(module, "Window", "A window of a Workspace: its data, its parents and children.")
        .def_property_readonly("title", [](const ScriptWindow& w) { return w.open().title(); },
                               "Its title, with its creation number before the \"#\".")
        .def_property_readonly(
            "number", [](const ScriptWindow& w) { return w.open().index() + 1; },
            "Its place in the window table, as the workspace's sections and the batch export's files count.")
        .def_property_readonly("kind", [](const ScriptWindow& w) { return w.open().kind(); },
                               "The kind code workspace files store as Type.")
        .def_property_readonly("invalid", [](const ScriptWindow& w) { return w.open().invalid(); },
                               "Whether the last computation gave nothing; the window keeps its last data.")
        .def_property_readonly("file_name", [](const ScriptWindow& w) { return w.open().fileName(); },
                               "The file a root window was read from; empty for the others.")
        .def_property_readonly("parents", [](const ScriptWindow& w) { return handles(w.session, w.open().parents()); },
                               "The windows it is computed from, the primary one first.")
        .def_property_readonly("children", [](const ScriptWindow& w) { return handles(w.session, w.open().children()); },
                               "The open windows computed from it.")
        .def_property_readonly("data", dataOf,
                               "A copy of its data: a Signal, a Matrix for a 3D window, the reading of an "
                               "instrument, or None.")
        .def(
            "zoom",
            [](const ScriptWindow& w, uint32_t first, uint32_t last) {
                marluneMDIChild& window = w.signalWindow();
                return changed(w.session, [&] {
                    if (!window.signal()->zoomIn(first, last))
                        return false;
                    window.setStateMark('~');
                    window.updateAfterChange();
                    return true;
                });
            },
            py::arg("first"), py::arg("last"),
            "Shows samples first ... last (absolute indices) and recomputes the subtree, each window once; False "
            "when the zoom is refused.")
        .def(
            "zoom_back",
            [](const ScriptWindow& w) {
                marluneMDIChild& window = w.signalWindow();
                return changed(w.session, [&] { return window.zoomOut(); });
            },
            "Back to the previous zoom, the subtree recomputed.")
        .def(
            "replace_samples",
            [](const ScriptWindow& w, const py::array& samples) {
                marluneMDIChild& window = w.signalWindow();
                const Signal& shown = *window.signal();
                auto record = recordOfArray(samples, double(shown.sampleRate()), 0, shown.kind());
                // The grid stays the window's own, to the last bit of its extended precision.
                record->setSampleRate(shown.sampleRate());
                record->setXOffset(shown.xOffset());
                changed(w.session, [&] {
                    window.replaceSignal(std::move(record));
                    window.updateAfterChange();
                });
            },
            py::arg("samples"),
            "New samples for the window (same rate and X offset), as live data brings them; the subtree is "
            "recomputed through the two-pass update, each window once.")
        .def("__repr__", [](const ScriptWindow& w) {
            return "<marlune.Window " + std::to_string(w.open().index() + 1) + " '" + w.open().title() + "'>";
        });

    py::class_<ScriptSession, std::shared_ptr<ScriptSession>>(module, "Workspace",
                                                              R"(A tree of windows without a display.

Workspace() starts an empty one; Workspace.load(path, files=[...]) loads a workspace file as
`marlune32 --export` does, "#2", "#3" ... of the file naming the files given, in order.)")
        .def(py::init(&ScriptSession::make))
        .def_static("load", load, py::arg("path"), py::arg("files") = std::vector<std::string>{},
                    py::arg("progress") = py::none(),
                    "Loads a workspace (.mws); marlune.FileError when it or one of its files cannot be opened.")
        .def_property_readonly(
            "windows",
            [](const std::shared_ptr<ScriptSession>& s) { return handles(s, s->client().windows()); },
            "Every window, in the order of the window table.")
        .def("window", windowByKey, py::arg("key"), "The window of that number or title.")
        .def("__getitem__", windowByKey, "tree[3] or tree[\"3#FFT(...)\"]: the window of that number or title.")
        .def(
            "add_signal",
            [](const std::shared_ptr<ScriptSession>& s, const ScriptSignal* signal) {
                const ScriptSignal& root = checkedSignal(signal, "signal");
                return changed(s, [&] { return ScriptWindow{s, &s->addRoot(root.record, root.title)}; });
            },
            py::arg("signal"), "A new root window showing the signal (its samples are not copied).")
        .def(
            "apply_tool",
            [](const std::shared_ptr<ScriptSession>& s, const std::filesystem::path& tool, const py::object& target) {
                if (!InputFile::open(tool))
                    throw ScriptFileError("Cannot open the tool " + tool.string() + ".");
                marluneChild* window = py::isinstance<ScriptWindow>(target)
                                           ? &target.cast<ScriptWindow>().open()
                                           : nullptr;
                if (!window) {
                    const ScriptSignal root = target.cast<ScriptSignal>();
                    window = changed(s, [&] { return &s->addRoot(root.record, root.title); });
                }
                const auto before = s->client().windows();
                changed(s, [&] {
                    s->client().setActiveChild(window);
                    WorkspaceLoader(s->client(), tool.string()).applyTool(window);
                });
                std::vector<marluneChild*> made;
                for (marluneChild* each : s->client().windows())
                    if (std::find(before.begin(), before.end(), each) == before.end())
                        made.push_back(each);
                if (made.empty())
                    throw ScriptValueError(s->messagesOr("the tool made no window"));
                return handles(s, made);
            },
            py::arg("tool"), py::arg("target"),
            "Applies a custom tool (.mwt) to a window, or to a signal put in a new root; the windows it made.")
        .def(
            "save",
            [](const std::shared_ptr<ScriptSession>& s, const std::filesystem::path& path) {
                const bool saved = changed(s, [&] { return WorkspaceWriter::saveWorkspace(s->client(), path.string()); });
                if (!saved)
                    throw ScriptFileError(s->messagesOr("Could not write " + path.string() + "."));
            },
            py::arg("path"), "Writes the workspace; a failed write leaves an old file as it was.")
        .def(
            "__len__", [](const std::shared_ptr<ScriptSession>& s) { return s->client().windows().size(); },
            "The number of open windows.");
}
