#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/com/Variant.h"

namespace platform {
namespace {

struct Coercion {
    Variant From;
    VarType To;
    HRESULT Status;
    Variant Expected;  // checked only when Status is S_OK
};

void ExpectCoercions(const std::vector<Coercion>& table) {
    for (const Coercion& c : table) {
        SCOPED_TRACE(testing::Message()
                     << "from type " << static_cast<int>(c.From.Type()) << " to type "
                     << static_cast<int>(c.To) << " (case " << (&c - table.data()) << ")");
        Variant out("untouched");
        HRESULT hr = c.From.ChangeType(c.To, out);
        EXPECT_EQ(hr, c.Status);
        if (c.Status == S_OK) {
            EXPECT_EQ(out.Type(), c.To);
            EXPECT_EQ(out, c.Expected);
        }
    }
}

TEST(Variant, IntegersConvertWithOverflowChecks) {
    ExpectCoercions({
        {Variant(int32_t{32767}), VarType::I2, S_OK, Variant(int16_t{32767})},
        {Variant(int32_t{-32768}), VarType::I2, S_OK, Variant(int16_t{-32768})},
        {Variant(int32_t{32768}), VarType::I2, DISP_E_OVERFLOW, {}},
        {Variant(int32_t{-32769}), VarType::I2, DISP_E_OVERFLOW, {}},
        {Variant(int32_t{70000}), VarType::I2, DISP_E_OVERFLOW, {}},
        {Variant(int16_t{-5}), VarType::I4, S_OK, Variant(int32_t{-5})},
        {Variant(int16_t{-5}), VarType::R4, S_OK, Variant(-5.0f)},
        {Variant(int32_t{1 << 24}), VarType::R4, S_OK, Variant(16777216.0f)},
    });
}

TEST(Variant, FloatToIntegerRoundsHalfToEven) {
    ExpectCoercions({
        {Variant(0.5f), VarType::I2, S_OK, Variant(int16_t{0})},
        {Variant(1.5f), VarType::I2, S_OK, Variant(int16_t{2})},
        {Variant(2.5f), VarType::I2, S_OK, Variant(int16_t{2})},
        {Variant(3.5f), VarType::I4, S_OK, Variant(int32_t{4})},
        {Variant(-2.5f), VarType::I4, S_OK, Variant(int32_t{-2})},
        {Variant(-3.5f), VarType::I4, S_OK, Variant(int32_t{-4})},
        {Variant(2.4999f), VarType::I4, S_OK, Variant(int32_t{2})},
        {Variant(2.5001f), VarType::I4, S_OK, Variant(int32_t{3})},
        {Variant(32767.4f), VarType::I2, S_OK, Variant(int16_t{32767})},
        {Variant(32767.5f), VarType::I2, DISP_E_OVERFLOW, {}},
        {Variant(-32768.5f), VarType::I2, S_OK, Variant(int16_t{-32768})},
        {Variant(3.0e9f), VarType::I4, DISP_E_OVERFLOW, {}},
        {Variant(-3.0e9f), VarType::I4, DISP_E_OVERFLOW, {}},
        {Variant(std::numeric_limits<float>::quiet_NaN()), VarType::I4, DISP_E_OVERFLOW, {}},
        {Variant(std::numeric_limits<float>::infinity()), VarType::I2, DISP_E_OVERFLOW, {}},
    });
}

TEST(Variant, BooleansAreZeroOrMinusOneAsNumbers) {
    ExpectCoercions({
        {Variant(true), VarType::I2, S_OK, Variant(int16_t{-1})},
        {Variant(true), VarType::I4, S_OK, Variant(int32_t{-1})},
        {Variant(true), VarType::R4, S_OK, Variant(-1.0f)},
        {Variant(false), VarType::I2, S_OK, Variant(int16_t{0})},
        {Variant(int16_t{0}), VarType::Bool, S_OK, Variant(false)},
        {Variant(int16_t{5}), VarType::Bool, S_OK, Variant(true)},
        {Variant(int32_t{-1}), VarType::Bool, S_OK, Variant(true)},
        {Variant(0.25f), VarType::Bool, S_OK, Variant(true)},
        {Variant(0.0f), VarType::Bool, S_OK, Variant(false)},
    });
}

TEST(Variant, TextBecomesNumberOnlyWhenItIsDecimal) {
    ExpectCoercions({
        {Variant("12"), VarType::I2, S_OK, Variant(int16_t{12})},
        {Variant("  12\t"), VarType::I2, S_OK, Variant(int16_t{12})},
        {Variant("+7"), VarType::I4, S_OK, Variant(int32_t{7})},
        {Variant("-7"), VarType::I4, S_OK, Variant(int32_t{-7})},
        {Variant("1.5"), VarType::I2, S_OK, Variant(int16_t{2})},
        {Variant("2.5"), VarType::I2, S_OK, Variant(int16_t{2})},
        {Variant("1e3"), VarType::I4, S_OK, Variant(int32_t{1000})},
        {Variant(".5"), VarType::R4, S_OK, Variant(0.5f)},
        {Variant("3.25"), VarType::R4, S_OK, Variant(3.25f)},
        {Variant("2147483647"), VarType::I4, S_OK, Variant(int32_t{2147483647})},
        {Variant("2147483648"), VarType::I4, DISP_E_OVERFLOW, {}},
        {Variant("40000"), VarType::I2, DISP_E_OVERFLOW, {}},
        {Variant("1e999"), VarType::R4, DISP_E_OVERFLOW, {}},
        {Variant("1e39"), VarType::R4, DISP_E_OVERFLOW, {}},
        {Variant("1e-999"), VarType::R4, S_OK, Variant(0.0f)},
        {Variant(""), VarType::I2, DISP_E_TYPEMISMATCH, {}},
        {Variant("   "), VarType::I4, DISP_E_TYPEMISMATCH, {}},
        {Variant("abc"), VarType::I4, DISP_E_TYPEMISMATCH, {}},
        {Variant("12abc"), VarType::I4, DISP_E_TYPEMISMATCH, {}},
        {Variant("1 2"), VarType::I4, DISP_E_TYPEMISMATCH, {}},
        {Variant("1,5"), VarType::R4, DISP_E_TYPEMISMATCH, {}},
        {Variant("0x10"), VarType::I4, DISP_E_TYPEMISMATCH, {}},
        {Variant("inf"), VarType::R4, DISP_E_TYPEMISMATCH, {}},
        {Variant("nan"), VarType::R4, DISP_E_TYPEMISMATCH, {}},
        {Variant("-"), VarType::I2, DISP_E_TYPEMISMATCH, {}},
        {Variant("."), VarType::I2, DISP_E_TYPEMISMATCH, {}},
        {Variant("True"), VarType::I2, DISP_E_TYPEMISMATCH, {}},
    });
}

TEST(Variant, TextBecomesBooleanFromTrueFalseOrNumber) {
    ExpectCoercions({
        {Variant("True"), VarType::Bool, S_OK, Variant(true)},
        {Variant("False"), VarType::Bool, S_OK, Variant(false)},
        {Variant(" true "), VarType::Bool, S_OK, Variant(true)},
        {Variant("FALSE"), VarType::Bool, S_OK, Variant(false)},
        {Variant("0"), VarType::Bool, S_OK, Variant(false)},
        {Variant("-1"), VarType::Bool, S_OK, Variant(true)},
        {Variant("yes"), VarType::Bool, DISP_E_TYPEMISMATCH, {}},
        {Variant(""), VarType::Bool, DISP_E_TYPEMISMATCH, {}},
    });
}

TEST(Variant, NumbersBecomeTheirShortestText) {
    ExpectCoercions({
        {Variant(true), VarType::Bstr, S_OK, Variant("True")},
        {Variant(false), VarType::Bstr, S_OK, Variant("False")},
        {Variant(int16_t{-32768}), VarType::Bstr, S_OK, Variant("-32768")},
        {Variant(int32_t{151}), VarType::Bstr, S_OK, Variant("151")},
        {Variant(0.1f), VarType::Bstr, S_OK, Variant("0.1")},
        {Variant(1.5f), VarType::Bstr, S_OK, Variant("1.5")},
        {Variant(100.0f), VarType::Bstr, S_OK, Variant("100")},
        {Variant(-0.0f), VarType::Bstr, S_OK, Variant("0")},
        {Variant(1e20f), VarType::Bstr, S_OK, Variant("1E+20")},
    });
}

TEST(Variant, EmptyIsZeroFalseAndEmptyText) {
    ExpectCoercions({
        {Variant(), VarType::Bool, S_OK, Variant(false)},
        {Variant(), VarType::I2, S_OK, Variant(int16_t{0})},
        {Variant(), VarType::I4, S_OK, Variant(int32_t{0})},
        {Variant(), VarType::R4, S_OK, Variant(0.0f)},
        {Variant(), VarType::Bstr, S_OK, Variant("")},
        {Variant(), VarType::Empty, S_OK, Variant()},
    });
}

TEST(Variant, BooleansAndFloatsSurviveATextRoundTrip) {
    const std::vector<Variant> values = {
        Variant(true),    Variant(false),      Variant(0.1f),    Variant(-3.75f),
        Variant(1.0e-7f), Variant(123456.79f), Variant(3.4e38f), Variant(int32_t{-42})};
    for (const Variant& value : values) {
        Variant text;
        ASSERT_EQ(value.ChangeType(VarType::Bstr, text), S_OK);
        Variant back;
        ASSERT_EQ(text.ChangeType(value.Type(), back), S_OK) << text.AsBstr();
        EXPECT_EQ(back, value) << text.AsBstr();
    }
}

TEST(Variant, ConvertingIntoItselfKeepsTheValue) {
    Variant value(int32_t{70000});
    ASSERT_EQ(value.ChangeType(VarType::Bstr, value), S_OK);
    EXPECT_EQ(value, Variant("70000"));
    ASSERT_EQ(value.ChangeType(VarType::I4, value), S_OK);
    EXPECT_EQ(value, Variant(int32_t{70000}));
}

TEST(Variant, FailedCoercionLeavesTheTargetAlone) {
    Variant out(int16_t{9});
    EXPECT_EQ(Variant("x").ChangeType(VarType::I2, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out, Variant(int16_t{9}));
    EXPECT_EQ(Variant(int32_t{1 << 20}).ChangeType(VarType::I2, out), DISP_E_OVERFLOW);
    EXPECT_EQ(out, Variant(int16_t{9}));
}

}  // namespace
}  // namespace platform
