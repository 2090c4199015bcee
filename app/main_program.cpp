#include "app/main_program.h"

#include "windows/main_window.h"
#include "windows/splash_window.h"
#include "core/board/board_layout.h"
#include "core/board/display_size_check.h"
#include "core/scores/score_store.h"

MainProgram::MainProgram(const Services& services, const SettingsStore& settings)
    : services_(services), settings_(settings)
{
}

MainProgram::~MainProgram() = default;

void MainProgram::start()
{
    splash_ = std::make_unique<FrmSplash>();
    connect(splash_.get(), &FrmSplash::handOver, this, &MainProgram::handOver);
    splash_->show();
}

void MainProgram::handOver()
{
    for (int board = 1; board <= BoardLayout::Count; ++board)
        services_.scores.LoadScoreTable(board);
    const bool smallPieces = DisplaySizeCheck::CheckDisplaySize(settings_);
    Main(smallPieces);
    if (splash_)
        splash_->close();
}

void MainProgram::Main(bool smallPieces)
{
    form1_ = std::make_unique<Form1>(services_, smallPieces);
    connect(form1_.get(), &Form1::closed, this, &MainProgram::finished);
    form1_->SetMusic();
    form1_->StyleClick(4);
    form1_->SetPieces();
    form1_->FillBoard();
    form1_->show();
    form1_->LevelClick(1);
    form1_->clearSelectionAndMusicStarted();
}
