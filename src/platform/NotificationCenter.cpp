#include "platform/NotificationCenter.h"

#include <algorithm>
#include <vector>

namespace platform {

struct ObserverToken::Registry {
    struct Entry {
        unsigned long id;
        std::string name;
        const View* object;
        std::shared_ptr<NotificationCenter::Callback> callback;
    };
    std::vector<Entry> entries;
    unsigned long nextId = 1;

    void remove(unsigned long id) {
        std::erase_if(entries, [id](const Entry& e) { return e.id == id; });
    }
};

ObserverToken::ObserverToken(ObserverToken&& other) noexcept
    : registry_(std::move(other.registry_)), id_(other.id_) {
    other.id_ = 0;
}

ObserverToken& ObserverToken::operator=(ObserverToken&& other) noexcept {
    if (this != &other) {
        reset();
        registry_ = std::move(other.registry_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void ObserverToken::reset() {
    if (id_ != 0) {
        if (auto registry = registry_.lock()) {
            registry->remove(id_);
        }
    }
    registry_.reset();
    id_ = 0;
}

NotificationCenter::NotificationCenter() : registry_(std::make_shared<ObserverToken::Registry>()) {}
NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

ObserverToken NotificationCenter::addObserver(std::string_view name, const View* object,
                                              Callback callback) {
    const unsigned long id = registry_->nextId++;
    registry_->entries.push_back(
        {id, std::string(name), object, std::make_shared<Callback>(std::move(callback))});
    return ObserverToken(registry_, id);
}

void NotificationCenter::postNotificationName(std::string_view name, View* object) {
    const Notification notification{std::string(name), object};
    // Observers may add or remove observers while they run: deliver to those registered at
    // the post, skipping any removed meanwhile.
    std::vector<std::pair<unsigned long, std::shared_ptr<Callback>>> targets;
    for (const auto& entry : registry_->entries) {
        if (entry.name == name && (entry.object == nullptr || entry.object == object)) {
            targets.emplace_back(entry.id, entry.callback);
        }
    }
    const std::weak_ptr<ObserverToken::Registry> registry = registry_;
    for (const auto& [id, callback] : targets) {
        auto alive = registry.lock();
        if (!alive) {
            return;
        }
        const bool stillThere = std::any_of(alive->entries.begin(), alive->entries.end(),
                                            [id](const auto& e) { return e.id == id; });
        if (stillThere) {
            (*callback)(notification);
        }
    }
}

}  // namespace platform
