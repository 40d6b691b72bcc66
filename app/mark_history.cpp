#include "app/mark_history.h"

#include <QUndoCommand>

#include <utility>

namespace {

class MarkCommand : public QUndoCommand {
public:
    MarkCommand(const MarkHistory::Change& change, const MarkHistory::SetMark& setMark)
        : change_(change), setMark_(setMark)
    {
    }
    void undo() override { setMark_(change_.record, change_.before); }
    void redo() override
    {
        // Pushed once the click has set it.
        if (!std::exchange(pushed_, true))
            return;
        setMark_(change_.record, change_.after);
    }
    const MarkHistory::Change& change() const { return change_; }

private:
    MarkHistory::Change change_;
    const MarkHistory::SetMark& setMark_;
    bool pushed_ = false;
};

} // namespace

MarkHistory::MarkHistory(SetMark setMark) : setMark_(std::move(setMark))
{
    connect(&stack_, &QUndoStack::indexChanged, this, &MarkHistory::stepsChanged);
    connect(&stack_, &QUndoStack::cleanChanged, this, &MarkHistory::stepsChanged);
}

void MarkHistory::marked(const Change& change) { stack_.push(new MarkCommand(change, setMark_)); }

std::optional<MarkHistory::Change> MarkHistory::changeAt(int index) const
{
    if (index < 0 || index >= stack_.count())
        return std::nullopt;
    return static_cast<const MarkCommand*>(stack_.command(index))->change();
}

std::optional<MarkHistory::Change> MarkHistory::nextUndo() const { return changeAt(stack_.index() - 1); }

std::optional<MarkHistory::Change> MarkHistory::nextRedo() const { return changeAt(stack_.index()); }

std::optional<MarkHistory::Change> MarkHistory::undo()
{
    const auto step = nextUndo();
    if (!step)
        return std::nullopt;
    stack_.undo();
    return Change{step->record, step->after, step->before};
}

std::optional<MarkHistory::Change> MarkHistory::redo()
{
    const auto step = nextRedo();
    if (step)
        stack_.redo();
    return step;
}
