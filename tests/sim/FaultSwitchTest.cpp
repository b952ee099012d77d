// The emulator's fault switch (ZORVATH_SIM_FAULTS): its little language, the faults it picks,
// and a whole emulated mouse that misbehaves by it, frame by frame.
#include "sim/FaultSwitch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "hid/HidDevice.h"
#include "protocol/FrameLayout.h"
#include "sim/Simulation.h"

namespace {

using namespace std::chrono_literals;

TEST(FaultSwitch, ParsesWhatTheHelpShows) {
    struct Case {
        const char* text;
        sim::FaultRates expected;
    };
    const Case cases[] = {
        {"", {}},
        {"drop=0.05,garbage=0.02,stale=0.02,unplug-after=200,seed=7",
         {.drop = 0.05,
          .garbage = 0.02,
          .stale = 0.02,
          .unplugAfter = 200,
          .unplugAfterMost = 200,
          .seed = 7}},
        {"seed=3,replug-after=50,unplug-after=1-6",
         {.unplugAfter = 1, .unplugAfterMost = 6, .replugAfterMs = 50, .seed = 3}},
        {"drop=1", {.drop = 1}},
        {"garbage=0,stale=0.5,drop=0.5", {.drop = 0.5, .stale = 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sim::FaultRates rates;
        rates.seed = 99;  // overwritten
        std::string error;
        ASSERT_TRUE(sim::ParseFaultRates(c.text, rates, error)) << error;
        EXPECT_DOUBLE_EQ(rates.drop, c.expected.drop);
        EXPECT_DOUBLE_EQ(rates.garbage, c.expected.garbage);
        EXPECT_DOUBLE_EQ(rates.stale, c.expected.stale);
        EXPECT_EQ(rates.unplugAfter, c.expected.unplugAfter);
        EXPECT_EQ(rates.unplugAfterMost, c.expected.unplugAfterMost);
        EXPECT_EQ(rates.replugAfterMs, c.expected.replugAfterMs);
        EXPECT_EQ(rates.seed, c.expected.seed);
    }
}

TEST(FaultSwitch, BadValuesAreClearErrors) {
    struct Case {
        const char* text;
        const char* mentions;
    };
    const Case cases[] = {
        {"drop=2", "drop needs a rate from 0 to 1"},
        {"drop=-0.1", "drop needs"},
        {"drop=nan", "drop needs"},
        {"drop=0.5x", "drop needs"},
        {"drop=", "drop needs"},
        {"drop", "not key=value"},
        {"=0.1", "not key=value"},
        {"drop=0.1,", "missing after the last ','"},
        {"drop=0.1,,stale=0.1", "not key=value"},
        {"drop=0.1,drop=0.2", "drop is given twice"},
        {"Drop=0.1", "unknown fault \"Drop\""},
        {"loss=0.1", "unknown fault \"loss\""},
        {"drop=0.6,garbage=0.5", "add up to more than 1"},
        {"unplug-after=0", "unplug-after needs"},
        {"unplug-after=9-3", "unplug-after needs"},
        {"unplug-after=-3", "unplug-after needs"},
        {"unplug-after=1-", "unplug-after needs"},
        {"unplug-after=99999999999", "unplug-after needs"},
        {"replug-after=50", "replug-after needs unplug-after"},
        {"unplug-after=5,replug-after=600001", "replug-after needs"},
        {"seed=seven", "seed needs a whole number"},
        {" drop=0.1", "unknown fault"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sim::FaultRates rates;
        rates.drop = 0.25;
        std::string error;
        EXPECT_FALSE(sim::ParseFaultRates(c.text, rates, error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
        EXPECT_DOUBLE_EQ(rates.drop, 0.25);  // untouched
    }
}

TEST(FaultSwitch, PicksTheFaultsAtTheirRatesAndUnplugsAtTheDrawnRequest) {
    sim::CFaultSwitch everyReplyLost({.drop = 1});
    for (int i = 0; i < 50; ++i) {
        const auto fault = everyReplyLost.Next();
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->kind, sim::FaultKind::NoReply);
        EXPECT_EQ(fault->command, 0);
        EXPECT_EQ(fault->times, 1u);
    }
    EXPECT_FALSE(sim::CFaultSwitch({}).Next());

    sim::CFaultSwitch mixed({.drop = 0.2, .garbage = 0.2, .stale = 0.2, .seed = 11});
    int counts[4] = {};
    const int total = 10000;
    for (int i = 0; i < total; ++i) {
        const auto fault = mixed.Next();
        if (!fault) {
            ++counts[3];
        } else if (fault->kind == sim::FaultKind::NoReply) {
            ++counts[0];
        } else if (fault->kind == sim::FaultKind::Garbage) {
            ++counts[1];
            EXPECT_EQ(fault->garbage[protocol::kOffsetReportId], protocol::kReportId);
        } else {
            ASSERT_EQ(fault->kind, sim::FaultKind::StaleReplies);
            ++counts[2];
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_NEAR(counts[kind], total * 0.2, total * 0.03) << kind;
    }
    EXPECT_NEAR(counts[3], total * 0.4, total * 0.03);

    sim::CFaultSwitch unplugging({.unplugAfter = 3, .unplugAfterMost = 5, .seed = 5});
    for (int plugIn = 0; plugIn < 20; ++plugIn) {
        int request = 1;
        while (!unplugging.Next()) {
            ++request;
            ASSERT_LE(request, 5);
        }
        EXPECT_GE(request, 3);
        unplugging.Replugged();
    }
}

// Sends one request on the command interface; 1 and the reply when one came in time.
int Transact(hid::CHidDevice& command, std::uint8_t commandByte, protocol::Frame& reply) {
    protocol::Frame request;
    protocol::StartRequest(request, commandByte);
    protocol::SetLengthAndOffset(request, 6, 0);
    protocol::SealFrame(request);
    if (command.Write(request, 64, nullptr, 1000) != 1) {
        return 0;
    }
    return command.Read(reply, 64, nullptr, 300);
}

std::string CommandPath(const std::shared_ptr<hid::IHidBackend>& bus) {
    std::vector<std::string> paths;
    bus->Enumerate(paths);
    for (const std::string& path : paths) {
        if (path.ends_with("&col04")) {
            return path;
        }
    }
    return {};
}

TEST(FaultSwitch, TheEmulatedMouseLosesRepliesAndComesBackAfterAnUnplug) {
    auto simulation = sim::CSimulation::Start(
        {"mouse"}, nullptr,
        {.drop = 1, .unplugAfter = 3, .unplugAfterMost = 3, .replugAfterMs = 20});
    const std::string first = CommandPath(simulation->Bus());
    hid::CHidDevice command(simulation->Bus());
    ASSERT_TRUE(command.Open(first, true, true, true, false));
    protocol::Frame reply{};
    EXPECT_EQ(Transact(command, 26, reply), 0);  // carried out, reply lost
    EXPECT_EQ(Transact(command, 26, reply), 0);
    EXPECT_EQ(Transact(command, 26, reply), 0);  // the third: the mouse goes away instead
    EXPECT_EQ(simulation->Mouse()->Firmware().ReceivedCount(), 3u);

    // It comes back as a new device (new paths), its count of requests started again.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (simulation->ReplugCount() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_EQ(simulation->ReplugCount(), 1u);
    const std::string second = CommandPath(simulation->Bus());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(second, first);
    EXPECT_FALSE(hid::IsInterfacePresent(*simulation->Bus(), first));
    hid::CHidDevice again(simulation->Bus());
    ASSERT_TRUE(again.Open(second, true, true, true, false));
    EXPECT_EQ(Transact(again, 26, reply), 0);
    EXPECT_EQ(simulation->ReplugCount(), 1u);
}

TEST(FaultSwitch, WithoutFaultsTheSimulationAnswersEveryRequest) {
    auto simulation = sim::CSimulation::Start({"mouse"});
    hid::CHidDevice command(simulation->Bus());
    ASSERT_TRUE(command.Open(CommandPath(simulation->Bus()), true, true, true, false));
    protocol::Frame reply{};
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(Transact(command, 26, reply), 1);
        EXPECT_EQ(reply[protocol::kOffsetCommand], 26);
    }
}

}  // namespace
