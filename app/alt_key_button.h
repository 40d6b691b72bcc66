#pragma once

#include <QKeySequence>
#include <QPushButton>

// A button of the main window that answers to Alt and a key, and tells
// screen readers so, as the shortcut a mnemonic would give it: its caption
// carries no "&".
class AltKeyButton : public QPushButton {
    Q_OBJECT
public:
    AltKeyButton(const QString& caption, const QKeySequence& keys, QWidget* parent);
    const QKeySequence& keys() const { return keys_; }

private:
    QKeySequence keys_;
};
