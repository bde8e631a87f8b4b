#include "settings/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

namespace brisbolt {

struct MemoryRegistry::Node {
    std::string name;
    bool deleted = false;
    std::map<std::string, RawValue, NameLess> values;
    std::map<std::string, std::shared_ptr<Node>, NameLess> subkeys;
};

namespace {

std::string UpperPath(const std::vector<std::string>& parts) {
    std::string path = JoinKeyPath(parts);
    for (auto& c : path) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return path;
}

void MarkDeleted(MemoryRegistry::Node& node) {
    node.deleted = true;
    for (auto& [name, sub] : node.subkeys) MarkDeleted(*sub);
}

}  // namespace

class MemoryKey final : public RegistryKey {
public:
    MemoryKey(MemoryRegistry& owner, RootKey root, std::string path, std::shared_ptr<MemoryRegistry::Node> node,
              bool writable)
        : owner_(owner), root_(root), path_(std::move(path)), node_(std::move(node)), writable_(writable) {}

    [[nodiscard]] std::optional<RawValue> Query(const std::string& name) override {
        if (!owner_.Allowed(root_, path_, MemoryRegistry::Op::Read) || node_->deleted) return std::nullopt;
        auto it = node_->values.find(name);
        if (it == node_->values.end()) return std::nullopt;
        return it->second;
    }

    [[nodiscard]] bool Set(const std::string& name, const RawValue& value) override {
        if (!owner_.Allowed(root_, path_, MemoryRegistry::Op::Write) || !writable_ || node_->deleted) return false;
        // Keep the spelling of an existing name, as Windows does.
        auto it = node_->values.find(name);
        if (it != node_->values.end())
            it->second = value;
        else
            node_->values.emplace(name, value);
        return true;
    }

    [[nodiscard]] bool Delete(const std::string& name) override {
        if (!owner_.Allowed(root_, path_, MemoryRegistry::Op::Delete) || !writable_ || node_->deleted) return false;
        return node_->values.erase(name) > 0;
    }

    [[nodiscard]] std::optional<std::vector<std::string>> Subkeys() override {
        if (!owner_.Allowed(root_, path_, MemoryRegistry::Op::List) || node_->deleted) return std::nullopt;
        std::vector<std::string> names;
        for (const auto& [name, sub] : node_->subkeys) names.push_back(sub->name);
        return names;
    }

    [[nodiscard]] std::optional<std::vector<std::string>> ValueNames() override {
        if (!owner_.Allowed(root_, path_, MemoryRegistry::Op::List) || node_->deleted) return std::nullopt;
        std::vector<std::string> names;
        for (const auto& [name, value] : node_->values) names.push_back(name);
        return names;
    }

private:
    MemoryRegistry& owner_;
    RootKey root_;
    std::string path_;
    std::shared_ptr<MemoryRegistry::Node> node_;
    bool writable_;
};

MemoryRegistry::MemoryRegistry() { Clear(); }
MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::Clear() {
    for (auto& root : roots_) {
        if (root) MarkDeleted(*root);
        root = std::make_shared<Node>();
    }
}

bool MemoryRegistry::Allowed(RootKey root, const std::string& path, Op op) {
    ++operations_;
    if (failAt_ != 0 && operations_ == failAt_) return false;
    // A refused operation is one the user has no rights for.
    if (refusals_.count({static_cast<int>(root), path, op}) == 0) return true;
    NoteRightsRefused();
    return false;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Find(RootKey root, const std::vector<std::string>& parts) const {
    auto node = roots_[static_cast<int>(root)];
    for (const auto& part : parts) {
        auto it = node->subkeys.find(part);
        if (it == node->subkeys.end()) return nullptr;
        node = it->second;
    }
    return node;
}

KeyHandle MemoryRegistry::OpenForReading(RootKey root, std::string_view path) {
    const auto parts = SplitKeyPath(path);
    const auto upper = UpperPath(parts);
    if (!Allowed(root, upper, Op::OpenRead)) return nullptr;
    auto node = Find(root, parts);
    if (!node) return nullptr;
    return std::make_unique<MemoryKey>(*this, root, upper, node, false);
}

KeyHandle MemoryRegistry::OpenForWriting(RootKey root, std::string_view path, bool create) {
    const auto parts = SplitKeyPath(path);
    const auto upper = UpperPath(parts);
    if (!Allowed(root, upper, Op::OpenFull)) return nullptr;
    auto node = roots_[static_cast<int>(root)];
    for (const auto& part : parts) {
        auto it = node->subkeys.find(part);
        if (it == node->subkeys.end()) {
            if (!create) return nullptr;
            auto child = std::make_shared<Node>();
            child->name = part;
            it = node->subkeys.emplace(part, child).first;
        }
        node = it->second;
    }
    return std::make_unique<MemoryKey>(*this, root, upper, node, true);
}

bool MemoryRegistry::DeleteKeyTree(RootKey root, std::string_view path) {
    auto parts = SplitKeyPath(path);
    if (parts.empty()) return false;
    const std::string last = parts.back();
    parts.pop_back();
    auto parent = Find(root, parts);
    if (!parent) return false;
    auto it = parent->subkeys.find(last);
    if (it == parent->subkeys.end()) return false;
    MarkDeleted(*it->second);
    parent->subkeys.erase(it);
    return true;
}

void MemoryRegistry::Refuse(RootKey root, std::string_view path, Op op) {
    refusals_.insert({static_cast<int>(root), UpperPath(SplitKeyPath(path)), op});
}

void MemoryRegistry::ClearRefusals() { refusals_.clear(); }

void MemoryRegistry::FailOperation(long n) {
    operations_ = 0;
    failAt_ = n;
}

}  // namespace brisbolt
