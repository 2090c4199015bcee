#pragma once

#include <QPixmap>
#include <QWidget>

// A board cell: shows its picture at natural size from the top-left corner, clipped at its edge.
class PictureCell : public QWidget {
    Q_OBJECT
public:
    explicit PictureCell(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    // A click is a press and a release on the same cell, as with a button.
    bool pressed_ = false;
};
