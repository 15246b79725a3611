#pragma once
// The sense panel: reference junction, strain parameters, totalizer reset
// mode and frequency aperture of the selected channels. Nothing is queried:
// the page shows what was last sent from it.

#include <string>

#include "app/panel.h"
#include "panels/scp/config_page.h"

class CSensObj : public CPanel {
public:
    CSensObj();
    ~CSensObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    void Tick() override;

    SelectorState selector;
    int totalizerResetMode = kUnknown;  // identity of the checked button
    int referenceType = kUnknown;       // identity of the checked button
    int referenceSubType = kUnknown;    // index into the sub-type list
    int referenceRange = kUnknown;      // index into RangeList
    // The texts as typed (units included); empty: nothing to send.
    std::string referenceTemperature;
    std::string aperture;
    std::string gageFactor;
    std::string excitation;
    std::string poissonRatio;
    std::string unstrained;
    std::string referenceChannel;
};

class CSensDlg : public ConfigPage {
public:
    static constexpr int kTher = 1503;
    static constexpr int kRtd = 1504;
    static constexpr int kSubTypeList = 1498;
    static constexpr int kRangeList = 1507;
    static constexpr int kReferenceTemperature = 1072;
    static constexpr int kReferenceChannel = 1508;
    static constexpr int kExcitation = 1509;
    static constexpr int kGageFactor = 1510;
    static constexpr int kPoissonRatio = 1511;
    static constexpr int kUnstrained = 1512;
    static constexpr int kInit = 1513;
    static constexpr int kTrig = 1514;
    static constexpr int kAperture = 1541;
    static constexpr int kTitle = 1536;

    explicit CSensDlg(CSensObj& panel);

private:
    ConfigTables Tables();
    std::vector<SendAllStep> SendAllSteps();
    // SetReference when the type, sub-type and range are all known.
    void SendReference(const std::string& channels, int subType, int range);
    // The page's sub-type and range indices.
    int PageIndex(int listId) const;

    CSensObj& panel_;
};
