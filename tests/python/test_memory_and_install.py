"""A long file is opened without a copy of its samples, and the module works from an installed prefix."""
import os
import pathlib
import shutil
import subprocess
import sys
import textwrap

import numpy as np
import pytest

import marlune

COUNT = 100_000_000


def resident_bytes_script(path):
    return textwrap.dedent(f"""
        import marlune
        def resident():
            for line in open("/proc/self/status"):
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) * 1024
        before = resident()
        signal = marlune.open({str(path)!r})[0]
        samples = signal.samples
        total = float(samples[::4096].sum()) + float(samples[-1])
        after = resident()
        print(after - before, samples.ctypes.data == signal.samples.ctypes.data, len(signal))
    """)


def test_a_hundred_million_samples_open_without_doubling_the_memory(tmp_path):
    path = tmp_path / "long.bin"
    marlune.write_bin(path, marlune.Signal(np.zeros(COUNT, dtype=np.float32), 1000.0))
    environment = dict(os.environ, PYTHONPATH=os.pathsep.join(sys.path))
    output = subprocess.run([sys.executable, "-c", resident_bytes_script(path)], env=environment, check=True,
                            capture_output=True, text=True, timeout=300).stdout.split()
    grown, same_block, count = int(output[0]), output[1] == "True", int(output[2])
    assert count == COUNT and same_block
    block = COUNT * 4
    assert block * 0.9 < grown < block * 1.3, f"{grown / block:.2f} blocks"


@pytest.mark.skipif(not os.environ.get("MARLUNE_BUILD_DIR"), reason="needs the build folder and its cmake")
def test_the_module_works_from_an_installed_prefix(tmp_path):
    prefix = tmp_path / "prefix"
    subprocess.run([os.environ.get("MARLUNE_CMAKE", "cmake"), "--install", os.environ["MARLUNE_BUILD_DIR"],
                    "--prefix", str(prefix)], check=True, capture_output=True, timeout=300)
    site = prefix / "lib" / f"python{sys.version_info.major}.{sys.version_info.minor}" / "dist-packages"
    assert list(site.glob("marlune.*.so"))
    wav = tmp_path / "tone.wav"
    marlune.write_wav(wav, marlune.generate("sin", rate=8000, seconds=0.5, maximum=1000, minimum=-1000, frequency=440))
    converted = tmp_path / "tone.flac"
    if shutil.which("sox"):
        subprocess.run(["sox", str(wav), str(converted)], check=True)
    script = textwrap.dedent(f"""
        import pathlib, marlune
        assert pathlib.Path(marlune.__file__).is_relative_to({str(prefix)!r}), marlune.__file__
        signal = marlune.open({str(converted if converted.exists() else wav)!r})[0]
        spectrum = marlune.spectrum(signal)
        print(round(spectrum.x[spectrum.samples.argmax()]))
    """)
    environment = {k: v for k, v in os.environ.items() if k != "PYTHONPATH"}
    environment["PYTHONPATH"] = str(site)
    result = subprocess.run([sys.executable, "-c", script], env=environment, cwd=tmp_path, capture_output=True,
                            text=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert abs(int(result.stdout) - 440) <= 8
