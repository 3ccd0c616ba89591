#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quibbleton-os-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        Path_ = pattern + "/";
    }
    ~TTempFolder() {
        std::error_code error;
        std::filesystem::remove_all(Path_, error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::string& Path() const { return Path_; }
    std::string operator/(const std::string& name) const { return Path_ + name; }

private:
    std::string Path_;
};

// Sets an environment variable for the scope and restores its former state.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::optional<std::string>& value) : Name_(name) {
        if (const char* old = std::getenv(name)) Old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~TScopedEnv() {
        if (Old_)
            ::setenv(Name_.c_str(), Old_->c_str(), 1);
        else
            ::unsetenv(Name_.c_str());
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    std::string Name_;
    std::optional<std::string> Old_;
};

inline void WriteTextFile(const std::string& path, const std::string& bytes) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// The file's bytes; empty when it cannot be read.
inline std::string ReadTextFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}
