#include "app/alt_key_button.h"

#include <QAccessibleWidget>
#include <QShortcut>

namespace {

class AltKeyButtonAccessible : public QAccessibleWidget {
public:
    explicit AltKeyButtonAccessible(AltKeyButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    AltKeyButton* button() const { return static_cast<AltKeyButton*>(widget()); }
    QString shortcut() const { return button()->keys().toString(QKeySequence::NativeText); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return button()->accessibleName().isEmpty() ? button()->text() : button()->accessibleName();
        case QAccessible::Accelerator:
            return shortcut();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QStringList actionNames() const override
    {
        return button()->isEnabled() ? QStringList{pressAction()} + QAccessibleWidget::actionNames()
                                     : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && button()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{shortcut()} : QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface* AltKeyButtonFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("AltKeyButton") && object)
        return new AltKeyButtonAccessible(static_cast<AltKeyButton*>(object));
    return nullptr;
}

} // namespace

AltKeyButton::AltKeyButton(const QString& caption, const QKeySequence& keys, QWidget* parent)
    : QPushButton(caption, parent), keys_(keys)
{
    static const bool installed = [] {
        QAccessible::installFactory(&AltKeyButtonFactory);
        return true;
    }();
    (void)installed;
    // The keys work wherever the focus is in the window.
    auto* shortcut = new QShortcut(keys, parent);
    connect(shortcut, &QShortcut::activated, this, &QPushButton::click);
}
