#pragma once
// A window whose contents are a known picture; counts the times events were let through.

#include <functional>
#include <vector>

#include "platform/screen.h"

namespace lutavo::test {

struct GrabRequest {
    int x, y, width, height;
    bool operator==(const GrabRequest&) const = default;
};

class FakeScreen : public Screen {
  public:
    bool grab(int x, int y, int width, int height, Picture& out) override {
        grabs.push_back({x, y, width, height});
        if (fail) return false;
        out.resize(width, height);
        out.blit(0, 0, shown, x, y, width, height, RasterOp::Copy);
        return true;
    }
    void processEvents() override {
        ++eventRounds;
        if (onProcessEvents) onProcessEvents();
    }

    Picture shown;  // what the window shows
    bool fail = false;
    std::function<void()> onProcessEvents;  // e.g. redraw `shown` from the model
    std::vector<GrabRequest> grabs;
    int eventRounds = 0;
};

}  // namespace lutavo::test
