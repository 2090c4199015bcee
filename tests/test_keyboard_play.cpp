// Playing with the keyboard only: the board's focus, the arrows, Space and Return, Tab to Undo, the ring.
#include "core/board/board_layout.h"
#include "game_scripts.h"
#include "support/main_window_harness.h"
#include "ui/board_view.h"
#include "ui/picture_cell.h"
#include "windows/main_menu.h"
#include "windows/game_over_window.h"
#include "windows/main_window.h"
#include "windows/status_panel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// A key as the player presses it: it goes to whatever has the keyboard focus.
bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return false;
    QTest::keyClick(target, key, modifiers);
    return true;
}

struct Place {
    int row;
    int col;
    bool operator==(const Place&) const = default;
};

Place current(const MainWindow& form)
{
    const PictureCell* cell = form.boardView().currentCell();
    return {cell->row(), cell->col()};
}

// Walks to a hole with the arrows, turning at a corner that lies on the board, and checks where the
// ring ended up.
bool walkTo(const MainWindow& form, const BoardLayout& layout, Place target)
{
    Place at = current(form);
    const auto walk = [](int& pos, int to, Qt::Key less, Qt::Key more) {
        for (; pos != to; pos += pos < to ? 1 : -1)
            if (!press(pos < to ? more : less))
                return false;
        return true;
    };
    const bool acrossFirst = layout.isHole(at.row, target.col);
    const bool walked = acrossFirst ? walk(at.col, target.col, Qt::Key_Left, Qt::Key_Right)
                                          && walk(at.row, target.row, Qt::Key_Up, Qt::Key_Down)
                                    : walk(at.row, target.row, Qt::Key_Up, Qt::Key_Down)
                                          && walk(at.col, target.col, Qt::Key_Left, Qt::Key_Right);
    return walked && current(form) == target;
}

void startGame(MainWindowHarness& h, int board)
{
    h.chooseBoard(board);
    QVERIFY(QTest::qWaitForWindowActive(&h.form()));
    h.form().newGame();
    QCOMPARE(QApplication::focusWidget(), &h.form().boardView());
}

// Plays the jumps with the keys only; Space picks the peg, Return lands it.
void playByKeys(MainWindowHarness& h, int board, const std::vector<Jump>& jumps)
{
    const BoardLayout& layout = BoardLayout::forBoard(board);
    for (const Jump& j : jumps) {
        QVERIFY(walkTo(h.form(), layout, {j[0], j[1]}) && press(Qt::Key_Space));
        QVERIFY(walkTo(h.form(), layout, {j[2], j[3]}) && press(Qt::Key_Return));
        if (&j != &jumps.back()) {
            QCOMPARE(current(h.form()), (Place{j[2], j[3]}));
            QCOMPARE(h.form().boardView().currentCell()->shows(), CellPicture::Peg);
        }
    }
}

bool ringDrawn(PictureCell* cell)
{
    return cell->grab().toImage().pixelColor(2, 2) == QColor(255, 214, 0);
}

} // namespace

class TestKeyboardPlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeGamesByKeys()
    {
        const QStringList solved{"AWESOME!", "Congradulations! You solved this board"};
        const QStringList stuck{"GAME OVER", "Sorry! There are no more legal moves"};
        for (const auto& [board, jumps, verdict] : {std::tuple{2, GameScripts::europeanOneSolved, solved},
                                                    {5, GameScripts::squareSixSolved, solved},
                                                    {2, GameScripts::europeanOneStuck, stuck}}) {
            MainWindowHarness h;
            QStringList seen;
            h.dialogs.actions.append([&seen](QDialog& dialog) {
                auto& over = dynamic_cast<GameOverWindow&>(dialog);
                seen = {over.heading->text(), over.message->text()};
                over.reject();
            });
            startGame(h, board);
            playByKeys(h, board, jumps);
            QCOMPARE(seen, verdict);
            // The last sound is the last jump's pop, made before the window opened.
            QCOMPARE(h.soundNames().last(), QStringLiteral("Pop2.wav"));
            // The finished board keeps its position and lets the focus go.
            const BoardView& view = h.form().boardView();
            QCOMPARE(view.cell(jumps.back()[2], jumps.back()[3])->shows(), CellPicture::Peg);
            QVERIFY(!view.hasFocus() && view.focusPolicy() == Qt::NoFocus);
        }
    }

    void focusOnlyWhileTheBoardTakesClicks()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        BoardView& board = form.boardView();
        QVERIFY(QTest::qWaitForWindowActive(&form) && !QApplication::focusWidget());

        // Classic empties (3, 4); the first ring sits on the peg below it, the board's centre.
        form.newGame();
        QVERIFY(board.hasFocus());
        QCOMPARE(current(form), (Place{4, 4}));
        QVERIFY(press(Qt::Key_Up));
        QCOMPARE(current(form), (Place{3, 4}));

        // Paused, nothing takes the keys; resumed, the board has them again and the ring is where it was.
        form.togglePause();
        QVERIFY(!QApplication::focusWidget());
        form.togglePause();
        QVERIFY(board.hasFocus());
        QCOMPARE(current(form), (Place{3, 4}));
        QCOMPARE(board.cell(3, 4)->shows(), CellPicture::Hole);

        // New Game on "Square 6x6" starts the ring next to its own start hole.
        form.endGame();
        QVERIFY(!board.hasFocus());
        h.chooseBoard(5);
        form.newGame();
        QVERIFY(board.hasFocus());
        QCOMPARE(current(form), (Place{5, 4}));
    }

    void arrowsStayAtTheEdge()
    {
        MainWindowHarness h;
        startGame(h, 2);
        const BoardLayout& european = BoardLayout::forBoard(2);
        // At each corner of the cross's arms a step off the board leaves the ring where it is.
        const std::vector<std::pair<Place, Qt::Key>> edges{
            {{1, 3}, Qt::Key_Up}, {{3, 1}, Qt::Key_Left}, {{5, 7}, Qt::Key_Right}, {{7, 5}, Qt::Key_Down}};
        for (const auto& [place, key] : edges) {
            QVERIFY(walkTo(h.form(), european, place) && press(key));
            QCOMPARE(current(h.form()), place);
        }
        // Holding Space is one click, not a select and a deselect.
        QVERIFY(press(Qt::Key_Space));
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
        QCOMPARE(h.form().boardView().cell(7, 5)->shows(), CellPicture::Marked);
    }

    void tabReachesUndo()
    {
        MainWindowHarness h;
        startGame(h, 1);
        MainWindow& form = h.form();
        QPushButton* undo = form.panel().undoButton;
        // Nothing to undo yet: Tab has nowhere else to go.
        QVERIFY(press(Qt::Key_Tab) && form.boardView().hasFocus());

        playByKeys(h, 1, {{5, 4, 3, 4}});
        QVERIFY(press(Qt::Key_Tab));
        QCOMPARE(QApplication::focusWidget(), undo);
        QVERIFY(press(Qt::Key_Tab) && form.boardView().hasFocus());
        QVERIFY(press(Qt::Key_Tab));

        // Space presses Undo; the spent button lets the focus go back to the board.
        QVERIFY(press(Qt::Key_Space));
        QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("36"));
        QVERIFY(form.boardView().hasFocus());
    }

    void ringShowsForKeysOnly()
    {
        MainWindowHarness h;
        startGame(h, 1);
        BoardView& board = h.form().boardView();
        QVERIFY(ringDrawn(board.cell(4, 4)) && press(Qt::Key_Right) && !ringDrawn(board.cell(4, 4)));
        QVERIFY(ringDrawn(board.cell(4, 5)));
        // A mouse player sees the cells as they always looked; the next key brings the ring back.
        h.click(5, 4);
        QCOMPARE(current(h.form()), (Place{5, 4}));
        QVERIFY(!ringDrawn(board.cell(5, 4)) && press(Qt::Key_Up) && ringDrawn(board.cell(4, 4)));
        // Without the focus there is no ring.
        board.clearFocus();
        QVERIFY(!ringDrawn(board.cell(4, 4)));
    }
};

QTEST_MAIN(TestKeyboardPlay)
#include "test_keyboard_play.moc"
