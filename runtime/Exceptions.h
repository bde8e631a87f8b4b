// The exceptions of the class library.
#pragma once

#include <stdexcept>

namespace brisbolt {

// A broken program invariant, reported as an exception.
class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace brisbolt
