#pragma once

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>

// The operator's marks as steps of undo and redo: each click or key that
// changed a line's mark is one command on a QUndoStack. A step taken back or
// forward puts its mark in the table through `SetMark`, which shows and keeps
// it as the click was. A new list on screen begins a new history.
class MarkHistory : public QObject {
    Q_OBJECT
public:
    struct Change {
        int record = 0;
        int before = 0;
        int after = 0;
    };
    using SetMark = std::function<void(int record, int mark)>;

    explicit MarkHistory(SetMark setMark);

    // The operator has just changed a mark: one step, and nothing left to redo.
    void marked(const Change& change);
    // The change that undo (redo) would take back (make again); none when nothing.
    std::optional<Change> nextUndo() const;
    std::optional<Change> nextRedo() const;
    // Takes that step: the change as it now stands, `after` the mark the
    // record has now. None when there was nothing to take.
    std::optional<Change> undo();
    std::optional<Change> redo();
    void clear() { stack_.clear(); }
    const QUndoStack& stack() const { return stack_; }

signals:
    // What undo or redo would do has changed.
    void stepsChanged();

private:
    std::optional<Change> changeAt(int index) const;

    SetMark setMark_;
    QUndoStack stack_;
};
