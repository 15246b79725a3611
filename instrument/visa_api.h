#pragma once
// Our own declarations of the VISA types, values and functions that discovery
// uses, written from the public VISA standard. Fixed-width types throughout:
// an old header's `unsigned long` is 8 bytes on x86-64 and would break the ABI.

#include <cstdint>

extern "C" {

using ViInt16 = std::int16_t;
using ViUInt16 = std::uint16_t;
using ViInt32 = std::int32_t;
using ViUInt32 = std::uint32_t;
using ViChar = char;
using ViByte = unsigned char;
using ViStatus = ViInt32;
using ViObject = ViUInt32;
using ViSession = ViObject;
using ViFindList = ViObject;
using ViAttr = ViUInt32;
using ViAccessMode = ViUInt32;
using ViRsrc = const ViChar*;
using ViString = const ViChar*;
using ViBuf = ViByte*;
using ViConstBuf = const ViByte*;

static_assert(sizeof(ViStatus) == 4, "ViStatus is 32-bit");
static_assert(sizeof(ViSession) == 4, "ViSession is 32-bit");
static_assert(sizeof(ViUInt16) == 2, "ViUInt16 is 16-bit");
static_assert(sizeof(ViAttr) == 4, "ViAttr is 32-bit");

using ViOpenDefaultRMFn = ViStatus (*)(ViSession* resourceManager);
using ViFindRsrcFn = ViStatus (*)(ViSession resourceManager, ViString expression, ViFindList* list,
                                  ViUInt32* count, ViChar* description);
using ViFindNextFn = ViStatus (*)(ViFindList list, ViChar* description);
using ViOpenFn = ViStatus (*)(ViSession resourceManager, ViRsrc name, ViAccessMode mode,
                              ViUInt32 timeout, ViSession* session);
using ViGetAttributeFn = ViStatus (*)(ViObject object, ViAttr attribute, void* value);
using ViWriteFn = ViStatus (*)(ViSession session, ViConstBuf buffer, ViUInt32 count,
                               ViUInt32* written);
using ViReadFn = ViStatus (*)(ViSession session, ViBuf buffer, ViUInt32 count, ViUInt32* read);
using ViCloseFn = ViStatus (*)(ViObject object);
using ViFlushFn = ViStatus (*)(ViSession session, ViUInt16 mask);

}  // extern "C"

namespace visa {

constexpr ViStatus kSuccess = 0;
constexpr ViStatus kErrorResourceNotFound = static_cast<ViStatus>(0xBFFF0011u);
constexpr ViStatus kErrorTimeout = static_cast<ViStatus>(0xBFFF0015u);
constexpr ViStatus kErrorInvalidObject = static_cast<ViStatus>(0xBFFF000Eu);
constexpr ViStatus kErrorNonsupportedAttribute = static_cast<ViStatus>(0xBFFF001Du);

constexpr ViAttr kAttrVxiLogicalAddress = 0x3FFF00D5u;  // ViInt16
constexpr ViAttr kAttrManufacturerId = 0x3FFF00D9u;     // ViUInt16
constexpr ViAttr kAttrModelCode = 0x3FFF00DFu;          // ViUInt16
constexpr ViAttr kAttrSlot = 0x3FFF00E8u;               // ViInt16
constexpr ViAttr kAttrInterfaceType = 0x3FFF0171u;      // ViUInt16
// What a resource (the resource manager included) reports of its implementation.
constexpr ViAttr kAttrResourceManufacturerName = 0xBFFF0172u;  // ViString, kFindBufferLength
constexpr ViAttr kAttrResourceImplVersion = 0x3FFF0003u;       // ViVersion (ViUInt32)
constexpr ViAttr kAttrResourceVisaVersion = 0x3FFF0170u;       // ViVersion (ViUInt32)

constexpr ViUInt16 kInterfaceGpib = 1;
constexpr ViUInt16 kInterfaceVxi = 2;
constexpr ViUInt16 kInterfaceGpibVxi = 3;
constexpr ViUInt16 kInterfaceAsrl = 4;
constexpr ViUInt16 kInterfaceTcpip = 6;

constexpr int kFindBufferLength = 256;  // VI_FIND_BUFLEN

}  // namespace visa
