#pragma once

#include <QWidget>

// The picture the main window shows while no trial is open: an agility ring with an
// A-frame, a tunnel, weave poles and a dog taking a jump, drawn to fit any size.
class BackgroundPicture : public QWidget
{
    Q_OBJECT
public:
    explicit BackgroundPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
