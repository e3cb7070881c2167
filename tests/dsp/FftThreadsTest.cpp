#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "DftReference.h"
#include "dsp/FftEngine.h"
#include "dsp/FftPlan.h"

// Each call keeps its work area to itself: four threads transforming different lengths at once
// must each get their own correct result.
TEST(FftThreads, ConcurrentTransformsOfDifferentLengths)
{
    const std::vector<std::size_t> lengths = {1024, 720, 210 * 4, 23 * 23};
    std::vector<double> errors(lengths.size(), 1.0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < lengths.size(); ++t) {
        threads.emplace_back([&, t] {
            const std::size_t n = lengths[t];
            const std::vector<float> re0 = randomValues(n, unsigned(t));
            const std::vector<float> im0 = randomValues(n, unsigned(t) + 100);
            const DftReference dft(n, -1);
            double worst = 0;
            for (int round = 0; round < 40; ++round) {
                std::vector<float> re = re0;
                std::vector<float> im = im0;
                if (FftEngine::transform(re.data(), im.data(), n, n, n, -1) != FftStatus::Ok)
                    return;
                RelativeError error;
                for (std::size_t k = round; k < n; k += 37)
                    error.add({re[k], im[k]}, dft.bin(re0.data(), im0.data(), k));
                worst = std::max(worst, error.value());
            }
            errors[t] = worst;
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (std::size_t t = 0; t < lengths.size(); ++t)
        EXPECT_LT(errors[t], errorCeiling(lengths[t])) << lengths[t];
}

// One plan serves several threads at once, as when the halves of a long signal are transformed
// on both cores: a power of two, and a length whose bins are put in order through a table and a
// buffer of each thread's own.
TEST(FftThreads, OnePlanSharedByConcurrentTransforms)
{
    for (const std::size_t n : {std::size_t(4096), std::size_t(1500)}) {
        const FftPlan plan(n, n, n, 1);
        const DftReference dft(n, 1);
        std::vector<double> errors(4, 1.0);
        std::vector<std::thread> threads;
        for (std::size_t t = 0; t < errors.size(); ++t) {
            threads.emplace_back([&, t] {
                const std::vector<float> re0 = randomValues(n, unsigned(t) + 20);
                const std::vector<float> im0 = randomValues(n, unsigned(t) + 40);
                double worst = 0;
                for (int round = 0; round < 20; ++round) {
                    std::vector<float> re = re0;
                    std::vector<float> im = im0;
                    if (plan.execute(re.data(), im.data()) != FftStatus::Ok)
                        return;
                    RelativeError error;
                    for (std::size_t k = std::size_t(round); k < n; k += 61)
                        error.add({re[k], im[k]}, dft.bin(re0.data(), im0.data(), k));
                    worst = std::max(worst, error.value());
                }
                errors[t] = worst;
            });
        }
        for (auto& thread : threads)
            thread.join();
        for (double e : errors)
            EXPECT_LT(e, errorCeiling(n)) << n;
    }
}
