#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QTimer;

// The window shown while the game starts; its timer hands over to the main window once.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // Null until the first events after construction make the controls.
    QLabel* productLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* logo = nullptr;
    QLabel* companyLabel = nullptr;
    QLabel* copyrightLabel = nullptr;
    QTimer* handOverTimer = nullptr;

Q_SIGNALS:
    // 2000 ms after loading: the whole hand-over runs in this one event, then the splash closes.
    void handOver();
    // The window has been drawn for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The icon, the pictures and the controls, made once the window is mapped.
    void fillIn();
    void addTexts();

    QPixmap background_;
    bool painted_ = false;
};
