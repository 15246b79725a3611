#pragma once
// The sense function panel: assigns resistance, strain, temperature, voltage
// or a digital function to the selected channels. The page shows what was
// last sent from it; nothing is queried.

#include <array>
#include <optional>
#include <string>

#include "app/panel.h"
#include "panels/scp/config_page.h"

class CSfuncDlg;

class CSfuncObj : public CPanel {
public:
    CSfuncObj();
    ~CSfuncObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    void Tick() override;

    // The page while the panel is shown, else null.
    CSfuncDlg* Page() const;

    SelectorState selector;
    int excitation = kUnknown;          // id of Min or Max
    int resistanceRange = kUnknown;     // index into RangeList
    int strainRange = kUnknown;         // index into RangeList
    int temperatureRange = kUnknown;    // index into RangeList
    int voltageRange = kUnknown;        // index into RangeList
    int bridgeType = kUnknown;          // id of the bridge-type button
    int temperatureType = kUnknown;     // id of RTD, THER or TC
    int temperatureSubType = kUnknown;  // index into the sub-type list
    int digitalFunction = kUnknown;     // id of COND, FREQ or TOT
};

class CSfuncDlg : public ConfigPage {
public:
    static constexpr int kTitle = 1536;
    static constexpr int kExciteMin = 1484;
    static constexpr int kExciteMax = 1485;
    static constexpr int kResistanceRangeList = 1486;
    static constexpr int kStrainRangeList = 1487;
    static constexpr int kFirstBridgeType = 1488;  // FBEN .. QUAR: 1488 .. 1493
    static constexpr int kTemperatureRangeList = 1494;
    static constexpr int kRtd = 1495;
    static constexpr int kTher = 1496;
    static constexpr int kTc = 1497;
    static constexpr int kSubTypeList = 1498;
    static constexpr int kVoltageRangeList = 1501;
    static constexpr int kCond = 1537;
    static constexpr int kFreq = 1538;
    static constexpr int kTot = 1539;

    static constexpr std::array<const char*, 13> kSubTypes{
        "85", "92", "2250", "5000", "10000", "E", "EEXT", "J", "K", "N", "R", "S", "T"};

    explicit CSfuncDlg(CSfuncObj& panel);

private:
    ConfigTables Tables();
    // The temperature type's button that sub-type `index` belongs to.
    static int TypeOfSubType(int index);
    // A type click keeps only a sub-type of that type; a sub-type pick
    // checks its type. Both run before the setting is sent.
    void KeepSubTypeOfChosenType();
    void CheckTypeOfSubType(int index);
    // The sub-type list offers the shown type's sub-types (all without a
    // type) and shows the remembered one, which is forgotten when it is not
    // offered; run after every temperature handler.
    void ShowSubTypesOfShownType();
    void ConnectSubTypeFollowers();
    // The settings as far as they are complete; each sends nothing otherwise.
    void SendResistance(const std::string& channels) const;
    void SendStrain(const std::string& channels) const;
    void SendTemperature(const std::string& channels) const;
    void SendVoltage(const std::string& channels) const;
    void SendDigital(const std::string& channels) const;

    CSfuncObj& panel_;
};
