#pragma once

#include "qt_printers.h"

#include "operator_prompt.h"

#include <QStringList>

#include <deque>

// Answers questions from a script (OK when it runs out) and keeps what was said.
class ScriptedPrompt : public OperatorPrompt {
public:
    std::deque<bool> answers;
    QStringList questions;
    QStringList messages;
    QStringList notices;

    bool confirm(const QString& question) override
    {
        questions << question;
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const QString& message) override { messages << message; }
    void inform(const QString& message) override { notices << message; }
};
