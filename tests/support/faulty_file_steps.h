#pragma once
// Real file steps that fail from a chosen step on, counted from 1 in the order they run.
#include "platform/file_steps.h"

namespace fake {

class FaultyFileSteps : public platform::FileSteps {
  public:
    // The chosen step fails; or so does a write on a full disk, after writing part of its
    // bytes; or the folder turns read-only: every create, rename and remove from then on fails.
    enum class Fault { StepFails, DiskFull, FolderReadOnly };
    FaultyFileSteps(platform::FileSteps& real, Fault fault, int at)
        : real(real), fault(fault), at(at) {}
    platform::FileSteps& real;
    const Fault fault;
    const int at;
    int ran = 0; // the steps run so far

    bool create(const std::string& temp, const std::string& target) override {
        return !fails(true) && real.create(temp, target);
    }
    bool write(const std::string& bytes) override {
        if (!fails(false)) return real.write(bytes);
        if (fault == Fault::DiskFull) real.write(bytes.substr(0, bytes.size() / 2));
        return false;
    }
    bool flush() override { return !fails(false) && real.flush(); }
    bool close() override { return real.close() & !fails(false); } // the file goes either way
    bool rename(const std::string& temp, const std::string& target) override {
        return !fails(true) && real.rename(temp, target);
    }
    bool remove(const std::string& temp) override { return !fails(true) && real.remove(temp); }
    bool fails(bool inFolder) { // counts the step; true when it is to fail
        ++ran;
        return ran == at || (fault == Fault::FolderReadOnly && inFolder && ran > at);
    }
};

// Replaces files in `folder` through `real` under each fault at each step; lists what went wrong.
std::string brokenReplacements(platform::FileSteps& real, const std::string& folder);

} // namespace fake
