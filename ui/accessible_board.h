#pragma once

#include <QAccessibleWidget>

class BoardView;

// The board as assistive tools see it: only the holes of the board in play are its children, and
// while it has the keyboard focus the current cell is the focused child.
class AccessibleBoard : public QAccessibleWidget {
public:
    explicit AccessibleBoard(BoardView* board);

    // Registers the interface for every board view; safe to call more than once.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    BoardView* board() const;
};
