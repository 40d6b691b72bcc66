#pragma once

#include <QString>

class QWidget;

// Questions and messages to the operator; message boxes in the program,
// scripted answers in tests.
class OperatorPrompt {
public:
    virtual ~OperatorPrompt() = default;
    // OK and Cancel; true for OK.
    virtual bool confirm(const QString& question) = 0;
    // OK only.
    virtual void tell(const QString& message) = 0;
};

// Message boxes with the application's title and no icon.
class MessageBoxPrompt : public OperatorPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    bool confirm(const QString& question) override;
    void tell(const QString& message) override;

private:
    QWidget* parent_;
};

extern const char* const ApplicationTitle;
