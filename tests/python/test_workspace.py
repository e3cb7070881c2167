"""Workspaces from Python give the numbers of the batch export of the same file, and follow changes of a root."""
import configparser
import shutil

import numpy as np
import pytest

import marlune
from conftest import run_export


def exported(folder):
    manifest = configparser.ConfigParser(interpolation=None)
    manifest.optionxform = str
    manifest.read(folder / "export" / "manifest.ini")
    return manifest


def matrix_file(path):
    rows = [line.split("\t") for line in path.read_text().splitlines()]
    return np.array([[float(v) for v in row[1:]] for row in rows[1:]], dtype=np.float64)


@pytest.mark.parametrize("workspace", ["spectral-analysis.mws", "calculator.mws"])
def test_every_window_holds_the_numbers_of_the_batch_export(workspace, example_folder, bin_dir, tmp_path):
    shutil.copytree(example_folder, tmp_path / "EXAMPLES")
    path = tmp_path / "EXAMPLES" / workspace
    result = run_export(bin_dir, tmp_path, path)
    assert result.returncode == 0, result.stderr
    manifest = exported(tmp_path)
    tree = marlune.Workspace.load(path)
    assert len(tree.windows) == len(manifest.sections())
    for window in tree.windows:
        section = manifest[f"Window_{window.number}"]
        assert window.title == section["Title"] and window.kind == int(section["Type"])
        data = window.data
        if isinstance(data, marlune.Signal):
            files = marlune.open(tmp_path / "export" / f"window-{window.number}.bin")
            np.testing.assert_array_equal(data.samples, files[0].samples)
            # The manifest writes six significant digits.
            assert data.rate == pytest.approx(float(section["SampleRate"]), rel=1e-5)
        elif isinstance(data, marlune.Matrix):
            np.testing.assert_allclose(data.values, matrix_file(tmp_path / "export" / f"window-{window.number}.txt"),
                                       rtol=1e-5, atol=1e-30)
        elif isinstance(data, float):
            assert data == pytest.approx(float(section["Value"]), rel=1e-6)


def test_windows_know_their_parents_and_are_found_by_title_or_number(example_folder):
    tree = marlune.Workspace.load(example_folder / "spectral-analysis.mws")
    first = tree.windows[0]
    assert tree[first.number].title == first.title and tree.window(first.title).number == first.number
    for window in tree.windows:
        for child in window.children:
            assert window.number in [p.number for p in child.parents]
    with pytest.raises(KeyError):
        tree["no such window"]
    with pytest.raises(KeyError):
        tree[400]


def test_a_changed_root_recomputes_its_subtree(example_folder):
    tree = marlune.Workspace()
    x = np.random.default_rng(3).normal(0, 1, 4096).astype(np.float32)
    root = tree.add_signal(marlune.Signal(x, 1000.0, title="noise"))
    assert root.children == [] and len(tree) == 1
    made = tree.apply_tool(example_folder.parent / "TOOLS" / "spectrum.mwt", root)
    spectrum = next(w for w in made if w.kind == 2)
    assert spectrum.parents[0].number == root.number
    before = spectrum.data.samples.copy()
    root.replace_samples(x * 2)
    np.testing.assert_array_equal(root.data.samples, x * 2)
    np.testing.assert_allclose(spectrum.data.samples, 2 * before, rtol=1e-5, atol=1e-6 * before.max())
    with pytest.raises(ValueError):
        root.replace_samples(np.zeros(0))


def test_a_tool_grows_under_a_signal_and_follows_its_changes(example_folder, tmp_path):
    x = np.random.default_rng(5).normal(0, 100, 8192).astype(np.float32)
    tree = marlune.Workspace()
    made = tree.apply_tool(example_folder.parent / "TOOLS" / "spectrum.mwt", marlune.Signal(x, 8000.0, title="n"))
    spectra = [w for w in made if w.kind == 2]
    assert spectra, [w.title for w in made]
    root = spectra[0].parents[0]
    before = spectra[0].data.samples.copy()
    root.zoom(0, 4095)
    after = spectra[0].data
    assert len(after) == 2048 and not np.array_equal(before[:2048], after.samples)
    root.zoom_back()
    np.testing.assert_array_equal(spectra[0].data.samples, before)

    tree.save(tmp_path / "grown.mws")
    with pytest.raises(marlune.FileError):
        tree.save(tmp_path / "missing-folder" / "grown.mws")
    with pytest.raises(marlune.FileError):
        tree.apply_tool(tmp_path / "no-such.mwt", root)


def test_a_workspace_that_cannot_be_opened_raises(tmp_path):
    with pytest.raises(marlune.FileError, match="Cannot open the workspace"):
        marlune.Workspace.load(tmp_path / "none.mws")
    orphan = tmp_path / "orphan.mws"
    orphan.write_text("[Root]\nRoot_1=Window_0\n\n[Window_0]\nType=22\nFileName=gone.wav\n")
    with pytest.raises(marlune.FileError, match="gone.wav"):
        marlune.Workspace.load(orphan)


def test_an_instrument_of_a_tool_reads_what_the_function_reads(example_folder):
    x = np.random.default_rng(9).normal(0, 10, 8192).astype(np.float32)
    tree = marlune.Workspace()
    made = tree.apply_tool(example_folder.parent / "TOOLS" / "spectrum-rms.mwt", marlune.Signal(x, 8000.0))
    meter = next(w for w in made if isinstance(w.data, float))
    parent = meter.parents[0].data
    assert meter.data == pytest.approx(marlune.instrument("rms", parent), rel=1e-12)
    assert meter.data == pytest.approx(np.sqrt(np.mean(parent.samples.astype(np.float64) ** 2)), rel=1e-6)
