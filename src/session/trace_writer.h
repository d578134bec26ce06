// Writes the game's events as JSON, one object per line.
#pragma once

#include <cstdio>

#include "core/services.h"

namespace tarrabel {

class JsonTraceWriter final : public TraceSink {
  public:
    explicit JsonTraceWriter(std::FILE* out) : out_(out) {}
    void Event(const Game& g, const TraceEvent& ev) override;

  private:
    std::FILE* out_;
};

}  // namespace tarrabel
