#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class View;

struct Notification {
    std::string name;
    View* object = nullptr;  // the posting view
};

class NotificationCenter;

// Keeps one observation alive; destroying or resetting it removes the observer, also from
// inside a delivery. Safe to outlive its centre.
class ObserverToken {
  public:
    ObserverToken() = default;
    ObserverToken(ObserverToken&& other) noexcept;
    ObserverToken& operator=(ObserverToken&& other) noexcept;
    ObserverToken(const ObserverToken&) = delete;
    ObserverToken& operator=(const ObserverToken&) = delete;
    ~ObserverToken() { reset(); }

    void reset();
    explicit operator bool() const { return id_ != 0; }

  private:
    friend class NotificationCenter;
    struct Registry;
    ObserverToken(std::weak_ptr<Registry> registry, unsigned long id)
        : registry_(std::move(registry)), id_(id) {}
    std::weak_ptr<Registry> registry_;
    unsigned long id_ = 0;
};

// Synchronous: every observer has run when postNotificationName returns.
class NotificationCenter {
  public:
    using Callback = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // `object` none observes every sender.
    [[nodiscard]] ObserverToken addObserver(std::string_view name, const View* object,
                                            Callback callback);
    void postNotificationName(std::string_view name, View* object);

  private:
    std::shared_ptr<ObserverToken::Registry> registry_;
};

}  // namespace platform
