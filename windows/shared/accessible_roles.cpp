#include "windows/shared/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// A caption without its access-key mark ("&&" stands for a '&' of the text).
QString withoutMark(const QString& caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

// A checkable item of a menu, read as a check box that is checked or not.
class AccessibleCheckItem : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AccessibleCheckItem(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

    bool isValid() const override { return menu_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return menu_ ? menu_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QString text(QAccessible::Text t) const override {
        if (!action_)
            return QString();
        if (t == QAccessible::Name)
            return withoutMark(action_->text());
        if (t == QAccessible::Accelerator)
            return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return QRect();
        const QRect r = menu_->actionGeometry(action_);
        return QRect(menu_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.checkable = true;
        s.checked = action_->isChecked();
        s.disabled = !action_->isEnabled();
        s.invisible = !menu_->isVisible() || !action_->isVisible();
        s.focusable = true;
        s.focused = menu_->activeAction() == action_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() && action_ && action_->isEnabled())
            action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

QMenu* menuOf(QAction* action) {
    for (QObject* owner : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return menu;
    return nullptr;
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object)
        return nullptr;
    if (className == QLatin1String("QAction")) {
        auto* action = static_cast<QAction*>(object);
        QMenu* menu = action->isCheckable() ? menuOf(action) : nullptr;
        return menu ? new AccessibleCheckItem(menu, action) : nullptr;
    }
    // A window or tool window of the program's own class made straight from QWidget (Qt gives
    // such a widget the role of a filler). Qt's classes (menus, dialogs) keep their own.
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QMetaObject* type = widget->metaObject();
    const Qt::WindowType kind = widget->windowType();
    if ((kind != Qt::Window && kind != Qt::Tool) || className != QLatin1String(type->className()) ||
        className.startsWith(u'Q') || type->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(widget,
                                 kind == Qt::Tool ? QAccessible::Dialog : QAccessible::Window);
}

} // namespace

namespace accessibleRoles {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

} // namespace accessibleRoles
