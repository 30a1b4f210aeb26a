#include "windows/editor/order_bar.h"

#include "windows/shared/ui_kit.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class AccessibleOrderBar : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleOrderBar(OrderBar* bar) : QAccessibleWidget(bar, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(bar()->order().value());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->order().value(); }
    void setCurrentValue(const QVariant& value) override {
        bar()->setOrder(ArrayOrder(value.toInt()));
    }
    QVariant maximumValue() const override {
        return ArrayOrder::atScrollPosition(bar()->minimum()).value();
    }
    QVariant minimumValue() const override {
        return ArrayOrder::atScrollPosition(bar()->maximum()).value();
    }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

  private:
    OrderBar* bar() const { return static_cast<OrderBar*>(widget()); }
};

QAccessibleInterface* orderBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("OrderBar") && object && object->isWidgetType())
        return new AccessibleOrderBar(static_cast<OrderBar*>(object));
    return nullptr;
}

} // namespace

OrderBar::OrderBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(orderBarFactory);
        return true;
    }();
    (void)factoryInstalled;
    // The style draws no focus on a scroll bar.
    ui::markFocus(this);
}
