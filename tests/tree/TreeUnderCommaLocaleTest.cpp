#include "tree/TreeFixture.h"

#include <cstdlib>

#include "settings/PrivateProfile.h"
#include "support/CommaLocale.h"
#include "support/TempFolder.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterForm.h"
#include "tree/StepChangeForm.h"
#include "tree/WindowExport.h"

// A German user types and reads numbers with a point in every dialog, and the files come out the same.
TEST_F(TreeTest, DialogsAndTheExportManifestKeepThePointUnderACommaLocale)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);

    FilterForm filter("0", "100");
    filter.fromText = "12.5";
    filter.toText = "99.75";
    ASSERT_TRUE(filter.accept());
    EXPECT_EQ(filter.parameters()[0], 12.5L);
    EXPECT_EQ(filter.parameters()[1], 99.75L);

    ExtractOdDoForm extract("0", "1");
    extract.fromText = "0.25";
    extract.toText = "0.5";
    extract.accept();
    EXPECT_EQ(extract.from(), 0.25L);
    EXPECT_EQ(extract.to(), 0.5L);

    StepChangeForm step(10, 1000);
    step.secondsText = "0.125";
    step.secondsEdited();
    EXPECT_EQ(step.samplesText, "125");
    step.samplesText = "250";
    step.samplesEdited();
    EXPECT_EQ(step.secondsText, "0.25000");

    marluneMDIChild* window = fileWindow();
    client.setActiveChild(window);
    ui.inputAnswers.push_back("44100.5");
    client.dispatch(24);
    EXPECT_EQ(window->signal()->sampleRate(), 44100.5L);
    EXPECT_EQ(ui.status[StatusField::SampleRate], "44100.500");

    TempFolder folder;
    const auto wav = (folder.path / "tone.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 1000 -c 1 -b 16 '" + wav + "' synth 0.05 sine 100").c_str()), 0);
    exportWindows(client, folder.path / "out", {wav}, [](marluneChild&, const std::filesystem::path&) { return true; });
    const PrivateProfile manifest(folder.path / "out" / "manifest.ini");
    EXPECT_EQ(manifest.getString("Window_1", "SampleRate", ""), "44100.5");
}
