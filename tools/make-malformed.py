#!/usr/bin/python3
"""Writes the corpus of damaged and hostile files that the test suite opens on every run into
tests/malformed/<format>/, with expected.txt telling for each file what opening it must give:
"message TEXT" (a message box, \\n for a line break, {file} for the file's path), "beep" (refused
without a message) or "opens N" (N windows: the damage is one the format allows, such as NaN samples)."""
import math
import pathlib
import shutil
import struct
from extended80 import extended80

root = pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'malformed'
WAV_OTHER = 'message Error reading WAV file!'
WAV_CHANNELS = 'message Error reading WAV file!\\nOnly mono and stereo WAV files are supported.'
WAV_SIZE = 'message Error reading WAV file!\\nOnly 8- and 16-bit WAV formats are supported.'


def refused(reason):
    """The message of a refused .bin, .eeg or .sa3 file: its path and the reason."""
    return 'message Error reading {file}!\\n' + reason


SHORT_HEADER = refused('The file is shorter than its header.')
NO_SAMPLES = refused('The file holds no samples.')


def unusable_rate(shown):
    return refused('The sample rate %s cannot be used.' % shown)


class Folder:
    def __init__(self, name):
        self.path = root / name
        shutil.rmtree(self.path, ignore_errors=True)
        self.path.mkdir(parents=True)
        self.lines = []

    def put(self, name, data, expected):
        (self.path / name).write_bytes(data)
        self.lines.append('%s\t%s\n' % (name, expected))

    def truncations(self, stem, extension, data, cuts, expected):
        """The file cut after each of the given byte counts (a number: every count below it), so that
        every field of the header is cut short."""
        for n in (range(cuts) if isinstance(cuts, int) else cuts):
            self.put('%s-cut-%03d%s' % (stem, n, extension), data[:n], expected)

    def close(self):
        (self.path / 'expected.txt').write_text(''.join(sorted(self.lines)))




def raw_extended(exponent, mantissa):
    """An extended value given by its fields: for values outside double range."""
    return struct.pack('<QH', mantissa, exponent)


def fmt_chunk(tag, channels, rate, byte_rate, align, bits):
    return b'fmt ' + struct.pack('<IHHIIHH', 16, tag, channels, rate, byte_rate, align, bits)


def extensible_chunk(channels, rate, align, bits, valid):
    guid = struct.pack('<H', 1) + bytes([0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71])
    return b'fmt ' + struct.pack('<IHHIIHHHHI', 40, 0xFFFE, channels, rate, rate * align, align, bits, 22, valid,
                                 0) + guid


def riff(*chunks, size=None):
    body = b'WAVE' + b''.join(chunks)
    return b'RIFF' + struct.pack('<I', len(body) if size is None else size) + body


def data_chunk(payload, size=None):
    return b'data' + struct.pack('<I', len(payload) if size is None else size) + payload


def wav_files():
    f = Folder('wav')
    samples = struct.pack('<8h', *range(0, 8000, 1000))
    good = riff(fmt_chunk(1, 1, 8000, 16000, 2, 16), data_chunk(samples))
    f.put('zero-channels.wav', riff(fmt_chunk(1, 0, 8000, 16000, 2, 16), data_chunk(samples)), WAV_CHANNELS)
    f.put('zero-block-align.wav', riff(fmt_chunk(1, 1, 8000, 16000, 0, 16), data_chunk(samples)), WAV_SIZE)
    f.put('block-align-not-channels.wav', riff(fmt_chunk(1, 2, 8000, 16000, 3, 16), data_chunk(samples)), WAV_SIZE)
    f.put('eight-byte-integers.wav', riff(fmt_chunk(1, 1, 8000, 64000, 8, 64), data_chunk(samples)), WAV_SIZE)
    f.put('zero-rate.wav', riff(fmt_chunk(1, 1, 0, 0, 2, 16), data_chunk(samples)), WAV_OTHER)
    f.put('fmt-past-end.wav', b'RIFF\x24\x00\x00\x00WAVEfmt \xf0\xff\xff\xff\x01\x00', WAV_OTHER)
    f.put('data-past-end-empty.wav', riff(fmt_chunk(1, 1, 8000, 16000, 2, 16), data_chunk(b'', 0xFFFFFFF0)),
          WAV_OTHER)
    f.put('huge-chunk-before-fmt.wav', riff(b'LIST\xfe\xff\xff\xff', fmt_chunk(1, 1, 8000, 16000, 2, 16),
                                            data_chunk(samples)), WAV_OTHER)
    f.put('no-data-chunk.wav', riff(fmt_chunk(1, 1, 8000, 16000, 2, 16)), WAV_OTHER)
    f.put('data-shorter-than-a-frame.wav', riff(fmt_chunk(1, 2, 8000, 32000, 4, 16), data_chunk(b'\x01\x02\x03')),
          WAV_OTHER)
    # 65535 channels of 2 bytes do not fit the 16-bit block align: the product overflows the field.
    f.put('channels-times-size-overflow.wav', riff(fmt_chunk(1, 65535, 8000, 0xFFFFFFFF, 0xFFFE, 16),
                                                   data_chunk(samples)), WAV_SIZE)
    f.put('rf64-ds64-huge.wav', b'RF64\xff\xff\xff\xffWAVE' + b'ds64' + struct.pack('<IQQQI', 28, 1 << 62, 1 << 62,
                                                                                      1 << 61, 0) +
          fmt_chunk(1, 1, 8000, 16000, 2, 16) + data_chunk(samples, 0xFFFFFFFF), 'opens 1')
    f.put('data-past-end-partial.wav', riff(fmt_chunk(1, 1, 8000, 16000, 2, 16), data_chunk(samples, 0x7FFFFFF0)),
          'opens 1')
    # More valid bits than the container holds.
    f.put('valid-bits-28-in-24.wav', riff(extensible_chunk(1, 8000, 3, 24, 28), data_chunk(samples[:12])), WAV_OTHER)
    f.put('valid-bits-40-in-32.wav', riff(extensible_chunk(2, 8000, 8, 32, 40), data_chunk(samples)), WAV_OTHER)
    f.put('pcm-33-bits-in-32.wav', riff(fmt_chunk(1, 1, 8000, 32000, 4, 33), data_chunk(samples)), WAV_OTHER)
    f.put('valid-bits-0-in-24.wav', riff(extensible_chunk(1, 8000, 3, 24, 0), data_chunk(samples[:12])), 'opens 1')
    nan = struct.pack('<4f', math.nan, math.inf, -math.inf, 1.0)
    f.put('nan-samples.wav', riff(fmt_chunk(3, 1, 8000, 32000, 4, 32), data_chunk(nan)), 'opens 1')
    f.put('max-rate.wav', riff(fmt_chunk(1, 1, 0xFFFFFFFF, 0xFFFFFFFF, 2, 16), data_chunk(samples)), 'opens 1')
    f.truncations('header', '.wav', good, 44, WAV_OTHER)
    f.close()


def bin_files():
    f = Folder('bin')
    floats = struct.pack('<4f', 1.0, -2.0, 0.5, 3.0)
    head = struct.pack('<HH', 1, 1)
    # The rates as the message prints them ("%Lg").
    for name, rate, shown in (('nan-rate', extended80(math.nan), 'nan'), ('infinite-rate', extended80(math.inf), 'inf'),
                              ('negative-infinite-rate', extended80(-math.inf), '-inf'),
                              ('zero-rate', extended80(0.0), '0'), ('negative-rate', extended80(-8000.0), '-8000'),
                              ('rate-beyond-double', raw_extended(16383 + 5000, 1 << 63), '1.41247e+1505'),
                              ('rate-too-small-to-invert', raw_extended(1, 1 << 63), '3.3621e-4932'),
                              ('denormal-rate', raw_extended(0, 1), '3.6452e-4951')):
        f.put(name + '.bin', head + rate + floats, unusable_rate(shown))
    f.put('header-only.bin', head + extended80(8000.0), NO_SAMPLES)
    f.put('three-sample-bytes.bin', head + extended80(8000.0) + b'\x00\x00\x80', NO_SAMPLES)
    f.put('nan-samples.bin', head + extended80(8000.0) + struct.pack('<3f', math.nan, math.inf, -math.inf), 'opens 1')
    f.put('legacy-product-overflow.bin', struct.pack('<HHH', 65535, 65535, 65535) + floats, 'opens 1')
    f.put('legacy-product-wraps-to-zero.bin', struct.pack('<HHH', 256, 256, 256 * 256 - 1) + floats, 'opens 1')
    f.put('legacy-no-samples.bin', struct.pack('<HHH', 0, 0, 8000), NO_SAMPLES)
    f.truncations('float', '.bin', head + extended80(8000.0), 14, SHORT_HEADER)
    f.close()

    f = Folder('eeg')
    samples = struct.pack('<4h', 1, 2, 3, 4)

    def eeg(rate, length=256):
        header = bytearray(length)
        if length >= 204:
            header[202:204] = struct.pack('<h', rate)
        return bytes(header)

    f.put('zero-rate.eeg', eeg(0) + samples, unusable_rate('0'))
    f.put('negative-rate.eeg', eeg(-32768) + samples, unusable_rate('-32768'))
    f.put('header-only.eeg', eeg(256), NO_SAMPLES)
    f.put('one-byte-of-sample.eeg', eeg(256) + b'\x01', NO_SAMPLES)
    f.put('odd-sample-bytes.eeg', eeg(256) + samples + b'\x01', 'opens 1')
    f.truncations('header', '.eeg', eeg(256), (0, 1, 2, 100, 201, 202, 203, 204, 255), SHORT_HEADER)
    f.close()

    f = Folder('sa3')
    header = struct.pack('<61h', *range(61))
    f.put('header-only.sa3', header, NO_SAMPLES)
    f.put('partial-record.sa3', header + struct.pack('<6h', 1, 2, 3, 4, 5, 6), NO_SAMPLES)
    f.put('extreme-values.sa3', header + struct.pack('<7h', -32768, 32767, -1, 32767, 0, 0, 0), 'opens 4')
    f.truncations('header', '.sa3', header, (0, 1, 2, 3, 60, 120, 121), NO_SAMPLES)
    f.close()


def bmp(width, height, bits, pixels, colours=b'', offset=None, info_size=40, compression=0, used=None):
    start = 14 + info_size + len(colours) if offset is None else offset
    info = struct.pack('<IiiHHIIiiII', info_size, width, height, 1, bits, compression, len(pixels), 0, 0,
                       len(colours) // 4 if used is None else used, 0)
    info += bytes(max(0, min(info_size, 64) - 40))
    return b'BM' + struct.pack('<IHHI', (start + len(pixels)) & 0xFFFFFFFF, 0, 0, start) + info + colours + pixels


def picture_files():
    f = Folder('picture')
    pixels = bytes(range(12)) + bytes(12)
    f.put('zero-width.bmp', bmp(0, 2, 24, pixels), 'beep')
    f.put('zero-height.bmp', bmp(2, 0, 24, pixels), 'beep')
    f.put('pixels-past-end.bmp', bmp(4000, 4000, 24, pixels), 'beep')
    f.put('width-times-height-overflow.bmp', bmp(65536, 65536, 32, pixels), 'beep')
    f.put('row-size-overflow.bmp', bmp(0x7FFFFFFF, 1, 32, pixels), 'beep')
    f.put('most-negative-height.bmp', bmp(2, -0x80000000, 24, pixels), 'beep')
    f.put('offset-past-end.bmp', bmp(2, 2, 24, pixels, offset=0xFFFFFFF0), 'beep')
    f.put('four-bit.bmp', bmp(2, 2, 4, pixels), 'beep')
    f.put('compressed.bmp', bmp(2, 2, 8, pixels, colours=bytes(1024), compression=1), 'beep')
    f.put('colour-table-past-end.bmp', bmp(2, 2, 8, b'\x00\x01\x00\x00' * 2, used=0xFFFFFFFF), 'beep')
    f.put('huge-info-header.bmp', bmp(2, 2, 24, pixels, info_size=0x7FFFFFF0), 'beep')
    f.put('index-beyond-colour-table.bmp', bmp(2, 2, 8, b'\xff\xfe\x00\x00' * 2, colours=bytes(8)), 'opens 1')
    f.truncations('header', '.bmp', bmp(2, 2, 24, pixels), 54, 'beep')

    f.put('rows-times-bins-overflow.mat', struct.pack('<4I', 65536, 65536, 0, 0) + bytes(16), 'beep')
    f.put('values-past-end.mat', struct.pack('<4I', 100, 100, 0, 0) + bytes(16), 'beep')
    f.put('zero-bins.mat', struct.pack('<4I', 0, 5, 0, 0), 'beep')
    f.put('zero-rows.mat', struct.pack('<4I', 5, 0, 0, 0), 'beep')
    f.put('largest-values.mat', struct.pack('<4I', 2, 1, 0, 0) + struct.pack('<2I', 0xFFFFFFFF, 0x80000000),
          'opens 1')
    f.truncations('header', '.mat', struct.pack('<4I', 1, 1, 0, 0) + bytes(4), 20, 'beep')
    f.close()


wav_files()
bin_files()
picture_files()
