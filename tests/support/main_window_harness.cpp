#include "support/main_window_harness.h"

#include "ui/board_view.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"
#include "core/settings/settings_keys.h"
#include "ui/picture_cell.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

MainWindowHarness::MainWindowHarness(const QString& dpiSetting) : scores(dir_.path(), dir_.path() + QStringLiteral("/user"))
{
    if (!dpiSetting.isNull())
        settings.values.insert(SettingsKeys::DpiLogicalx, dpiSetting);
    const Services services{sound, music, time, dialogs, scores, dir_.path()};
    program = std::make_unique<MainProgram>(services, settings);
    program->handOver();
}

MainWindowHarness::~MainWindowHarness() = default;

MainWindow& MainWindowHarness::form() const
{
    return *program->mainWindow();
}

void MainWindowHarness::click(int row, int col) const
{
    PictureCell* cell = form().boardView().cell(row, col);
    QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
}

void MainWindowHarness::play(const std::vector<Jump>& jumps) const
{
    for (const Jump& j : jumps) {
        click(j[0], j[1]);
        click(j[2], j[3]);
    }
}

void MainWindowHarness::chooseBoard(int board) const
{
    form().menu().boardItems[static_cast<std::size_t>(board - 1)]->trigger();
}

QStringList MainWindowHarness::soundNames() const
{
    QStringList names;
    for (const QString& path : sound.played)
        names.append(path.startsWith(dir_.path() + QLatin1Char('/')) ? QFileInfo(path).fileName() : path);
    return names;
}
