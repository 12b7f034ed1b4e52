#include "host_io.h"

#include "../../src/link/platform.h"

#include <pthread.h>
#include <unistd.h>

void host_write(const char* text, uint32_t len) {
    while (len > 0) {
        const ssize_t n = write(1, text, len);
        if (n <= 0) {
            return;
        }
        text += n;
        len -= static_cast<uint32_t>(n);
    }
}

uint64_t host_now_ms() {
    return zev::platform_now_ms();
}

bool host_in_module(const char*, const void*) {
    return true;
}

namespace {

struct ThreadArg {
    void (*body)(uint32_t);
    uint32_t index;
};

void* thread_main(void* p) {
    const ThreadArg* arg = static_cast<const ThreadArg*>(p);
    arg->body(arg->index);
    return nullptr;
}

} // namespace

void host_run_threads(uint32_t count, void (*body)(uint32_t index)) {
    pthread_t threads[16];
    ThreadArg args[16];
    count = count < 16 ? count : 16;
    for (uint32_t i = 0; i < count; ++i) {
        args[i] = ThreadArg{body, i};
        pthread_create(&threads[i], nullptr, thread_main, &args[i]);
    }
    for (uint32_t i = 0; i < count; ++i) {
        pthread_join(threads[i], nullptr);
    }
}

int main() {
    return host_main() == 0 ? 0 : 1;
}
