#include "tree/TreeFixture.h"

#include <cstdlib>

#include "fileio/BinFile.h"
#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"
#include "tree/WindowExport.h"

TEST_F(TreeTest, ExportWritesEveryWindowAndAManifest)
{
    TempFolder folder;
    const auto wav = (folder.path / "tone.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 1000 -c 2 -b 16 '" + wav + "' synth 0.05 sine 100 sine 200").c_str()), 0);
    std::vector<std::string> pictures;
    const auto out = folder.path / "out";
    const int status = exportWindows(client, out, ExportSources{.files = {wav}}, [&](marluneChild& w, const std::filesystem::path& file) {
        pictures.push_back(w.title() + " " + file.filename().string());
        return true;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(pictures, (std::vector<std::string>{"1#tone.wav-1 window-1.png", "2#tone.wav-2 window-2.png"}));

    PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.sectionNames(), (std::vector<std::string>{"Window_1", "Window_2"}));
    EXPECT_EQ(manifest.getString("Window_2", "Title", ""), "2#tone.wav-2");
    EXPECT_EQ(manifest.getString("Window_2", "Type", ""), "22");
    EXPECT_EQ(manifest.getString("Window_2", "SampleRate", ""), "1000");
    EXPECT_EQ(manifest.getString("Window_2", "XOffset", ""), "0");
    EXPECT_EQ(manifest.getString("Window_2", "Count", ""), "50");
    EXPECT_EQ(manifest.getString("Window_2", "FileName", ""), wav);

    const auto reread = readBinFile(out / "window-2.bin");
    ASSERT_TRUE(reread.ok());
    const Signal& original = *static_cast<marluneMDIChild*>(client.window(1))->signal();
    ASSERT_EQ(reread.signals[0]->count(), 50u);
    EXPECT_TRUE(std::equal(original.samples(), original.samples() + 50, reread.signals[0]->samples()));
    EXPECT_TRUE(std::filesystem::exists(out / "window-1.txt"));

    EXPECT_EQ(exportWindows(client, out, {(folder.path / "missing.wav").string()},
                            [](marluneChild&, const std::filesystem::path&) { return true; }),
              1);
}
