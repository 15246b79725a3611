#pragma once
// Our own declarations of the instrument driver library's entry points, as the
// front panel calls them. Every function returns a 32-bit status; negative is
// an error.

#include "instrument/visa_api.h"

extern "C" {

using ViReal64 = double;
using ViBoolean = ViUInt16;

using Qot7720InitFn = ViStatus (*)(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                                   ViSession* session);
using Qot7720TimeOutFn = ViStatus (*)(ViSession session, ViInt32 milliseconds);
using Qot7720ErrorQueryDetectFn = ViStatus (*)(ViSession session, ViBoolean enable);
using Qot7720CmdFn = ViStatus (*)(ViSession session, ViString command);
using Qot7720CmdStringQFn = ViStatus (*)(ViSession session, ViString query, ViInt32 bufferSize,
                                         ViChar* answer);
using Qot7720CmdInt32QFn = ViStatus (*)(ViSession session, ViString query, ViInt32* answer);
using Qot7720CmdReal64QFn = ViStatus (*)(ViSession session, ViString query, ViReal64* answer);
using Qot7720ReadCvtQFn = ViStatus (*)(ViSession session, ViInt16 firstElement, ViInt16 count,
                                       ViReal64* values);
using Qot7720ReadFifoQFn = ViStatus (*)(ViSession session, ViInt32 count, ViInt32 capacity,
                                        ViReal64* values);
using Qot7720ReadFifoFastQFn = ViStatus (*)(ViSession session, ViInt32 count, ViReal64* values);
using Qot7720SelfTestFn = ViStatus (*)(ViSession session, ViInt16* result, ViChar* message);
using Qot7720ErrorQueryFn = ViStatus (*)(ViSession session, ViInt32* code, ViChar* message);
using Qot7720ErrorMessageFn = ViStatus (*)(ViSession session, ViStatus status, ViChar* message);
using Qot7720DclFn = ViStatus (*)(ViSession session);
using Qot7720DownloadAlgFn = ViStatus (*)(ViSession session, ViString algorithmName, ViInt32 size,
                                          ViString source);
using Qot7720AlgArrayFn = ViStatus (*)(ViSession session, ViString algorithmName,
                                       ViString arrayName, const ViReal64* values, ViInt32 count);
using Qot7720RevisionQueryFn = ViStatus (*)(ViSession session, ViChar* driverRevision,
                                            ViChar* firmwareRevision);

}  // extern "C"

namespace driver {

constexpr ViStatus kInstrumentErrorQueued = static_cast<ViStatus>(0xBFFC0D07u);
constexpr ViStatus kBusy = static_cast<ViStatus>(0xBFFC0D0Fu);  // our own refusal code
constexpr ViStatus kTimeout = static_cast<ViStatus>(0xBFFF0015u);

constexpr int kSelfTestMessageLength = 256;
constexpr int kErrorQueryMessageLength = 512;
constexpr int kErrorMessageLength = 256;
constexpr int kRevisionLength = 256;

// The QOT7720's VXI identification, compared with what VISA reports.
constexpr ViUInt16 kVxiManufacturerId = 0x0FFA;
constexpr ViUInt16 kVxiModelCode = 0x0720;

}  // namespace driver
