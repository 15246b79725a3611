#pragma once
// What an operator does on a configuration page, as the page tests do it:
// the signals fire as they do for a click or a pick in the list.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

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

// Gives `control` the focus and presses Return in it, as the operator does.
inline void PressEnterIn(ConfigPage& page, QWidget* control) {
    page.show();
    page.activateWindow();
    control->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), control);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
}

// Types `text` into the field and presses Return in it.
inline void Enter(ConfigPage& page, int fieldId, const QString& text) {
    auto* field = page.Item<QLineEdit>(fieldId);
    field->setText(text);
    PressEnterIn(page, field);
}

}  // namespace config_page_operator
