#pragma once
// A VISA session or find list, closed when the object goes.

#include "instrument/visa_functions.h"

class VisaObject {
public:
    VisaObject(const VisaFunctions& visa, ViObject handle) : visa_(visa), handle_(handle) {}
    ~VisaObject();
    VisaObject(const VisaObject&) = delete;
    VisaObject& operator=(const VisaObject&) = delete;

    ViObject Handle() const { return handle_; }

private:
    const VisaFunctions& visa_;
    ViObject handle_;
};
