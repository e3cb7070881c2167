#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dsp/GeneratorParameters.h"
#include "support/CommaLocale.h"
#include "support/ScriptedUi.h"
#include "tree/GenSigForm.h"

namespace {

using Field = GenSigForm::Field;
using Fields = std::array<std::string, GenSigForm::FieldCount>;

class GenSigFormTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    GenSigForm form{ui, GeneratorParameters::initial()};
    int shows = 0;

    void SetUp() override
    {
        form.showFields = [this] { ++shows; };
    }
    // The person types `text` into `field`.
    void type(Field field, const std::string& text)
    {
        form.fields[field] = text;
        form.edited(field);
    }
    // The fields that differ from `before`.
    std::vector<int> changedSince(const Fields& before) const
    {
        std::vector<int> changed;
        for (int f = 0; f < GenSigForm::FieldCount; ++f)
            if (form.fields[f] != before[f])
                changed.push_back(f);
        return changed;
    }
};

}  // namespace

TEST_F(GenSigFormTest, OpensOnTheSettingsWithFourDecimals)
{
    EXPECT_EQ(form.fields, (Fields{"8000.0000", "1.0000", "8000.0000", "1.0000", "-1.0000", "1000.0000"}));
    EXPECT_EQ(form.function, 0);

    GeneratorParameters triangle = GeneratorParameters::initial();
    triangle.param[6] = GeneratorParameters::Triangular;
    triangle.param[1] = 0.123456;
    const GenSigForm other(ui, triangle);
    EXPECT_EQ(other.function, 8);
    EXPECT_EQ(other.fields[Field::Seconds], "0.1235");
    EXPECT_EQ(GenSigForm::FunctionNames[8], std::string("triangular"));
}

TEST_F(GenSigFormTest, CommaLocaleLeavesThePointInFieldsAndInput)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    GeneratorParameters p = GeneratorParameters::initial();
    p.param[1] = 0.25;
    const GenSigForm shown(ui, p);
    EXPECT_EQ(shown.fields[Field::Seconds], "0.2500");

    type(Field::Seconds, "0.5");
    EXPECT_EQ(form.fields[Field::Samples], "4000.0000");
    form.fields[Field::Maximum] = "2.5";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.result().maximum(), 2.5L);
    form.fields[Field::Maximum] = "2,5";
    EXPECT_FALSE(form.accept()) << "a comma is no decimal point in this dialog";
}

TEST_F(GenSigFormTest, EachLengthRewritesOneOther)
{
    Fields before = form.fields;
    type(Field::Seconds, "2.5");
    EXPECT_EQ(changedSince(before), (std::vector<int>{Field::Seconds, Field::Samples}));
    EXPECT_EQ(form.fields[Field::Samples], "20000.0000") << "samples = rate x seconds";

    before = form.fields;
    type(Field::Samples, "4000");
    EXPECT_EQ(changedSince(before), (std::vector<int>{Field::Seconds, Field::Samples}));
    EXPECT_EQ(form.fields[Field::Seconds], "0.5000") << "seconds = samples / rate";

    before = form.fields;
    type(Field::SampleRate, "44100.7");
    EXPECT_EQ(changedSince(before), (std::vector<int>{Field::SampleRate, Field::Samples}));
    EXPECT_EQ(form.fields[Field::Samples], "22050.0000") << "samples = floor(seconds x rate)";

    before = form.fields;
    for (Field other : {Field::Maximum, Field::Minimum, Field::Frequency})
        type(other, "3");
    EXPECT_EQ(changedSince(before), (std::vector<int>{Field::Maximum, Field::Minimum, Field::Frequency}));
    EXPECT_EQ(shows, 3) << "one rewrite per length edit";
}

TEST_F(GenSigFormTest, ZeroRateOrSecondsTakeTheOtherBranch)
{
    type(Field::SampleRate, "0");
    EXPECT_EQ(form.fields[Field::Samples], "0.0000") << "seconds 1 are not 0: samples = floor(1 x 0)";
    form.fields[Field::Samples] = "8000";

    type(Field::Seconds, "2");
    EXPECT_EQ(form.fields[Field::SampleRate], "4000.0000") << "rate 0: rate = samples / seconds";
    EXPECT_EQ(form.fields[Field::Samples], "8000");

    form.fields[Field::SampleRate] = "0";
    type(Field::Samples, "1000");
    EXPECT_EQ(form.fields[Field::SampleRate], "500.0000") << "rate 0: rate = samples / seconds";
    EXPECT_EQ(form.fields[Field::Seconds], "2");

    form.fields[Field::Seconds] = "0";
    type(Field::SampleRate, "250");
    EXPECT_EQ(form.fields[Field::Seconds], "4.0000") << "seconds 0: seconds = samples / rate";
    EXPECT_EQ(form.fields[Field::Samples], "1000");
}

TEST_F(GenSigFormTest, NothingIsWrittenFromAFieldWithoutANumberOrByZero)
{
    const Fields start = form.fields;
    for (const char* text : {"", "-", "abc", "1e", "2x"}) {
        type(Field::Seconds, text);
        form.fields[Field::Seconds] = start[Field::Seconds];
        EXPECT_EQ(form.fields, start) << '"' << text << '"';
    }
    form.fields[Field::SampleRate] = "0";
    form.fields[Field::Seconds] = "0";
    type(Field::Samples, "100");
    type(Field::Seconds, "0");
    type(Field::SampleRate, "0");
    EXPECT_EQ(form.fields[Field::SampleRate], "0") << "samples / 0 seconds is no rate";
    EXPECT_EQ(form.fields[Field::Seconds], "0");
    EXPECT_EQ(shows, 0);
}

TEST_F(GenSigFormTest, ARewriteDoesNotTriggerAnother)
{
    // The dialog's change signal of the rewritten field comes straight back while the form writes.
    form.showFields = [this] {
        ++shows;
        form.edited(Field::Samples);
    };
    type(Field::Seconds, "0.5");
    EXPECT_EQ(form.fields[Field::Samples], "4000.0000");
    EXPECT_EQ(form.fields[Field::Seconds], "0.5") << "the field being typed keeps what was typed";
    EXPECT_EQ(shows, 1);

    type(Field::Samples, "2000");
    EXPECT_EQ(form.fields[Field::Seconds], "0.2500") << "a later edit by the person is heard again";
    EXPECT_EQ(shows, 2);
}

TEST_F(GenSigFormTest, TheFunctionEnablesTheFieldsItUses)
{
    // Columns: sample rate, seconds, samples, maximum, minimum, frequency.
    const std::array<std::array<bool, 6>, 9> expected{{
        {1, 1, 1, 1, 1, 1},  // sin
        {1, 1, 1, 1, 1, 1},  // cos
        {1, 1, 1, 1, 1, 1},  // step
        {1, 1, 1, 1, 1, 0},  // random
        {0, 0, 1, 0, 0, 0},  // hanning
        {0, 0, 1, 0, 0, 0},  // hamming
        {0, 0, 1, 0, 0, 0},  // blackman
        {1, 1, 1, 0, 1, 0},  // const
        {0, 0, 1, 0, 0, 0},  // triangular
    }};
    for (int function = 0; function < 9; ++function) {
        form.function = function;
        for (int f = 0; f < GenSigForm::FieldCount; ++f)
            EXPECT_EQ(form.enabled(Field(f)), expected[function][f]) << GenSigForm::FunctionNames[function] << " field " << f;
    }
}

TEST_F(GenSigFormTest, RefusesParametersThatMakeNoSignal)
{
    const Fields good = form.fields;
    // The numbers' own rules are GeneratorParameters::usable()'s; here the texts that hold no number.
    const std::vector<std::pair<Field, std::string>> refused{
        {Field::SampleRate, "0"}, {Field::Samples, "4294967296"}, {Field::Frequency, "nan"},
        {Field::Maximum, "inf"},  {Field::SampleRate, "1e5000"},  {Field::Minimum, ""},
        {Field::Minimum, "abc"},  {Field::Minimum, "1.5x"},
    };
    for (const auto& [field, text] : refused) {
        form.fields = good;
        form.fields[field] = text;
        ui.messages.clear();
        EXPECT_FALSE(form.accept()) << field << " \"" << text << '"';
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Can't create signal with these parameters !!");
        EXPECT_EQ(ui.messages[0].caption, "");
    }

    form.fields = good;
    form.fields[Field::Frequency] = "0";
    form.function = GeneratorParameters::Random;
    EXPECT_FALSE(form.accept()) << "the frequency counts even where its field is disabled";

    form.fields = good;
    form.fields[Field::Maximum] = form.fields[Field::Minimum] = "5";
    form.function = GeneratorParameters::Sin;
    EXPECT_FALSE(form.accept());
    form.function = GeneratorParameters::Const;
    ui.messages.clear();
    EXPECT_TRUE(form.accept()) << "const needs no range";
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GenSigFormTest, AcceptedFieldsBecomeTheFirstSevenParameters)
{
    GeneratorParameters current = GeneratorParameters::initial();
    current.param[7] = 7;
    current.param[8] = 8;
    current.param[9] = 9;
    GenSigForm carried(ui, current);
    carried.fields = {" 100 ", "0.5", "50.75", "2", "-3", "12.5"};
    carried.function = GeneratorParameters::Step;
    ASSERT_TRUE(carried.accept());
    EXPECT_EQ(carried.result().param,
              (std::array<long double, 10>{100, 0.5L, 50.75L, 2, -3, 12.5L, GeneratorParameters::Step, 7, 8, 9}));
    EXPECT_EQ(carried.result().sampleCount(), 50u);
    EXPECT_EQ(carried.formName(), "GenSig");
}
