// Transactions must not allocate: every frame lives on the stack. Counts heap allocations of
// the whole process while commands run against the emulated mouse.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "protocol/ResultCodes.h"
#include "tests/protocol/ProtocolFixture.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using prototest::ProtocolTest;

TEST_F(ProtocolTest, CommandsDoNotAllocatePerFrame) {
    ASSERT_TRUE(protocol->SetKeyTableSize(48));
    std::uint8_t table[512];
    std::uint8_t block[57] = {};
    std::uint8_t status[6];
    // Warm up: first use may size buffers once.
    ASSERT_EQ(protocol->CmdReadKeyTable(table), protocol::kOk);
    ASSERT_EQ(protocol->CmdWriteSettings(block, sizeof block, 0), protocol::kOk);
    ASSERT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);

    long before = g_allocations.load();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(protocol->CmdReadKeyTable(table), protocol::kOk);
        ASSERT_EQ(protocol->CmdWriteSettings(block, sizeof block, 0), protocol::kOk);
        ASSERT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);
        ASSERT_EQ(protocol->CmdWriteLiveColours(block, 48), protocol::kOk);
    }
    EXPECT_EQ(g_allocations.load() - before, 0);

    // The counter does see allocations.
    auto probe = std::make_unique<int>(1);
    EXPECT_EQ(g_allocations.load() - before, 1);
}

}  // namespace
