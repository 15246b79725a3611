#pragma once
// Plain records that instrument operations hand out by value.

#include <array>
#include <cstdint>
#include <string>

constexpr int kScpPositions = 8;
constexpr int kChannelsPerScp = 8;

// What is fitted at one signal-conditioning plug-on position.
struct ScpDescriptor {
    std::string description;
    int firstChannel = -1;
    int lastChannel = -1;
    int typeCode = -1;
};

// The settings the emulated instrument keeps per channel of one position.
struct ScpChannelSettings {
    std::string inputGain = ".5";
    std::string filterFrequency = "15";
    std::string excitationVoltage = "0";
    std::string inputLow = "FLO";
    int currentAmplitude = 0;
    int currentState = 1;
    std::string strainGageFactor = "2";
    std::string strainExcitation = "3.9";
    std::string strainPoisson = ".3";
    std::string resistanceRange = "AUTO";
};

struct ScpSettings {
    std::array<ScpChannelSettings, kChannelsPerScp> channels;
};

// The four cumulative limit flags, in the instrument's answer order.
struct LimitFlags {
    std::array<std::int16_t, 4> flags{};
};

struct Revisions {
    std::string driver;
    std::string firmware;
};
