// Transactions must not allocate: every frame lives on the stack. Counts heap allocations of
// the whole process while commands run against the emulated mouse.
#include <gtest/gtest.h>

#include <memory>

#include "protocol/ResultCodes.h"
#include "tests/protocol/ProtocolFixture.h"
#include "tests/support/CountingAllocator.h"

namespace {

using prototest::ProtocolTest;
using testsupport::AllocationCount;

TEST_F(ProtocolTest, CommandsDoNotAllocatePerFrame) {
    ASSERT_TRUE(protocol->SetKeyTableSize(48));
    std::uint8_t table[512];
    std::uint8_t block[57] = {};
    std::uint8_t status[6];
    // Warm up: first use may size buffers once.
    ASSERT_EQ(protocol->CmdReadKeyTable(table), protocol::kOk);
    ASSERT_EQ(protocol->CmdWriteSettings(block, sizeof block, 0), protocol::kOk);
    ASSERT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);

    long before = AllocationCount();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(protocol->CmdReadKeyTable(table), protocol::kOk);
        ASSERT_EQ(protocol->CmdWriteSettings(block, sizeof block, 0), protocol::kOk);
        ASSERT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);
        ASSERT_EQ(protocol->CmdWriteLiveColours(block, 48), protocol::kOk);
    }
    EXPECT_EQ(AllocationCount() - before, 0);

    // The counter does see allocations.
    auto probe = std::make_unique<int>(1);
    EXPECT_EQ(AllocationCount() - before, 1);
}

}  // namespace
