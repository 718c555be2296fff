// A fresh folder per test, with XDG_CONFIG_HOME pointed at it so the user's own configuration
// never reaches a test, removed again afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace talvex::testing {

class TempFolder {
  public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "talvex-test-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot make " + name);
        path_ = name;
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfigHome_ = old;
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~TempFolder() {
        if (oldConfigHome_) setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
        if (!oldConfigHome_) unsetenv("XDG_CONFIG_HOME");
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
    std::optional<std::string> oldConfigHome_;
};

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace talvex::testing
