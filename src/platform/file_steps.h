#pragma once
// The steps of replacing a file through a temporary file beside it, each one call to the
// operating system, and the one order every replacement runs them in.
#include "platform/platform.h"

#include <string>

namespace platform {

class FileSteps {
  public:
    virtual ~FileSteps() = default;
    // Creates (or empties) the temporary file and holds it open for writing; `target` is
    // the file it is to replace, for a system that carries the old file's permissions over.
    virtual bool create(const std::string& temporary, const std::string& target) = 0;
    virtual bool write(const std::string& bytes) = 0; // all of them, or false
    virtual bool flush() = 0;                         // to the disk
    // Lets go of the file whatever the result; false when its bytes may not be whole.
    virtual bool close() = 0;
    virtual bool rename(const std::string& temporary, const std::string& target) = 0;
    // After a flushed replacement's rename: puts the new name itself on the disk where the
    // system needs a step for that; best effort.
    virtual void syncFolderOf(const std::string&) {}
    virtual bool remove(const std::string& temporary) = 0;
};

inline bool writePieces(FileSteps& steps, const Files::PieceSource& pieces) {
    for (std::string piece; pieces(piece); piece.clear())
        if (!steps.write(piece)) return false;
    return true;
}

// Writes `<target>.tmp` from the pieces, flushes it when asked, closes it, and renames it
// over the target. On any failure the temporary goes (as far as it can) and the target
// stays as it was.
inline bool replaceThroughTemporary(FileSteps& steps, const std::string& target,
                                    const Files::PieceSource& pieces, Durability durability) {
    const std::string temporary = target + ".tmp";
    const bool flushed = durability == Durability::Flushed;
    if (steps.create(temporary, target)) {
        bool written = writePieces(steps, pieces) && (!flushed || steps.flush());
        if (steps.close() && written && steps.rename(temporary, target)) {
            if (flushed) steps.syncFolderOf(target);
            return true;
        }
    }
    steps.remove(temporary);
    return false;
}

} // namespace platform
