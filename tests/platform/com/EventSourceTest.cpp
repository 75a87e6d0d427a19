#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/com/ConnectionPoint.h"

namespace platform {
namespace {

// A host's event sink: records each call and may act on the source while it is called.
class RecordingSink final : public IDispatch {
public:
    explicit RecordingSink(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name)), m_log(log) {}

    HRESULT QueryInterface(const Guid& iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            AddRef();
            *out = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++m_references; }
    uint32_t Release() override { return --m_references; }
    HRESULT GetIdOfName(std::string_view, DispId&) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant*,
                   ExcepInfo*) override {
        EXPECT_EQ(kind, InvokeKind::Method);
        m_log.push_back(m_name + ":" + std::to_string(id) + ":" + std::to_string(args.size()));
        if (OnInvoke) OnInvoke(args);
        return S_OK;
    }

    std::function<void(std::span<Variant>)> OnInvoke;
    uint32_t m_references = 0;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(EventSource, FiresEverySinkInAdvisingOrder) {
    std::vector<std::string> log;
    RecordingSink first("first", log), second("second", log);
    EventSource source;
    uint32_t cookieA = 0, cookieB = 0;
    ASSERT_EQ(source.Advise(&first, cookieA), S_OK);
    ASSERT_EQ(source.Advise(&second, cookieB), S_OK);
    EXPECT_NE(cookieA, 0u);
    EXPECT_NE(cookieA, cookieB);
    EXPECT_TRUE(source.HasSinks());

    Variant args[] = {Variant(int32_t{32})};
    source.Fire(1, args);
    EXPECT_EQ(log, (std::vector<std::string>{"first:1:1", "second:1:1"}));
}

TEST(EventSource, SinksMayChangeArgumentsForTheSource) {
    std::vector<std::string> log;
    RecordingSink sink("sink", log);
    sink.OnInvoke = [](std::span<Variant> args) { args[1] = Variant(true); };
    EventSource source;
    uint32_t cookie = 0;
    ASSERT_EQ(source.Advise(&sink, cookie), S_OK);
    Variant args[] = {Variant(int16_t{650}), Variant(false)};
    source.Fire(DISPID_ERROREVENT, args);
    EXPECT_EQ(args[1], Variant(true));
}

TEST(EventSource, HoldsAReferenceUntilUnadvised) {
    std::vector<std::string> log;
    RecordingSink a("a", log), b("b", log);
    EventSource source;
    uint32_t cookieA = 0, cookieB = 0;
    ASSERT_EQ(source.Advise(&a, cookieA), S_OK);
    ASSERT_EQ(source.Advise(&b, cookieB), S_OK);
    EXPECT_EQ(a.m_references, 1u);
    EXPECT_EQ(source.Unadvise(cookieA), S_OK);
    EXPECT_EQ(a.m_references, 0u);
    EXPECT_EQ(source.Unadvise(cookieA), CONNECT_E_NOCONNECTION);
    source.UnadviseAll();
    EXPECT_EQ(b.m_references, 0u);
    EXPECT_FALSE(source.HasSinks());
    source.Fire(2, {});
    EXPECT_TRUE(log.empty());
}

TEST(EventSource, RefusesANullSinkAndUnknownCookies) {
    EventSource source;
    uint32_t cookie = 77;
    EXPECT_EQ(source.Advise(nullptr, cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(source.Unadvise(12345), CONNECT_E_NOCONNECTION);
}

TEST(EventSource, ASinkUnadvisedDuringAnEventIsNotCalledAgain) {
    std::vector<std::string> log;
    RecordingSink first("first", log), second("second", log);
    EventSource source;
    uint32_t cookieFirst = 0, cookieSecond = 0;
    first.OnInvoke = [&](std::span<Variant>) { (void)source.Unadvise(cookieSecond); };
    ASSERT_EQ(source.Advise(&first, cookieFirst), S_OK);
    ASSERT_EQ(source.Advise(&second, cookieSecond), S_OK);
    source.Fire(3, {});
    EXPECT_EQ(log, (std::vector<std::string>{"first:3:0"}));
    EXPECT_EQ(second.m_references, 0u);
}

}  // namespace
}  // namespace platform
