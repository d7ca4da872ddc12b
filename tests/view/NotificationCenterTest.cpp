#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>

#include "platform/View.h"

namespace {

TEST(NotificationCenter, DeliversByNameAndSenderUntilTheTokenGoes) {
    platform::NotificationCenter center;
    platform::View a(Rect{{0, 0}, 1, 1});
    platform::View b(Rect{{0, 0}, 1, 1});
    std::vector<std::string> got;
    auto any = center.addObserver(
        "N", nullptr, [&](const auto& n) { got.push_back(n.object == &a ? "any:a" : "any:b"); });
    {
        auto onlyA = center.addObserver("N", &a, [&](const auto&) { got.push_back("a"); });
        center.postNotificationName("N", &a);
        center.postNotificationName("N", &b);
        center.postNotificationName("Other", &a);
    }
    center.postNotificationName("N", &a);
    EXPECT_EQ(got, (std::vector<std::string>{"any:a", "a", "any:b", "any:a"}));
}

TEST(NotificationCenter, ObserversMayRemoveEachOtherWhileDelivering) {
    platform::NotificationCenter center;
    int second = 0;
    platform::ObserverToken later;
    auto first = center.addObserver("N", nullptr, [&](const auto&) { later.reset(); });
    later = center.addObserver("N", nullptr, [&](const auto&) { ++second; });
    center.postNotificationName("N", nullptr);
    EXPECT_EQ(second, 0);
    EXPECT_FALSE(later);
}

TEST(NotificationCenter, ATokenMayOutliveItsCentre) {
    platform::ObserverToken token;
    {
        platform::NotificationCenter center;
        token = center.addObserver("N", nullptr, [](const auto&) {});
    }
    token.reset();  // no crash: the centre is gone
    EXPECT_FALSE(token);
}

}  // namespace
