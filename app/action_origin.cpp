#include "app/action_origin.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QVariant>
#include <QWidget>

#include "app/sfp_app.h"
#include "platform/page_builder.h"

namespace {

const QString kSeparator = QStringLiteral(" \u00b7 ");

QString PageName() {
    if (!HasApp() || App().mainWindow == nullptr) {
        return {};
    }
    return App().mainWindow->CurrentPageName();
}

QString Joined(const QString& page, const QString& action) {
    if (page.isEmpty() || action.isEmpty()) {
        return page + action;
    }
    return page + kSeparator + action;
}

// The page's own control that holds `widget`: the one the template named.
const QWidget* TemplateControl(const QWidget* widget) {
    for (const QWidget* at = widget; at != nullptr; at = at->parentWidget()) {
        if (at->property(platform::kControlLabelProperty).isValid() ||
            qobject_cast<const QAbstractButton*>(at) != nullptr) {
            return at;
        }
    }
    return widget;
}

QString ControlName(const QWidget* control) {
    const QString label = control->property(platform::kControlLabelProperty).toString();
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    const QString text = button != nullptr ? button->text().remove(QLatin1Char('&')) : QString();
    if (label.isEmpty() || text.isEmpty()) {
        return label + text;
    }
    return label + QLatin1Char(' ') + text;
}

}  // namespace

std::string PageOrigin(const QString& action) {
    return Joined(PageName(), action).toStdString();
}

std::string ControlOrigin(const QWidget* control, const QString& suffix) {
    QString name = control != nullptr ? ControlName(TemplateControl(control)) : QString();
    if (!suffix.isEmpty()) {
        name = name.isEmpty() ? suffix : name + QLatin1Char(' ') + suffix;
    }
    return Joined(PageName(), name).toStdString();
}

// A click on a window that is not active gives no focus: the control under
// the pointer is then the one used.
DefaultOriginScope::DefaultOriginScope() {
    if (!iorecord::CurrentOrigin().empty()) {
        return;
    }
    const QWidget* control = QApplication::focusWidget();
    if (control == nullptr) {
        control = QApplication::widgetAt(QCursor::pos());
    }
    scope_.emplace(ControlOrigin(control));
}
