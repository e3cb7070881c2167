#include "tree/TreeFixture.h"

#include <cstdlib>

#include "fileio/SampleRateForm.h"
#include "fileio/WavReader.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/SignalOpener.h"

namespace {
const std::string NoDecoder =
    "The file could not be open. There is probably no decoder for this type of file in your system.";
}

class OpenerTest : public TreeTest {
protected:
    TempFolder folder;

    std::string path(const std::string& name) const { return (folder.path / name).string(); }
    std::string sox(const std::string& arguments, const std::string& output) const
    {
        const std::string command = "sox -n -D " + arguments.substr(0, arguments.find('|')) + " '" + path(output) +
                                    "' " + arguments.substr(arguments.find('|') + 1) + " 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path(output);
    }
    void answerSampleRate(const std::string& text)
    {
        ui.formAnswers.push_back([text](DialogForm& form) {
            static_cast<SampleRateForm&>(form).text = text;
            return true;
        });
    }
};

TEST_F(OpenerTest, StereoWavMakesAGroupOfTwoWindowsTitledWithChannelNumbers)
{
    const auto wav = sox("-r 8000 -c 2 -b 16|synth 0.1 sine 100 sine 200", "two.wav");
    auto* first = client.openFiles({wav});
    ASSERT_NE(first, nullptr);
    const auto all = client.windows();
    ASSERT_EQ(all.size(), 2u);
    auto* second = static_cast<marluneMDIChild*>(all[1]);
    EXPECT_EQ(first->caption(), " 1#two.wav-1");
    EXPECT_EQ(second->caption(), " 2#two.wav-2");
    EXPECT_EQ(second->mainSignal(), first);
    EXPECT_EQ(second->channelNumber(), 1);
    EXPECT_EQ(first->fileName(), wav);
    EXPECT_EQ(first->signal()->kind(), SignalKind::WavChannel);
    EXPECT_EQ(first->signal()->count(), 800u);
    EXPECT_EQ(first->signal()->sampleRate(), 8000.0L);
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_GE(ui.waitCursorsShown, 1);
}

TEST_F(OpenerTest, SeveralFilesOpenInOrderAndMissingOnesAreSkippedSilently)
{
    const auto a = sox("-r 8000 -c 1 -b 16|synth 0.01 sine 100", "a.wav");
    const auto b = sox("-r 8000 -c 1 -b 16|synth 0.02 sine 100", "b.wav");
    auto* last = client.openFiles({a, path("missing.wav"), b, folder.path.string()});
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->caption(), " 2#b.wav-1");
    EXPECT_EQ(client.windows().size(), 2u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OpenerTest, FilesForTheConverterGetTheNoDecoderMessage)
{
    const auto ulawWav = sox("-r 8000 -c 1 -e u-law|synth 0.01 sine 100", "ulaw.wav");
    const auto flac = sox("-r 8000 -c 1 -b 16|synth 0.01 sine 100", "tone.flac");
    EXPECT_EQ(client.openFiles({ulawWav}), nullptr);
    EXPECT_EQ(client.openFiles({flac}), nullptr);
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{NoDecoder, NoDecoder}));
    EXPECT_TRUE(client.windows().empty());
}

TEST_F(OpenerTest, UnreadableWavShowsTheReadersMessage)
{
    // PCM in the header, but a block of five bytes cannot hold two 16-bit samples.
    const std::string header = std::string("RIFF") + std::string("\x2a\0\0\0", 4) + "WAVEfmt " +
                               std::string("\x10\0\0\0\1\0\2\0\x40\x1f\0\0\x40\x9c\0\0\5\0\x10\0", 20) +
                               "data" + std::string("\6\0\0\0\1\2\3\4\5\6", 10);
    writeBytes(folder.path / "odd.wav", header);
    EXPECT_EQ(client.openFiles({path("odd.wav")}), nullptr);
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{"Error reading WAV file!\nOnly 8- and 16-bit WAV formats are supported."}));
}

TEST_F(OpenerTest, MultichannelWavMakesAGroupWithAWindowPerChannel)
{
    const auto wav = sox("-r 48000 -c 5 -b 24|synth 0.1 sine 100 sine 200 sine 300 sine 400 whitenoise", "five.wav");
    const auto floats = sox("-r 8000 -c 3 -b 32 -e floating-point|synth 0.1 sine 100 sine 200 sine 300", "f.wav");
    auto* first = client.openFiles({wav});
    ASSERT_NE(first, nullptr);
    const auto expected = readWavFile(wav);
    ASSERT_TRUE(expected.ok());
    const auto all = client.windows();
    ASSERT_EQ(all.size(), 5u);
    for (int c = 0; c < 5; ++c) {
        auto* window = static_cast<marluneMDIChild*>(all[std::size_t(c)]);
        EXPECT_EQ(window->caption(), " " + std::to_string(c + 1) + "#five.wav-" + std::to_string(c + 1));
        EXPECT_EQ(window->channelNumber(), c);
        EXPECT_EQ(window->mainSignal(), c == 0 ? nullptr : first);
        EXPECT_EQ(window->fileName(), wav);
        const Signal& got = *window->signal();
        EXPECT_EQ(got.kind(), SignalKind::WavChannel);
        EXPECT_EQ(got.sampleRate(), 48000.0L);
        ASSERT_EQ(got.count(), 4800u);
        EXPECT_TRUE(std::equal(got.samples(), got.samples() + 4800, expected.signals[std::size_t(c)]->samples()));
    }
    EXPECT_GT(first->signal()->yMax(), 32767.0f) << "24-bit values keep their size";

    auto* next = client.openFiles({floats});
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(client.windows().size(), 8u);
    EXPECT_EQ(next->caption(), " 6#f.wav-1");
    EXPECT_EQ(client.windows().back()->caption(), " 8#f.wav-3");
    EXPECT_EQ(static_cast<marluneMDIChild*>(client.windows().back())->mainSignal(), next);
    EXPECT_LE(next->signal()->yMax(), 1.0f) << "float samples keep their values";
    EXPECT_TRUE(ui.messages.empty()) << "neither file goes to the converter";
}

TEST_F(OpenerTest, RawReadAsksTheRateAndACancelAbandonsIt)
{
    writeBytes(folder.path / "data.sa3", std::string(2 * (61 + 7 * 10), '\0'));
    // The open routine sends ".Bin" to the signal-file reader, which only knows ".bin" and ".BIN": a raw read.
    writeBytes(folder.path / "data.Bin", std::string(100, '\0'));
    EXPECT_EQ(client.openFiles({path("data.Bin")}), nullptr) << "cancelled";
    EXPECT_EQ(ui.formsShown, (std::vector<std::string>{"SampleRate"}));
    answerSampleRate("250");
    auto* raw = client.openFiles({path("data.Bin")});
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->signal()->count(), 50u);
    EXPECT_EQ(raw->signal()->sampleRate(), 250.0L);
    EXPECT_EQ(raw->caption(), " 1#data.Bin");

    answerSampleRate("100");
    auto* channel0 = client.openFiles({path("data.sa3")});
    ASSERT_NE(channel0, nullptr);
    EXPECT_EQ(client.windows().size(), 5u);
    EXPECT_EQ(channel0->caption(), " 2#data.sa3-0");
    EXPECT_EQ(client.windows().back()->caption(), " 5#data.sa3-3");
    EXPECT_EQ(channel0->signal()->count(), 10u);
}

TEST_F(OpenerTest, ARawFileOpensAtTheRateAskedAndNeverGoesToTheConverter)
{
    std::string bytes;
    for (const int16_t value : {int16_t(1), int16_t(-2), int16_t(300), int16_t(-32768)})
        bytes.append(reinterpret_cast<const char*>(&value), 2);
    writeBytes(folder.path / "four.RAW", bytes);
    answerSampleRate("1000");
    auto* raw = client.openFiles({path("four.RAW")});
    ASSERT_NE(raw, nullptr);
    EXPECT_TRUE(ui.processes.empty());
    EXPECT_EQ(raw->caption(), " 1#four.RAW");
    const float* samples = raw->signal()->samples();
    EXPECT_EQ(std::vector<float>(samples, samples + raw->signal()->count()), (std::vector<float>{1, -2, 300, -32768}));
}

// The first entry is the one the dialog starts with: it must show every file the later entries show.
TEST_F(OpenerTest, TheOpenFilterStartsWithEveryTypeAndThenListsEachAlone)
{
    const std::string& filter = SignalOpener::openFilter();
    std::vector<std::string> parts;
    for (std::size_t begin = 0, end; (end = filter.find('|', begin)) != std::string::npos; begin = end + 1)
        parts.push_back(filter.substr(begin, end - begin));
    ASSERT_EQ(parts.size() % 2, 0u);
    ASSERT_GE(parts.size(), 6u);
    const std::string every = ";" + parts[1] + ";";
    for (std::size_t i = 3; i + 2 < parts.size(); i += 2)
        for (std::size_t begin = 0, end = 0; end != std::string::npos; begin = end + 1) {
            end = parts[i].find(';', begin);
            const std::string pattern = parts[i].substr(begin, end == std::string::npos ? end : end - begin);
            EXPECT_NE(every.find(";" + pattern + ";"), std::string::npos) << pattern << " of " << parts[i - 1];
        }
    for (const char* pattern : {"*.wav", "*.bin", "*.eeg", "*.sa3", "*.raw", "*.flac", "*.ogg", "*.mp3", "*.aac", "*.m4a"})
        EXPECT_NE(every.find(std::string(";") + pattern + ";"), std::string::npos) << pattern;
    EXPECT_EQ(parts[parts.size() - 1], "*.*") << "the last entry still shows everything";
    EXPECT_EQ(parts.size() / 2, SignalOpener::fileTypes().size() + 2);

    // The Open command shows it.
    client.dispatch(Cmd::OpenSignal);
    ASSERT_EQ(ui.openFilters.size(), 1u);
    EXPECT_EQ(ui.openFilters[0], filter);
}

// "Properties..." of the active window: the one message box it shows.
class FilePropertiesTest : public OpenerTest {
protected:
    std::string propertiesOf(marluneChild* window)
    {
        client.setActiveChild(window);
        ui.messages.clear();
        const auto state = client.dispatchState(Cmd::Properties);
        EXPECT_TRUE(state && state->enabled);
        EXPECT_TRUE(client.dispatch(Cmd::Properties));
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? std::string() : ui.messages.back().text;
    }
};

TEST_F(FilePropertiesTest, AWavChannelTellsFormatChannelsDepthRateLengthAndPath)
{
    const auto wav = sox("-r 22050 -c 2 -b 24|synth 1.5 sine 100 sine 200", "deep.wav");
    ASSERT_NE(client.openFiles({wav}), nullptr);
    EXPECT_EQ(propertiesOf(client.windows()[1]), "File: " + wav + "\n"
              "Format: Audio for Windows (.WAV)\n"
              "Channels: 2 (this window shows channel 2)\n"
              "Samples: 24-bit integers\n"
              "Sample rate: 22050 Hz\n"
              "Length: 33075 samples, 1.5 s");
    EXPECT_EQ(ui.messages.back().caption, "Properties");

    // Zooming changes what is shown, not what the file holds.
    const auto eight = sox("-r 8000 -c 1 -b 8|synth 0.25 sine 100", "eight.wav");
    const auto floats = sox("-r 48000 -c 1 -e floating-point -b 32|synth 0.01 sine 100", "float.wav");
    const std::string small = propertiesOf(client.openFiles({eight}));
    EXPECT_NE(small.find("Samples: 8-bit unsigned integers\n"), std::string::npos) << small;
    EXPECT_NE(small.find("Channels: 1 (this window shows channel 1)\n"), std::string::npos) << small;
    EXPECT_NE(small.find("Length: 2000 samples, 0.25 s"), std::string::npos) << small;
    const std::string real = propertiesOf(client.openFiles({floats}));
    EXPECT_NE(real.find("Samples: 32-bit floats\n"), std::string::npos) << real;
    EXPECT_NE(real.find("Sample rate: 48000 Hz\n"), std::string::npos) << real;
}

TEST_F(FilePropertiesTest, TheProgramsOwnFormatsSayWhatTheyHold)
{
    std::string bytes;
    for (int i = 0; i < 5; ++i)
        bytes += std::string("\x01\x00", 2);
    writeBytes(folder.path / "five.raw", bytes);
    answerSampleRate("12.5");
    const std::string raw = propertiesOf(client.openFiles({path("five.raw")}));
    EXPECT_NE(raw.find("Format: Raw 16-bit samples (.RAW)\nChannels: 1"), std::string::npos) << raw;
    EXPECT_NE(raw.find("Samples: 16-bit integers\nSample rate: 12.5 Hz\nLength: 5 samples, 0.4 s"), std::string::npos)
        << raw;

    writeBytes(folder.path / "log.sa3", std::string(2 * (61 + 7 * 10), '\0'));
    answerSampleRate("100");
    client.openFiles({path("log.sa3")});
    const std::string log = propertiesOf(client.windows().back());
    EXPECT_NE(log.find("Format: Data log of four channels (.SA3)\nChannels: 4 (this window shows channel 4)"),
              std::string::npos)
        << log;
}

TEST_F(OpenerTest, ReplaceSignalNeedsTheSameRateAndLength)
{
    const auto a = sox("-r 8000 -c 1 -b 16|synth 0.1 sine 100", "a.wav");
    const auto same = sox("-r 8000 -c 1 -b 16|synth 0.1 square 50", "same.wav");
    const auto shorter = sox("-r 8000 -c 1 -b 16|synth 0.05 sine 100", "short.wav");
    auto* window = client.openFiles({a});
    auto* fft = derived("fft", {window});
    client.setActiveChild(window);

    ui.openAnswers.push_back({shorter});
    client.dispatch(7);
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"Both signals must have identical sample rate and length!"}));
    EXPECT_EQ(client.windows().size(), 2u) << "the window made for the comparison is closed again";

    ui.openAnswers.push_back({same});
    client.dispatch(7);
    EXPECT_EQ(window->fileName(), same);
    EXPECT_EQ(window->caption(), " 1#" + same + "-1");
    EXPECT_EQ(log, (std::vector<std::string>{"fft"}));
    EXPECT_EQ(client.windows().size(), 2u);
    const auto expected = readWavFile(same);
    ASSERT_TRUE(expected.ok());
    EXPECT_TRUE(std::equal(window->signal()->samples(), window->signal()->samples() + 800,
                           expected.signals[0]->samples()));
    EXPECT_EQ(window->signal()->yMax(), expected.signals[0]->yMax());
    EXPECT_NE(fft, nullptr);
}

TEST_F(OpenerTest, SaveAsOffersWavOnlyForWholeRatesAndWritesTheVisibleRange)
{
    const auto a = sox("-r 8000 -c 1 -b 16|synth 0.1 sine 100", "a.wav");
    auto* window = client.openFiles({a});
    client.setActiveChild(window);
    ASSERT_TRUE(window->signal()->zoomIn(100, 199));
    ui.saveAnswers.push_back(path("part.bin"));
    client.dispatch(24334);
    EXPECT_EQ(ui.saveDefaultExtensions.back(), "wav");
    EXPECT_EQ(window->fileName(), path("part.bin"));
    EXPECT_EQ(std::filesystem::file_size(path("part.bin")), 14u + 4u * 100u);

    window->signal()->setSampleRate(44100.5L);
    client.dispatch(24333);
    EXPECT_EQ(ui.saveFilters.size(), 1u) << "a .bin file name saves without a dialog";
    auto* reread = client.openFiles({path("part.bin")});
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->signal()->sampleRate(), 44100.5L);
    EXPECT_EQ(reread->signal()->count(), 100u);

    client.setActiveChild(reread);
    reread->setFileName("");
    ui.saveAnswers.push_back(path("other.txt"));
    client.dispatch(24333);
    EXPECT_EQ(ui.saveFilters.back(), "Marlune signal (*.bin)|*.bin");
    EXPECT_FALSE(std::filesystem::exists(path("other.txt"))) << "an unknown extension writes nothing";
}

// A save that cannot complete says so and leaves the file that was there; the window keeps its name.
TEST_F(OpenerTest, AFailedSaveShowsAMessageAndKeepsTheOldFile)
{
    const auto a = sox("-r 8000 -c 1 -b 16|synth 1 sine 100", "a.wav");
    auto* window = client.openFiles({a});
    client.setActiveChild(window);
    writeBytes(path("keep.bin"), "old");
    window->setFileName(path("keep.bin"));
    {
        const FileSizeLimit fullDisk(1024);
        client.dispatch(24333);
        ui.saveAnswers.push_back(path("new.wav"));
        client.dispatch(24334);
        ui.saveAnswers.push_back(path("export.txt"));
        client.dispatch(25);
    }
    EXPECT_EQ(readBytes(path("keep.bin")), "old");
    EXPECT_FALSE(std::filesystem::exists(path("new.wav")));
    EXPECT_FALSE(std::filesystem::exists(path("export.txt")));
    EXPECT_EQ(window->fileName(), path("keep.bin"));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "The signal could not be written to " + path("keep.bin") + ".");
    EXPECT_EQ(ui.messages[2].text, "The signal could not be written to " + path("export.txt") + ".");
    client.dispatch(24333);
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(std::filesystem::file_size(path("keep.bin")), 14u + 4u * 8000u);
}
