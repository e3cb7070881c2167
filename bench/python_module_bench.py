"""From Python, a 10-minute 48 kHz WAV opened, its spectrum and its Time FFT, against the same steps in numpy/scipy.

Run from the build folder: PYTHONPATH=python python3 ../bench/python_module_bench.py
Each side is timed as the minimum of its repetitions, both in the same run; the ratio is ours / numpy's.
"""
import pathlib
import tempfile
import time

import numpy as np
from scipy.io import wavfile

import marlune

RATE = 48000
SECONDS = 600
N = 1024
REPETITIONS = 5
TWO_PI = 6.2831852


def hanning(length):
    i = np.arange(length)
    return 0.5 - 0.5 * np.cos(TWO_PI * (i + 1) / (length + 1))


def ours(path):
    signal = marlune.open(path)[0]
    spectrum = marlune.spectrum(signal, window="hanning", output="magnitude")
    matrix = marlune.time_fft(signal, n=N, window="hanning", output="magnitude")
    return spectrum.samples, matrix.values


def numpys(path, segments):
    _, data = wavfile.read(path, mmap=False)
    x = data.astype(np.float32)
    count = len(x)
    size = 1 << (count - 1).bit_length()
    block = (x - x.mean(dtype=np.float64)).astype(np.float32) * hanning(count).astype(np.float32)
    spectrum = np.abs(np.fft.rfft(block, size))[1:] * (2 / size)
    hop = (count - N) // (segments - 1)
    frames = np.lib.stride_tricks.sliding_window_view(x, N)[::hop][:segments]
    frames = (frames - frames.mean(axis=1, keepdims=True)) * hanning(N).astype(np.float32)
    matrix = np.abs(np.fft.rfft(frames, axis=1))[:, 1:] * (2 / N)
    return spectrum, matrix


def minimum(function, *arguments):
    best = float("inf")
    for _ in range(REPETITIONS):
        start = time.perf_counter()
        function(*arguments)
        best = min(best, time.perf_counter() - start)
    return best


def main():
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / "ten-minutes.wav"
        samples = np.random.default_rng(1).normal(0, 3000, RATE * SECONDS).astype(np.int16)
        wavfile.write(path, RATE, samples)
        segments = int(len(samples) * 1.5 / N)
        spectrum, matrix = ours(path)
        reference_spectrum, reference_matrix = numpys(path, segments)
        assert matrix.shape == reference_matrix.shape, (matrix.shape, reference_matrix.shape)
        print(f"largest difference: spectrum {np.abs(spectrum - reference_spectrum).max() / spectrum.max():.1e}, "
              f"Time FFT {np.abs(matrix - reference_matrix).max() / matrix.max():.1e} (of the largest value)")
        ours_time = minimum(ours, path)
        numpy_time = minimum(numpys, path, segments)
        print(f"open + spectrum + Time FFT ({segments} segments of {N}), minimum of {REPETITIONS}: "
              f"marlune {ours_time:.3f} s, numpy/scipy {numpy_time:.3f} s, ratio {ours_time / numpy_time:.2f}")


if __name__ == "__main__":
    main()
