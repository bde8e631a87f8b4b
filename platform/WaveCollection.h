// An owned, ordered list of wave items that knows the holder it belongs to.
#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

namespace brisbolt {

class TWaveHolder;

template <typename Item>
class TWaveCollection {
public:
    explicit TWaveCollection(TWaveHolder* owner) : owner_(owner) {}
    TWaveCollection(const TWaveCollection&) = delete;
    TWaveCollection& operator=(const TWaveCollection&) = delete;

    TWaveHolder* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }

    Item& Add() {
        items_.push_back(std::make_unique<Item>(this));
        return *items_.back();
    }
    Item& operator[](int index) { return *items_.at(Checked(index)); }
    const Item& operator[](int index) const { return *items_.at(Checked(index)); }
    void Delete(int index) { items_.erase(items_.begin() + Checked(index)); }
    void Clear() { items_.clear(); }

    // Replaces our items with copies of the source's, each through the
    // item's own Assign.
    void Assign(const TWaveCollection& source) {
        if (&source == this) return;
        Clear();
        for (const auto& item : source.items_) Add().Assign(*item);
    }

private:
    std::size_t Checked(int index) const {
        if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
        return static_cast<std::size_t>(index);
    }

    TWaveHolder* owner_;
    std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace brisbolt
