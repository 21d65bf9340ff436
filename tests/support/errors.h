#pragma once
// The error number a runtime call raises, or 0 when it raises none.
#include "runtime/error.h"

namespace testsupport {

template <typename F>
int errorOf(F&& call) {
    try {
        call();
    } catch (const rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace testsupport
