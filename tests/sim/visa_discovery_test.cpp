// Discovery through the simulated VISA: the resource list, attributes and the
// *IDN? exchange, as the front panel's binding uses them.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

constexpr ViStatus kMaxCount = 0x3FFF0006;

class VisaTest : public ::testing::Test {
protected:
    void SetUp() override {
        control("reset");
        ASSERT_EQ(visa().openDefaultRm(&manager_), 0);
    }
    void TearDown() override { visa().close(manager_); }

    static const VisaApi& visa() { return visaApi(); }
    static void control(const std::string& directive) {
        ASSERT_EQ(visaLibrary().control(directive), 0) << directive;
    }

    // Every resource the expression finds, through viFindRsrc and viFindNext.
    std::vector<std::string> find(const char* expression) const {
        ViFindList list = 0;
        ViUInt32 count = 0;
        std::array<char, visa::kFindBufferLength> name{};
        if (visa().findRsrc(manager_, expression, &list, &count, name.data()) != 0) {
            return {};
        }
        std::vector<std::string> names = {name.data()};
        while (visa().findNext(list, name.data()) == 0) {
            names.push_back(name.data());
        }
        EXPECT_EQ(names.size(), count);
        visa().close(list);
        return names;
    }

    ViSession open(const char* name) const {
        ViSession session = 0;
        EXPECT_EQ(visa().open(manager_, name, 0, 0, &session), 0) << name;
        return session;
    }

    // A 16-bit attribute, or the failing status as the second value.
    std::pair<int, ViStatus> attribute(ViSession session, ViAttr attr) const {
        std::array<unsigned char, 8> buffer{};
        buffer.fill(0xAA);
        const ViStatus status = visa().getAttribute(session, attr, buffer.data());
        EXPECT_EQ(buffer[2], 0xAA) << "more than 16 bits written";
        ViInt16 value = 0;
        std::memcpy(&value, buffer.data(), sizeof value);
        return {value, status};
    }

    std::string identify(ViSession session, ViUInt32 readSize = 100) const {
        ViUInt32 written = 0;
        const auto* query = reinterpret_cast<const unsigned char*>("*IDN?");
        EXPECT_EQ(visa().write(session, query, 5, &written), 0);
        EXPECT_EQ(written, 5u);
        std::array<unsigned char, 256> answer{};
        ViUInt32 read = 0;
        if (visa().read(session, answer.data(), readSize, &read) < 0) {
            return {};
        }
        return std::string(reinterpret_cast<const char*>(answer.data()), read);
    }

    ViSession manager_ = 0;
};

TEST_F(VisaTest, DefaultResourceIsOneVxiQot7720) {
    EXPECT_EQ(find("?*INSTR"), (std::vector<std::string>{"VXI0::24::INSTR"}));
    const ViSession session = open("VXI0::24::INSTR");
    EXPECT_EQ(attribute(session, visa::kAttrInterfaceType), std::make_pair(2, 0));
    EXPECT_EQ(attribute(session, visa::kAttrManufacturerId),
              std::make_pair(int{driver::kVxiManufacturerId}, 0));
    EXPECT_EQ(attribute(session, visa::kAttrModelCode),
              std::make_pair(int{driver::kVxiModelCode}, 0));
    EXPECT_EQ(attribute(session, visa::kAttrSlot), std::make_pair(3, 0));
    EXPECT_EQ(attribute(session, visa::kAttrVxiLogicalAddress), std::make_pair(24, 0));
    EXPECT_EQ(visa().close(session), 0);
}

TEST_F(VisaTest, GpibResourceAnswersItsIdentification) {
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720,123,A.02\"");
    EXPECT_EQ(find("?*INSTR"), (std::vector<std::string>{"VXI0::24::INSTR", "GPIB0::9::INSTR"}));
    const ViSession session = open("GPIB0::9::INSTR");
    EXPECT_EQ(attribute(session, visa::kAttrInterfaceType), std::make_pair(1, 0));
    EXPECT_EQ(attribute(session, visa::kAttrManufacturerId).second,
              visa::kErrorNonsupportedAttribute);
    EXPECT_EQ(identify(session), "QUORVALE-ORBANT,T7720,123,A.02\n");
    std::array<unsigned char, 8> more{};
    ViUInt32 read = 0;
    EXPECT_EQ(visa().read(session, more.data(), more.size(), &read), visa::kErrorTimeout);
}

TEST_F(VisaTest, LongAnswerIsReadInPieces) {
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720,123,A.02\"");
    const ViSession session = open("GPIB0::9::INSTR");
    ViUInt32 written = 0;
    ASSERT_EQ(visa().write(session, reinterpret_cast<const unsigned char*>("*IDN?\n"), 6, &written),
              0);
    std::array<unsigned char, 10> piece{};
    ViUInt32 read = 0;
    EXPECT_EQ(visa().read(session, piece.data(), 10, &read), kMaxCount);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(piece.data()), read), "QUORVALE-O");
    std::array<unsigned char, 100> rest{};
    EXPECT_EQ(visa().read(session, rest.data(), 100, &read), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(rest.data()), read),
              "RBANT,T7720,123,A.02\n");
}

TEST_F(VisaTest, OnlyTheIdentificationQueryIsAnswered) {
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720,123,A.02\"");
    const ViSession session = open("GPIB0::9::INSTR");
    ViUInt32 written = 0;
    ASSERT_EQ(visa().write(session, reinterpret_cast<const unsigned char*>("*RST"), 4, &written),
              0);
    std::array<unsigned char, 100> answer{};
    ViUInt32 read = 0;
    EXPECT_EQ(visa().read(session, answer.data(), 100, &read), visa::kErrorTimeout);
    EXPECT_EQ(read, 0u);
}

TEST_F(VisaTest, ResourceKindsAndTheirAttributes) {
    control("add-resource GPIB-VXI0::40::INSTR gpib-vxi 0x0FFA 0x0720 slot=5 la=40");
    control("add-resource VXI0::30::INSTR vxi 0x0FFB 0x0100");
    control("add-resource ASRL1::INSTR asrl");
    const ViSession gpibVxi = open("GPIB-VXI0::40::INSTR");
    EXPECT_EQ(attribute(gpibVxi, visa::kAttrInterfaceType), std::make_pair(3, 0));
    EXPECT_EQ(attribute(gpibVxi, visa::kAttrSlot), std::make_pair(5, 0));
    EXPECT_EQ(attribute(gpibVxi, visa::kAttrVxiLogicalAddress), std::make_pair(40, 0));
    EXPECT_EQ(identify(gpibVxi), "QUORVALE-ORBANT,T7720,0,A.01.00\n");
    const ViSession other = open("VXI0::30::INSTR");
    EXPECT_EQ(attribute(other, visa::kAttrManufacturerId), std::make_pair(0x0FFB, 0));
    EXPECT_EQ(attribute(other, visa::kAttrSlot).second, visa::kErrorNonsupportedAttribute);
    EXPECT_EQ(identify(other), "");
    const ViSession serial = open("ASRL1::INSTR");
    EXPECT_EQ(attribute(serial, visa::kAttrInterfaceType), std::make_pair(4, 0));
}

TEST_F(VisaTest, SearchExpressions) {
    control("add-resource GPIB0::9::INSTR gpib");
    control("add-resource GPIB0::9::0::SOCKET tcpip");
    EXPECT_EQ(find("GPIB?*INSTR"), (std::vector<std::string>{"GPIB0::9::INSTR"}));
    EXPECT_EQ(find("?*"), (std::vector<std::string>{"VXI0::24::INSTR", "GPIB0::9::INSTR",
                                                    "GPIB0::9::0::SOCKET"}));
    EXPECT_EQ(find("vxi?*instr"), (std::vector<std::string>{"VXI0::24::INSTR"}));
    ViFindList list = 0;
    ViUInt32 count = 9;
    std::array<char, visa::kFindBufferLength> name{};
    EXPECT_EQ(visa().findRsrc(manager_, "*INSTR", &list, &count, name.data()),
              static_cast<ViStatus>(0xBFFF0010u));
    EXPECT_EQ(visa().findRsrc(manager_, "USB?*INSTR", &list, &count, name.data()),
              visa::kErrorResourceNotFound);
    EXPECT_EQ(count, 0u);
}

TEST_F(VisaTest, NoResourcesAfterClearing) {
    control("clear-resources");
    ViFindList list = 0;
    ViUInt32 count = 9;
    std::array<char, visa::kFindBufferLength> name{};
    EXPECT_EQ(visa().findRsrc(manager_, "?*INSTR", &list, &count, name.data()),
              visa::kErrorResourceNotFound);
    ViSession session = 0;
    EXPECT_EQ(visa().open(manager_, "VXI0::24::INSTR", 0, 0, &session),
              visa::kErrorResourceNotFound);
}

TEST_F(VisaTest, ClosingTheManagerClosesItsSessions) {
    const ViSession session = open("VXI0::24::INSTR");
    ASSERT_EQ(visa().close(manager_), 0);
    EXPECT_EQ(attribute(session, visa::kAttrSlot).second, visa::kErrorInvalidObject);
    EXPECT_EQ(visa().close(session), visa::kErrorInvalidObject);
    ASSERT_EQ(visa().openDefaultRm(&manager_), 0);
}

TEST_F(VisaTest, InjectedFailuresPickTheirResource) {
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720\"");
    control("fail-match \"GPIB0::9\" 0xBFFF0011");
    ViSession session = 0;
    EXPECT_EQ(visa().open(manager_, "GPIB0::9::INSTR", 0, 0, &session),
              visa::kErrorResourceNotFound);
    EXPECT_EQ(visa().open(manager_, "VXI0::24::INSTR", 0, 0, &session), 0);
    control("fail-next viGetAttribute 0xBFFF001D");
    EXPECT_EQ(attribute(session, visa::kAttrInterfaceType).second,
              visa::kErrorNonsupportedAttribute);
    EXPECT_EQ(attribute(session, visa::kAttrInterfaceType), std::make_pair(2, 0));
}

TEST_F(VisaTest, VisaCallsAreLogged) {
    const std::string path = ::testing::TempDir() + "sim_visa_calls.log";
    std::remove(path.c_str());
    control("log \"" + path + "\"");
    const ViSession session = open("VXI0::24::INSTR");
    attribute(session, visa::kAttrModelCode);
    identify(session);
    visa().flush(session, 0x10);
    visa().close(session);
    control("log off");
    const std::string s = std::to_string(session);
    EXPECT_EQ(readLines(path),
              (std::vector<std::string>{
                  "viOpen " + std::to_string(manager_) + " \"VXI0::24::INSTR\" 0 0",
                  "viGetAttribute " + s + " 0x3FFF00DF",
                  "viWrite " + s + " \"*IDN?\" 5",
                  "viRead " + s + " 100",
                  "viFlush " + s + " 0x10",
                  "viClose " + s,
              }));
    std::remove(path.c_str());
}

}  // namespace
}  // namespace simtest
