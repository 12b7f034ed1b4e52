// A lock built from atomic compiler built-ins, so that no operating-system
// object has to be created when the library is loaded: a zero-initialised
// lock word is a free lock. A waiting thread yields its time slice between
// tries, as the reply waits do.
#ifndef ZEV_LINK_LOCK_H
#define ZEV_LINK_LOCK_H

#include <stdint.h>

namespace zev {

typedef uint32_t LockWord; // 0: free, 1: held

void lock_acquire(LockWord* word);
void lock_release(LockWord* word);

// Holds a lock for the lifetime of the guard.
class LockGuard {
  public:
    explicit LockGuard(LockWord* word) : word_(word) { lock_acquire(word_); }
    ~LockGuard() { lock_release(word_); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    LockWord* word_;
};

} // namespace zev

#endif
