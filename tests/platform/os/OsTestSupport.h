#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; Path_.empty(); ++attempt) {
            if (attempt == 100) std::abort();
            const std::filesystem::path candidate = base / ("quibbleton-os-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) Path_ = candidate.generic_string() + "/";
        }
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
        Set(value);
    }
    ~TScopedEnv() { Set(Old_); }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) const {
#ifdef _WIN32
        // An empty value removes the variable.
        ::_putenv_s(Name_.c_str(), value ? value->c_str() : "");
#else
        if (value)
            ::setenv(Name_.c_str(), value->c_str(), 1);
        else
            ::unsetenv(Name_.c_str());
#endif
    }

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
