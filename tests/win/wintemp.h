// A temporary folder for the Windows service tests, with its Shift-JIS and
// UTF-16 names, and whole-file helpers on UTF-16 paths.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/text.h"

namespace tw::test {

class WinTempDir {
public:
    WinTempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                (L"tamblewick-test-" + std::to_wstring(rd()) + L"-" + std::to_wstring(rd()));
        std::filesystem::create_directories(path_);
        sjis_ = *TryUtf16LeToSjis(Units(path_.wstring())) + "\\";
    }
    ~WinTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    WinTempDir(const WinTempDir&) = delete;
    WinTempDir& operator=(const WinTempDir&) = delete;

    // The folder in Shift-JIS with a trailing "\", as the program directory is held.
    const std::string& App() const { return sjis_; }
    // A name in it, given in UTF-8: the Shift-JIS path and the file-system path.
    std::string File(const std::string& utf8) const { return sjis_ + Sjis(utf8); }
    std::filesystem::path Path(const std::string& utf8) const {
        return path_ / std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    }
    const std::filesystem::path& path() const { return path_; }

private:
    static std::string Units(const std::wstring& w) {
        return std::string(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(wchar_t));
    }
    std::filesystem::path path_;
    std::string sjis_;
};

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void Spit(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tw::test
