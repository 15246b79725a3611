#pragma once
// The settings that more than one part of the simulator reads, named once.

namespace sim::key {

inline constexpr const char* kTriggerSource = "TRIGger:SOURce";
inline constexpr const char* kTriggerTimer = "TRIGger:TIMer";
inline constexpr const char* kTriggerCount = "TRIGger:COUNt";
inline constexpr const char* kContinuous = "INITiate:CONTinuous";
inline constexpr const char* kFifoMode = "[SENSe]:DATA:FIFO:MODE";
inline constexpr const char* kLimitState = "CALCulate:LIMit:[STATe]";
inline constexpr const char* kLowerLimitState = "CALCulate:LIMit:LOWer:STATe";
inline constexpr const char* kUpperLimitState = "CALCulate:LIMit:UPPer:STATe";
inline constexpr const char* kLowerLimit = "CALCulate:LIMit:LOWer:DATA";
inline constexpr const char* kUpperLimit = "CALCulate:LIMit:UPPer:DATA";
inline constexpr const char* kFunction = "[SENSe]:FUNCtion";
inline constexpr const char* kSourceFunction = "SOURce:FUNCtion";
inline constexpr const char* kReference = "[SENSe]:REFerence";
inline constexpr const char* kReferenceChannel = "[SENSe]:REFerence:CHANnels";

}  // namespace sim::key
