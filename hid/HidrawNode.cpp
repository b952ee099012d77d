#include "hid/HidrawNode.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace hid {

namespace {

// Writes on the node's writer thread; the fd is closed when the last user (node or a writer
// thread finishing a stuck write) lets go.
class FdTransport final : public INodeTransport {
public:
    explicit FdTransport(int fd) : fd_(fd) {}
    ~FdTransport() override { ::close(fd_); }

    TransportResult WriteReport(std::span<const std::uint8_t> report) override {
        for (;;) {
            ssize_t n = ::write(fd_, report.data(), report.size());
            if (n == static_cast<ssize_t>(report.size())) {
                return TransportResult::Ok;
            }
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && (errno == ENODEV || errno == EPIPE || errno == ECONNRESET)) {
                return TransportResult::Gone;
            }
            return TransportResult::Failed;
        }
    }

private:
    int fd_;
};

}  // namespace

std::shared_ptr<CHidrawNode> CHidrawNode::Create(int fd, HidAttributes attributes,
                                                 std::vector<std::uint8_t> descriptor) {
    ReportDescriptorInfo info;
    std::string error;
    if (fd < 0) {
        return nullptr;
    }
    if (!ParseReportDescriptor(descriptor, info, error)) {
        ::close(fd);
        return nullptr;
    }
    int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_shared<CHidrawNode>(fd, wakeFd, attributes, std::move(descriptor),
                                         std::move(info));
}

CHidrawNode::CHidrawNode(int fd, int wakeFd, HidAttributes attributes,
                         std::vector<std::uint8_t> descriptor, ReportDescriptorInfo info)
    : CHidNode(attributes, std::move(descriptor), std::move(info),
               std::make_unique<FdTransport>(fd)),
      fd_(fd),
      wakeFd_(wakeFd) {
    reader_ = std::thread(&CHidrawNode::ReaderLoop, this);
}

CHidrawNode::~CHidrawNode() {
    std::uint64_t one = 1;
    ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
    (void)ignored;
    reader_.join();
    ::close(wakeFd_);
}

void CHidrawNode::ReaderLoop() {
    // Byte 0 stays the report id; without report ids the kernel sends none and we put 0 there,
    // as the reads above hand every report over.
    std::uint8_t buffer[kMaxReportBytes + 1];
    const bool ids = Info().usesReportIds;
    std::uint8_t* target = ids ? buffer : buffer + 1;
    buffer[0] = 0;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    for (;;) {
        int ready = ::poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            MarkGone();
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            ssize_t n = ::read(fd_, target, kMaxReportBytes);
            if (n > 0) {
                DeliverInput({buffer, static_cast<std::size_t>(n) + (ids ? 0 : 1)});
                continue;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            MarkGone();  // end of file or ENODEV: the device was removed
            return;
        }
        if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            MarkGone();
            return;
        }
    }
}

}  // namespace hid
