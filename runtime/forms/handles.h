#pragma once
#include <cstdint>
#include <map>

namespace rt {

// Numbered handles for things the program passes around as 32-bit values
// (windows, device contexts, icons, regions). Each kind counts from its own
// base so a handle of the wrong kind is never found.
template <class T>
class HandleTable {
public:
    explicit HandleTable(std::int32_t base) : base_(base), next_(base) {}

    std::int32_t add(T value) {
        const std::int32_t h = ++next_;
        items_.emplace(h, std::move(value));
        return h;
    }
    T* find(std::int32_t h) {
        auto it = items_.find(h);
        return it == items_.end() ? nullptr : &it->second;
    }
    bool remove(std::int32_t h) { return items_.erase(h) != 0; }
    std::size_t size() const { return items_.size(); }
    void clear() {
        items_.clear();
        next_ = base_;
    }

private:
    std::int32_t base_;
    std::int32_t next_;
    std::map<std::int32_t, T> items_;
};

} // namespace rt
