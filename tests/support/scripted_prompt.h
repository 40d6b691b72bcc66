#pragma once

#include "qt_printers.h"

#include "common/operator_prompt.h"

#include <QStringList>

#include <deque>

// Answers questions from a script (OK when it runs out) and keeps what was said.
class ScriptedPrompt : public OperatorPrompt {
public:
    std::deque<bool> answers;
    QStringList questions;
    QStringList messages;
    QStringList details;
    QStringList notices;

    bool confirm(const QString& question, const QString& detail = {}) override
    {
        questions << question;
        details << detail;
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const QString& message, const QString& detail = {}) override
    {
        messages << message;
        details << detail;
    }
    void inform(const QString& message) override { notices << message; }
};
