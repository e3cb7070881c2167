#include <sys/resource.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "converter/ConverterTestSupport.h"

using namespace converter_test;

namespace {

// The fields of a canonical 44-byte WAV header and the samples after it, split by channel.
struct Pcm {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t bits = 0;
    std::vector<std::vector<float>> samples;
    std::string data;
};

uint32_t le(const std::string& bytes, std::size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

// Interleaved 16-bit samples split by channel.
std::vector<std::vector<float>> channelsOf(const std::string& data, uint16_t channels)
{
    std::vector<std::vector<float>> samples(channels);
    for (std::size_t i = 0; channels > 0 && i + 1 < data.size(); i += 2)
        samples[(i / 2) % channels].push_back(float(int16_t(le(data, i, 2))));
    return samples;
}

Pcm readCanonicalWav(const std::filesystem::path& path)
{
    const std::string bytes = readBytes(path);
    Pcm pcm;
    EXPECT_GE(bytes.size(), 44u);
    if (bytes.size() < 44)
        return pcm;
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(le(bytes, 4, 4), bytes.size() - 8);
    EXPECT_EQ(le(bytes, 40, 4), bytes.size() - 44);
    pcm.format = uint16_t(le(bytes, 20, 2));
    pcm.channels = uint16_t(le(bytes, 22, 2));
    pcm.rate = le(bytes, 24, 4);
    EXPECT_EQ(le(bytes, 28, 4), pcm.rate * 2 * pcm.channels);
    EXPECT_EQ(le(bytes, 32, 2), 2u * pcm.channels);
    pcm.bits = uint16_t(le(bytes, 34, 2));
    pcm.data = bytes.substr(44);
    pcm.samples = channelsOf(pcm.data, pcm.channels);
    return pcm;
}

}  // namespace

class SonvertTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path source;  // stereo, 2 s at 44100 Hz: 440 Hz left, 1000 Hz right

    void SetUp() override { source = soxWav(folder, "source.wav", 44100, 2, "synth 2 sine 440 sine 1000 vol 0.5"); }

    // Runs the converter and expects success: no output line, exit code 0, a 16-bit PCM WAV file.
    Pcm convert(const std::filesystem::path& input)
    {
        const auto output = folder.path / (input.filename().string() + ".out.wav");
        const CommandRun run = runSonvert(input, output);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, "");
        const Pcm pcm = readCanonicalWav(output);
        EXPECT_EQ(pcm.format, 1);
        EXPECT_EQ(pcm.bits, 16);
        return pcm;
    }
    // Runs the converter and expects the failure line, exit code 0 and no file left in the folder.
    void expectFailure(const std::filesystem::path& input, int code)
    {
        const std::size_t before = folder.entries();
        const CommandRun run = runSonvert(input, folder.path / "failed.wav");
        EXPECT_EQ(run.exitCode, 0) << input;
        EXPECT_EQ(run.output, "Error: " + std::to_string(code) + "\n") << input;
        EXPECT_EQ(folder.entries(), before) << "nothing is left behind for " << input;
    }
};

TEST_F(SonvertTest, LosslessSourcesComeBackSampleForSample)
{
    const std::string sourceData = readBytes(source).substr(44);
    for (const auto& input : {ffmpeg(source, "", folder.path / "tone.flac"),
                              ffmpeg(source, "", folder.path / "tone.aiff")}) {
        const Pcm pcm = convert(input);
        EXPECT_EQ(pcm.channels, 2) << input;
        EXPECT_EQ(pcm.rate, 44100u) << input;
        EXPECT_EQ(pcm.data, sourceData) << input;
    }
}

TEST_F(SonvertTest, LossyStereoKeepsItsLengthWithinThePaddingAndItsPeaks)
{
    for (const auto& input : {ffmpeg(source, "-c:a libmp3lame -b:a 192k", folder.path / "tone.mp3"),
                              ffmpeg(source, "-c:a libvorbis -q:a 5", folder.path / "tone.ogg")}) {
        const Pcm pcm = convert(input);
        ASSERT_EQ(pcm.channels, 2) << input;
        EXPECT_EQ(pcm.rate, 44100u);
        const auto n = uint32_t(pcm.samples[0].size());
        EXPECT_NEAR(double(n), 88200.0, 2 * 1152.0) << input;
        EXPECT_NEAR(numpyPeakHz(folder, pcm.samples[0].data(), n, 44100), 440.0, 1.0) << input;
        EXPECT_NEAR(numpyPeakHz(folder, pcm.samples[1].data(), n, 44100), 1000.0, 1.0) << input;
    }
}

TEST_F(SonvertTest, MonoStaysMonoAtItsOwnRate)
{
    const auto mono = ffmpeg(soxWav(folder, "mono.wav", 8000, 1, "synth 0.5 sine 300"), "", folder.path / "mono.flac");
    const Pcm pcm = convert(mono);
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 8000u);
    EXPECT_EQ(pcm.data, readBytes(folder.path / "mono.wav").substr(44));
}

TEST_F(SonvertTest, OneOrTwoChannelsPassAsTheyAreWhateverPositionsTheyName)
{
    const auto layoutOf = [](const std::filesystem::path& file) {
        return runCommand("ffprobe -v error -show_entries stream=channel_layout -of csv=p=0 " + quoted(file)).output;
    };

    // 24-bit mono marked "front left": a plain conversion keeps the upper 16 bits of every sample.
    const auto mono = folder.path / "mono24.wav";
    tool("sox -n -D -r 48000 -c 1 -b 24 " + quoted(mono) + " synth 0.5 sine 300 vol 0.7");
    const auto left = ffmpeg(mono, "-af channelmap=map=0:channel_layout=FL -c:a pcm_s24le",
                             folder.path / "left.wav");
    ASSERT_EQ(layoutOf(left), "1 channels (FL)\n");
    const Pcm leftPcm = convert(left);
    EXPECT_EQ(leftPcm.channels, 1);
    EXPECT_EQ(leftPcm.rate, 48000u);
    const std::string upper16 = numpyOutput(
        "r, x = wavfile.read(sys.argv[1]); sys.stdout.buffer.write((x >> 16).astype(\"<i2\").tobytes())", left);
    EXPECT_EQ(leftPcm.samples, channelsOf(upper16, 1));

    // Two channels named centre and LFE, each with its own tone, come back as they went in.
    const auto centreLfe = ffmpeg(source, "-af 'channelmap=map=0|1:channel_layout=FC+LFE'", folder.path / "clfe.flac");
    ASSERT_EQ(layoutOf(centreLfe), "2 channels (FC+LFE)\n");
    const Pcm pairPcm = convert(centreLfe);
    EXPECT_EQ(pairPcm.channels, 2);
    EXPECT_EQ(pairPcm.rate, 44100u);
    EXPECT_EQ(pairPcm.samples, channelsOf(readBytes(source).substr(44), 2));
}

// MP3 and ADTS frames each carry their rate, so two such files joined byte for byte change it mid-stream.
TEST_F(SonvertTest, ARateChangeMidStreamIsResampledToTheFirstRate)
{
    const auto first = soxWav(folder, "first.wav", 44100, 1, "synth 1 sine 440 vol 0.5");
    const auto second = soxWav(folder, "second.wav", 22050, 1, "synth 1 sine 1000 vol 0.5");
    const std::pair<std::string, std::string> formats[] = {
        {"mp3", "-c:a libmp3lame -b:a 64k -write_xing 0 -id3v2_version 0"}, {"aac", "-c:a aac -f adts"}};
    for (const auto& [extension, options] : formats) {
        const auto part1 = ffmpeg(first, options, folder.path / ("first." + extension));
        const auto part2 = ffmpeg(second, options, folder.path / ("second." + extension));
        const auto joined = folder.path / ("joined." + extension);
        writeBytes(joined, readBytes(part1) + readBytes(part2));
        // The samples each part decodes to on its own.
        const auto decodedFrames = [&](const std::filesystem::path& part) {
            return double(readBytes(ffmpeg(part, "-f s16le", folder.path / "part.raw")).size()) / 2;
        };
        const double frames1 = decodedFrames(part1);
        const double frames2 = decodedFrames(part2);

        const Pcm pcm = convert(joined);
        ASSERT_EQ(pcm.channels, 1) << extension;
        EXPECT_EQ(pcm.rate, 44100u) << extension;
        const std::vector<float>& x = pcm.samples[0];
        EXPECT_NEAR(double(x.size()), frames1 + 2 * frames2, 2.0) << extension;
        ASSERT_GT(x.size(), std::size_t(frames1)) << extension;
        const auto n1 = uint32_t(frames1);
        const auto n2 = uint32_t(x.size()) - n1;
        EXPECT_NEAR(numpyPeakHz(folder, x.data(), n1, 44100), 440.0, 2.0) << extension;
        EXPECT_NEAR(numpyPeakHz(folder, x.data() + n1, n2, 44100), 1000.0, 2.0) << extension;
    }
}

TEST_F(SonvertTest, SixChannelsAreMixedDownToTheStereoFfmpegMakes)
{
    const auto six = ffmpeg(
        soxWav(folder, "six.wav", 22050, 6, "synth 1 sine 300 sine 500 sine 700 sine 900 sine 1100 sine 1300 vol 0.3"),
        "", folder.path / "six.flac");
    const auto reference =
        ffmpeg(six, "-ac 2 -map_metadata -1 -fflags +bitexact -c:a pcm_s16le", folder.path / "reference.wav");
    const Pcm pcm = convert(six);
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.rate, 22050u);
    EXPECT_EQ(pcm.samples[0].size(), 22050u);
    EXPECT_EQ(pcm.data, readBytes(reference).substr(44));
}

TEST_F(SonvertTest, EveryFailureHasItsCodeAndLeavesNoFile)
{
    expectFailure(folder.path / "missing.mp3", -1);

    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += "not audio, ";
    writeBytes(folder.path / "corrupt.mp3", noise);
    expectFailure(folder.path / "corrupt.mp3", -1);

    writeBytes(folder.path / "meta.txt", ";FFMETADATA1\ntitle=nothing\n");
    expectFailure(folder.path / "meta.txt", -2);

    // A WAV header naming a codec that no decoder knows.
    std::string unknown = readBytes(source).substr(0, 1044);
    unknown[20] = '\x33';
    unknown[21] = '\x33';
    writeBytes(folder.path / "unknown.wav", unknown);
    expectFailure(folder.path / "unknown.wav", -3);

    tool("ffmpeg -nostdin -y -f lavfi -i testsrc=duration=1:size=64x64:rate=10 -c:v mpeg4 " +
         quoted(folder.path / "video.mp4"));
    expectFailure(folder.path / "video.mp4", -4);

    writeBytes(folder.path / "header.wav", readBytes(source).substr(0, 44));
    expectFailure(folder.path / "header.wav", -10);

    const CommandRun run = runSonvert(source, folder.path / "no" / "such" / "folder.wav");
    EXPECT_EQ(run.output, "Error: -5\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(SonvertTest, AVideoFileGivesItsSound)
{
    tool("ffmpeg -nostdin -y -f lavfi -i testsrc=duration=1:size=64x64:rate=10 -i " + quoted(source) +
         " -shortest -c:v mpeg4 -c:a aac " + quoted(folder.path / "film.mp4"));
    const Pcm pcm = convert(folder.path / "film.mp4");
    ASSERT_EQ(pcm.channels, 2);
    EXPECT_NEAR(numpyPeakHz(folder, pcm.samples[1].data(), uint32_t(pcm.samples[1].size()), 44100), 1000.0, 2.0);
}

TEST_F(SonvertTest, OnlyTheNamedLocalFileIsRead)
{
    writeBytes(folder.path / "list.ffconcat", "ffconcat version 1.0\nfile 'source.wav'\n");
    expectFailure(folder.path / "list.ffconcat", -1);
    writeBytes(folder.path / "local.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2,\nsource.wav\n#EXT-X-ENDLIST\n");
    expectFailure(folder.path / "local.m3u8", -1);
    writeBytes(folder.path / "remote.m3u8",
               "#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2,\nhttp://127.0.0.1:9/a.ts\n#EXT-X-ENDLIST\n");
    expectFailure(folder.path / "remote.m3u8", -1);
    // A URL is a file name like any other: there is no such file.
    expectFailure("http://127.0.0.1:9/tone.mp3", -1);
}

// An 80-byte WAV whose INFO tag claims almost 4 GB (found by fuzzing): the library would allocate and
// clear a gigabyte for it. The converter now stays within what a small file can need.
TEST_F(SonvertTest, ATagClaimingGigabytesTakesNoGigabytes)
{
    const auto input = folder.path / "huge-tag.wav";
    std::filesystem::copy_file(std::filesystem::path(MARLUNE_SOURCE_DIR) / "tests/fuzz/corpus/SonvertFuzz/huge-info-tag",
                               input);
    const CommandRun run = runSonvert(input, folder.path / "out.wav");
    EXPECT_EQ(run.exitCode, 0);
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 256 * 1024) << "kilobytes at the peak of the largest child";
}
