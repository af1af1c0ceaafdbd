#include "support/TempDir.h"

#include "framework/Path.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

// A name nobody has taken: create_directory() makes the folder only when it is new.
TempDir::TempDir()
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("korvane-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(candidate)) {
            std::u8string utf8 = candidate.u8string();
            m_path.assign(utf8.begin(), utf8.end());
            return;
        }
    }
    throw std::runtime_error("no new temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::u8path(m_path);
    // Give back write permission first, so that read-only fixtures can go too. A step that fails (a path
    // too long for the system) ends the walk instead of throwing out of the destructor.
    std::filesystem::recursive_directory_iterator entry(root, ec);
    for (; !ec && entry != std::filesystem::recursive_directory_iterator(); entry.increment(ec))
        std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
}

std::u16string TempDir::PathW() const
{
    return FromUtf8(m_path);
}

std::u16string TempDir::FileW(const std::u16string& name) const
{
    return JoinPath(PathW(), name);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::path p = std::filesystem::u8path(File(name));
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

std::string TempDir::Read(const std::string& name) const
{
    std::ifstream in(std::filesystem::u8path(File(name)), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing file " << File(name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TestDataPath(const std::string& name)
{
    return std::string(KORVANE_TEST_DATA_DIR) + "/" + name;
}
