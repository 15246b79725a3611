#include "platform/deferred_icon_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>

namespace platform {

namespace {

// Stands for one of the style's icons and asks the style for it at the
// first use. The icons it stands for are always there, so it is not null.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap icon) : style_(style), icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Resolved().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Resolved().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Resolved().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Resolved().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Resolved().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Resolved() {
        if (resolvedIcon_.isNull() && style_ != nullptr) {
            resolvedIcon_ = style_->standardIcon(icon_, nullptr, nullptr);
        }
        return resolvedIcon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap icon_;
    QIcon resolvedIcon_;
};

bool IsExtensionIcon(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_ToolBarHorizontalExtensionButton ||
           icon == QStyle::SP_ToolBarVerticalExtensionButton;
}

}  // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

// Without a style option the icon depends only on the application's layout
// direction, which is the same when it is drawn.
QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (option != nullptr || !IsExtensionIcon(icon)) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    return QIcon(new DeferredIconEngine(baseStyle(), icon));
}

void DeferExtensionIcons() {
    QStyle* current = QStyleFactory::create(QApplication::style()->name());
    if (current == nullptr) {
        return;
    }
    QApplication::setStyle(new DeferredIconStyle(current));
}

}  // namespace platform
