#pragma once

// Environment variables set for one test and put back as they were when it ends.

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace hartool::test {

// nullopt unsets the variable.
inline void setEnvironment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const auto& [name, old] : saved_) apply(name, old);
    }

    // nullopt unsets the variable.
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        apply(name, value);
    }

  private:
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        setEnvironment(name, value);
    }

    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace hartool::test
