#include "lock.h"

#include "platform.h"

namespace zev {

void lock_acquire(LockWord* word) {
    while (__atomic_exchange_n(word, 1u, __ATOMIC_ACQUIRE) != 0) {
        // Wait without writing, so that waiters do not fight over the
        // cache line while the holder works.
        while (__atomic_load_n(word, __ATOMIC_RELAXED) != 0) {
            platform_yield();
        }
    }
}

void lock_release(LockWord* word) {
    __atomic_store_n(word, 0u, __ATOMIC_RELEASE);
}

} // namespace zev
