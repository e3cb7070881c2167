"""Each analysis against an independent double-precision reference written from the formulas of the program."""
import concurrent.futures
import math

import numpy as np
import pytest

import marlune

TWO_PI = 6.2831852  # the window formulas' own 2 pi


def hanning(length):
    i = np.arange(length)
    return 0.5 - 0.5 * np.cos(TWO_PI * (i + 1) / (length + 1))


def reference_spectrum(x, rate, window=None, expansion=1):
    """Magnitude of bins 1 ... n: the real split gives twice numpy's rfft, divided by N."""
    x = np.asarray(x, dtype=np.float64)
    count = len(x)
    size = 1 << max(count - 1, 1).bit_length() if count & (count - 1) else count
    size *= expansion
    block = x.copy()
    if window is not None or expansion > 1:
        block -= block.mean()
    if window is not None:
        block *= window(count)
    spectrum = np.fft.rfft(block, size)
    magnitude = 2 * np.abs(spectrum[1:size // 2 + 1]) / size
    return magnitude, rate / size, (size // 2 - 1) / (rate / 2 - rate / size)


def noise(count, seed=7):
    return np.random.default_rng(seed).normal(0, 1000, count).astype(np.float32)


def test_a_sine_on_bin_8_reads_its_amplitude_at_sample_7():
    i = np.arange(1024)
    signal = marlune.Signal(2 * np.sin(2 * np.pi * 8 * i / 1024), 1024.0)
    spectrum = marlune.spectrum(signal, window=None)
    assert len(spectrum) == 512 and spectrum.kind == 2 and spectrum.x_label == "Hz"
    assert spectrum.samples[7] == pytest.approx(2.0, rel=1e-5)
    assert spectrum.x[7] == pytest.approx(8.0)


@pytest.mark.parametrize("count, window, expansion", [
    (1000, None, 1), (1000, hanning, 1), (4096, hanning, 2), (777, None, 8), (5, hanning, 1)])
def test_spectra_match_the_double_precision_dft(count, window, expansion):
    x = noise(count)
    spectrum = marlune.spectrum(marlune.Signal(x, 8000.0), window="hanning" if window else None,
                                expansion=None if expansion == 1 else expansion)
    magnitude, offset, rate = reference_spectrum(x, 8000.0, window, expansion)
    np.testing.assert_allclose(spectrum.samples, magnitude, rtol=0, atol=2e-5 * magnitude.max())
    assert spectrum.x_offset == pytest.approx(offset) and spectrum.rate == pytest.approx(rate)
    assert spectrum.x[-1] == pytest.approx(4000.0)


def test_a_signal_in_another_unit_scales_its_spectrum_and_nothing_else():
    x = noise(2048)
    one = marlune.spectrum(marlune.Signal(x, 100.0))
    thousand = marlune.spectrum(marlune.Signal(x * 1000, 100.0))
    np.testing.assert_allclose(thousand.samples, one.samples * 1000, rtol=1e-4, atol=1e-3 * thousand.samples.max())
    # The dB outputs are against fixed references, so the unit's factor is the same 60 dB in every bin.
    db_one = marlune.spectrum(marlune.Signal(x, 100.0), output="db_max").samples
    db_thousand = marlune.spectrum(marlune.Signal(x * 1000, 100.0), output="db_max").samples
    np.testing.assert_allclose(db_thousand - db_one, 60.0, atol=1e-3)


def test_outputs_of_an_all_zero_block():
    silent = marlune.Signal(np.zeros(256), 1000.0)
    for output in ("db", "db_max"):
        assert set(marlune.spectrum(silent, output=output).samples) == {-120.0}
    for output in ("real", "imaginary", "magnitude", "phase"):
        assert not marlune.spectrum(silent, output=output).samples.any()


def test_averaging_takes_the_successive_states_and_gives_the_last_complete_average():
    blocks = [marlune.Signal(noise(512, seed), 1000.0) for seed in range(6)]
    averaged = marlune.spectrum(blocks[:4], window=None, averaging=4, output="real")
    reals = [np.real(np.fft.rfft(b.samples.astype(np.float64)))[1:257] * 2 / 512 for b in blocks[:4]]
    np.testing.assert_allclose(averaged.samples, np.mean(reals, axis=0), atol=1e-3)
    # Two more states do not complete a second average: the first one stays.
    np.testing.assert_array_equal(marlune.spectrum(blocks, window=None, averaging=4, output="real").samples,
                                  averaged.samples)
    with pytest.raises(ValueError, match="averaging=4 needs at least 4"):
        marlune.spectrum(blocks[:3], averaging=4)


@pytest.mark.parametrize("arguments, message", [
    ({"window": "kaiser"}, "window must be one of"),
    ({"output": "loudness"}, "output must be one of"),
    ({"expansion": 3}, "expansion must be"),
    ({"remove_peaks": 0}, "Wrong settings"),
    ({"averaging": 100}, "Wrong settings"),
    ({"smoothing": ("hanning", -3)}, "Wrong settings"),
    ({"test_peaks": 90}, "test_peaks must be"),
])
def test_settings_the_dialog_refuses_are_refused(arguments, message):
    with pytest.raises(ValueError, match=message):
        marlune.spectrum(marlune.Signal(noise(64), 100.0), **arguments)


def test_unknown_keywords_are_refused():
    with pytest.raises(TypeError, match="unexpected keyword argument 'windw'"):
        marlune.spectrum(marlune.Signal(noise(64), 100.0), windw="hanning")


def test_a_signal_too_short_for_a_spectrum_raises():
    with pytest.raises(ValueError):
        marlune.spectrum(marlune.Signal(np.ones(3), 100.0))


def reference_filter(x, rate, low, high, band_stop=False):
    count = len(x)
    size = 1 << (count - 1).bit_length()
    n = size // 2
    step = rate / size
    low, high = min(max(low, step), rate / 2), min(max(high, step), rate / 2)
    mean = x.mean()
    spectrum = np.fft.rfft(x - mean, size)
    scale = n / (rate / 2 - rate / n)
    j, k = int(scale * (low - step)), int(scale * (high - step))
    if band_stop:
        spectrum[j + 1:min(k, n) + 1] = 0
    else:
        spectrum[1:min(j, n) + 1] = 0
        spectrum[k + 1:n + 1] = 0
    return np.fft.irfft(spectrum, size)[:count] + mean


@pytest.mark.parametrize("kind, low, high", [("bandpass", 300, 900), ("lowpass", 0, 500), ("bandstop", 200, 1500),
                                             ("highpass", 1000, 4000)])
def test_filters_match_the_fft_reference(kind, low, high):
    x = noise(3000).astype(np.float64) + 50
    filtered = marlune.filter(marlune.Signal(x, 8000.0), kind, low, high)
    expected = reference_filter(x, 8000.0, low, high, band_stop=kind == "bandstop")
    np.testing.assert_allclose(filtered.samples, expected, atol=1e-3 * np.abs(x).max())


def test_detrend_smoothing_and_peak_removal_match_numpy():
    x = noise(1001).astype(np.float64) + 3 * np.arange(1001)
    detrended = marlune.detrend(marlune.Signal(x, 10.0)).samples
    line = np.polyval(np.polyfit(np.arange(1001), x, 1), np.arange(1001))
    np.testing.assert_allclose(detrended, x - line, atol=2e-3 * np.abs(x).max())

    smoothed = marlune.smooth(marlune.Signal(x, 10.0), "hanning", 9).samples
    kernel = hanning(9) / hanning(9).sum()
    padded = np.concatenate([x[3::-1], x, x[:-5:-1]])
    np.testing.assert_allclose(smoothed, np.convolve(padded, kernel, "valid"), rtol=1e-5)
    with pytest.raises(ValueError, match="Length must be positive value!"):
        marlune.smooth(marlune.Signal(x, 10.0), "hanning", 0)

    spiky = np.zeros(100)
    spiky[[10, 50]] = [100.0, -80.0]
    removed = marlune.remove_peaks(marlune.Signal(spiky, 1.0), k=2).samples
    assert removed[10] == pytest.approx(spiky.mean()) and removed[50] == pytest.approx(spiky.mean())
    assert removed[0] == 0.0


def test_extract_average_and_peak_hold():
    x = np.arange(100, dtype=np.float32)
    part = marlune.extract(marlune.Signal(x, 10.0), 2.0, 3.0)
    assert part.samples[0] == 20.0 and part.samples[-1] == 30.0 and part.x_offset == pytest.approx(2.0)
    states = [marlune.Signal(noise(64, seed), 1.0) for seed in range(5)]
    np.testing.assert_allclose(marlune.average(states).samples, np.mean([s.samples for s in states], axis=0),
                               rtol=1e-4, atol=1e-3)
    np.testing.assert_array_equal(marlune.peak_hold(states).samples, np.max([s.samples for s in states], axis=0))


def test_the_calculator_reads_from_left_to_right():
    a = marlune.Signal(np.array([1, 2, 3, 4], dtype=np.float32), 10.0)
    b = marlune.Signal(np.array([4, 3, 2, 1], dtype=np.float32), 10.0)
    np.testing.assert_array_equal(marlune.calculate("a - b * a", a=a, b=b).samples, (a.samples - b.samples) * a.samples)
    np.testing.assert_allclose(marlune.calculate("sqrt a + 10* b", a=a, b=b).samples,
                               np.sqrt(a.samples) + 10 * b.samples, rtol=1e-6)
    np.testing.assert_array_equal(marlune.calculate("a / b", a=a, b=marlune.Signal(np.zeros(4), 10.0)).samples, 0)
    for broken in ("a -", "a b", "- a", "a + c"):
        with pytest.raises(ValueError):
            marlune.calculate(broken, a=a, b=b)


def test_the_cross_spectrum_of_a_signal_with_itself_is_its_power():
    x = noise(1024)
    cross = marlune.calculate("x cross_spectrum x", window=None, x=marlune.Signal(x, 1024.0)).samples
    spectrum = np.fft.rfft(x.astype(np.float64))[1:513]
    np.testing.assert_allclose(cross, (2 * np.abs(spectrum)) ** 2, rtol=2e-4, atol=1e-3 * cross.max())


def test_the_generator_gives_the_hand_values():
    sine = marlune.generate("sin", rate=8000, samples=8, frequency=1000)
    np.testing.assert_allclose(sine.samples, [0, 0.7071, 1, 0.7071, 0, -0.7071, -1, -0.7071], atol=1e-4)
    assert sine.kind == 6 and len(marlune.generate("cos", rate=100, seconds=2)) == 200
    random = marlune.generate("random", minimum=0, maximum=1, samples=1000).samples
    assert set(random) == {0.0, 1.0}
    np.testing.assert_array_equal(marlune.generate("random", samples=100, number=3).samples,
                                  marlune.generate("random", samples=100, number=3).samples)
    with pytest.raises(ValueError):
        marlune.generate("sin", rate=float("nan"))


def test_instruments_read_what_numpy_reads():
    x = noise(999).astype(np.float64)
    signal = marlune.Signal(x, 100.0)
    x = signal.samples.astype(np.float64)
    assert marlune.instrument("mean", signal) == pytest.approx(x.mean(), rel=1e-6)
    assert marlune.instrument("std", signal) == pytest.approx(x.std(), rel=1e-6)
    assert marlune.instrument("max", signal) == x.max()
    assert marlune.instrument("rms", signal) == pytest.approx(math.sqrt((x * x).mean()), rel=1e-6)
    assert marlune.instrument("max_position", signal) == pytest.approx(x.argmax() / 100.0)
    assert marlune.instrument("value_at", signal, x=2.0) == x[200]
    with pytest.raises(ValueError, match="no instrument is called"):
        marlune.instrument("loudness", signal)
    with pytest.raises(TypeError):
        marlune.instrument("value_at", signal)


def test_each_time_fft_row_is_the_spectrum_of_its_segment():
    x = noise(20000)
    signal = marlune.Signal(x, 8000.0)
    matrix = marlune.time_fft(signal, n=1024, segments=40, window="hanning")
    assert matrix.values.shape == (40, 512)
    hop = (20000 - 1024) // 39
    for r in (0, 17, 39):
        segment = x[r * hop:r * hop + 1024]
        magnitude, _, _ = reference_spectrum(segment, 8000.0, hanning)
        np.testing.assert_allclose(matrix.values[r], magnitude, atol=2e-5 * magnitude.max())
    np.testing.assert_allclose(matrix.frequencies[[0, -1]], [8000 / 1024, 4000], rtol=1e-9)
    band = marlune.time_fft(signal, n=1024, segments=40, from_hz=1000, to_hz=2000)
    assert 1000 - 8 < band.frequencies[0] and band.frequencies[-1] < 2000 + 8
    with pytest.raises(ValueError, match="Frequency range values are not correct"):
        marlune.time_fft(signal, from_hz=3000, to_hz=1000)
    with pytest.raises(ValueError, match="Number of segments must be positive"):
        marlune.time_fft(signal, segments=0)


def test_progress_reports_and_a_false_answer_cancels():
    signal = marlune.Signal(noise(2_000_000), 48000.0)
    calls = []
    marlune.time_fft(signal, n=1024, segments=3000, progress=lambda done, total: calls.append((done, total)))
    assert calls and calls[-1][0] <= calls[-1][1]
    with pytest.raises(marlune.Cancelled):
        marlune.time_fft(signal, n=1024, segments=3000, progress=lambda done, total: False)
    with pytest.raises(ZeroDivisionError):
        marlune.time_fft(signal, n=1024, segments=3000, progress=lambda done, total: 1 / 0)


def test_threads_compute_the_same_numbers_concurrently():
    signal = marlune.Signal(noise(200_000), 8000.0)
    alone = marlune.time_fft(signal, n=512, segments=500).values
    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        results = list(pool.map(lambda _: marlune.time_fft(signal, n=512, segments=500).values, range(4)))
        spectra = list(pool.map(lambda _: marlune.spectrum(signal).samples, range(4)))
    for values in results:
        np.testing.assert_array_equal(values, alone)
    for values in spectra:
        np.testing.assert_array_equal(values, spectra[0])
