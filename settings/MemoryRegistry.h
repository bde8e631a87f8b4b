// A registry kept in memory with the same model as the Windows registry:
// two roots, case-insensitive key and value names, typed values, subkeys
// listed in the order Windows lists them. Any operation on any key can be
// refused, and the n-th operation from a given moment can be made to fail,
// so that every registry step of a routine can be tested for its failure.
#pragma once

#include "settings/Registry.h"

#include <map>
#include <set>
#include <tuple>

namespace brisbolt {

class MemoryRegistry final : public RegistryBackend {
public:
    enum class Op { OpenRead, OpenFull, Read, Write, Delete, List };

    MemoryRegistry();
    ~MemoryRegistry() override;

    KeyHandle OpenForReading(RootKey root, std::string_view path) override;
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override;
    [[nodiscard]] bool DeleteKeyTree(RootKey root, std::string_view path) override;

    // Refuses one kind of operation on one key (not on the keys below it).
    void Refuse(RootKey root, std::string_view path, Op op);
    void ClearRefusals();

    // Counts every operation from now on; the n-th (1-based) fails.
    // 0 switches the failure off.
    void FailOperation(long n);
    long OperationCount() const { return operations_; }
    void ResetOperationCount() { operations_ = 0; }

    // Wipes both roots.
    void Clear();

    struct Node;

private:
    friend class MemoryKey;
    bool Allowed(RootKey root, const std::string& path, Op op);
    std::shared_ptr<Node> Find(RootKey root, const std::vector<std::string>& parts) const;

    std::shared_ptr<Node> roots_[2];
    std::set<std::tuple<int, std::string, Op>> refusals_;
    long operations_ = 0;
    long failAt_ = 0;
};

}  // namespace brisbolt
