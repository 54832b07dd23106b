#pragma once
// What the benchmarks share: one engine on the offscreen context for the whole
// run, with its log in a private directory.
#include <memory>
#include <string>

#include "platform/Host.h"
#include "platform/Video.h"
#include "support/TestSupport.h"

namespace korvath::bench {

inline test::OffscreenEngine& SharedEngine() {
    static std::unique_ptr<test::OffscreenEngine> engine = [] {
        platform::OverrideExecutableDirectory(test::ProcessDirectory());
        platform::RequestOffscreen();
        return std::make_unique<test::OffscreenEngine>(640, 480);
    }();
    return *engine;
}

}  // namespace korvath::bench
