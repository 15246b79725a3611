#pragma once
// What an operator does on a configuration page, as the page tests do it:
// the signals fire as they do for a click or a pick in the list.

#include <QAbstractButton>
#include <QComboBox>

#include "panels/scp/config_page.h"

namespace config_page_operator {

// The selector's first channel check box; the eight follow in order.
constexpr int kFirstChannelCheckBox = 1444;

inline void CheckChannel(ConfigPage& page, int index) {
    page.Selector().Item<QAbstractButton>(kFirstChannelCheckBox + index)->click();
}

inline void Pick(ConfigPage& page, int id, int index) {
    auto* box = page.Item<QComboBox>(id);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace config_page_operator
