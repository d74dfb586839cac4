#include "ui/PickListAccessible.h"

#include "ui/PickList.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace ui {
namespace {

class PickListAccessible : public QAccessibleWidget
{
public:
    explicit PickListAccessible(PickList *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    int childCount() const override { return int(parts().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> all = parts();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index])
                                                : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(parts().indexOf(child->object())) : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    PickList *list() const { return static_cast<PickList *>(widget()); }

    // As a combo box: its drop-down list and its text box; then, while on view, the entries
    // offered as the user types.
    QList<QWidget *> parts() const
    {
        QList<QWidget *> all{list()->view(), list()->lineEdit()};
        if (QWidget *offered = list()->completionPopup(); offered && offered->isVisible())
            all << offered;
        return all;
    }
};

QAccessibleInterface *pickListInterface(const QString &, QObject *object)
{
    if (auto *list = qobject_cast<PickList *>(object))
        return new PickListAccessible(list);
    return nullptr;
}

} // namespace

void installAccessibleInterface()
{
    static const bool installed = [] {
        QAccessible::installFactory(pickListInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceHighlighted(QWidget *popup, int row)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent focus(popup, QAccessible::Focus);
    focus.setChild(row);
    QAccessible::updateAccessibility(&focus);
}

} // namespace ui
