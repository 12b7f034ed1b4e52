#include "host_io.h"

#include "../../src/link/platform.h"

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

int main() {
    return host_main() == 0 ? 0 : 1;
}
