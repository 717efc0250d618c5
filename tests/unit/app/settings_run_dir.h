#pragma once
// A temporary run directory with an empty settings folder "VEL文件" (and the
// XDG autostart and runtime folders pointed at temporary ones), for tests of the app's
// settings. Settings files are named by their UTF-8 names here.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"

namespace vel::test {

class SettingsRunDir {
public:
    SettingsRunDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velrun.XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(folder());
        std::filesystem::create_directories(m_root / "xdg-dirs");
        std::filesystem::create_directories(m_root / "xdg-home");
        ::setenv("XDG_CONFIG_DIRS", (m_root / "xdg-dirs").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_root / "xdg-home").c_str(), 1);
        std::filesystem::create_directories(m_root / "xdg-run");
        ::setenv("XDG_RUNTIME_DIR", (m_root / "xdg-run").c_str(), 1);
        std::string windows_style = m_root.string();  // ASCII: a temp folder
        for (char& c : windows_style)
            if (c == '/') c = '\\';
        replace_run_directory(windows_style);
    }
    ~SettingsRunDir() {
        call(cmd_close_all_files);
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path folder() const { return m_root / "VEL文件"; }
    std::filesystem::path file(const std::string& name) const { return folder() / name; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    void write_root(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_root / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    // The file's bytes; "<missing>" when there is no such file.
    std::string bytes(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        if (!in) return "<missing>";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path m_root;
};

}  // namespace vel::test
