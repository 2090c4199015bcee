// Median time per jump in the real main window: the two clicks, the legal-move search and the
// repaint of the touched cells, played headless over many solved games of "European 1".
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "ui/picture_cell.h"
#include "game_scripts.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void clickAndPaint(MainWindowHarness& h, int row, int col)
{
    PictureCell* cell = h.form().boardView().cell(row, col);
    QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    h.form().boardView().repaint();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    MainWindowHarness h;
    h.form().menu().boardItems[1]->trigger();
    std::vector<qint64> nanos;
    for (int game = 0; game < games; ++game) {
        h.form().newGame();
        const auto& jumps = GameScripts::europeanOneSolved;
        // The last jump ends the game with its windows; time the 30 before it.
        for (std::size_t i = 0; i + 1 < jumps.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            clickAndPaint(h, jumps[i][0], jumps[i][1]);
            clickAndPaint(h, jumps[i][2], jumps[i][3]);
            nanos.push_back(timer.nsecsElapsed());
        }
        h.form().endGame();
    }
    std::sort(nanos.begin(), nanos.end());
    const auto at = [&](double q) { return static_cast<double>(nanos[static_cast<std::size_t>(q * static_cast<double>(nanos.size() - 1))]) / 1000.0; };
    std::printf("jumps: %zu  median: %.1f us  p90: %.1f us  max: %.1f us\n", nanos.size(), at(0.5), at(0.9), at(1.0));
    return 0;
}
