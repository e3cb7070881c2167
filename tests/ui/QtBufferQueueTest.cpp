#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "QtTestApp.h"
#include "soundcard/ui/QtBufferQueue.h"

namespace {
std::vector<char> bytesOf(const std::vector<int16_t>& samples)
{
    const auto* data = reinterpret_cast<const char*>(samples.data());
    return {data, data + samples.size() * sizeof(int16_t)};
}
}  // namespace

// Sound recorded while the owner had no buffer queued is lost, but never silently.
TEST(QtBufferQueue, SamplesThatFindNoBufferAreCountedOnTheNextBufferFilled)
{
    qtApp();
    auto queue = std::make_shared<QtBufferQueue>();
    std::vector<std::unique_ptr<SoundBuffer>> returned;
    queue->setHandler([&](std::unique_ptr<SoundBuffer> buffer) { returned.push_back(std::move(buffer)); });
    queue->queue(std::make_unique<SoundBuffer>(4, 1));

    const std::vector<char> first = bytesOf({1, 2, 3, 4, 5, 6, 7});
    queue->fill(first.data(), qint64(first.size()));
    queue->queue(std::make_unique<SoundBuffer>(4, 2));
    const std::vector<char> second = bytesOf({8, 9});
    queue->fill(second.data(), qint64(second.size()));
    queue->fill(second.data(), qint64(second.size()));
    QCoreApplication::processEvents();

    ASSERT_EQ(returned.size(), 2u);
    EXPECT_EQ(returned[0]->samples, (std::vector<int16_t>{1, 2, 3, 4}));
    EXPECT_EQ(returned[0]->lostBefore, 0u);
    EXPECT_EQ(returned[1]->samples, (std::vector<int16_t>{8, 9, 8, 9}));
    EXPECT_EQ(returned[1]->lostBefore, 3u) << "samples 5 to 7 had no buffer";

    // A buffer queued again starts with a clean count.
    queue->queue(std::move(returned[1]));
    queue->fill(second.data(), qint64(second.size()));
    queue->fill(second.data(), qint64(second.size()));
    QCoreApplication::processEvents();
    ASSERT_EQ(returned.size(), 3u);
    EXPECT_EQ(returned[2]->lostBefore, 0u);
    queue->close();
}
