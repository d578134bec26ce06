// Environment settings for the SDL tests, put back as they were when the test ends.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

namespace tarrabel::test {

class ScopedEnv {
  public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }
    // value null: unset.
    void Set(const char* name, const char* value) {
        const char* old = getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace tarrabel::test
