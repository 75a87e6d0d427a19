#include <gtest/gtest.h>

#include <vector>

#include "control/AurionInterface.h"
#include "host/EventSink.h"

namespace aurion::host {
namespace {

using platform::Variant;

class EventSinkTest : public ::testing::Test {
protected:
    EventSinkTest() {
        ControlEvents events;
        events.ActFrame = [this](int32_t frame) { m_frames.push_back(frame); };
        events.ThreadEnded = [this] { ++m_ended; };
        events.Failure = [this](const ControlError& error) { m_failures.push_back(error); };
        m_sink = new EventSink(std::move(events));
    }
    ~EventSinkTest() override { m_sink->Release(); }

    platform::HRESULT Fire(platform::DispId id, std::vector<Variant> args) {
        return m_sink->Invoke(id, platform::InvokeKind::Method, args, nullptr, nullptr);
    }

    EventSink* m_sink;
    std::vector<int32_t> m_frames;
    int m_ended = 0;
    std::vector<ControlError> m_failures;
};

TEST_F(EventSinkTest, ArgumentsAreCoercedAsALateBoundCallerCoercesThem) {
    EXPECT_EQ(Fire(EventIds::ActFrame, {Variant(int16_t{32})}), platform::S_OK);
    EXPECT_EQ(Fire(EventIds::ActFrame, {Variant("64")}), platform::S_OK);
    EXPECT_EQ(m_frames, (std::vector<int32_t>{32, 64}));
    EXPECT_EQ(Fire(EventIds::Failure, {Variant(int32_t{605}), Variant("no buffer")}),
              platform::S_OK);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].Number, 605);
    EXPECT_EQ(m_failures[0].Text, "no buffer");
}

TEST_F(EventSinkTest, AnArgumentOfTheWrongTypeIsAnErrorValueAndCallsNothing) {
    EXPECT_EQ(Fire(EventIds::ActFrame, {Variant("not a number")}), platform::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Fire(EventIds::Failure, {Variant("x"), Variant("text")}),
              platform::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Fire(EventIds::ActFrame, {}), platform::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Fire(EventIds::ThreadEnded, {Variant(true)}), platform::DISP_E_BADPARAMCOUNT);
    EXPECT_TRUE(m_frames.empty());
    EXPECT_TRUE(m_failures.empty());
    EXPECT_EQ(m_ended, 0);
}

TEST_F(EventSinkTest, TheStockErrorIsReportedAsFailureAndItsDisplayCancelled) {
    std::vector<Variant> args{Variant(int16_t{643}),
                              Variant("Unable to read MPEG-Header"),
                              Variant(static_cast<int32_t>(0x800A0283u)),
                              Variant("Aurion"),
                              Variant(""),
                              Variant(int32_t{0}),
                              Variant(false)};
    EXPECT_EQ(m_sink->Invoke(EventIds::Error, platform::InvokeKind::Method, args, nullptr, nullptr),
              platform::S_OK);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].Number, 643);
    EXPECT_TRUE(args[EventIds::ErrorCancelDisplayArg].AsBool());
}

}  // namespace
}  // namespace aurion::host
