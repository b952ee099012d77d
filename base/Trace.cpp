#include "base/Trace.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace trace {
namespace {

std::atomic<bool> g_enabled{false};
std::mutex g_writeMutex;

void WriteLine(const char* text, std::size_t length) {
    std::lock_guard lock(g_writeMutex);
    std::fwrite(text, 1, length, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace

void InitFromEnvironment() {
    const char* value = std::getenv("ZORVATH_TRACE");
    Enable(value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0);
}

void Enable(bool on) {
    g_enabled.store(on, std::memory_order_relaxed);
}

bool Enabled() {
    return g_enabled.load(std::memory_order_relaxed);
}

void Line(std::string_view text) {
    if (Enabled()) {
        WriteLine(text.data(), text.size());
    }
}

void Linef(const char* format, ...) {
    if (!Enabled()) {
        return;
    }
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) {
        return;
    }
    WriteLine(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

std::size_t FormatFrameHalf(const std::uint8_t* bytes32, char* out, std::size_t outSize) {
    static const char kHex[] = "0123456789abcdef";
    std::size_t pos = 0;
    for (int i = 0; i < 32 && pos + 5 < outSize; ++i) {
        if (i > 0) {
            // One blank between bytes; a group boundary adds two more in the first half of the
            // line and one more after it.
            out[pos++] = ' ';
            if (i % 4 == 0) {
                out[pos++] = ' ';
                if (i <= 12) {
                    out[pos++] = ' ';
                }
            }
        }
        out[pos++] = kHex[bytes32[i] >> 4];
        out[pos++] = kHex[bytes32[i] & 0x0F];
    }
    out[pos] = '\0';
    return pos;
}

void Frame(const std::uint8_t* bytes, std::size_t length) {
    if (!Enabled()) {
        return;
    }
    std::uint8_t frame[64] = {};
    std::memcpy(frame, bytes, std::min<std::size_t>(length, sizeof frame));
    char line[160];
    std::lock_guard lock(g_writeMutex);
    for (int half = 0; half < 2; ++half) {
        std::size_t n = FormatFrameHalf(frame + half * 32, line, sizeof line);
        std::fwrite(line, 1, n, stderr);
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
}

}  // namespace trace
