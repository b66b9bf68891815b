#pragma once

// One run of the program at a time on a machine: two runs would collide on the same temporary files and
// on the read-modify-write of the group list and AUTOEXEC.NT. The claim is a named mutex, held for the
// life of the object (and so of the run).
class SingleRunClaim {
  public:
    SingleRunClaim();
    ~SingleRunClaim();
    SingleRunClaim(const SingleRunClaim&) = delete;
    SingleRunClaim& operator=(const SingleRunClaim&) = delete;
    // False when another run holds the claim.
    bool Held() const { return held_; }

  private:
    void* mutex_ = nullptr;
    bool held_ = false;
};

// The mutex's name: machine-wide ("Global\") where the system has sessions (Windows 2000 and later);
// NT 4.0 has one name space and refuses a backslash in the name.
const char* SingleRunMutexName(unsigned long majorVersion);
