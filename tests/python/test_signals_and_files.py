"""Signals from arrays and files: the samples are the program's, unchanged and shared, and bad input is refused."""
import os
import shutil
import subprocess

import numpy as np
import pytest
from scipy.io import wavfile

import marlune


def test_a_stereo_wav_opens_as_two_signals_with_the_files_values(stereo_wav):
    path, left, right = stereo_wav
    signals = marlune.open(path)
    assert [s.kind for s in signals] == [22, 22]
    assert [s.rate for s in signals] == [8000.0, 8000.0]
    assert signals[0].title.endswith("tones.wav-1") and signals[1].title.endswith("tones.wav-2")
    np.testing.assert_array_equal(signals[0].samples, left.astype(np.float32))
    np.testing.assert_array_equal(signals[1].samples, right.astype(np.float32))
    assert signals[0].x[3] == pytest.approx(3 / 8000.0)


def test_samples_are_a_view_of_the_signal_not_a_copy(stereo_wav):
    signal = marlune.open(stereo_wav[0])[0]
    first, second = signal.samples, signal.samples
    assert first.dtype == np.float32 and np.shares_memory(first, second)
    first[0] = 12345.0
    assert signal.samples[0] == 12345.0
    # The array keeps the signal alive after the signal itself is gone.
    view = marlune.open(stereo_wav[0])[1].samples
    assert view[:3].tolist() == view[:3].tolist()
    del signal
    assert np.isfinite(view).all()


def test_every_writer_round_trips_through_the_readers(tmp_path):
    values = np.array([0.5, -3.25, 1e-3, 32767.0, -32768.0, 7.0, 8.0, 9.0], dtype=np.float32)
    signal = marlune.Signal(values, 44100.0, x_offset=0.25, title="made")
    marlune.write_bin(tmp_path / "a.bin", signal)
    again = marlune.open(tmp_path / "a.bin")[0]
    np.testing.assert_array_equal(again.samples, values)
    assert again.rate == 44100.0

    marlune.write_wav(tmp_path / "a.wav", signal)
    rate, written = wavfile.read(tmp_path / "a.wav")
    assert rate == 44100 and written.dtype == np.int16
    np.testing.assert_array_equal(written, np.trunc(values).astype(np.int16))

    marlune.export_ascii(tmp_path / "a.txt", signal)
    table = np.loadtxt(tmp_path / "a.txt")
    # The export writes six significant digits.
    np.testing.assert_allclose(table[:, 0], 0.25 + np.arange(8) / 44100.0, rtol=1e-5)
    np.testing.assert_allclose(table[:, 1], values, rtol=1e-6)


def test_writing_where_nothing_can_be_written_raises_file_error(tmp_path):
    signal = marlune.Signal(np.zeros(16), 100.0)
    for write in (marlune.write_bin, marlune.write_wav, marlune.export_ascii):
        with pytest.raises(marlune.FileError, match="Could not write"):
            write(tmp_path / "no-such-folder" / "x.bin", signal)
    assert isinstance(marlune.FileError("x"), OSError)


def test_refused_files_raise_file_error_with_the_programs_message(tmp_path):
    with pytest.raises(marlune.FileError, match="Cannot open the file"):
        marlune.open(tmp_path / "missing.wav")
    broken = tmp_path / "broken.wav"
    broken.write_bytes(b"RIFF\x24\x00\x00\x00WAVEfmt " + bytes(24))
    with pytest.raises(marlune.FileError, match="WAV"):
        marlune.open(broken)


@pytest.mark.skipif(shutil.which("sox") is None, reason="sox makes the compressed file")
def test_compressed_audio_opens_through_the_converter(tmp_path):
    flac = tmp_path / "tone.flac"
    subprocess.run(["sox", "-n", "-r", "16000", "-b", "16", "-c", "1", str(flac), "synth", "0.5", "sine", "440"],
                   check=True)
    subprocess.run(["sox", str(flac), str(tmp_path / "decoded.wav")], check=True)
    rate, decoded = wavfile.read(tmp_path / "decoded.wav")
    signals = marlune.open(flac)
    assert len(signals) == 1 and signals[0].rate == rate == 16000.0
    np.testing.assert_array_equal(signals[0].samples, decoded.astype(np.float32))


@pytest.mark.parametrize("samples, error", [
    (np.zeros(0), ValueError),
    (np.zeros((4, 4)), ValueError),
    (np.array(["a", "b"]), TypeError),
    (np.zeros(8, dtype=np.complex64), TypeError),
    (np.array([object(), object()]), TypeError),
])
def test_arrays_that_are_no_signal_are_refused(samples, error):
    with pytest.raises(error):
        marlune.Signal(samples, 1000.0)


@pytest.mark.parametrize("rate", [0.0, -8000.0, float("nan"), float("inf")])
def test_rates_that_are_no_sample_rate_are_refused(rate):
    with pytest.raises(ValueError, match="sample rate"):
        marlune.Signal(np.ones(8), rate)


def test_integer_and_double_arrays_become_float32_copies():
    source = np.arange(10, dtype=np.int64)
    signal = marlune.Signal(source, 10.0)
    source[0] = 99
    assert signal.samples.dtype == np.float32 and signal.samples[0] == 0.0
    np.testing.assert_array_equal(np.asarray(signal), np.arange(10, dtype=np.float32))


def test_analyses_refuse_none_and_wrong_types():
    with pytest.raises(TypeError):
        marlune.spectrum(None)
    with pytest.raises(TypeError):
        marlune.spectrum([1.0, 2.0])
    with pytest.raises(TypeError):
        marlune.detrend("signal")
