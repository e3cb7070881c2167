#!/usr/bin/python3
"""Writes the seed files of every fuzz target into FOLDER/<target>/: small valid files of each format
the target reads, so the fuzzer starts from inside the readers instead of at their first check."""
import math
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
from extended80 import extended80

root = pathlib.Path(__file__).resolve().parent.parent
out = pathlib.Path(sys.argv[1])


def put(target, name, data):
    folder = out / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)




def long_double(value):
    return extended80(value) + bytes(6)


def rate_answer(rate):
    """The prefix the raw, .sa3 targets read as the person's answer: a given rate."""
    return b'\x01' + long_double(rate)


def sine(n, scale, step=0.2):
    return [scale * math.sin(step * i) for i in range(n)]


def wav(fmt_tag, channels, rate, bits, payload, extensible=False, chunks=b''):
    block = channels * bits // 8
    fmt = struct.pack('<HHIIHH', 0xFFFE if extensible else fmt_tag, channels, rate, rate * block, block, bits)
    if extensible:
        guid = struct.pack('<H', fmt_tag) + b'\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71'
        fmt += struct.pack('<HHI', 22, bits, 0) + guid
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + chunks + b'data' + struct.pack('<I', len(payload)) + payload
    return b'RIFF' + struct.pack('<I', len(body)) + body


def pcm(values, bits):
    if bits == 8:
        return bytes(int(128 + v) & 0xFF for v in values)
    if bits == 24:
        return b''.join(struct.pack('<i', int(v))[:3] for v in values)
    return struct.pack('<%d%s' % (len(values), {16: 'h', 32: 'i'}[bits]), *[int(v) for v in values])


def seeds_wav():
    put('WavFuzz', 'u8.wav', wav(1, 1, 8000, 8, pcm(sine(64, 100), 8)))
    put('WavFuzz', 's16-stereo.wav', wav(1, 2, 44100, 16, pcm(sine(128, 30000), 16)))
    put('WavFuzz', 's24.wav', wav(1, 1, 48000, 24, pcm(sine(64, 8e6), 24)))
    put('WavFuzz', 's32.wav', wav(1, 1, 22050, 32, pcm(sine(64, 2e9), 32)))
    put('WavFuzz', 'f32.wav', wav(3, 1, 8000, 32, struct.pack('<64f', *sine(64, 0.5))))
    put('WavFuzz', 'f64.wav', wav(3, 1, 8000, 64, struct.pack('<32d', *sine(32, 0.5))))
    put('WavFuzz', 'ext-3ch.wav', wav(1, 3, 8000, 16, pcm(sine(96, 1000), 16), extensible=True))
    put('WavFuzz', 'list-chunk.wav', wav(1, 1, 8000, 16, pcm(sine(32, 1000), 16), chunks=b'LIST\x04\x00\x00\x00INFO'))
    data = pcm(sine(32, 1000), 16)
    fmt = struct.pack('<HHIIHH', 1, 1, 8000, 16000, 2, 16)
    ds64 = struct.pack('<QQQI', 36 + 8 + 28 + len(data), len(data), len(data) // 2, 0)
    body = b'WAVE' + b'ds64' + struct.pack('<I', len(ds64)) + ds64 + b'fmt ' + struct.pack('<I', 16) + fmt
    put('WavFuzz', 'rf64.wav', b'RF64' + b'\xff\xff\xff\xff' + body + b'data\xff\xff\xff\xff' + data)


def seeds_signal_files():
    floats = struct.pack('<64f', *sine(64, 3.5))
    put('BinFuzz', 'float.bin', struct.pack('<HH', 1, 1) + extended80(8000.0) + floats)
    put('BinFuzz', 'float-odd-rate.bin', struct.pack('<HH', 1, 1) + extended80(44100.5) + floats[:40])
    put('BinFuzz', 'legacy.bin', struct.pack('<HHH', 2, 10, 25) + pcm(sine(64, 3000), 16))
    put('BinFuzz', 'legacy-c.bin', struct.pack('<HHH', 0, 0, 16000) + pcm(sine(32, 3000), 16))
    header = bytearray(256)
    header[202:204] = struct.pack('<h', 256)
    put('EegFuzz', 'eeg.eeg', bytes(header) + pcm(sine(64, 500), 16))
    put('RawFuzz', 'raw.raw', rate_answer(8000.0) + pcm(sine(64, 3000), 16))
    put('RawFuzz', 'cancel.raw', b'\x00' + long_double(0.0) + pcm(sine(8, 3000), 16))
    records = b''.join(struct.pack('<7h', i, -i, 2 * i, 10 * i, 0, 0, 0) for i in range(20))
    put('Sa3Fuzz', 'log.sa3', rate_answer(1.0) + struct.pack('<61h', *range(61)) + records)


def seeds_text():
    put('AsciiTableFuzz', 'axis.txt', long_double(1000.0) +
        ''.join('%g\t%g\t%g\n' % (i / 100, math.sin(i), i) for i in range(40)).encode())
    put('AsciiTableFuzz', 'plain.txt', long_double(250.0) + b'1.5\n-2e3\n3,5\n\n7\r\n')
    put('AsciiTableFuzz', 'bom-crlf.txt', long_double(10.0) + b'\xef\xbb\xbf0\t1\r\n0.5\t2\r\n1\t3\r\n')
    for name in ('gray.pal', 'hsv.pal', 'hot.pal'):
        put('PaletteFuzz', name, (root / 'resources' / name).read_bytes())
    put('BandSetsFuzz', 'tfftstat.rng', (root / 'resources' / 'tfftstat.rng').read_bytes())
    profiles = {
        'calibration.cal': (root / 'resources/calibration/default.cal').read_bytes(),
        'defaults.ini': b'[Spectral analysis defaults]\r\nFFT_DoNormalize=1\r\nFFT_TaperVal=20\r\nFFT_DoTaper=1\r\n'
                        b'FFT_ExpandWithZerosVal=1\r\nFFT_DoExpandWithZeros=1\r\nFFT_Show=2\r\nFFT_SmoothLen=5\r\n'
                        b'FFT_DoSmooth=1\r\nFFT_TestPeaksLevel=3\r\nFFT_DoTestPeaks=1\r\nFFT_Window=1\r\nFFT_Type=1\r\n'
                        b'FFT_Average=3\r\n[Data acquisition defaults]\r\nSampleRate=44100\r\nChannels=2\r\n'
                        b'WindowLength=4096\r\nDecimation=10\r\nTriggerOn=1\r\nThreshold=-20\r\nSkip=5\r\n',
        'window.ini': b'; a window\n[Window3]\nUnits=V\nRangeFrom=-1e3\nRangeTo=1e3\nInstrumentType=1\nAlarmBeep=1\n'
                      b'AlarmRangeFrom=0\nAlarmRangeTo=5\nMarkerText="peak"\nAppExec=viewer\nAppExecTime=10\n'
                      b'SegmentLength=512\nDecimation=0\n',
    }
    for name, data in profiles.items():
        put('ProfileFuzz', name, data)
        put('SettingsFuzz', name, data)


def bmp(width, height, bits, pixels, colours=b''):
    offset = 14 + 40 + len(colours)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(colours) // 4, 0)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + info + colours + pixels


def seeds_pictures():
    row24 = bytes(range(3 * 3)) + bytes(3)
    put('BmpFuzz', 'rgb24.bmp', bmp(3, 2, 24, row24 * 2))
    put('BmpFuzz', 'bgra32.bmp', bmp(2, 2, 32, bytes(range(16))))
    colours = b''.join(struct.pack('<BBBB', i, 255 - i, i // 2, 0) for i in range(0, 256, 64))
    put('BmpFuzz', 'indexed8.bmp', bmp(4, 2, 8, bytes([0, 1, 2, 3, 3, 2, 1, 0]), colours))
    put('BmpFuzz', 'top-down.bmp', bmp(2, -2, 24, (bytes(6) + bytes(2)) * 2))
    values = list(range(12))
    put('MatrixFuzz', 'matrix.mat', struct.pack('<4I', 4, 3, 0, 0) + struct.pack('<12I', *values))
    put('MatrixFuzz', 'one.mat', struct.pack('<4I', 1, 1, 7, 7) + struct.pack('<I', 0xFFFFFFFF))


def seeds_clipboard():
    for n in (0, 1, 5):
        put('ClipboardFuzz', 'block%d' % n, bytes([n * 10]) + struct.pack('<f', n) +
            struct.pack('<%df' % n, *sine(n, 2.0)) + b'\x00')


def seeds_media():
    """Short sounds in the formats the converter is offered, made by the ffmpeg program."""
    if not shutil.which('ffmpeg'):
        return
    with tempfile.TemporaryDirectory() as scratch:
        for name, options in (('tone.mp3', []), ('tone.mp2', []), ('tone.ogg', ['-c:a', 'libvorbis']),
                              ('tone.flac', []), ('tone.aiff', []), ('tone.au', []), ('tone.wav', []),
                              ('tone-u8.wav', ['-c:a', 'pcm_u8']), ('tone.wma', []), ('tone.m4a', [])):
            target = pathlib.Path(scratch) / name
            result = subprocess.run(['ffmpeg', '-v', 'quiet', '-f', 'lavfi', '-i', 'sine=frequency=440:duration=0.05',
                                     '-ar', '8000', *options, str(target)], check=False)
            if result.returncode == 0 and target.exists():
                put('SonvertFuzz', name, target.read_bytes())


seeds_wav()
seeds_signal_files()
seeds_text()
seeds_pictures()
seeds_clipboard()
seeds_media()
