// A file made in place in the page cache: a temporary file of its whole size mapped into
// memory, so what is written there needs no copy and no write() to reach the file.
#pragma once
#include "platform/platform.h"

#include <memory>
#include <string>

namespace linux {

class MappedFile : public platform::FileInPlace {
  public:
    // `<target>.tmp` of `size` bytes with its blocks reserved, so a full disk fails here
    // rather than at a page written later; null, and no temporary, when that fails. A
    // target the user may not write is refused; the new file takes the old one's mode.
    static std::unique_ptr<MappedFile> make(const std::string& target, std::size_t size);
    ~MappedFile() override;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::uint8_t* bytes() override { return bytes_; }
    bool commit() override;

  private:
    MappedFile(std::string target, std::uint8_t* bytes, std::size_t size);
    std::string target_;
    std::uint8_t* bytes_;
    std::size_t size_;
    bool committed_ = false;
};

} // namespace linux
