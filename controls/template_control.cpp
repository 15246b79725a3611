#include "controls/template_control.h"

#include <QString>
#include <QWidget>

bool TakeTemplatePlace(QWidget& control, QWidget& page, int id) {
    QWidget* placeholder = nullptr;
    for (QWidget* candidate : page.findChildren<QWidget*>(QString::number(id))) {
        if (candidate != &control) {
            placeholder = candidate;
            break;
        }
    }
    if (placeholder == nullptr) {
        control.setParent(&page);
        control.hide();
        return false;
    }
    QWidget* parent = placeholder->parentWidget();
    control.setParent(parent);
    control.setGeometry(placeholder->geometry());
    control.setEnabled(placeholder->isEnabled());
    control.stackUnder(placeholder);
    control.setVisible(!placeholder->isHidden());
    delete placeholder;
    control.setObjectName(QString::number(id));
    return true;
}
