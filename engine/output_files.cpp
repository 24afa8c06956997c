#include "engine/output_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::engine {

void OutputFiles::add(std::string name, std::string content)
{
    for (OutputFile& f : m_files) {
        if (f.name == name) {
            f.bytes = std::move(content);
            return;
        }
    }
    m_files.push_back({std::move(name), std::move(content)});
}

namespace {

bool writeAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The start of a name, cut at a character's boundary: the temporary name beside an output stays
// within the file system's limit on a name wherever the output's own name does.
std::string nameStart(const std::string& name)
{
    std::size_t kept = std::min<std::size_t>(name.size(), 32);
    while (kept > 0 && kept < name.size() &&
           (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80)
        --kept;
    return name.substr(0, kept);
}

}  // namespace

void OutputFiles::commit()
{
    std::vector<std::string> temporaries;
    auto discard = [&temporaries] {
        for (const auto& t : temporaries)
            ::unlink(t.c_str());
    };
    for (const OutputFile& f : m_files) {
        struct stat st {};
        if (::stat(f.name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            discard();
            throw OutputError(f.name + ": is a folder");
        }
        std::string temp = "." + nameStart(f.name) + ".XXXXXX";
        const int fd = ::mkstemp(temp.data());
        if (fd < 0) {
            const std::string reason = std::strerror(errno);
            discard();
            throw OutputError(f.name + ": cannot be written: " + reason);
        }
        temporaries.push_back(temp);
        const bool ok = writeAll(fd, f.bytes);
        const int saved = errno;
        ::fchmod(
            fd, 0644 & ~[] {
                const mode_t m = ::umask(0);
                ::umask(m);
                return m;
            }());
        if (::close(fd) != 0 || !ok) {
            discard();
            throw OutputError(f.name + ": cannot be written: " + std::strerror(ok ? errno : saved));
        }
    }
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (::rename(temporaries[i].c_str(), m_files[i].name.c_str()) != 0) {
            const std::string reason = std::strerror(errno);
            for (std::size_t k = i; k < temporaries.size(); ++k)
                ::unlink(temporaries[k].c_str());
            throw OutputError(m_files[i].name + ": cannot be written: " + reason);
        }
    }
}

}  // namespace vantrel::engine
