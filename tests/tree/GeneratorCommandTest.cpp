#include "tree/TreeFixture.h"

#include <string>

#include "signal/GENSignal.h"
#include "support/AddressSpaceLimit.h"
#include "tree/CommandIds.h"
#include "tree/GenSigForm.h"
#include "tree/GeneratorCommand.h"

namespace {

class GeneratorTest : public TreeTest {
protected:
    // The person fills in the dialog and presses OK; what the dialog opened with is kept.
    void answer(GenSigForm::Field field, const std::string& text, int function = -1)
    {
        ui.formAnswers.push_back([this, field, text, function](DialogForm& dialog) {
            auto& form = static_cast<GenSigForm&>(dialog);
            opened.push_back(form.fields);
            form.fields[field] = text;
            form.edited(field);
            if (function >= 0)
                form.function = function;
            return true;
        });
    }
    marluneMDIChild* newest() const
    {
        const auto all = client.windows();
        return all.empty() ? nullptr : signalWindowOf(all.back());
    }

    std::vector<std::array<std::string, GenSigForm::FieldCount>> opened;
};

}  // namespace

TEST_F(GeneratorTest, MakesARootWindowWithTheFunctionInItsTitle)
{
    marluneMDIChild* file = fileWindow();
    client.setActiveChild(file);
    answer(GenSigForm::Seconds, "0.001");
    ASSERT_TRUE(client.dispatchState(Cmd::Generator).has_value());
    EXPECT_TRUE(client.dispatchState(Cmd::Generator)->enabled);
    ASSERT_TRUE(client.dispatch(Cmd::Generator));
    EXPECT_EQ(ui.formsShown, (std::vector<std::string>{"GenSig"}));

    marluneMDIChild* generated = newest();
    ASSERT_NE(generated, nullptr);
    ASSERT_NE(generated, file);
    EXPECT_EQ(generated->caption(), " 2#GEN(sin)");
    EXPECT_EQ(generated->kind(), SignalKind::Generated);
    EXPECT_TRUE(generated->isRoot()) << "the active window does not become its parent";
    EXPECT_FALSE(generated->linked());
    EXPECT_TRUE(file->children().empty());
    EXPECT_EQ(generated->xLabel(), "sec");
    EXPECT_EQ(generated->yLabel(), "");
    EXPECT_EQ(generated->icon(), 59);
    EXPECT_EQ(generated->curveColour(), (Rgb{0, 0, 255}));

    const Signal& signal = *generated->signal();
    EXPECT_EQ(signal.count(), 8u);
    EXPECT_EQ(signal.sampleRate(), 8000.0L);
    EXPECT_EQ(signal.owner(), generated);
    EXPECT_NEAR(signal.samples()[2], 1.0f, 1e-6);
    EXPECT_NEAR(signal.yMax(), 1.0f, 1e-6);
    EXPECT_NEAR(signal.yMin(), -1.0f, 1e-6);
    EXPECT_EQ(static_cast<const GENSignal&>(signal).parameters.param, client.generatorSettings.param);
}

TEST_F(GeneratorTest, TheDialogOpensOnTheLastValuesUsed)
{
    answer(GenSigForm::Samples, "400", GeneratorParameters::Triangular);
    client.dispatch(Cmd::Generator);
    EXPECT_EQ(client.generatorSettings.param,
              (std::array<long double, 10>{8000, 0.05L, 400, 1, -1, 1000, GeneratorParameters::Triangular, 0, 0, 0}));
    ASSERT_NE(newest(), nullptr);
    EXPECT_EQ(newest()->caption(), " 1#GEN(triang)");
    EXPECT_EQ(newest()->signal()->count(), 400u);

    answer(GenSigForm::Maximum, "3");
    client.dispatch(Cmd::Generator);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0][GenSigForm::Samples], "8000.0000") << "first defaults";
    EXPECT_EQ(opened[1][GenSigForm::Samples], "400.0000");
    EXPECT_EQ(opened[1][GenSigForm::Seconds], "0.0500");
    EXPECT_EQ(newest()->caption(), " 2#GEN(triang)");
}

TEST_F(GeneratorTest, CancelAndRefusalMakeNothingAndKeepTheSettings)
{
    client.dispatch(Cmd::Generator);  // no answer: cancelled
    answer(GenSigForm::SampleRate, "0");
    client.dispatch(Cmd::Generator);  // refused: the dialog would stay open
    EXPECT_TRUE(client.windows().empty());
    EXPECT_EQ(client.generatorSettings.param, GeneratorParameters::initial().param);
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"Can't create signal with these parameters !!"}));
}

TEST_F(GeneratorTest, StoredParametersMakeTheWindowWithoutTheDialog)
{
    const GeneratorParameters stored{{10, 0.8, 8, 1, 0, 5, GeneratorParameters::Step, 1, 2, 3}};
    marluneMDIChild* window = GeneratorCommand::create(client, stored);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ui.formsShown.empty());
    EXPECT_EQ(window->caption(), " 1#GEN(step)");
    const float* v = window->signal()->samples();
    EXPECT_EQ(std::vector<float>(v, v + 8), (std::vector<float>{1, 1, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(static_cast<const GENSignal&>(*window->signal()).parameters.param, stored.param);

    GeneratorParameters broken = stored;
    broken.param[0] = 0;
    EXPECT_EQ(GeneratorCommand::create(client, broken), nullptr);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(client.windows().size(), 1u);
    EXPECT_EQ(client.creationCounter(), 2u) << "the number is taken even when nothing is made";
}

TEST_F(GeneratorTest, RandomWindowsDifferFromEachOther)
{
    const GeneratorParameters dice{{1000, 1, 1000, 6, 1, 10, GeneratorParameters::Random, 0, 0, 0}};
    marluneMDIChild* first = GeneratorCommand::create(client, dice);
    marluneMDIChild* second = GeneratorCommand::create(client, dice);
    ASSERT_TRUE(first && second);
    const float* a = first->signal()->samples();
    const float* b = second->signal()->samples();
    EXPECT_NE(std::vector<float>(a, a + 1000), std::vector<float>(b, b + 1000));
    EXPECT_EQ(first->signal()->yMin(), 1.0f);
    EXPECT_EQ(first->signal()->yMax(), 6.0f);
}

TEST_F(GeneratorTest, SamplesThatDoNotFitInMemoryGiveTheMessageAndMakeNoWindow)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    answer(GenSigForm::Samples, "4000000000");
    {
        const AddressSpaceLimit limit(256u << 20);
        client.dispatch(Cmd::Generator);
    }
    EXPECT_TRUE(client.windows().empty());
    EXPECT_EQ(ui.beeps, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No more memory !!!");
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(client.generatorSettings.sampleCount(), 4000000000u) << "the settings were accepted";

    // The next window still takes the next number and the lowest slot.
    client.generatorSettings = GeneratorParameters::initial();
    marluneMDIChild* window = GeneratorCommand::create(client, client.generatorSettings);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->index(), 0);
    EXPECT_EQ(window->caption(), " 2#GEN(sin)");
}
