#include "platform/WaveHolder.h"

#include "platform/WaveSound.h"

namespace brisbolt {

TWaveHolder::TWaveHolder(TComponent* owner)
    : TComponent(owner),
      internals_(std::make_unique<TInternalWaves>(this)),
      externals_(std::make_unique<TExternalWaves>(this)) {}

TWaveHolder::~TWaveHolder() {
    externals_.reset();
    // Each internal wave stops its own sound before its bytes go.
    internals_.reset();
}

bool TWaveHolder::PlayInternal(int index) {
    if (index < 0 || index > internals_->Count() - 1) return false;
    return (*internals_)[index].Play();
}

void TWaveHolder::StopSound() { StopAllSound(); }

}  // namespace brisbolt
