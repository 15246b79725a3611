#include "instrument/visa_object.h"

VisaObject::~VisaObject() {
    visa_.close(handle_);
}
