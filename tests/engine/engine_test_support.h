#pragma once

// Running the built engine in a temporary folder, as the program runs it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::engine::testing {

// A file's bytes as they stand; empty when it cannot be read.
inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        static int counter = 0;
        m_path =
            std::filesystem::temp_directory_path() /
            ("vantrel-engine-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    void write(const std::string& name, const std::string& content) const
    {
        std::ofstream(m_path / name, std::ios::binary) << content;
    }
    std::string read(const std::string& name) const { return readBytes(m_path / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(m_path / name); }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_path))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path m_path;
};

struct EngineRun {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// Runs "vantrel-engine -i input" with the folder as current directory.
inline EngineRun runEngine(const ScratchFolder& folder, const std::string& input = "input.txt",
                           const char* engine = VANTREL_ENGINE_PATH)
{
    const auto out = folder.path().parent_path() / (folder.path().filename().string() + ".out");
    const auto err = folder.path().parent_path() / (folder.path().filename().string() + ".err");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.path().c_str()) != 0)
            ::_exit(127);
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::execl(engine, engine, "-i", input.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EngineRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.standardOutput = readBytes(out);
    run.standardError = readBytes(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

inline std::string fixture(const std::string& name)
{
    return readBytes(std::string(VANTREL_ENGINE_FIXTURES) + "/" + name);
}

// The lines of a listing, without their CR LF.
inline std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

}  // namespace vantrel::engine::testing
