// The simulated cable as one device across processes. The simulator library is loaded into each
// program on its own, so each has a SimCable of its own; what they share is the configuration
// file, which therefore stands for the cable. A process that has the cable open holds an
// advisory lock on that file, as the vendor's driver holds the real device: another process is
// refused until the holder closes the cable or ends, however it ends, since the system drops the
// lock with the process. The lock is on the file, not its name: a file replaced by a new one
// while the cable is held (an editor saving by rename) is a second cable.
#pragma once

#include <string>

namespace korv::sim {

class CableHold {
public:
    enum class Outcome {
        Taken,         // this process holds the cable now
        HeldElsewhere, // another process (or another hold in this one) has it
        Failed         // the file could not be opened or locked; error says why
    };

    CableHold() = default;
    ~CableHold() { Release(); }
    CableHold(const CableHold&) = delete;
    CableHold& operator=(const CableHold&) = delete;

    // Takes the hold on the file at path (UTF-8), giving up one already held. Never waits.
    Outcome Take(const std::string& path, std::string& error);
    // Gives the hold up; nothing when none is held.
    void Release();
    bool Held() const;

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace korv::sim
