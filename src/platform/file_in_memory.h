#pragma once
// A file made in place in ordinary memory and written out whole when committed, for a
// system where the program does not map files into memory.
#include "platform/platform.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class FileInMemory : public FileInPlace {
  public:
    FileInMemory(Files& files, std::string path, std::size_t size)
        : files_(files), path_(std::move(path)), bytes_(size) {}
    std::uint8_t* bytes() override { return bytes_.data(); }

    // Written out a megabyte at a time through a temporary file; the bytes stay in memory
    // for whoever still reads them.
    bool commit() override {
        std::size_t given = 0;
        auto pieces = [this, &given](std::string& piece) {
            if (given == bytes_.size()) return false;
            const std::size_t count = std::min(PIECE_BYTES, bytes_.size() - given);
            piece.assign(reinterpret_cast<const char*>(bytes_.data()) + given, count);
            given += count;
            return true;
        };
        return files_.writeAtomically(path_, pieces, Durability::Unflushed);
    }

  private:
    static constexpr std::size_t PIECE_BYTES = std::size_t(1) << 20;
    Files& files_;
    std::string path_;
    std::vector<std::uint8_t, ui::PixelAllocator<std::uint8_t>>
        bytes_; // left unset: all get written
};

} // namespace platform
