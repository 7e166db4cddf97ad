#include "support/faulty_file_steps.h"
#include "support/fake_platform.h"

namespace fake {

// The chosen step fails; or so does a write on a full disk, after writing part of its bytes;
// or the folder turns read-only: every create, rename and remove from then on fails.
enum class Fault { StepFails, DiskFull, FolderReadOnly };
const char* const FAULT_NAMES[] = {"fails", "disk-full", "read-only"};
const std::string NEW = "new bytes, given in three pieces";

// Real file steps that fail from step `at` on, counted from 1 in the order they run.
struct FaultyFileSteps : platform::FileSteps {
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
    bool close() override {
        const bool closed = real.close(); // the file goes either way
        return !fails(false) && closed;
    }
    bool rename(const std::string& temp, const std::string& target) override {
        return !fails(true) && real.rename(temp, target);
    }
    bool remove(const std::string& temp) override { return !fails(true) && real.remove(temp); }
    bool fails(bool inFolder) { // counts the step; true when it is to fail
        ++ran;
        return ran == at || (fault == Fault::FolderReadOnly && inFolder && ran > at);
    }
};

static std::string brokenReplacement(platform::FileSteps& real, const std::string& folder,
                                     Fault fault, int at, const std::optional<std::string>& old) {
    std::string target =
        folder + "/" + FAULT_NAMES[int(fault)] + "-at-" + std::to_string(at) + (old ? "" : "-new");
    FakeFiles files;
    if (old) files.replaceAtomically(target, *old);
    FaultyFileSteps steps(real, fault, at);
    auto pieces = [given = 0](std::string& piece) mutable {
        return given < 3 && !(piece = NEW.substr(11 * given++, 11)).empty();
    };
    bool result = platform::replaceThroughTemporary(steps, target, pieces), hit = at <= steps.ran,
         left = files.exists(target + ".tmp");
    // Only a folder turned read-only after the temporary was made keeps it: its remove fails.
    auto want = std::tuple(!hit, hit ? old : NEW, fault == Fault::FolderReadOnly && at > 1 && hit);
    if (std::tuple(result, files.read(target), left) == want) return "";
    return target + (result ? ": true, " : ": false, ") + files.read(target).value_or("<absent>") +
           (left ? ", temporary left\n" : "\n");
}

std::string brokenReplacements(platform::FileSteps& real, const std::string& folder) {
    std::string broken;
    for (Fault fault : {Fault::StepFails, Fault::DiskFull, Fault::FolderReadOnly})
        for (int at = 1; at <= 8; ++at) // create, 3 writes, flush, close, rename; 8 hits none
            for (auto old : {std::optional<std::string>("old bytes"), std::optional<std::string>()})
                broken += brokenReplacement(real, folder, fault, at, old);
    return broken;
}

} // namespace fake
