#pragma once

#include "app/operator_line_texts.h"

#include <QObject>
#include <QString>

class OperatorLine;

// What each feature tells the operator goes through here onto the operator
// line, and on to screen readers as it changes.
class OperatorNews : public QObject {
    Q_OBJECT
public:
    explicit OperatorNews(OperatorLine& line) : line_(line) {}

    // "%1" in the text stands for `path`.
    void show(const QString& text, const QString& path = {});
    void show(const OperatorLineText::PathNews& news) { show(news.text, news.path); }

signals:
    // What the line says, each time it changes.
    void shown(const QString& text);

private:
    OperatorLine& line_;
};
