#include "instruments/InstrumentFixture.h"

#include <cmath>
#include <filesystem>

#include "settings/PrivateProfile.h"
#include "settings/SpectralSettingsIni.h"
#include "support/TempFolder.h"
#include "tree/DerivedWindows.h"
#include "tree/WindowExport.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"

// A window of every kind the table can make, each marked invalid (a 3D window also with no matrix at
// all): the export run writes them all as invalid and none of them crashes it.
TEST_F(InstrumentTest, AnExportOfEveryKindWithAnInvalidResultWritesThemAll)
{
    client.spectralSettings = builtInSpectralDefaults({});
    std::vector<float> samples(4096);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(std::sin(0.05 * double(i)) * 100 + double(i % 13));
    marluneMDIChild* source = fileWindow(samples, 8000);
    marlune3DChild* tfft = marlune3DChild::createTimeFFT(client, *source, {256, 8, 15, 3, 31.25, 4000});
    marlune3DChild* tooLong = marlune3DChild::createTimeFFT(client, *source, {8192, 8, 15, 3, 1, 4000});
    marlune3DChild* log = marlune3DChild::createLog(client, *source, 4);
    ASSERT_TRUE(tfft && tooLong && log && tooLong->invalid());
    ASSERT_TRUE(marluneJoinChild::create(client, {source}, SignalKind::Overlay));
    // Windows under signals and 3D windows first, then those under the instruments made.
    marluneChild* instrument = nullptr;
    for (const bool underInstruments : {false, true})
        for (int32_t kind = 1; kind <= 200; ++kind) {
            const WindowKind* entry = client.kinds().find(kind);
            if (!entry || (!entry->build && !entry->makeWindow))
                continue;
            marluneChild* parent = entry->acceptsParent(source->kind()) ? static_cast<marluneChild*>(source)
                                   : entry->acceptsParent(tfft->kind()) ? static_cast<marluneChild*>(tfft)
                                                                        : instrument;
            if ((parent == instrument) != underInstruments)
                continue;
            ASSERT_NE(parent, nullptr) << kind;
            const PendingParameters parameters = kind == SignalKind::ExtractedPart     ? PendingParameters{0.1L, 0.2L}
                                                 : kind == SignalKind::ExtractedFromTo ? PendingParameters{0.1L, 0.3L}
                                                                                       : PendingParameters{1, 9, 2, 3};
            marluneChild* made = DerivedWindows::createChild(client, *parent, kind, parameters);
            EXPECT_NE(made, nullptr) << kind;
            if (made && SignalKind::isInstrument(kind))
                instrument = made;
        }
    for (marluneChild* window : client.windows())
        window->setInvalid(true);

    TempFolder folder;
    const auto out = folder.path / "out";
    EXPECT_EQ(exportWindows(client, out, ExportSources{}, [](marluneChild&, const std::filesystem::path& file) {
                  writeBytes(file, "png");
                  return true;
              }),
              0);
    const PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.sectionNames().size(), client.windows().size());
    EXPECT_GT(client.windows().size(), 30u);
    for (marluneChild* window : client.windows()) {
        const std::string section = "Window_" + std::to_string(window->index() + 1);
        EXPECT_EQ(manifest.getString(section, "Invalid", ""), "1") << window->title();
        if (SignalKind::is3D(window->kind())) {
            EXPECT_EQ(readBytes(out / ("window-" + std::to_string(window->index() + 1) + ".txt")), "");
        }
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}
