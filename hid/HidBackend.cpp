#include "hid/HidBackend.h"

#include <mutex>

#include "hid/HidrawBackend.h"

// The one place that picks the platform transport.
namespace hid {

namespace {

std::mutex& BackendLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<IHidBackend>& Chosen() {
    static std::shared_ptr<IHidBackend> backend;
    return backend;
}

}  // namespace

std::shared_ptr<IHidBackend> DefaultBackend() {
    std::lock_guard<std::mutex> guard(BackendLock());
    if (!Chosen()) {
        Chosen() = std::make_shared<CHidrawBackend>();
    }
    return Chosen();
}

void UseBackend(std::shared_ptr<IHidBackend> backend) {
    std::lock_guard<std::mutex> guard(BackendLock());
    Chosen() = std::move(backend);
}

}  // namespace hid
