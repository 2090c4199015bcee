#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The window shown while the game starts; its timer hands over to the main window once.
class FrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit FrmSplash(QWidget* parent = nullptr);

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblCopyright = nullptr;
    QTimer* Timer1 = nullptr;

Q_SIGNALS:
    // 2000 ms after loading: the whole hand-over runs in this one event, then the splash closes.
    void handOver();

protected:
    void paintEvent(QPaintEvent* event) override;
};
