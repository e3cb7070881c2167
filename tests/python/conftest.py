"""Fixtures of the Python module's tests: the build's program folder and small signal files."""
import os
import pathlib
import subprocess

import numpy as np
import pytest
from scipy.io import wavfile

BIN = pathlib.Path(os.environ.get("MARLUNE_BIN_DIR", pathlib.Path(__file__).parents[2] / "build" / "bin"))


@pytest.fixture(scope="session")
def bin_dir():
    return BIN


@pytest.fixture(scope="session")
def example_folder():
    return BIN / "EXAMPLES"


@pytest.fixture
def stereo_wav(tmp_path):
    """A 16-bit stereo WAV of two tones at 8000 Hz, and its samples."""
    t = np.arange(4000) / 8000.0
    left = np.round(8000 * np.sin(2 * np.pi * 500 * t)).astype(np.int16)
    right = np.round(3000 * np.sin(2 * np.pi * 1250 * t) + 100).astype(np.int16)
    path = tmp_path / "tones.wav"
    wavfile.write(path, 8000, np.stack([left, right], axis=1))
    return path, left, right


def run_export(bin_dir, folder, *arguments):
    """The batch export of the same build, without a display."""
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=str(folder), XDG_CONFIG_HOME=str(folder / "config"))
    return subprocess.run([str(bin_dir / "marlune32"), "--export", str(folder / "export"), *map(str, arguments)],
                          env=environment, capture_output=True, text=True, timeout=300)
