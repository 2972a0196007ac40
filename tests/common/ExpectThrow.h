#pragma once
// One way to assert an error: the call throws exactly class E (or a class
// derived from it) with exactly this message. Anything else (no exception,
// another class, another text) is a test failure that shows what came.

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <utility>

namespace ExpectThrowDetail {

template <class E, class F, class Check> void Expect(F&& call, Check&& check) {
    try {
        std::forward<F>(call)();
    } catch (const E& e) {
        check(std::string(e.what()));
        return;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "threw another class, with the message: " << e.what();
        return;
    } catch (...) {
        ADD_FAILURE() << "threw something that is not a std::exception";
        return;
    }
    ADD_FAILURE() << "threw nothing";
}

} // namespace ExpectThrowDetail

template <class E, class F> void ExpectThrowMessage(F&& call, const std::string& text) {
    ExpectThrowDetail::Expect<E>(std::forward<F>(call),
                                 [&](const std::string& message) { EXPECT_EQ(message, text); });
}

// For a message that holds the system's text of an error, whose words vary
// with the system: the message as expected without that text, which stands
// before its first line break, and a non-empty text in that place.
template <class E, class F>
void ExpectThrowMessageWithSystemText(F&& call, const std::string& withoutSystemText) {
    const std::size_t split = withoutSystemText.find("\r\n");
    const std::string head = withoutSystemText.substr(0, split);
    const std::string tail = split == std::string::npos ? "" : withoutSystemText.substr(split);
    ExpectThrowDetail::Expect<E>(std::forward<F>(call), [&](const std::string& message) {
        EXPECT_TRUE(message.size() > head.size() + tail.size() && message.starts_with(head) &&
                    message.ends_with(tail))
            << "message: " << message << "\nexpected, with a system text after the first "
            << "sentence: " << withoutSystemText;
    });
}
