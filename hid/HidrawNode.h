#pragma once

#include <memory>
#include <thread>

#include "hid/HidNode.h"

namespace hid {

// An open hidraw node: owns the descriptor (any fd that keeps message boundaries, so tests can
// use a SOCK_SEQPACKET socket) and a reader thread that drains it into the collections' queues.
// End of file, POLLHUP or ENODEV mean the device was removed.
class CHidrawNode final : public CHidNode {
public:
    // Takes ownership of fd. Null when the descriptor cannot be parsed or resources fail.
    static std::shared_ptr<CHidrawNode> Create(int fd, HidAttributes attributes,
                                               std::vector<std::uint8_t> descriptor);
    ~CHidrawNode() override;

    CHidrawNode(int fd, int wakeFd, HidAttributes attributes, std::vector<std::uint8_t> descriptor,
                ReportDescriptorInfo info);

private:
    void ReaderLoop();

    int fd_;      // owned by the transport; read here
    int wakeFd_;  // eventfd that stops the reader
    std::thread reader_;
};

}  // namespace hid
