#include "linux/mapped_file.h"
#include "linux/services.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace linux {

namespace {

std::string temporaryOf(const std::string& target) {
    return target + ".tmp";
}

// The file's blocks reserved, then its pages mapped, all made writable in one call: taken
// one fault at a time as a decoder first writes each page, they cost about twice the
// system time. Null when the blocks or the mapping cannot be had.
void* mapReserved(int file, std::size_t size) {
    if (::posix_fallocate(file, 0, off_t(size)) != 0) return nullptr;
    void* bytes = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (bytes == MAP_FAILED) return nullptr;
#ifdef MADV_POPULATE_WRITE
    ::madvise(bytes, size, MADV_POPULATE_WRITE); // a hint: pages left out fault in later
#endif
    return bytes;
}

} // namespace

// The temporary is made as every replacement makes it; the mapping outlives its
// descriptor, which goes at once.
std::unique_ptr<MappedFile> MappedFile::make(const std::string& target, std::size_t size) {
    if (size == 0) return nullptr;
    PosixFileSteps steps(PosixFileSteps::Access::ReadWrite);
    const std::string temporary = temporaryOf(target);
    if (!steps.create(temporary, target)) return nullptr;
    void* bytes = mapReserved(steps.descriptor(), size);
    steps.close();
    if (!bytes) {
        steps.remove(temporary);
        return nullptr;
    }
    return std::unique_ptr<MappedFile>(
        new MappedFile(target, static_cast<std::uint8_t*>(bytes), size));
}

MappedFile::MappedFile(std::string target, std::uint8_t* bytes, std::size_t size)
    : target_(std::move(target)), bytes_(bytes), size_(size) {}

MappedFile::~MappedFile() {
    ::munmap(bytes_, size_);
    if (!committed_) ::unlink(temporaryOf(target_).c_str());
}

bool MappedFile::commit() {
    committed_ = ::rename(temporaryOf(target_).c_str(), target_.c_str()) == 0;
    return committed_;
}

} // namespace linux
