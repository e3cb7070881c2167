#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
// A settings file of about a megabyte, so that a save takes long enough to be interrupted inside it;
// the two versions differ in every value and in length.
void fill(PrivateProfile& profile, const std::string& mark)
{
    for (int s = 0; s < 100; ++s)
        for (int k = 0; k < 200; ++k)
            profile.setString("Window" + std::to_string(s), "Key" + std::to_string(k),
                              mark + std::to_string(s * 1000 + k) + std::string(std::size_t(k % 17), 'x'));
}

void removeTemporaries(const fs::path& folder, const fs::path& target)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path() != target && entry.path().filename().string().starts_with("." + target.filename().string()))
            fs::remove(entry.path());
}
}  // namespace

// A process killed at any point of a save (here a child saving in a loop, killed at random moments)
// leaves the settings file either as it was or as it was to become: never a mixture or a part.
TEST(ProfileSaveKill, TheFileIsAlwaysTheOldOrTheNewCompleteContent)
{
    TempFolder folder;
    const fs::path target = folder.path / "workspace.ini";
    const fs::path first = folder.path / "first.ini";
    const fs::path second = folder.path / "second.ini";
    {
        PrivateProfile a(first), b(second);
        fill(a, "first-");
        fill(b, "second value ");
        ASSERT_TRUE(a.save());
        ASSERT_TRUE(b.save());
    }
    const std::string firstBytes = readBytes(first);
    const std::string secondBytes = readBytes(second);
    ASSERT_NE(firstBytes.size(), secondBytes.size());

    // Both versions are held by the child from the start; it only ever saves, alternately.
    writeBytes(target, secondBytes);
    PrivateProfile toSecond(target);
    writeBytes(target, firstBytes);
    PrivateProfile toFirst(target);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(toFirst.save());
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<long> delay(0, 3 * std::max<long>(oneSave.count(), 1000));
    int sawFirst = 0, sawSecond = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                static_cast<void>(toSecond.save());
                static_cast<void>(toFirst.save());
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::string now = readBytes(target);
        const bool isFirst = now == firstBytes, isSecond = now == secondBytes;
        EXPECT_TRUE(isFirst || isSecond) << "round " << round << ": " << now.size() << " bytes";
        sawFirst += isFirst;
        sawSecond += isSecond;
        removeTemporaries(folder.path, target);
    }
    // The kills fell at different points of the loop, not all before its first save.
    EXPECT_GT(sawFirst + sawSecond, 0);
}
