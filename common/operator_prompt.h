#pragma once

#include <QString>

class QWidget;

// Questions and messages to the operator; message boxes in the program,
// scripted answers in tests. `detail` is said under the main text.
class OperatorPrompt {
public:
    virtual ~OperatorPrompt() = default;
    // OK and Cancel; true for OK. Waits for the answer.
    virtual bool confirm(const QString& question, const QString& detail = {}) = 0;
    // OK only. Waits until it is read.
    virtual void tell(const QString& message, const QString& detail = {}) = 0;
    // OK only, without waiting: the program goes on while it is shown.
    virtual void inform(const QString& message) = 0;
};

// Message boxes with the application's title and no icon, owned by `parent`.
class MessageBoxPrompt : public OperatorPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    bool confirm(const QString& question, const QString& detail = {}) override;
    void tell(const QString& message, const QString& detail = {}) override;
    void inform(const QString& message) override;

private:
    QWidget* parent_;
};
