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

class OutputFiles {
public:
    void add(std::string name, std::string content);
    // Throws OutputError naming the file that could not be written; no file is then changed.
    void commit();

private:
    struct File {
        std::string name;
        std::string content;
    };
    std::vector<File> m_files;
};

}  // namespace vantrel::engine
