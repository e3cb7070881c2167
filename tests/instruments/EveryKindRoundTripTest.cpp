#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "dsp/CalcOperator.h"
#include "dsp/CalcProgram.h"
#include "fileio/BinFile.h"
#include "fileio/SampleRateForm.h"
#include "fileio/WavWriter.h"
#include "instruments/InstrumentKinds.h"
#include "kinds/WindowKindRegistration.h"
#include "settings/PrivateProfile.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/SignalKind.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/marluneSB.h"
#include "support/MatrixFile.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tree/AsciiImport.h"
#include "tree/CalcWindows.h"
#include "tree/DerivedWindows.h"
#include "tree/GeneratorCommand.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace fs = std::filesystem;

namespace {
// The program's client with every family registered, on virtual sound devices.
struct Program {
    ScriptedUi ui;
    VirtualSoundDevices devices;
    marluneMDIClient client{ui, "/nonexistent/"};

    Program()
    {
        registerWindowKinds(client, &devices);
        client.spectralSettings = builtInSpectralDefaults({});
        // The .sa3 file asks for its sample rate each time it is opened.
        ui.formAnswers.push_back([](DialogForm& form) {
            static_cast<SampleRateForm&>(form).text = "50";
            return form.accept();
        });
    }
};

std::vector<float> wave(uint32_t n)
{
    std::vector<float> v(n);
    for (uint32_t i = 0; i < n; ++i)
        v[i] = float(std::round(3000 * std::sin(0.05 * i) + 40 * (i % 13)));
    return v;
}

// Every key of every window section but those that follow the screen or the window numbers.
std::map<std::string, std::map<std::string, std::string>> keysByType(const fs::path& file)
{
    const PrivateProfile profile(file);
    std::map<std::string, std::map<std::string, std::string>> sections;
    for (const std::string& section : profile.sectionNames()) {
        if (!section.starts_with("Window_"))
            continue;
        auto& keys = sections[profile.getString(section, "Type", "") + "/" + profile.getString(section, "WindowTitle", section)];
        for (const std::string& key : profile.keys(section))
            if (!key.starts_with("Window_") && !key.starts_with("Child_") && !key.starts_with("Parent_")) {
                // Sections are named after the windows' places, which a loaded tree fills in its own order.
                const std::string value = profile.getString(section, key, "");
                keys[key] = value.starts_with("Window_") ? "Window_" : value;
            }
    }
    return sections;
}
}  // namespace

// A tree with a window of every registered kind comes back from its workspace key for key: a kind
// whose keys are written but not read, or that cannot be made again, fails here.
TEST(EveryKind, AWorkspaceOfEveryRegisteredKindLoadsAndSavesTheSameKeys)
{
    TempFolder folder;
    Program program;
    marluneMDIClient& client = program.client;
    const std::vector<float> samples = wave(4096);
    const Signal tone(nullptr, SignalKind::FileSignal, samples.data(), uint32_t(samples.size()), 8000);
    ASSERT_TRUE(writeWavFile(folder.path / "tone.wav", tone));
    ASSERT_TRUE(writeBinFile(folder.path / "tone.bin", tone));
    writeBytes(folder.path / "table.txt", "1 2\n2 3\n3 5\n4 7\n5 11\n6 13\n7 17\n8 19\n");

    marluneMDIChild* wav = client.openFiles({(folder.path / "tone.wav").string()});
    ASSERT_TRUE(wav && wav->kind() == SignalKind::WavChannel);
    marluneMDIChild* bin = client.openFiles({(folder.path / "tone.bin").string()});
    ASSERT_TRUE(bin && bin->kind() == SignalKind::FileSignal);
    ASSERT_NE(AsciiImport(client).importWith(folder.path / "table.txt", 100, true), nullptr);
    std::string sa3(2 * (61 + 7 * 64), '\0');
    for (std::size_t i = 0; i < sa3.size(); ++i)
        sa3[i] = char(i * 7);
    writeBytes(folder.path / "log.sa3", sa3);
    ASSERT_NE(client.openFiles({(folder.path / "log.sa3").string()}), nullptr);
    AcquisitionSettings acquisition;
    acquisition.sampleRate = 8000;
    ASSERT_NE(marluneSB::create(client, program.devices, acquisition), nullptr);
    GeneratorParameters generator = client.generatorSettings;
    ASSERT_NE(GeneratorCommand::create(client, generator), nullptr);
    ASSERT_NE(CalcWindows::create(client, CalcProgram({(long double)wav->index(), CalcOperator::Base + '-',
                                                       (long double)bin->index()}),
                                  client.spectralSettings),
              nullptr);
    marlune3DChild* tfft = marlune3DChild::createTimeFFT(client, *wav, {256, 8, 15, 3, 31.25, 4000});
    ASSERT_NE(tfft, nullptr);
    ASSERT_NE(marlune3DChild::createLog(client, *wav, 4), nullptr);
    writeCountingMatrix(folder.path / "matrix.dat", 3, 2);
    ASSERT_NE(marlune3DChild::openPicture(client, folder.path / "matrix.dat"), nullptr);
    ASSERT_NE(marluneJoinChild::create(client, {wav, bin}, SignalKind::Overlay), nullptr);
    ASSERT_NE(marluneJoinChild::create(client, {wav, bin}, SignalKind::StackedOverlay), nullptr);

    // Every kind the creation routine makes, under the first window of a kind it takes.
    marluneChild* instrument = nullptr;
    for (const bool underInstruments : {false, true})
        for (const WindowKind& entry : client.kinds().entries()) {
            if (!entry.build && !entry.makeWindow)
                continue;
            marluneChild* parent = entry.acceptsParent(wav->kind())    ? static_cast<marluneChild*>(wav)
                                   : entry.acceptsParent(tfft->kind()) ? static_cast<marluneChild*>(tfft)
                                                                       : instrument;
            if ((parent == instrument) != underInstruments)
                continue;
            ASSERT_NE(parent, nullptr) << entry.kind;
            const PendingParameters parameters = entry.kind == SignalKind::ExtractedPart ? PendingParameters{0.1L, 0.2L}
                                                 : entry.kind == SignalKind::ExtractedFromTo
                                                     ? PendingParameters{0.1L, 0.3L}
                                                     : PendingParameters{1, 9, 2, 3};
            marluneChild* made = DerivedWindows::createChild(client, *parent, entry.kind, parameters);
            ASSERT_NE(made, nullptr) << entry.kind;
            if (SignalKind::isInstrument(entry.kind))
                instrument = made;
        }
    for (marluneChild* window : client.windows())
        window->changeTitle(" " + std::to_string(window->index()) + "#kind " + std::to_string(window->kind()));

    std::set<int32_t> shown;
    for (const marluneChild* window : client.windows())
        shown.insert(window->kind());
    for (const WindowKind& entry : client.kinds().entries())
        EXPECT_TRUE(shown.contains(entry.kind)) << "kind " << entry.kind << " is missing from the tree";

    const fs::path file = folder.path / "every.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    Program fresh;
    fresh.client.workspaces().load(file.string());
    EXPECT_EQ(fresh.client.windows().size(), client.windows().size());
    const fs::path again = folder.path / "again.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(fresh.client, again.string()));
    const auto before = keysByType(file);
    const auto after = keysByType(again);
    for (const auto& [window, keys] : before) {
        const auto found = after.find(window);
        ASSERT_NE(found, after.end()) << window << " was not made again";
        EXPECT_EQ(found->second, keys) << window;
    }
}
