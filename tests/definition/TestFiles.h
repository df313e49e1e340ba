// Scratch folders and whole-file reads and writes, for tests that look at what an export left on
// disk. Paths are plain ASCII here, so the same bytes serve std::filesystem and CFile in both trees.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace deftest {

// A new empty folder in the temporary directory, removed with everything in it by the destructor.
class TempDir {
public:
    TempDir()
    {
        std::mt19937_64 mix(std::random_device{}() ^
                            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path candidate = base / ("quintaro-test-" + std::to_string(mix()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                m_path = candidate.string();
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempDir()
    {
        std::error_code ignored;
        // Tests take permissions away; give them back so that everything can go.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                         ignored);
        }
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (std::filesystem::path(m_path) / name).string(); }

private:
    std::string m_path;
};

// The whole content of a file; nothing when it cannot be opened.
inline std::optional<std::string> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// The names in a folder, sorted: what an export leaves behind, temporary files included.
inline std::vector<std::string> ListDir(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace deftest
