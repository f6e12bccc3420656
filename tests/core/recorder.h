// Helpers for tests that launch programs: a recorder of how a program was
// started, and environment variables set for one test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tw::test {

// Sets or clears (nullptr) environment variables for the life of the
// object; each gets back its old value, the last set first.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const char* name, const char* value) { Set(name, value); }
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
            else unsetenv(it->first.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A script that records, atomically into `out`, lines "arg=" for each
// argument, "cwd=" for its working directory, "qpa=" for QT_QPA_PLATFORM
// ("(unset)" when it is not set) and "fd=" for what each of its descriptors
// above 2 refers to.
inline std::string RecorderScript(const std::string& out) {
    const std::string tmp = "'" + out + ".tmp'";
    return "#!/bin/sh\n{ for a in \"$@\"; do echo \"arg=$a\"; done; echo \"cwd=$(pwd -P)\";"
           " echo \"qpa=${QT_QPA_PLATFORM-(unset)}\";"
           " for f in /proc/$$/fd/*; do [ \"${f##*/}\" -gt 2 ] && [ -e \"$f\" ] && printf fd= &&"
           " readlink \"$f\"; done; } > " + tmp + "\nmv " + tmp + " '" + out + "'\n";
}

// Waits for the script's record and takes it away: key -> values.
inline std::map<std::string, std::vector<std::string>> TakeRecord(const std::string& out) {
    namespace fs = std::filesystem;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!fs::exists(out) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(out);
    EXPECT_TRUE(in) << "the program did not run";
    std::map<std::string, std::vector<std::string>> r;
    for (std::string line; std::getline(in, line);) {
        const std::size_t eq = line.find('=');
        r[line.substr(0, eq)].push_back(line.substr(eq + 1));
    }
    fs::remove(out);
    return r;
}

}  // namespace tw::test
