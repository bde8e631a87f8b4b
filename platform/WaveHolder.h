// Keeps wave sounds inside the form that owns it, so the program needs no
// sound files: internal waves are played straight from memory.
#pragma once

#include <memory>

#include "platform/ExternalWave.h"
#include "platform/InternalWave.h"
#include "runtime/Component.h"

namespace brisbolt {

class TWaveHolder : public TComponent {
public:
    explicit TWaveHolder(TComponent* owner);
    ~TWaveHolder() override;

    TInternalWaves& Internals() { return *internals_; }
    const TInternalWaves& Internals() const { return *internals_; }
    void SetInternals(const TInternalWaves& waves) { internals_->Assign(waves); }
    TExternalWaves& Externals() { return *externals_; }
    const TExternalWaves& Externals() const { return *externals_; }
    void SetExternals(const TExternalWaves& waves) { externals_->Assign(waves); }

    // Plays internal wave number index; false (and silence) for an index
    // outside the list.
    bool PlayInternal(int index);
    // Stops any sound playing, a looped one included.
    void StopSound();

    // Between BeginLoading and Loaded the holder is reading its stored
    // description; only then do the waves accept their names.
    void BeginLoading() { loading_ = true; }
    bool Loading() const { return loading_; }
    void Loaded() override { loading_ = false; }

private:
    bool loading_ = false;
    std::unique_ptr<TInternalWaves> internals_;
    std::unique_ptr<TExternalWaves> externals_;
};

}  // namespace brisbolt
