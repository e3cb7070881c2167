#include "FileioTestSupport.h"
#include "fileio/WavReader.h"
#include "signal/SignalKind.h"

namespace {

Bytes int16Data(const std::vector<int16_t>& samples)
{
    Bytes data;
    for (int16_t v : samples)
        append16(data, uint16_t(v));
    return data;
}

}  // namespace

using WavReaderTest = FileioTest;

TEST_F(WavReaderTest, EightBitStereoSilenceIsTwoSignalsOf128)
{
    ASSERT_TRUE(run("sox -D -n -r 8000 -c 2 -b 8 -e unsigned-integer quiet.wav trim 0 0.01"));
    const FileReadResult r = readWavFile(file("quiet.wav"));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.signals.size(), 2u);
    for (const auto& s : r.signals) {
        EXPECT_EQ(s->kind(), SignalKind::WavChannel);
        EXPECT_EQ(s->sampleRate(), 8000);
        ASSERT_EQ(s->count(), 80u);
        for (uint32_t i = 0; i < s->count(); ++i)
            ASSERT_EQ(s->samples()[i], 128.0f);
        EXPECT_EQ(s->yMax(), 129.0f);
    }
}

TEST_F(WavReaderTest, SixteenBitChannelsMatchAnIndependentReading)
{
    // sox makes the files; Python's wave module and numpy give the values to expect.
    ASSERT_TRUE(run("sox -n -r 11025 -c 1 -b 16 mono.wav synth 0.3 sine 440 gain -1 && "
                    "sox -n -r 22050 -c 2 -b 16 stereo.wav synth 0.2 sine 300 whitenoise"));
    ASSERT_TRUE(python(R"(
import wave, numpy as np
for name in ('mono', 'stereo'):
    w = wave.open(name + '.wav')
    data = np.frombuffer(w.readframes(w.getnframes()), '<i2').reshape(-1, w.getnchannels())
    data.T.astype(np.float32).tofile(name + '.f32')
)"));
    for (const auto& [name, rate, channels] : {std::tuple{"mono", 11025, 1u}, std::tuple{"stereo", 22050, 2u}}) {
        const FileReadResult r = readWavFile(file(std::string(name) + ".wav"));
        ASSERT_TRUE(r.ok()) << name;
        const std::vector<float> expected = readFloats(file(std::string(name) + ".f32"));
        ASSERT_EQ(r.signals.size(), channels);
        const std::size_t count = expected.size() / channels;
        for (unsigned c = 0; c < channels; ++c) {
            const Signal& s = *r.signals[c];
            EXPECT_EQ(s.sampleRate(), rate);
            ASSERT_EQ(s.count(), count);
            EXPECT_TRUE(std::equal(s.samples(), s.samples() + count, expected.begin() + c * count)) << name << c;
        }
    }
}

TEST_F(WavReaderTest, ChunksAreWalkedWhereverTheyAre)
{
    // An odd-sized LIST chunk before fmt, a fact chunk between fmt and data, a data size running past the end.
    const std::vector<int16_t> values = {1, -2, 300, -32768, 32767};
    Bytes data = int16Data(values);
    Bytes wav = riffWave({{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"fmt ", fmtBody(1, 1, 16000, 2, 16)},
                          {"fact", {5, 0, 0, 0}}, {"data", data}});
    wav[wav.size() - data.size() - 4] = 0xF0;  // the data size now claims 240 bytes
    wav.push_back(0x77);                        // and an odd last byte is no whole frame
    const FileReadResult r = readWavFile(write("list.wav", wav));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.signals.size(), 1u);
    EXPECT_EQ(r.signals[0]->sampleRate(), 16000);
    EXPECT_EQ(std::vector<float>(r.signals[0]->samples(), r.signals[0]->samples() + r.signals[0]->count()),
              std::vector<float>(values.begin(), values.end()));
}

TEST_F(WavReaderTest, CompressedAndUnknownCodingsGoToTheConverter)
{
    ASSERT_TRUE(run("sox -n -r 8000 -c 1 -e u-law ulaw.wav synth 0.05 sine 440 && "
                    "sox -n -r 8000 -c 2 -e a-law alaw.wav synth 0.05 sine 440 && "
                    "sox -n -r 8000 -c 1 -e ima-adpcm ima.wav synth 0.05 sine 440 && "
                    "sox -n -r 8000 -c 1 -e ms-adpcm ms.wav synth 0.05 sine 440 && "
                    "sox -n -r 8000 -c 1 -e gsm-full-rate gsm.wav synth 0.05 sine 440"));
    for (const char* name : {"ulaw.wav", "alaw.wav", "ima.wav", "ms.wav", "gsm.wav"})
        EXPECT_EQ(readWavFile(file(name)).error, FileReadError::NotPcm) << name;

    const Bytes data(96, 0x40);
    Bytes strangeGuid = extensibleFmtBody(2, 8000, 8, 32, 32, 3);
    strangeGuid.back() ^= 1;
    const std::vector<Bytes> formats = {
        fmtBody(3, 1, 8000, 2, 16),                  // half-precision floats
        fmtBody(3, 2, 8000, 6, 24),                  // 24-bit floats
        fmtBody(3, 1, 8000, 4, 64),                  // a float width that the block does not hold
        fmtBody(0x55, 1, 8000, 1, 0),                // MPEG layer 3
        extensibleFmtBody(2, 8000, 2, 8, 8, 6),      // A-law in the extensible format
        strangeGuid,                                 // a subformat of another family
        Bytes(strangeGuid.begin(), strangeGuid.begin() + 18),  // extensible without its extension
    };
    for (std::size_t i = 0; i < formats.size(); ++i)
        EXPECT_EQ(readWavFile(write("coded.wav", riffWave({{"fmt ", formats[i]}, {"data", data}}))).error,
                  FileReadError::NotPcm)
            << i;
    Bytes mp3 = {0xFF, 0xFB, 0x90, 0x64};
    mp3.resize(400, 0x11);
    EXPECT_EQ(readWavFile(write("song.wav", mp3)).error, FileReadError::NotPcm);
}

TEST_F(WavReaderTest, UnreadableHeadersGiveTheirMessages)
{
    const Bytes data = int16Data({1, 2, 3, 4, 5, 6});
    const Bytes pcm16 = fmtBody(1, 1, 8000, 2, 16);
    Bytes manyChunks;
    for (int i = 0; i < 2000; ++i)
        appendText(manyChunks, "junk"), append32(manyChunks, 0);
    const Bytes fmtOnly = riffWave({{"fmt ", pcm16}});
    Bytes crowded = fmtOnly;  // no file has that many chunks before its data
    crowded.insert(crowded.end(), manyChunks.begin(), manyChunks.end());
    appendText(crowded, "data"), append32(crowded, 12);
    crowded.insert(crowded.end(), data.begin(), data.end());

    const std::vector<std::pair<Bytes, FileReadError>> cases = {
        {riffWave({{"fmt ", fmtBody(1, 0, 8000, 2, 16)}, {"data", data}}), FileReadError::WavChannels},
        {riffWave({{"fmt ", extensibleFmtBody(0, 8000, 4, 32, 24, 1)}, {"data", data}}), FileReadError::WavChannels},
        {riffWave({{"fmt ", fmtBody(3, 0, 8000, 4, 32)}, {"data", data}}), FileReadError::WavChannels},
        {riffWave({{"fmt ", fmtBody(1, 2, 8000, 0, 16)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", fmtBody(1, 2, 8000, 5, 16)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", fmtBody(1, 2, 8000, 1, 8)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", fmtBody(1, 2, 8000, 10, 40)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", extensibleFmtBody(1, 8000, 8, 64, 64, 1)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", extensibleFmtBody(3, 8000, 0, 32, 32, 3)}, {"data", data}}), FileReadError::WavSampleSize},
        {riffWave({{"fmt ", Bytes(pcm16.begin(), pcm16.begin() + 14)}, {"data", data}}), FileReadError::WavOther},
        {fmtOnly, FileReadError::WavOther},
        {riffWave({{"fmt ", pcm16}, {"data", {}}}), FileReadError::WavOther},
        {riffWave({{"fmt ", extensibleFmtBody(4, 8000, 16, 32, 24, 1)}, {"data", data}}), FileReadError::WavOther},
        {riffWave({{"fmt ", fmtBody(1, 1, 0, 2, 16)}, {"data", data}}), FileReadError::WavOther},
        {riffWave({{"data", data}}), FileReadError::WavOther},
        {Bytes(fmtOnly.begin(), fmtOnly.begin() + 30), FileReadError::WavOther},
        {{'R', 'I', 'F', 'F', 0, 0, 0}, FileReadError::WavOther},
        {{}, FileReadError::WavOther},
        {crowded, FileReadError::WavOther},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(readWavFile(write("bad.wav", cases[i].first)).error, cases[i].second) << i;
    EXPECT_EQ(fileReadErrorMessage(FileReadError::WavChannels),
              "Error reading WAV file!\nOnly mono and stereo WAV files are supported.");
    EXPECT_EQ(fileReadErrorMessage(FileReadError::WavSampleSize),
              "Error reading WAV file!\nOnly 8- and 16-bit WAV formats are supported.");
    EXPECT_EQ(fileReadErrorMessage(FileReadError::WavOther), "Error reading WAV file!");
}
