#include "FileioTestSupport.h"
#include "fileio/FileNameRules.h"
#include "fileio/SignalFileWriter.h"
#include "signal/SignalKind.h"

using FileNameRulesTest = FileioTest;

TEST_F(FileNameRulesTest, WavIsOfferedOnlyForAWholeNumberRate)
{
    const SaveAsDialogChoice whole = saveAsDialogChoice(44100);
    EXPECT_EQ(whole.filter, " WAVE format (*.wav)|*.wav| Marlune signal (*.bin)|*.bin");
    EXPECT_EQ(whole.defaultExtension, "wav");
    const SaveAsDialogChoice fraction = saveAsDialogChoice(44100.5L);
    EXPECT_EQ(fraction.filter, "Marlune signal (*.bin)|*.bin");
    EXPECT_EQ(fraction.defaultExtension, "bin");
}

TEST_F(FileNameRulesTest, ExtensionsChooseTheReaderAndTheWriter)
{
    EXPECT_EQ(openRouteFor("/d/log.SA3"), OpenRoute::Sa3);
    EXPECT_EQ(openRouteFor("/d/a.Wav"), OpenRoute::Wav);
    EXPECT_EQ(openRouteFor("/d/a.bIn"), OpenRoute::SignalFile);
    EXPECT_EQ(openRouteFor("/d/a.EEG"), OpenRoute::SignalFile);
    EXPECT_EQ(openRouteFor("/d/a.Raw"), OpenRoute::SignalFile);
    EXPECT_EQ(openRouteFor("/d/a.mp3"), OpenRoute::Converter);
    EXPECT_EQ(openRouteFor("/d/wav"), OpenRoute::Converter);

    const std::vector<float> samples = {1, 2, 3};
    Signal s(nullptr, SignalKind::Generated, samples.data(), 3, 8000);
    ASSERT_TRUE(writeSignalFile(file("a.WAV"), s));
    EXPECT_EQ(read(file("a.WAV")).size(), 44u + 6);
    ASSERT_TRUE(writeSignalFile(file("b.Bin"), s));
    EXPECT_EQ(read(file("b.Bin")).size(), 14u + 12);
    EXPECT_FALSE(writeSignalFile(file("c.txt"), s));
    EXPECT_FALSE(writeSignalFile(file("wav"), s));
    EXPECT_FALSE(std::filesystem::exists(file("c.txt")));
    EXPECT_FALSE(std::filesystem::exists(file("wav")));
}
