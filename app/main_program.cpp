#include "app/main_program.h"

#include "windows/main_window.h"
#include "windows/splash_window.h"
#include "core/board/board_layout.h"
#include "core/board/display_size_check.h"
#include "core/scores/score_store.h"

#include <QTimer>

MainProgram::MainProgram(ServicesFactory services, const SettingsStore& settings)
    : makeServices_(std::move(services)), settings_(settings)
{
}

MainProgram::MainProgram(const Services& services, const SettingsStore& settings)
    : MainProgram([services] { return services; }, settings)
{
}

MainProgram::~MainProgram() = default;

void MainProgram::start()
{
    splash_ = std::make_unique<SplashWindow>();
    connect(splash_.get(), &SplashWindow::handOver, this, &MainProgram::handOver);
    // The sound system and the rest load once the splash has settled on screen, well before the hand-over.
    connect(splash_.get(), &SplashWindow::firstPainted, this,
        [this] { QTimer::singleShot(PrepareDelayMs, this, &MainProgram::prepareServices); });
    splash_->show();
}

void MainProgram::prepareServices()
{
    if (!services_)
        services_.emplace(makeServices_());
}

void MainProgram::handOver()
{
    prepareServices();
    for (int board = 1; board <= BoardLayout::Count; ++board)
        services_->scores.loadScoreTable(board);
    const bool smallPieces = DisplaySizeCheck::checkDisplaySize(settings_);
    runMain(smallPieces);
    if (splash_)
        splash_->close();
}

void MainProgram::runMain(bool smallPieces)
{
    mainWindow_ = std::make_unique<MainWindow>(*services_, smallPieces);
    connect(mainWindow_.get(), &MainWindow::closed, this, &MainProgram::finished);
    mainWindow_->setUpMusic();
    mainWindow_->chooseStyle(4);
    mainWindow_->setUpPieces();
    mainWindow_->fillBoard();
    mainWindow_->show();
    mainWindow_->chooseBoardItem(1);
    mainWindow_->clearSelectionAndMusicStarted();
}
