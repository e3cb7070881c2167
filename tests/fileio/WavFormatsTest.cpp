#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <tuple>

#include "FileioTestSupport.h"
#include "fileio/WavReader.h"
#include "signal/MinMaxSummary.h"
#include "signal/SignalKind.h"
#include "support/AddressSpaceLimit.h"

namespace {

// numpy's own reading of a WAV file: its chunk walk, RF64 sizes and extensible fields, each sample
// assembled from its bytes. save(name) writes name.txt ("tag channels frames rate") and name.f32
// (the channels one after the other) for name.wav.
const char* const NumpyWavReading = R"(
import struct
import numpy as np

def decode(path):
    b = open(path, 'rb').read()
    rf64 = b[:4] == b'RF64'
    pos, fmt, data, ds64 = 12, None, None, None
    while pos + 8 <= len(b) and (fmt is None or data is None):
        cid, size = b[pos:pos + 4], struct.unpack_from('<I', b, pos + 4)[0]
        body = pos + 8
        if cid == b'ds64' and rf64:
            ds64 = struct.unpack_from('<Q', b, body + 8)[0]
        elif cid == b'fmt ' and fmt is None:
            fmt = b[body:body + size]
        elif cid == b'data' and data is None:
            if rf64 and size == 0xFFFFFFFF and ds64 is not None:
                size = ds64
            data = b[body:body + size]
        pos = body + size + (size & 1)
    tag, channels, rate, _, align, bits = struct.unpack_from('<HHIIHH', fmt)
    valid = bits
    if tag == 0xFFFE:
        valid, tag = struct.unpack_from('<H', fmt, 18)[0], struct.unpack_from('<H', fmt, 24)[0]
    width = align // channels
    frames = len(data) // align
    raw = np.frombuffer(data, np.uint8, frames * align).reshape(frames, channels, width)
    if tag == 3:
        with np.errstate(over='ignore'):
            values = np.ascontiguousarray(raw).view('<f%d' % width)[:, :, 0].astype(np.float32)
    else:
        value = np.zeros((frames, channels), np.int64)
        for k in range(width):
            value |= raw[:, :, k].astype(np.int64) << (8 * k)
        if width > 1:
            value -= (value >> (8 * width - 1)) << (8 * width)
        if valid == 0:
            valid = 8 * width
        values = (value >> (8 * width - valid)).astype(np.float32)
    return tag, rate, values

def save(name):
    tag, rate, values = decode(name + '.wav')
    open(name + '.txt', 'w').write('%d %d %d %d\n' % (tag, values.shape[1], values.shape[0], rate))
    values.T.astype('<f4').tofile(name + '.f32')
)";

// Pieces for writing WAV files byte by byte in Python.
const char* const PythonWavWriting = R"(
rng = np.random.default_rng(5)
GUID_TAIL = bytes([0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71])

def chunk(cid, body):
    return cid + struct.pack('<I', len(body)) + body + b'\0' * (len(body) & 1)

def fmt(tag, channels, rate, align, bits):
    return chunk(b'fmt ', struct.pack('<HHIIHH', tag, channels, rate, rate * align, align, bits))

def extensible(channels, rate, align, bits, valid, subformat):
    body = struct.pack('<HHIIHHHHIH', 0xFFFE, channels, rate, rate * align, align, bits, 22, valid, 0, subformat)
    return chunk(b'fmt ', body + GUID_TAIL)

def riff(*chunks):
    body = b'WAVE' + b''.join(chunks)
    return b'RIFF' + struct.pack('<I', len(body)) + body

def containers(frames, channels, width):
    return rng.integers(0, 256, (frames, channels, width), dtype=np.uint8)
)";

struct NumpyReading {
    unsigned tag = 0;
    unsigned channels = 0;
    std::size_t frames = 0;
    uint32_t rate = 0;
    std::vector<float> samples;  // channel after channel
};

}  // namespace

class WavFormatsTest : public FileioTest {
protected:
    bool numpy(const std::string& script) { return python(std::string(NumpyWavReading) + PythonWavWriting + script); }

    NumpyReading numpyReading(const std::string& name) const
    {
        NumpyReading reading;
        const Bytes text = read(file(name + ".txt"));
        std::istringstream(std::string(text.begin(), text.end())) >> reading.tag >> reading.channels >>
            reading.frames >> reading.rate;
        reading.samples = readFloats(file(name + ".f32"));
        return reading;
    }

    // The Y range of a signal of these values: their extremes without NaN, widened when they are equal.
    static MinMax yRangeOf(const float* values, std::size_t n)
    {
        MinMax range{INFINITY, -INFINITY};
        for (std::size_t i = 0; i < n; ++i)
            if (!std::isnan(values[i]))
                range = {std::min(range.min, values[i]), std::max(range.max, values[i])};
        if (range.max == range.min)
            range = {range.min - 1, range.max + 1};
        return range;
    }

    // The signal's Y range and its summary's extremes, over every pair of fine blocks and random ranges,
    // are those of a scan of its samples.
    static void expectSummaryAgreesWithAScan(const Signal& s, const std::string& name)
    {
        const Signal copy(nullptr, SignalKind::FileSignal, s.samples(), s.count(), s.sampleRate());
        EXPECT_EQ(s.yMax(), copy.yMax()) << name;
        EXPECT_EQ(s.yMin(), copy.yMin()) << name;
        std::vector<std::pair<uint32_t, uint32_t>> ranges;
        for (uint32_t first = 0; first < s.count(); first += MinMaxSummary::FineBlock)
            ranges.push_back({first, std::min(s.count(), first + 2 * MinMaxSummary::FineBlock)});
        std::mt19937 random(9);
        for (int trial = 0; trial < 300; ++trial) {
            const uint32_t a = random() % s.count();
            const uint32_t b = random() % (s.count() + 1);
            ranges.push_back({std::min(a, b), std::max(a, b)});
        }
        for (const auto& [a, b] : ranges) {
            const MinMax got = s.extremes(a, b);
            const MinMax want = MinMaxSummary::scan(s.samples() + a, b - a);
            ASSERT_EQ(got.min, want.min) << name << " " << a << " " << b;
            ASSERT_EQ(got.max, want.max) << name << " " << a << " " << b;
        }
    }

    // Our reading of name.wav has numpy's channels, rate and values, bit for bit, and the Y range
    // of each channel's values.
    FileReadResult expectSameAsNumpy(const std::string& name) const
    {
        const NumpyReading want = numpyReading(name);
        FileReadResult got = readWavFile(file(name + ".wav"));
        EXPECT_TRUE(got.ok()) << name << " " << int(got.error);
        EXPECT_EQ(got.signals.size(), want.channels) << name;
        EXPECT_EQ(want.samples.size(), want.channels * want.frames) << name;
        for (std::size_t c = 0; c < got.signals.size() && c < want.channels; ++c) {
            const Signal& s = *got.signals[c];
            EXPECT_EQ(s.kind(), SignalKind::WavChannel);
            EXPECT_EQ(s.sampleRate(), want.rate) << name;
            EXPECT_EQ(s.count(), want.frames) << name << " channel " << c;
            if (s.count() != want.frames || want.samples.size() != want.channels * want.frames)
                continue;
            const float* expected = want.samples.data() + c * want.frames;
            EXPECT_EQ(std::memcmp(s.samples(), expected, want.frames * sizeof(float)), 0) << name << " channel " << c;
            const MinMax range = yRangeOf(expected, want.frames);
            EXPECT_EQ(s.yMax(), range.max) << name << " channel " << c;
            EXPECT_EQ(s.yMin(), range.min) << name << " channel " << c;
        }
        return got;
    }
};

TEST_F(WavFormatsTest, SoxFilesOfEveryWidthAndChannelCountReadAsNumpyReadsThem)
{
    // sox writes the extensible format for more than two channels or more than 16 bits, the float
    // format for float mono and stereo.
    const std::vector<std::tuple<std::string, std::string, unsigned>> files = {
        {"i24x3", "-r 48000 -c 3 -b 24 -e signed-integer|synth 0.1 sine 1000 sine 300 whitenoise", 1},
        {"i24x1", "-r 44100 -c 1 -b 24|synth 0.2 whitenoise", 1},
        {"i32x2", "-r 44100 -c 2 -b 32 -e signed-integer|synth 0.1 whitenoise sine 50", 1},
        {"i32x1", "-r 8000 -c 1 -b 32|synth 0.1 whitenoise", 1},
        {"f32x1", "-r 8000 -c 1 -b 32 -e floating-point|synth 0.1 sine 440", 3},
        {"f32x2", "-r 96000 -c 2 -b 32 -e floating-point|synth 0.1 whitenoise sine 440", 3},
        {"f32x4", "-r 22050 -c 4 -b 32 -e floating-point|synth 0.1 sine 100 sine 200 square 30 whitenoise", 3},
        {"f64x1", "-r 8000 -c 1 -b 64 -e floating-point|synth 0.3 sine 440", 3},
        {"f64x3", "-r 8000 -c 3 -b 64 -e floating-point|synth 0.1 sine 440 whitenoise sine 20", 3},
        {"u8x4", "-r 8000 -c 4 -b 8 -e unsigned-integer|synth 0.05 whitenoise sine 30", 1},
        {"u8x5", "-r 8000 -c 5 -b 8 -e unsigned-integer|synth 0.05 whitenoise sine 30", 1},
        {"u8x8", "-r 8000 -c 8 -b 8 -e unsigned-integer|synth 0.05 whitenoise sine 30", 1},
        {"i16x4", "-r 16000 -c 4 -b 16|synth 0.05 whitenoise sine 30", 1},
        {"i16x6", "-r 16000 -c 6 -b 16|synth 0.05 whitenoise sine 30 square 20", 1},
    };
    std::string script;
    for (const auto& [name, arguments, tag] : files) {
        const std::size_t bar = arguments.find('|');
        ASSERT_TRUE(run("sox -D -n " + arguments.substr(0, bar) + " " + name + ".wav " + arguments.substr(bar + 1) +
                        " 2>/dev/null"))
            << name;
        script += "save('" + name + "')\n";
    }
    ASSERT_TRUE(numpy(script));
    for (const auto& [name, arguments, tag] : files) {
        EXPECT_EQ(numpyReading(name).tag, tag) << name;
        expectSameAsNumpy(name);
    }
}

TEST_F(WavFormatsTest, HandWrittenLayoutsReadAsNumpyReadsThem)
{
    ASSERT_TRUE(numpy(R"(
# RF64: the ds64 chunk gives the data size; the chunk after the samples is none of them.
samples = containers(1000, 2, 3)
samples[0, 0], samples[0, 1] = [0, 0, 0x80], [0xFF, 0xFF, 0x7F]
data = samples.tobytes()
body = (b'WAVE' + chunk(b'ds64', struct.pack('<QQQI', 0, len(data), 1000, 0)) + chunk(b'JUNK', b'x' * 27) +
        extensible(2, 96000, 6, 24, 24, 1) + b'data' + struct.pack('<I', 0xFFFFFFFF) + data +
        chunk(b'LIST', b'INFO' + b'y' * 60))
open('rf64.wav', 'wb').write(b'RF64' + struct.pack('<I', 0xFFFFFFFF) + body)

# 20 valid bits in 24, the unused low bits not zero.
samples = containers(777, 3, 3)
samples[0, 0], samples[0, 1] = [0x0F, 0, 0x80], [0xFF, 0xFF, 0x7F]
open('valid20.wav', 'wb').write(riff(extensible(3, 48000, 9, 24, 20, 1), chunk(b'data', samples.tobytes())))
open('valid12.wav', 'wb').write(riff(extensible(4, 8000, 8, 16, 12, 1), chunk(b'data', containers(500, 4, 2).tobytes())))
open('valid24in32.wav', 'wb').write(riff(extensible(2, 8000, 8, 32, 24, 1), chunk(b'data', containers(500, 2, 4).tobytes())))
open('valid6in8.wav', 'wb').write(riff(extensible(1, 8000, 1, 8, 6, 1), chunk(b'data', containers(301, 1, 1).tobytes())))
open('u8x3.wav', 'wb').write(riff(extensible(3, 8000, 3, 8, 8, 1), chunk(b'data', containers(301, 3, 1).tobytes())))
open('pcm12.wav', 'wb').write(riff(fmt(1, 1, 8000, 2, 12), chunk(b'data', containers(300, 1, 2).tobytes())))

# Odd chunks before and between, an odd data chunk (a stray byte after the last frame) and one after it.
floats = rng.normal(0, 1000, (400, 3)).astype('<f4').tobytes()
open('padded.wav', 'wb').write(riff(chunk(b'LIST', b'INFOabc'), fmt(3, 3, 11025, 12, 32), chunk(b'fact', b'\x01\x02\x03\x04\x05'),
                                    chunk(b'data', floats + b'\x01'), chunk(b'cue ', b'\x00' * 4)))

# A data size far past the end of a file that stops inside a frame.
data = containers(600, 2, 4).tobytes() + b'\x01\x02\x03\x04\x05'
head = riff(fmt(1, 2, 8000, 8, 32))
open('past.wav', 'wb').write(head + b'data' + struct.pack('<I', len(data) + 0x7FFFFF00) + data)

# Doubles beyond float range, tiny and signed zeros, NaN; floats with infinities in the extensible format.
unusual = np.array([0.0, -0.0, 1e300, -1e300, 1e-50, np.nan, 3.4028234663852886e38, 3.4028236e38, 1.5,
                    2.0 ** -140, -(2.0 ** -149), 16777217.0], '<f8')
doubles = np.concatenate([unusual, rng.normal(0, 1000, 500)]).astype('<f8')
open('f64.wav', 'wb').write(riff(fmt(3, 1, 8000, 8, 64), chunk(b'data', doubles.tobytes())))
floats = rng.normal(0, 1, (300, 5)).astype('<f4')
floats[0] = [np.inf, -np.inf, np.nan, -0.0, 3e38]
open('f32x5.wav', 'wb').write(riff(extensible(5, 8000, 20, 32, 32, 3), chunk(b'data', floats.tobytes())))

for name in ('rf64', 'valid20', 'valid12', 'valid24in32', 'valid6in8', 'u8x3', 'pcm12', 'padded', 'past', 'f64', 'f32x5'):
    save(name)
)"));
    for (const char* name : {"rf64", "valid20", "valid12", "valid24in32", "valid6in8", "u8x3", "pcm12", "padded",
                             "past", "f64", "f32x5"})
        expectSameAsNumpy(name);

    // The values the bytes stand for, worked out by hand.
    const FileReadResult rf64 = readWavFile(file("rf64.wav"));
    ASSERT_TRUE(rf64.ok());
    EXPECT_EQ(rf64.signals[0]->count(), 1000u);
    EXPECT_EQ(rf64.signals[0]->samples()[0], -8388608.0f);
    EXPECT_EQ(rf64.signals[1]->samples()[0], 8388607.0f);
    EXPECT_EQ(rf64.signals[0]->yMin(), -8388608.0f);
    EXPECT_EQ(rf64.signals[1]->yMax(), 8388607.0f);
    const FileReadResult valid20 = readWavFile(file("valid20.wav"));
    ASSERT_TRUE(valid20.ok());
    EXPECT_EQ(valid20.signals[0]->samples()[0], -524288.0f);
    EXPECT_EQ(valid20.signals[1]->samples()[0], 524287.0f);
    EXPECT_EQ(readWavFile(file("padded.wav")).signals[2]->count(), 400u);
    EXPECT_EQ(readWavFile(file("past.wav")).signals[1]->count(), 600u);
    const FileReadResult f64 = readWavFile(file("f64.wav"));
    ASSERT_TRUE(f64.ok());
    const float* d = f64.signals[0]->samples();
    EXPECT_TRUE(std::signbit(d[1]) && d[1] == 0);
    EXPECT_EQ(d[2], INFINITY);
    EXPECT_EQ(d[3], -INFINITY);
    EXPECT_TRUE(std::isnan(d[5]));
    EXPECT_EQ(d[6], 3.4028235e38f);
    EXPECT_EQ(d[11], 16777216.0f);
}

// The summary that the reader builds while it converts (split blocks where a read chunk ends inside
// one) answers every range as a scan of the samples does. In the falling and rising channels every
// block's extreme is its first sample, which a block split between two chunks has in its first part.
TEST_F(WavFormatsTest, TheSummaryMadeWhileReadingAgreesWithAScan)
{
    ASSERT_TRUE(run("sox -D -n -r 48000 -c 2 -b 24 long24.wav synth 2.3 whitenoise sine 3 2>/dev/null && "
                    "sox -D -n -r 48000 -c 1 -b 32 -e floating-point longf.wav synth 1.7 whitenoise 2>/dev/null && "
                    "sox -D -n -r 8000 -c 5 -b 8 -e unsigned-integer long8.wav synth 13 whitenoise 2>/dev/null"));
    ASSERT_TRUE(numpy(R"(
i = np.arange(100000)
slopes = np.stack([8388607 - i, i - 8388608], 1).astype('<i4')
open('slopes24.wav', 'wb').write(riff(fmt(1, 2, 8000, 6, 24), chunk(b'data', slopes.view(np.uint8).reshape(-1, 2, 4)[:, :, :3].tobytes())))
slopes = np.stack([32767 - i[:60000], i[:60000] - 32768, 32767 - i[:60000]], 1).astype('<i2')
open('slopes16.wav', 'wb').write(riff(fmt(1, 3, 8000, 6, 16), chunk(b'data', slopes.tobytes())))
)"));
    for (const char* name : {"long24.wav", "longf.wav", "long8.wav", "slopes24.wav", "slopes16.wav"}) {
        const FileReadResult r = readWavFile(file(name));
        ASSERT_TRUE(r.ok()) << name;
        for (const auto& s : r.signals)
            expectSummaryAgreesWithAScan(*s, name);
    }
}

// Files of several megabytes are read by several threads, each taking runs of chunks that end anywhere in
// a fine block; their values and summaries are those of a reading in order.
TEST_F(WavFormatsTest, FilesReadOnSeveralThreadsReadAsNumpyReadsThem)
{
    const std::vector<std::pair<std::string, std::string>> files = {
        {"threads16", "-c 2 -b 16"},
        {"threads24", "-c 2 -b 24"},
        {"threadsf", "-c 2 -b 32 -e floating-point"},
        {"threads24x3", "-c 3 -b 24"},
    };
    std::string script;
    for (const auto& [name, format] : files) {
        ASSERT_TRUE(run("sox -D -n -r 48000 " + format + " " + name + ".wav synth 47.3 whitenoise sine 7 2>/dev/null"))
            << name;
        script += "save('" + name + "')\n";
    }
    ASSERT_TRUE(numpy(script));
    for (const auto& [name, format] : files) {
        const FileReadResult r = expectSameAsNumpy(name);
        for (const auto& s : r.signals)
            expectSummaryAgreesWithAScan(*s, name);
    }
}

// Mono and stereo files of 8 and 16 bits read as they always did: bytes per sample = block align /
// channels, 8-bit values 0 ... 255, 16-bit values signed, whatever the bits field says, frames up to
// the end of the data chunk or of the file.
TEST_F(WavFormatsTest, EightAndSixteenBitMonoAndStereoReadAsBefore)
{
    ASSERT_TRUE(run("sox -D -R -n -r 8000 -c 1 -b 8 -e unsigned-integer m8.wav synth 0.3 sine 300 whitenoise && "
                    "sox -D -R -n -r 8000 -c 2 -b 8 -e unsigned-integer s8.wav synth 0.3 sine 300 whitenoise && "
                    "sox -D -R -n -r 44100 -c 1 -b 16 m16.wav synth 1.1 sine 300 whitenoise && "
                    "sox -D -R -n -r 44100 -c 2 -b 16 s16.wav synth 1.3 whitenoise sine 200 && "
                    "sox -D -R -n -r 22050 -c 2 -b 16 short.wav synth 0.00147 whitenoise sine 200"));
    ASSERT_TRUE(python(R"(
import struct
import numpy as np

def old(name):
    b = open(name + '.wav', 'rb').read()
    pos, fmt, data = 12, None, None
    while pos + 8 <= len(b) and (fmt is None or data is None):
        cid, size = b[pos:pos + 4], struct.unpack_from('<I', b, pos + 4)[0]
        if cid == b'fmt ' and fmt is None:
            fmt = b[pos + 8:pos + 24]
        elif cid == b'data' and data is None:
            data = b[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, align, _ = struct.unpack('<HHIIHH', fmt)
    width = align // channels
    frames = len(data) // (channels * width)
    values = np.frombuffer(data, '<u1' if width == 1 else '<i2', frames * channels).reshape(frames, channels)
    open(name + '.txt', 'w').write('%d %d %d %d\n' % (tag, channels, frames, rate))
    values.T.astype('<f4').tofile(name + '.f32')

def chunk(cid, body):
    return cid + struct.pack('<I', len(body)) + body + b'\0' * (len(body) & 1)

def riff(*chunks):
    body = b'WAVE' + b''.join(chunks)
    return b'RIFF' + struct.pack('<I', len(body)) + body

def fmt(channels, align, bits, extra=b''):
    return chunk(b'fmt ', struct.pack('<HHIIHH', 1, channels, 16000, 16000 * align, align, bits) + extra)

data = np.random.default_rng(7).integers(0, 256, 4001, dtype=np.uint8).tobytes()
open('list.wav', 'wb').write(riff(chunk(b'LIST', b'INFOabc'), fmt(2, 4, 16, b'\0\0'), chunk(b'data', data[:4000])))
open('nobits.wav', 'wb').write(riff(fmt(1, 2, 0), chunk(b'data', data[:4000])))
open('tail.wav', 'wb').write(riff(fmt(2, 4, 16), chunk(b'fact', b'\1\0\0\0'), chunk(b'data', data[:999])))
past = bytearray(riff(fmt(2, 2, 8), chunk(b'data', data[:1001])))
past[40:44] = struct.pack('<I', 0xFFFFFFFF)
open('past.wav', 'wb').write(past)
for name in ('m8', 's8', 'm16', 's16', 'short', 'list', 'nobits', 'tail', 'past'):
    old(name)
)"));
    for (const char* name : {"m8", "s8", "m16", "s16", "short", "list", "nobits", "tail", "past"})
        expectSameAsNumpy(name);
    EXPECT_EQ(readWavFile(file("short.wav")).signals[1]->count(), 33u);
    EXPECT_EQ(readWavFile(file("past.wav")).signals[1]->count(), 501u);
}

// A count of valid bits is read from sox's own files, changed in place: 0 stands for the whole
// container, and more bits than the container holds is refused as any other hostile header is.
TEST_F(WavFormatsTest, ValidBitsBeyondTheContainerAreRefusedAndNoneMeansTheWholeContainer)
{
    // sox writes the extensible format for more than 16 bits, and the plain one when asked for "wavpcm".
    ASSERT_TRUE(run("sox -D -R -n -r 8000 -c 1 -b 24 i24.wav synth 0.1 whitenoise && "
                    "sox -D -R -n -r 8000 -c 2 -b 32 -e signed-integer i32.wav synth 0.1 whitenoise sine 30 && "
                    "sox -D -R -n -r 8000 -c 1 -b 32 -e signed-integer -t wavpcm p32.wav synth 0.1 whitenoise"));
    // Offset of the field in the fmt chunk body: the plain format's bits per sample, the extensible one's valid bits.
    const auto withField = [&](const std::string& name, std::size_t fieldOffset, uint16_t value) {
        Bytes bytes = read(file(name + ".wav"));
        const std::string text(bytes.begin(), bytes.end());
        const std::size_t fmt = text.find("fmt ");
        EXPECT_NE(fmt, std::string::npos) << name;
        bytes[fmt + 8 + fieldOffset] = uint8_t(value);
        bytes[fmt + 8 + fieldOffset + 1] = uint8_t(value >> 8);
        return write(name + "-" + std::to_string(value) + ".wav", bytes);
    };
    constexpr std::size_t ValidBits = 18;
    constexpr std::size_t BitsPerSample = 14;
    const std::vector<std::tuple<std::string, std::size_t, uint16_t>> hostile = {
        {"i24", ValidBits, 25}, {"i24", ValidBits, 28}, {"i24", ValidBits, 0xFFFF},
        {"i32", ValidBits, 33}, {"i32", ValidBits, 40}, {"p32", BitsPerSample, 33},
    };
    for (const auto& [name, field, value] : hostile) {
        const FileReadResult r = readWavFile(withField(name, field, value));
        EXPECT_EQ(r.error, FileReadError::WavOther) << name << " " << value;
        EXPECT_EQ(fileReadErrorMessage(r.error), "Error reading WAV file!") << name << " " << value;
    }
    for (const auto& [name, field] : {std::pair{"i24", ValidBits}, {"i32", ValidBits}, {"p32", BitsPerSample}}) {
        const FileReadResult original = readWavFile(file(std::string(name) + ".wav"));
        const FileReadResult whole = readWavFile(withField(name, field, 0));
        ASSERT_TRUE(original.ok() && whole.ok()) << name;
        ASSERT_EQ(whole.signals.size(), original.signals.size()) << name;
        for (std::size_t c = 0; c < whole.signals.size(); ++c) {
            const Signal& a = *original.signals[c];
            const Signal& b = *whole.signals[c];
            ASSERT_EQ(a.count(), b.count()) << name;
            EXPECT_EQ(std::memcmp(a.samples(), b.samples(), a.count() * sizeof(float)), 0) << name << " channel " << c;
        }
    }
}

// Headers that claim what the file does not hold: refused with their message or read up to the end
// of the file, never a crash and never an allocation beyond what the file can fill.
TEST_F(WavFormatsTest, HostileSizesAreReadUpToTheEndOrRefused)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    Bytes samples;
    for (int i = 0; i < 60; ++i)
        samples.push_back(uint8_t(i * 37));
    const auto rf64 = [&](const Bytes& ds64, const Bytes& fmt, uint32_t dataSize) {
        std::vector<std::pair<std::string, Bytes>> chunks;
        if (!ds64.empty())
            chunks.push_back({"ds64", ds64});
        chunks.push_back({"fmt ", fmt});
        Bytes wav = riffWave(chunks, "RF64");
        appendText(wav, "data"), append32(wav, dataSize);
        wav.insert(wav.end(), samples.begin(), samples.end());
        return wav;
    };
    const auto ds64 = [](uint64_t dataSize) {
        Bytes body;
        append32(body, 0), append32(body, 0);
        append32(body, uint32_t(dataSize)), append32(body, uint32_t(dataSize >> 32));
        body.resize(28, 0);
        return body;
    };
    const Bytes i24x3 = extensibleFmtBody(3, 8000, 9, 24, 24, 1);
    Bytes pastTheEnd = riffWave({{"fmt ", i24x3}});
    appendText(pastTheEnd, "data"), append32(pastTheEnd, 0xFFFFFF00);
    pastTheEnd.insert(pastTheEnd.end(), samples.begin(), samples.end());
    Bytes truncatedDs64 = rf64(ds64(1), i24x3, 0xFFFFFFFF);
    truncatedDs64.resize(30);
    // 21845 channels of 3 bytes fill a block align of 65535: the frame count times the channels
    // times four bytes passes 32 bits long before the file ends.
    const Bytes wide = riffWave({{"fmt ", extensibleFmtBody(21845, 8000, 65535, 24, 24, 1)}, {"data", samples}});
    Bytes wideClaim = wide;
    std::fill_n(wideClaim.end() - int(samples.size()) - 4, 4, 0xFF);
    wideClaim.resize(wideClaim.size() + 2 * 65535, 0x11);

    const std::vector<std::tuple<std::string, Bytes, std::size_t, uint32_t>> readable = {
        {"ds64 past the end", rf64(ds64(uint64_t(1) << 62), i24x3, 0xFFFFFFFF), 3, 6},
        {"ds64 of all ones", rf64(ds64(~uint64_t(0)), i24x3, 0xFFFFFFFF), 3, 6},
        {"ds64 smaller", rf64(ds64(27), i24x3, 0xFFFFFFFF), 3, 3},
        {"no ds64", rf64({}, i24x3, 0xFFFFFFFF), 3, 6},
        {"short ds64", rf64(Bytes(8, 0xFF), i24x3, 0xFFFFFFFF), 3, 6},
        {"32-bit size in RF64", rf64(ds64(3), i24x3, 18), 3, 2},
        {"data past the end", pastTheEnd, 3, 6},
        {"wide frames, claim past the end", wideClaim, 21845, 2},
    };
    for (const auto& [what, bytes, channels, frames] : readable) {
        const auto path = write("hostile.wav", bytes);
        const AddressSpaceLimit limit(uint64_t(64) << 20);
        const FileReadResult r = readWavFile(path);
        ASSERT_TRUE(r.ok()) << what;
        ASSERT_EQ(r.signals.size(), channels) << what;
        EXPECT_EQ(r.signals.back()->count(), frames) << what;
    }
    const FileReadResult first = readWavFile(write("hostile.wav", std::get<1>(readable.front())));
    // Frame 1, channel 2: bytes 15, 16, 17 of the samples, the last one's top bit the sign.
    const uint32_t bytes = uint32_t(15 * 37 % 256) | uint32_t(16 * 37 % 256) << 8 | uint32_t(17 * 37 % 256) << 16;
    EXPECT_EQ(first.signals[2]->samples()[1], float(int32_t(bytes) - (bytes >= 0x800000 ? 0x1000000 : 0)));

    Bytes listPastEnd = riffWave({{"fmt ", i24x3}});
    appendText(listPastEnd, "LIST"), append32(listPastEnd, 0xFFFFFFFF);
    listPastEnd.resize(200, 0);
    const std::vector<std::pair<Bytes, FileReadError>> refused = {
        {truncatedDs64, FileReadError::WavOther},
        {listPastEnd, FileReadError::WavOther},
        {rf64(ds64(8), i24x3, 0xFFFFFFFF), FileReadError::WavOther},
        {riffWave({{"fmt ", extensibleFmtBody(0, 8000, 9, 24, 24, 1)}, {"data", samples}}, "RF64"),
         FileReadError::WavChannels},
        {riffWave({{"fmt ", extensibleFmtBody(21846, 8000, 65535, 24, 24, 1)}, {"data", samples}}),
         FileReadError::WavSampleSize},
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        const auto path = write("hostile.wav", refused[i].first);
        const AddressSpaceLimit limit(uint64_t(64) << 20);
        EXPECT_EQ(readWavFile(path).error, refused[i].second) << i;
    }

    // A sparse file with more frames than a signal can count is refused before anything is allocated;
    // one that a signal can count but memory cannot hold fails its allocation with the read's message.
    for (const uint64_t frames : {(uint64_t(1) << 32) + 10, uint64_t(3) << 30}) {
        const auto path = write("huge.wav", rf64(ds64(frames), fmtBody(1, 1, 8000, 1, 8), 0xFFFFFFFF));
        std::filesystem::resize_file(path, std::filesystem::file_size(path) - samples.size() + frames);
        const AddressSpaceLimit limit(uint64_t(256) << 20);
        EXPECT_EQ(readWavFile(path).error, FileReadError::WavOther) << frames;
    }
}
