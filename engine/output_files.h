#pragma once

// The files of one run, written all together or not at all: each is written under a
// temporary name beside its final name, and renamed only when every one was written.

#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel::engine {

class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OutputFile {
    std::string name;  // a plain name in the current folder
    std::string bytes;
};

class OutputFiles {
public:
    // A file named twice is written once, with the later content, as the later write leaves it.
    void add(std::string name, std::string content);
    const std::vector<OutputFile>& files() const { return m_files; }
    std::vector<OutputFile> take() { return std::move(m_files); }
    // Throws OutputError naming the file that could not be written; no file is then changed.
    void commit();

private:
    std::vector<OutputFile> m_files;
};

}  // namespace vantrel::engine
