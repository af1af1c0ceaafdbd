#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; } // without a trailing "/"
    std::u16string PathW() const;                      // without a trailing "/"
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::u16string FileW(const std::u16string& name) const; // with the platform's separators, as shown

    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const; // fails the test when missing

private:
    std::string m_path;
};

// Path of a fixture under tests/data/.
std::string TestDataPath(const std::string& name);
